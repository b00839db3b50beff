package jp.co.vorn.quendra;

public class JListOfProducts {
    public int numberOfProducts;
    public JSpecieReference[] specieReference;
}

package jp.co.vorn.quendra;

public class JListOfElements {
    public int numberOfElements;
    public JSpecieReference[] specieReference;
}

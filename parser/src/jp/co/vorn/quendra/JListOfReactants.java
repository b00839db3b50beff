package jp.co.vorn.quendra;

public class JListOfReactants {
    public int numberOfReactants;
    public JSpecieReference[] specieReference;
}

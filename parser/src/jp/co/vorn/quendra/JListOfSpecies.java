package jp.co.vorn.quendra;

public class JListOfSpecies {
    public int numberOfSpecies;
    public JSpecie[] specie;
}

package jp.co.vorn.quendra;

public class JSpecieReference {
    public int specieID;
    public String name = "";
    public int compartment;
    /** A number written as text. */
    public String stoichiometry = "";
}

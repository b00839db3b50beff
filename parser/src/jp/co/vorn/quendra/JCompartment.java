package jp.co.vorn.quendra;

public class JCompartment {
    public int compartmentID;
    public String name = "";
    /** A number written as text. */
    public String volume = "";
}

package jp.co.vorn.quendra;

public class JSpecie {
    public int specieID;
    public String name = "";
    /** compartmentID of the species' compartment. */
    public int compartment;
    public JSpecieAttribute specieAttribute = new JSpecieAttribute();
    public int listOfElements_n;
    /** The components of a complex. */
    public JListOfElements[] listOfElements;
}

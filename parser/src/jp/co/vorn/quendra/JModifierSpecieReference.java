package jp.co.vorn.quendra;

public class JModifierSpecieReference {
    public int specieID;
    public String name = "";
    public int compartment;
    /** A number written as text. */
    public String stoichiometry = "";
    /** 1 enzyme, 2 and 3 the two kinds of transcriptional regulator. */
    public int modifierType;
    /** 1: the modifier acts through its total amount. */
    public int isTotal;
}

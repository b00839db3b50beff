package jp.co.vorn.quendra;

/** A reaction network: compartments, species and one reaction list per layer. */
public class JModel {
    public String name = "";
    public String modelInfo = "";
    public JListOfCompartments listOfCompartments = new JListOfCompartments();
    public JListOfSpecies listOfSpecies = new JListOfSpecies();
    public int listOfReactions_n;
    public JListOfReactions[] listOfReactions;
}

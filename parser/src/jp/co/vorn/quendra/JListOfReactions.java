package jp.co.vorn.quendra;

/** The reactions of one layer: 1 or 2 Gene-Protein, 3 Metabolic. */
public class JListOfReactions {
    public int layer;
    public int numberOfReactions;
    public JReaction[] reaction;
}

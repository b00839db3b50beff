package jp.co.vorn.quendra.sbml;

import java.util.ArrayList;
import java.util.List;

/** A reaction as read, with the codes the converter uses. */
public final class ReactionRecord {
    /** The layer code that says "choose by the participants". */
    public static final int LAYER_UNSET = 0;

    public final int number;
    public final String id;
    public final long line;
    /** SBML's name of the reaction (may be empty); only messages use it. */
    public String sbmlName = "";
    /** For a reaction the reader made: the reaction of the model file it was made from. */
    public ReactionRecord madeFrom;
    public int reactionType;
    /** True when neither the annotation nor an SBO term chose the type, only SBML's reversible flag. */
    public boolean typeFromFlag;
    public int layer = LAYER_UNSET;
    public int groupID;
    public int isConvertible = 1;
    /** The display text; null until given by the annotation or made by the reader. */
    public String text;
    public final List<RefRecord> reactants = new ArrayList<>();
    public final List<RefRecord> products = new ArrayList<>();
    public final List<RefRecord> modifiers = new ArrayList<>();
    public final List<RefRecord> complexes = new ArrayList<>();

    public ReactionRecord(int number, String id, long line) {
        this.number = number;
        this.id = id;
        this.line = line;
    }

    /** How messages name the reaction. */
    public String describe() {
        return "reaction '" + id + "'";
    }
}

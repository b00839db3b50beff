package jp.co.vorn.quendra.sbml;

import java.util.HashMap;
import java.util.Map;

/** What an SBO term tells about a model without our annotation. */
public final class SboTerms {
    private static final Map<Integer, Integer> SPECIE_CLASS = new HashMap<>();
    private static final Map<Integer, Integer> REACTION_TYPE = new HashMap<>();
    private static final Map<Integer, Integer> MODIFIER_TYPE = new HashMap<>();

    static {
        put(SPECIE_CLASS, 1, 243, 335);                // gene, gene coding region
        put(SPECIE_CLASS, 4, 251, 354, 419);           // DNA, nucleic acid feature (and multimer)
        put(SPECIE_CLASS, 5, 250, 278, 334, 314, 319); // RNA, messenger RNA, non-coding RNAs
        put(SPECIE_CLASS, 6, 252, 245, 420);           // polypeptide chain, macromolecule (multimer)
        put(SPECIE_CLASS, 10, 253, 296, 297, 286, 418, 543); // non-covalent complexes, multimers
        put(SPECIE_CLASS, 7, 247, 421, 328);           // simple chemical (multimer), radical
        put(SPECIE_CLASS, 9, 327);                     // non-macromolecular ion
        put(SPECIE_CLASS, 8, 405);                     // perturbing agent

        put(REACTION_TYPE, 1, 177, 526);               // non-covalent binding, complex formation
        put(REACTION_TYPE, 13, 183);                   // transcription
        put(REACTION_TYPE, 14, 184);                   // translation
        put(REACTION_TYPE, 11, 185, 655, 657, 658);    // transport reactions
        put(REACTION_TYPE, 15, 179);                   // degradation

        put(MODIFIER_TYPE, 1, 13, 460);                // catalyst, enzymatic catalyst
        put(MODIFIER_TYPE, 2, 459, 461, 462, 21, 533, 534, 535); // stimulators
        put(MODIFIER_TYPE, 3, 20, 206, 207, 536, 537, 597);      // inhibitors
    }

    private static final int DISSOCIATION = 180;

    private SboTerms() {}

    private static void put(Map<Integer, Integer> table, int code, int... terms) {
        for (int term : terms) table.put(term, code);
    }

    /** The species class of a term, or -1 when the term says nothing about it. */
    public static int specieClass(int term) {
        return SPECIE_CLASS.getOrDefault(term, -1);
    }

    /**
     * The reaction type of a term, or -1. A dissociation (one complex falling apart into several
     * parts) is a conversion regarding multicomponent, reversible or not as SBML says: the
     * binding-like types take one complex on their right side.
     */
    public static int reactionType(int term, boolean reversible) {
        if (term == DISSOCIATION) return reversible ? 9 : 10;
        return REACTION_TYPE.getOrDefault(term, -1);
    }

    /** The modifier type of a term, or -1. */
    public static int modifierType(int term) {
        return MODIFIER_TYPE.getOrDefault(term, -1);
    }
}

package jp.co.vorn.quendra.sbml;

import java.util.ArrayList;
import java.util.List;

/**
 * Mass action converts a reaction with modifiers through an enzyme complex, in one direction.
 * A reversible reaction of the Gene-Protein layer (always converted by mass action) whose type
 * only SBML's reversible flag gave and that has modifiers is therefore read as two irreversible
 * conversions, each catalysed by all the modifiers: the reaction in its forward direction, and its
 * reverse direction as a reaction the reader makes, numbered after the model's reactions. In the
 * Metabolic layer such a reaction stays one reaction: GMA and MM convert it as one flux.
 */
final class ReversibleSplit {
    private static final int REVERSIBLE_CONVERSION = 7;
    private static final int IRREVERSIBLE_CONVERSION = 8;
    private static final int NOT_CONVERTIBLE = 2;

    private ReversibleSplit() {}

    static void apply(ReaderModel model) {
        List<ReactionRecord> reverses = new ArrayList<>();
        for (ReactionRecord reaction : model.reactions) {
            if (!isSplit(reaction)) continue;
            reaction.reactionType = IRREVERSIBLE_CONVERSION;
            reaction.text = DisplayText.of(reaction);
            reverses.add(reverseOf(reaction, model.reactions.size() + reverses.size() + 1));
        }
        model.reactions.addAll(reverses);
    }

    private static boolean isSplit(ReactionRecord reaction) {
        return reaction.typeFromFlag && reaction.reactionType == REVERSIBLE_CONVERSION
                && !reaction.modifiers.isEmpty() && reaction.isConvertible != NOT_CONVERTIBLE
                && reaction.layer != LayerRule.METABOLIC;
    }

    private static ReactionRecord reverseOf(ReactionRecord forward, int number) {
        ReactionRecord reverse = new ReactionRecord(number, forward.id, forward.line);
        reverse.madeFrom = forward;
        reverse.reactionType = IRREVERSIBLE_CONVERSION;
        reverse.layer = forward.layer;
        reverse.groupID = forward.groupID;
        reverse.reactants.addAll(copies(forward.products));
        reverse.products.addAll(copies(forward.reactants));
        reverse.modifiers.addAll(copies(forward.modifiers));
        reverse.text = DisplayText.of(reverse);
        return reverse;
    }

    private static List<RefRecord> copies(List<RefRecord> references) {
        List<RefRecord> copied = new ArrayList<>();
        for (RefRecord ref : references) {
            RefRecord copy = new RefRecord(ref.species, ref.stoichiometry);
            copy.modifierType = ref.modifierType;
            copy.isTotal = ref.isTotal;
            copied.add(copy);
        }
        return copied;
    }
}

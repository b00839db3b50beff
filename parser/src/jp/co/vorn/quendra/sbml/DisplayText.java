package jp.co.vorn.quendra.sbml;

import java.util.List;

/**
 * The display text of a reaction that the annotation gives none: "A + 2 B -> C [E]", with "<=>"
 * for the types converted in both directions, "(none)" for an empty side and each modifier in
 * brackets. When the participants lie in several compartments each name is followed by its
 * compartment's name in parentheses.
 */
public final class DisplayText {
    private DisplayText() {}

    public static void assign(ReaderModel model) {
        for (ReactionRecord reaction : model.reactions) {
            if (reaction.text == null) reaction.text = of(reaction);
        }
    }

    public static String of(ReactionRecord reaction) {
        boolean withCompartments = spansCompartments(reaction);
        StringBuilder text = new StringBuilder();
        side(reaction.reactants, withCompartments, text);
        text.append(isReversible(reaction.reactionType) ? " <=> " : " -> ");
        side(reaction.products, withCompartments, text);
        for (RefRecord modifier : reaction.modifiers) {
            text.append(" [").append(label(modifier.species, withCompartments)).append(']');
        }
        return text.toString();
    }

    // binding, homo association, elimination and the reversible conversions
    private static boolean isReversible(int reactionType) {
        return reactionType == 1 || reactionType == 3 || reactionType == 5 || reactionType == 7
                || reactionType == 9;
    }

    private static void side(List<RefRecord> references, boolean withCompartments, StringBuilder text) {
        if (references.isEmpty()) {
            text.append("(none)");
            return;
        }
        for (int i = 0; i < references.size(); i++) {
            RefRecord ref = references.get(i);
            if (i > 0) text.append(" + ");
            if (ref.stoichiometry != 1.0) text.append(NumberText.format(ref.stoichiometry)).append(' ');
            text.append(label(ref.species, withCompartments));
        }
    }

    private static String label(SpeciesRecord species, boolean withCompartment) {
        return withCompartment ? species.name + "(" + species.compartment.name + ")" : species.name;
    }

    private static boolean spansCompartments(ReactionRecord reaction) {
        CompartmentRecord first = null;
        for (List<RefRecord> list : List.of(reaction.reactants, reaction.products, reaction.modifiers)) {
            for (RefRecord ref : list) {
                if (first == null) first = ref.species.compartment;
                if (ref.species.compartment != first) return true;
            }
        }
        return false;
    }
}

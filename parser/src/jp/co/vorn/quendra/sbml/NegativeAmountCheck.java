package jp.co.vorn.quendra.sbml;

/**
 * Refuses a negative initial amount of a species that takes part in a reaction or a complex: it
 * would reach the equation files as an amount no network can have. Species outside the network
 * (a voltage driven by rules, say) never reach them and are left alone.
 */
final class NegativeAmountCheck {
    private NegativeAmountCheck() {}

    static void check(ReaderModel model) throws ModelReadException {
        boolean[] takesPart = participants(model);
        for (SpeciesRecord species : model.species) {
            if (species.initialValid && species.initialAmount < 0 && takesPart[species.number]) {
                throw ModelReadException.at(species.line, species.describe()
                        + ": the initial amount " + NumberText.format(species.initialAmount)
                        + " is negative");
            }
        }
    }

    private static boolean[] participants(ReaderModel model) {
        boolean[] takesPart = new boolean[model.species.size() + 1];
        for (ReactionRecord reaction : model.reactions) {
            mark(reaction.reactants, takesPart);
            mark(reaction.products, takesPart);
            mark(reaction.modifiers, takesPart);
            mark(reaction.complexes, takesPart);
        }
        for (SpeciesRecord species : model.species) {
            if (species.hasElements()) mark(species.elements, takesPart);
        }
        return takesPart;
    }

    private static void mark(Iterable<RefRecord> references, boolean[] takesPart) {
        for (RefRecord ref : references) takesPart[ref.species.number] = true;
    }
}

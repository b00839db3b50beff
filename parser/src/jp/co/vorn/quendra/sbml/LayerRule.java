package jp.co.vorn.quendra.sbml;

/**
 * The layer of a reaction that the annotation leaves open: Gene-Protein when a reactant or product
 * is a DNA, RNA, protein or complex, otherwise Metabolic. Modifiers do not count: an enzyme
 * protein does not take a metabolic reaction out of the Metabolic layer.
 */
public final class LayerRule {
    public static final int GENE_PROTEIN = 1;
    public static final int METABOLIC = 3;

    private LayerRule() {}

    public static void assign(ReaderModel model) {
        for (ReactionRecord reaction : model.reactions) {
            if (reaction.layer != ReactionRecord.LAYER_UNSET) continue;
            boolean geneProtein = anyGeneProtein(reaction.reactants) || anyGeneProtein(reaction.products);
            reaction.layer = geneProtein ? GENE_PROTEIN : METABOLIC;
        }
    }

    private static boolean anyGeneProtein(Iterable<RefRecord> references) {
        for (RefRecord ref : references) {
            int specieClass = ref.species.specieClass;
            if ((specieClass >= 1 && specieClass <= 6) || specieClass == 10) return true;
        }
        return false;
    }
}

package jp.co.vorn.quendra.sbml;

import java.util.Iterator;

/**
 * Plain SBML often writes transcription and translation as "-> product" with the template (the
 * gene, the mRNA) as a modifier. The converter takes the template as the reactant, so a
 * transcription or translation without reactants gets its template modifiers as reactants.
 */
final class TemplateInference {
    private static final int TRANSCRIPTION = 13;
    private static final int TRANSLATION = 14;
    private static final int DNA_GENE = 1;
    private static final int RNA = 5;

    private TemplateInference() {}

    static void moveTemplatesToReactants(ReaderModel model) {
        for (ReactionRecord reaction : model.reactions) {
            int template = templateClass(reaction.reactionType);
            if (template < 0 || !reaction.reactants.isEmpty()) continue;
            for (Iterator<RefRecord> it = reaction.modifiers.iterator(); it.hasNext(); ) {
                RefRecord modifier = it.next();
                if (modifier.species.specieClass != template) continue;
                it.remove();
                reaction.reactants.add(new RefRecord(modifier.species, 1.0));
            }
        }
    }

    private static int templateClass(int reactionType) {
        if (reactionType == TRANSCRIPTION) return DNA_GENE;
        if (reactionType == TRANSLATION) return RNA;
        return -1;
    }
}

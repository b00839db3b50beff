package jp.co.vorn.quendra.sbml;

import java.util.ArrayList;
import java.util.List;
import jp.co.vorn.quendra.JListOfModifiers;
import jp.co.vorn.quendra.JListOfProducts;
import jp.co.vorn.quendra.JListOfReactants;
import jp.co.vorn.quendra.JListOfReactions;
import jp.co.vorn.quendra.JModifierComplex;
import jp.co.vorn.quendra.JModifierSpecieReference;
import jp.co.vorn.quendra.JReaction;
import jp.co.vorn.quendra.JSpecieReference;

/**
 * Fills the reaction objects of one layer. A reaction carries one reactant, product and modifier
 * list when it has such references and none (a zero-length array) when it has not.
 */
public final class JReactionBuilder {
    private JReactionBuilder() {}

    /** The reactions of the given layer, in model order. */
    public static JListOfReactions layer(int layer, List<ReactionRecord> reactions) {
        List<JReaction> selected = new ArrayList<>();
        for (ReactionRecord record : reactions) {
            if (record.layer == layer) selected.add(reaction(record));
        }
        JListOfReactions list = new JListOfReactions();
        list.layer = layer;
        list.reaction = selected.toArray(new JReaction[0]);
        list.numberOfReactions = list.reaction.length;
        return list;
    }

    private static JReaction reaction(ReactionRecord record) {
        JReaction reaction = new JReaction();
        reaction.reactionID = record.number;
        reaction.groupID = record.groupID;
        reaction.reactionType = record.reactionType;
        reaction.isConvertible = record.isConvertible;
        reaction.modifierReactionEquation = TextRules.fitBytes(record.text, TextRules.TEXT_BYTES);
        reaction.listOfReactants = reactants(record.reactants);
        reaction.listOfReactants_n = reaction.listOfReactants.length;
        reaction.listOfProducts = products(record.products);
        reaction.listOfProducts_n = reaction.listOfProducts.length;
        reaction.listOfModifiers = modifiers(record.modifiers);
        reaction.listOfModifiers_n = reaction.listOfModifiers.length;
        reaction.modifierComplex = complexes(record.complexes);
        reaction.modifierComplex_n = reaction.modifierComplex.length;
        return reaction;
    }

    private static JListOfReactants[] reactants(List<RefRecord> records) {
        if (records.isEmpty()) return new JListOfReactants[0];
        JListOfReactants list = new JListOfReactants();
        list.specieReference = JModelBuilder.references(records);
        list.numberOfReactants = list.specieReference.length;
        return new JListOfReactants[] {list};
    }

    private static JListOfProducts[] products(List<RefRecord> records) {
        if (records.isEmpty()) return new JListOfProducts[0];
        JListOfProducts list = new JListOfProducts();
        list.specieReference = JModelBuilder.references(records);
        list.numberOfProducts = list.specieReference.length;
        return new JListOfProducts[] {list};
    }

    private static JListOfModifiers[] modifiers(List<RefRecord> records) {
        if (records.isEmpty()) return new JListOfModifiers[0];
        JListOfModifiers list = new JListOfModifiers();
        list.modifierSpecieReference = new JModifierSpecieReference[records.size()];
        for (int i = 0; i < records.size(); i++) {
            list.modifierSpecieReference[i] = modifier(records.get(i));
        }
        list.numberOfModifiers = list.modifierSpecieReference.length;
        return new JListOfModifiers[] {list};
    }

    private static JModifierSpecieReference modifier(RefRecord record) {
        JModifierSpecieReference modifier = new JModifierSpecieReference();
        modifier.specieID = record.species.number;
        modifier.name = record.species.name;
        modifier.compartment = record.species.compartment.number;
        modifier.stoichiometry = NumberText.format(record.stoichiometry);
        modifier.modifierType = record.modifierType;
        modifier.isTotal = record.isTotal;
        return modifier;
    }

    private static JModifierComplex[] complexes(List<RefRecord> records) {
        JSpecieReference[] references = JModelBuilder.references(records);
        JModifierComplex[] complexes = new JModifierComplex[references.length];
        for (int i = 0; i < references.length; i++) {
            complexes[i] = new JModifierComplex();
            complexes[i].specieReference = references[i];
        }
        return complexes;
    }
}

package jp.co.vorn.quendra.sbml;

import java.util.HashMap;
import java.util.List;
import java.util.Map;
import org.sbml.libsbml.Model;
import org.sbml.libsbml.ModifierSpeciesReference;
import org.sbml.libsbml.Reaction;
import org.sbml.libsbml.SimpleSpeciesReference;
import org.sbml.libsbml.SpeciesReference;

/** Reads the reactions with their references, then what our annotation adds. */
public final class ReactionReader {
    private static final String[] REACTION_ATTRIBUTES = {"type", "layer", "group", "convertible", "text"};
    private static final String[] MODIFIER_ATTRIBUTES = {"type", "isTotal"};
    private static final int ENZYME = 1;
    private static final int REVERSIBLE_CONVERSION = 7;
    private static final int IRREVERSIBLE_CONVERSION = 8;

    private final ReaderModel model;
    private final StoichiometryReader stoichiometry;
    // Group labels of the annotation: a group's number is that of its first reaction.
    private final Map<String, Integer> groups = new HashMap<>();

    private ReactionReader(Model sbml, ReaderModel model) {
        this.model = model;
        this.stoichiometry = new StoichiometryReader(sbml);
    }

    public static void read(Model sbml, ReaderModel into) throws ModelReadException {
        ReactionReader reader = new ReactionReader(sbml, into);
        for (long i = 0; i < sbml.getNumReactions(); i++) {
            into.reactions.add(reader.readReaction(sbml.getReaction(i)));
        }
    }

    private ReactionRecord readReaction(Reaction reaction) throws ModelReadException {
        ReactionRecord record =
                new ReactionRecord(model.reactions.size() + 1, reaction.getId(), reaction.getLine());
        record.sbmlName = reaction.getName();
        record.groupID = record.number;
        for (long i = 0; i < reaction.getNumReactants(); i++) {
            addParticipant(record.reactants, reaction.getReactant(i), record);
        }
        for (long i = 0; i < reaction.getNumProducts(); i++) {
            addParticipant(record.products, reaction.getProduct(i), record);
        }
        for (long i = 0; i < reaction.getNumModifiers(); i++) {
            record.modifiers.add(readModifier(reaction.getModifier(i), record));
        }
        record.reactionType = inferType(reaction, record);
        AnnotationElement annotation =
                AnnotationElement.find(reaction, "reaction", record.describe());
        if (annotation != null) applyAnnotation(annotation, record);
        return record;
    }

    // By the SBO term; without a known one, a conversion in the direction(s) SBML's reversible
    // flag gives (FlowInference may make it a degradation later).
    private static int inferType(Reaction reaction, ReactionRecord record) {
        int inferred = SboTerms.reactionType(reaction.getSBOTerm(), reaction.getReversible());
        if (inferred >= 0) return inferred;
        record.typeFromFlag = true;
        return reaction.getReversible() ? REVERSIBLE_CONVERSION : IRREVERSIBLE_CONVERSION;
    }

    // A participant with stoichiometry 0 takes no part: it is left out, and the log says so.
    private void addParticipant(List<RefRecord> participants, SpeciesReference reference,
                                ReactionRecord record) throws ModelReadException {
        RefRecord participant = readReference(reference, record);
        if (participant.stoichiometry != 0) {
            participants.add(participant);
            return;
        }
        model.notes.add(ModelReadException.located(reference.getLine(), record.describe()
                + ": species '" + reference.getSpecies() + "' has stoichiometry 0 and is left out"));
    }

    private RefRecord readReference(SpeciesReference reference, ReactionRecord record)
            throws ModelReadException {
        SpeciesRecord species = speciesOf(reference, record);
        return new RefRecord(species, stoichiometry.read(reference, record));
    }

    private RefRecord readModifier(ModifierSpeciesReference reference, ReactionRecord record)
            throws ModelReadException {
        RefRecord modifier = new RefRecord(speciesOf(reference, record), 1.0);
        int inferred = SboTerms.modifierType(reference.getSBOTerm());
        modifier.modifierType = inferred >= 0 ? inferred : ENZYME;
        String owner = "modifier '" + reference.getSpecies() + "' of " + record.describe();
        AnnotationElement annotation = AnnotationElement.find(reference, "modifier", owner);
        if (annotation != null) {
            annotation.allow(MODIFIER_ATTRIBUTES);
            modifier.modifierType = annotation.code(Vocabulary.MODIFIER_TYPE, modifier.modifierType);
            modifier.isTotal = annotation.code(Vocabulary.IS_TOTAL, modifier.isTotal);
        }
        return modifier;
    }

    private SpeciesRecord speciesOf(SimpleSpeciesReference reference, ReactionRecord record)
            throws ModelReadException {
        SpeciesRecord species = model.speciesById.get(reference.getSpecies());
        if (species == null) {
            throw ModelReadException.at(reference.getLine(), record.describe()
                    + ": unknown species '" + reference.getSpecies() + "'");
        }
        return species;
    }

    private void applyAnnotation(AnnotationElement annotation, ReactionRecord record)
            throws ModelReadException {
        annotation.allow(REACTION_ATTRIBUTES, "modifierComplex");
        record.reactionType = annotation.code(Vocabulary.REACTION_TYPE, record.reactionType);
        if (annotation.attribute("type") != null) record.typeFromFlag = false;
        record.layer = annotation.code(Vocabulary.LAYER, record.layer);
        record.isConvertible = annotation.code(Vocabulary.CONVERTIBLE, record.isConvertible);
        String group = annotation.attribute("group");
        if (group != null) {
            String label = annotation.required("group");
            record.groupID = groups.computeIfAbsent(label, key -> record.number);
        }
        String text = annotation.attribute("text");
        if (text != null && !TextRules.oneLine(text).isEmpty()) record.text = TextRules.oneLine(text);
        for (AnnotationElement complex : annotation.children()) {
            complex.allow(new String[] {"species", "stoichiometry"});
            record.complexes.add(AnnotationRefs.resolve(complex, model));
        }
    }
}

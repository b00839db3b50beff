package jp.co.vorn.quendra.sbml;

import java.util.ArrayList;
import java.util.List;
import jp.co.vorn.quendra.JCompartment;
import jp.co.vorn.quendra.JListOfCompartments;
import jp.co.vorn.quendra.JListOfElements;
import jp.co.vorn.quendra.JListOfReactions;
import jp.co.vorn.quendra.JListOfSpecies;
import jp.co.vorn.quendra.JModel;
import jp.co.vorn.quendra.JSpecie;
import jp.co.vorn.quendra.JSpecieAttribute;
import jp.co.vorn.quendra.JSpecieReference;

/**
 * Fills the model objects the converter receives. Every count equals the length of the array
 * beside it; an empty list is a zero-length array, never null.
 */
public final class JModelBuilder {
    private JModelBuilder() {}

    /** A model with nothing in it, for a failed parse. */
    public static JModel empty() {
        JModel model = new JModel();
        model.listOfCompartments.compartment = new JCompartment[0];
        model.listOfSpecies.specie = new JSpecie[0];
        model.listOfReactions = new JListOfReactions[0];
        return model;
    }

    public static JModel build(ReaderModel source) {
        JModel model = new JModel();
        model.name = TextRules.fitBytes(source.name, TextRules.NAME_BYTES);
        model.modelInfo = TextRules.fitBytes(source.modelInfo, TextRules.TEXT_BYTES);
        model.listOfCompartments = compartments(source.compartments);
        model.listOfSpecies = species(source.species);
        model.listOfReactions = layers(source.reactions);
        model.listOfReactions_n = model.listOfReactions.length;
        return model;
    }

    private static JListOfCompartments compartments(List<CompartmentRecord> records) {
        JListOfCompartments list = new JListOfCompartments();
        list.numberOfCompartments = records.size();
        list.compartment = new JCompartment[records.size()];
        for (int i = 0; i < records.size(); i++) {
            CompartmentRecord record = records.get(i);
            JCompartment compartment = new JCompartment();
            compartment.compartmentID = record.number;
            compartment.name = record.name;
            compartment.volume = record.volume;
            list.compartment[i] = compartment;
        }
        return list;
    }

    private static JListOfSpecies species(List<SpeciesRecord> records) {
        JListOfSpecies list = new JListOfSpecies();
        list.numberOfSpecies = records.size();
        list.specie = new JSpecie[records.size()];
        for (int i = 0; i < records.size(); i++) list.specie[i] = specie(records.get(i));
        return list;
    }

    private static JSpecie specie(SpeciesRecord record) {
        JSpecie specie = new JSpecie();
        specie.specieID = record.number;
        specie.name = record.name;
        specie.compartment = record.compartment.number;
        specie.specieAttribute = attribute(record);
        if (record.hasElements()) {
            JListOfElements elements = new JListOfElements();
            elements.specieReference = references(record.elements);
            elements.numberOfElements = elements.specieReference.length;
            specie.listOfElements = new JListOfElements[] {elements};
        } else {
            specie.listOfElements = new JListOfElements[0];
        }
        specie.listOfElements_n = specie.listOfElements.length;
        return specie;
    }

    private static JSpecieAttribute attribute(SpeciesRecord record) {
        JSpecieAttribute attribute = new JSpecieAttribute();
        attribute.specieClass = record.specieClass;
        attribute.massBalance = record.massBalance;
        attribute.totalAmount = record.totalAmount;
        attribute.decomposition = record.decomposition;
        attribute.initialAmount_isValid = record.initialValid ? 1 : 2;
        attribute.initialAmount = record.initialValid ? NumberText.format(record.initialAmount) : "";
        return attribute;
    }

    /** References to species as the element, reactant, product and complex lists hold them. */
    public static JSpecieReference[] references(List<RefRecord> records) {
        JSpecieReference[] references = new JSpecieReference[records.size()];
        for (int i = 0; i < records.size(); i++) {
            RefRecord record = records.get(i);
            JSpecieReference reference = new JSpecieReference();
            reference.specieID = record.species.number;
            reference.name = record.species.name;
            reference.compartment = record.species.compartment.number;
            reference.stoichiometry = NumberText.format(record.stoichiometry);
            references[i] = reference;
        }
        return references;
    }

    // Always the Gene-Protein layer (1) and the Metabolic layer (3); layer 2 only when used.
    private static JListOfReactions[] layers(List<ReactionRecord> reactions) {
        List<JListOfReactions> layers = new ArrayList<>();
        layers.add(JReactionBuilder.layer(1, reactions));
        if (reactions.stream().anyMatch(reaction -> reaction.layer == 2)) {
            layers.add(JReactionBuilder.layer(2, reactions));
        }
        layers.add(JReactionBuilder.layer(3, reactions));
        return layers.toArray(new JListOfReactions[0]);
    }
}

package jp.co.vorn.quendra.sbml;

import java.util.ArrayList;
import java.util.List;
import org.sbml.libsbml.Model;
import org.sbml.libsbml.Species;

/**
 * Reads the species: the attributes SBML core has, then what our annotation adds. Element lists
 * name other species, so they are resolved once all species are known.
 */
public final class SpeciesReader {
    private static final String[] ATTRIBUTES = {"class", "massBalance", "totalAmount", "decomposition"};
    private static final int CLASS_METABOLITE = 7;
    private static final int CLASS_COMPLEX = 10;

    private SpeciesReader() {}

    public static void read(Model model, ReaderModel into) throws ModelReadException {
        List<AnnotationElement> annotations = new ArrayList<>();
        for (long i = 0; i < model.getNumSpecies(); i++) {
            Species species = model.getSpecies(i);
            SpeciesRecord record = readCore(species, into);
            AnnotationElement annotation =
                    AnnotationElement.find(species, "species", record.describe());
            if (annotation != null) applyAnnotation(annotation, record);
            annotations.add(annotation);
            into.addSpecies(record);
        }
        for (int i = 0; i < annotations.size(); i++) {
            SpeciesRecord record = into.species.get(i);
            if (annotations.get(i) != null) record.elements = readElements(annotations.get(i), into);
            if (record.specieClass < 0) chooseDefaultClass(record);
        }
    }

    private static SpeciesRecord readCore(Species species, ReaderModel into) throws ModelReadException {
        SpeciesRecord record =
                new SpeciesRecord(into.species.size() + 1, species.getId(), species.getLine());
        record.sbmlName = species.getName();
        record.name = TextRules.chooseName(species.getName(), record.id);
        record.compartment = into.compartmentsById.get(species.getCompartment());
        if (record.compartment == null) {
            throw ModelReadException.at(record.line, record.describe()
                    + ": unknown compartment '" + species.getCompartment() + "'");
        }
        record.specieClass = SboTerms.specieClass(species.getSBOTerm());
        boolean fixed = species.getConstant() || species.getBoundaryCondition();
        record.totalAmount = fixed ? 1 : 2;
        readInitialAmount(species, record);
        return record;
    }

    // initialAmount, else initialConcentration; a value that is not a finite number counts as none.
    private static void readInitialAmount(Species species, SpeciesRecord record) {
        double value = Double.NaN;
        if (species.isSetInitialAmount()) {
            value = species.getInitialAmount();
        } else if (species.isSetInitialConcentration()) {
            value = species.getInitialConcentration();
        }
        record.initialValid = Double.isFinite(value);
        record.initialAmount = record.initialValid ? value : 0.0;
    }

    private static void applyAnnotation(AnnotationElement annotation, SpeciesRecord record)
            throws ModelReadException {
        annotation.allow(ATTRIBUTES, "element");
        record.specieClass = annotation.code(Vocabulary.SPECIE_CLASS, record.specieClass);
        record.massBalance = annotation.code(Vocabulary.MASS_BALANCE, record.massBalance);
        record.totalAmount = annotation.code(Vocabulary.TOTAL_AMOUNT, record.totalAmount);
        record.decomposition = annotation.code(Vocabulary.DECOMPOSITION, record.decomposition);
    }

    private static List<RefRecord> readElements(AnnotationElement annotation, ReaderModel model)
            throws ModelReadException {
        if (annotation.children().isEmpty()) return null;
        List<RefRecord> elements = new ArrayList<>();
        for (AnnotationElement element : annotation.children()) {
            element.allow(new String[] {"species", "stoichiometry"});
            elements.add(AnnotationRefs.resolve(element, model));
        }
        return elements;
    }

    // Without annotation or SBO term: a species with components is a complex, any other a metabolite.
    private static void chooseDefaultClass(SpeciesRecord record) {
        record.specieClass = record.hasElements() ? CLASS_COMPLEX : CLASS_METABOLITE;
        record.classDefaulted = true;
    }
}

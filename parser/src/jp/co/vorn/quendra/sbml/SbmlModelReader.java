package jp.co.vorn.quendra.sbml;

import jp.co.vorn.quendra.JModel;
import org.sbml.libsbml.Model;
import org.sbml.libsbml.SBMLDocument;

/** Reads a model file into the objects the converter receives. */
public final class SbmlModelReader {
    private SbmlModelReader() {}

    public static JModel read(String path) throws ModelReadException {
        return JModelBuilder.build(readRecords(path));
    }

    /** The model as read and completed, before it is turned into the converter's objects. */
    public static ReaderModel readRecords(String path) throws ModelReadException {
        SBMLDocument document = ModelFile.read(path);
        try {
            return collect(document.getModel());
        } finally {
            document.delete();
        }
    }

    /** Reads a libSBML model and completes what the annotation leaves open. */
    public static ReaderModel collect(Model sbml) throws ModelReadException {
        ReaderModel model = new ReaderModel();
        String title = sbml.getName().isEmpty() ? sbml.getId() : sbml.getName();
        model.name = TextRules.oneLine(title);
        model.modelInfo = NotesText.of(sbml.getNotes());
        CompartmentReader.read(sbml, model);
        SpeciesReader.read(sbml, model);
        NameFallback.apply(model);
        ReactionReader.read(sbml, model);
        NegativeAmountCheck.check(model);
        TemplateInference.moveTemplatesToReactants(model);
        // The display text shows the reaction as the file gives it, without what the reader adds.
        DisplayText.assign(model);
        FlowInference.markOutflows(model);
        ComplexInference.completeBindingProducts(model);
        FlowInference.addSources(model);
        LayerRule.assign(model);
        ReversibleSplit.apply(model);
        ComplexInference.addEnzymeComplexes(model);
        ElementCycleCheck.check(model);
        return model;
    }
}

package jp.co.vorn.quendra.sbml;

/** Species references written in our annotation (complex elements, modifier complexes). */
public final class AnnotationRefs {
    private AnnotationRefs() {}

    /** The species named by the element's species attribute, with its stoichiometry (default 1). */
    public static RefRecord resolve(AnnotationElement element, ReaderModel model)
            throws ModelReadException {
        String id = element.required("species");
        SpeciesRecord species = model.speciesById.get(id);
        if (species == null) throw element.fault("unknown species '" + id + "'");
        return new RefRecord(species, element.positiveNumber("stoichiometry", 1.0));
    }
}

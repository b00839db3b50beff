package jp.co.vorn.quendra.sbml;

/** A reference to a species with its stoichiometry; modifiers also carry their type and isTotal. */
public final class RefRecord {
    public final SpeciesRecord species;
    public double stoichiometry;
    public int modifierType;
    public int isTotal;

    public RefRecord(SpeciesRecord species, double stoichiometry) {
        this.species = species;
        this.stoichiometry = stoichiometry;
    }
}

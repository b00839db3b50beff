package jp.co.vorn.quendra.sbml;

import java.util.List;

/** A species as read or made by the reader, with the codes the converter uses. */
public final class SpeciesRecord {
    public final int number;
    public final String id;
    public final long line;
    public String name;
    /** SBML's name of the species (may be empty); only messages use it. */
    public String sbmlName = "";
    /** For a species the reader made: what it is ("source", "enzyme complex") and for which reaction. */
    public String madeAs;
    public ReactionRecord madeFor;
    public CompartmentRecord compartment;
    public int specieClass;
    /** True when neither the annotation nor an SBO term chose the class. */
    public boolean classDefaulted;
    public int massBalance = 2;
    public int totalAmount = 2;
    public int decomposition = 2;
    public boolean initialValid;
    public double initialAmount;
    /** The components of a complex; null when the species has no element list. */
    public List<RefRecord> elements;

    public SpeciesRecord(int number, String id, long line) {
        this.number = number;
        this.id = id;
        this.line = line;
    }

    public boolean hasElements() {
        return elements != null && !elements.isEmpty();
    }

    /** How messages name the species (a species made by the reader has no id). */
    public String describe() {
        return "species '" + (id.isEmpty() ? name : id) + "'";
    }
}

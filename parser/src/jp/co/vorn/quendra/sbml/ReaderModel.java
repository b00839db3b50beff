package jp.co.vorn.quendra.sbml;

import java.util.ArrayList;
import java.util.HashMap;
import java.util.HashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;

/** Everything read from one model file, indexed for lookups by id and by name. */
public final class ReaderModel {
    public String name = "";
    public String modelInfo = "";
    public final List<CompartmentRecord> compartments = new ArrayList<>();
    public final Map<String, CompartmentRecord> compartmentsById = new HashMap<>();
    public final List<SpeciesRecord> species = new ArrayList<>();
    public final Map<String, SpeciesRecord> speciesById = new HashMap<>();
    public final List<ReactionRecord> reactions = new ArrayList<>();
    /** Lines for the system log about what the reader did with the model ("line 5: ..."). */
    public final List<String> notes = new ArrayList<>();
    private final Set<String> namesInCompartments = new HashSet<>();

    /** Adds a species; its id must not be taken (ids of reader-made species are empty). */
    public void addSpecies(SpeciesRecord record) throws ModelReadException {
        if (!record.id.isEmpty()) {
            SpeciesRecord earlier = speciesById.putIfAbsent(record.id, record);
            if (earlier != null) {
                throw ModelReadException.at(record.line, "the species id '" + record.id
                        + "' is already used at line " + earlier.line);
            }
        }
        species.add(record);
        namesInCompartments.add(nameKey(record.compartment, record.name));
    }

    /**
     * True when some species already carries the name in a compartment whose short name (the
     * first three bytes, which the converter appends to species names) is the compartment's.
     */
    public boolean isNameTaken(CompartmentRecord compartment, String name) {
        return namesInCompartments.contains(nameKey(compartment, name));
    }

    /** Builds the name index again, after species were renamed. */
    public void reindexNames() {
        namesInCompartments.clear();
        for (SpeciesRecord record : species) namesInCompartments.add(nameKey(record.compartment, record.name));
    }

    /** What makes two species names alike in the equation files: the name and the short name. */
    public static String nameKey(CompartmentRecord compartment, String name) {
        return compartment.shortName + "\u0000" + name;
    }
}

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

    /** True when some species of the compartment already carries the name. */
    public boolean isNameTaken(CompartmentRecord compartment, String name) {
        return namesInCompartments.contains(nameKey(compartment, name));
    }

    private static String nameKey(CompartmentRecord compartment, String name) {
        return compartment.number + "\u0000" + name;
    }
}

package jp.co.vorn.quendra.sbml;

import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/**
 * The converter writes a species as "name.short name of its compartment"; two species that
 * would be written alike make the equation files ambiguous. Such species are named by their SBML
 * ids instead, until no two are alike (ids are unique, so this ends).
 */
final class NameFallback {
    private NameFallback() {}

    static void apply(ReaderModel model) {
        boolean renamed = true;
        while (renamed) {
            renamed = false;
            for (List<SpeciesRecord> alike : alikeGroups(model.species)) {
                for (SpeciesRecord species : alike) renamed |= useId(species);
            }
        }
        model.reindexNames();
    }

    private static List<List<SpeciesRecord>> alikeGroups(List<SpeciesRecord> species) {
        Map<String, List<SpeciesRecord>> byKey = new HashMap<>();
        List<List<SpeciesRecord>> groups = new ArrayList<>();
        for (SpeciesRecord record : species) {
            List<SpeciesRecord> group = byKey.computeIfAbsent(
                    ReaderModel.nameKey(record.compartment, record.name), key -> new ArrayList<>());
            group.add(record);
            if (group.size() == 2) groups.add(group);
        }
        return groups;
    }

    private static boolean useId(SpeciesRecord species) {
        String idName = TextRules.chooseName(null, species.id);
        if (species.name.equals(idName)) return false;
        species.name = idName;
        return true;
    }
}

package jp.co.vorn.quendra.sbml;

import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.Deque;
import java.util.HashMap;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/**
 * Complexes that the mass-action conversion needs and plain SBML does not state: the element
 * list of a binding product, and an enzyme-substrate complex for every enzymatic reaction that
 * names none.
 */
public final class ComplexInference {
    private static final int BINDING = 1;
    private static final int BINDING_WITH_STOICHIOMETRIC_CHANGES = 2;
    private static final int ENZYME = 1;
    private static final int CLASS_COMPLEX = 10;
    // Leaves room for a "_<n>" suffix inside the name field.
    private static final int COMPLEX_NAME_BYTES = TextRules.NAME_BYTES - 12;

    private ComplexInference() {}

    /**
     * The single product of a binding reaction that has no element list takes the reactants as
     * its elements (each stoichiometry divided by the product's); a product whose class nothing
     * chose becomes a complex. Skipped when that would make the product part of itself, i.e. when
     * it is a reactant or lies inside one.
     */
    public static void completeBindingProducts(ReaderModel model) {
        // Only a species that is already an element of some complex can lie inside a reactant;
        // for all others (the usual fresh product) the search is not needed.
        boolean[] isElement = new boolean[model.species.size() + 1];
        for (SpeciesRecord species : model.species) markElements(species, isElement);
        int[] visited = new int[model.species.size() + 1];
        int search = 0;
        for (ReactionRecord reaction : model.reactions) {
            int type = reaction.reactionType;
            if (type != BINDING && type != BINDING_WITH_STOICHIOMETRIC_CHANGES) continue;
            if (reaction.products.size() != 1 || reaction.reactants.isEmpty()) continue;
            RefRecord product = reaction.products.get(0);
            SpeciesRecord complex = product.species;
            if (complex.hasElements() || isReactant(complex, reaction.reactants)) continue;
            boolean mayBeInside = isElement[complex.number];
            if (mayBeInside && isInside(complex, reaction.reactants, visited, ++search)) continue;
            complex.elements = merge(reaction.reactants, null, product.stoichiometry);
            if (complex.classDefaulted) complex.specieClass = CLASS_COMPLEX;
            markElements(complex, isElement);
        }
    }

    private static void markElements(SpeciesRecord species, boolean[] isElement) {
        if (!species.hasElements()) return;
        for (RefRecord element : species.elements) isElement[element.species.number] = true;
    }

    private static boolean isReactant(SpeciesRecord species, List<RefRecord> reactants) {
        for (RefRecord ref : reactants) {
            if (ref.species == species) return true;
        }
        return false;
    }

    // Depth-first through the element lists of the references; visited[n] == search marks the
    // species seen in this search.
    private static boolean isInside(SpeciesRecord target, List<RefRecord> references, int[] visited,
                                    int search) {
        Deque<SpeciesRecord> pending = new ArrayDeque<>();
        for (RefRecord ref : references) pending.push(ref.species);
        while (!pending.isEmpty()) {
            SpeciesRecord species = pending.pop();
            if (species == target) return true;
            if (visited[species.number] == search || !species.hasElements()) continue;
            visited[species.number] = search;
            for (RefRecord element : species.elements) pending.push(element.species);
        }
        return false;
    }

    /**
     * A reaction with an enzyme, at least one reactant and no modifier complex gets a complex made
     * of all its modifiers and reactants (the species the binding step consumes), in the first
     * enzyme's compartment, named by its elements joined with ':'.
     */
    public static void addEnzymeComplexes(ReaderModel model) throws ModelReadException {
        Map<String, Integer> nextSuffix = new HashMap<>();
        for (ReactionRecord reaction : model.reactions) {
            if (!reaction.complexes.isEmpty() || reaction.reactants.isEmpty()) continue;
            RefRecord enzyme = firstEnzyme(reaction);
            if (enzyme == null) continue;
            SpeciesRecord complex = new SpeciesRecord(model.species.size() + 1, "", reaction.line);
            complex.compartment = enzyme.species.compartment;
            complex.elements = merge(reaction.modifiers, reaction.reactants, 1.0);
            complex.name = uniqueName(model, complex, nextSuffix);
            complex.specieClass = CLASS_COMPLEX;
            complex.initialValid = true;
            complex.madeAs = "enzyme complex";
            complex.madeFor = reaction;
            model.addSpecies(complex);
            reaction.complexes.add(new RefRecord(complex, 1.0));
        }
    }

    private static RefRecord firstEnzyme(ReactionRecord reaction) {
        for (RefRecord modifier : reaction.modifiers) {
            if (modifier.modifierType == ENZYME) return modifier;
        }
        return null;
    }

    // Distinct species in order of first appearance, stoichiometries summed and divided.
    private static List<RefRecord> merge(List<RefRecord> first, List<RefRecord> second, double divisor) {
        Map<SpeciesRecord, Double> sums = new LinkedHashMap<>();
        for (RefRecord ref : first) sums.merge(ref.species, ref.stoichiometry, Double::sum);
        if (second != null) {
            for (RefRecord ref : second) sums.merge(ref.species, ref.stoichiometry, Double::sum);
        }
        List<RefRecord> merged = new ArrayList<>();
        sums.forEach((species, sum) -> merged.add(new RefRecord(species, sum / divisor)));
        return merged;
    }

    // "E:S"; when a species of that compartment has the name already, "E:S_2", "E:S_3", ...
    // The next suffix to try is kept per name, so many alike reactions cost no search.
    private static String uniqueName(ReaderModel model, SpeciesRecord complex,
                                     Map<String, Integer> nextSuffix) {
        StringBuilder joined = new StringBuilder();
        for (RefRecord element : complex.elements) {
            if (joined.length() > 0) joined.append(':');
            joined.append(element.species.name);
        }
        String base = TextRules.fitBytes(joined.toString(), COMPLEX_NAME_BYTES);
        String key = complex.compartment.number + "\u0000" + base;
        int n = nextSuffix.getOrDefault(key, 1);
        String name = n == 1 ? base : base + "_" + n;
        while (model.isNameTaken(complex.compartment, name)) name = base + "_" + ++n;
        nextSuffix.put(key, n + 1);
        return name;
    }
}

package jp.co.vorn.quendra.sbml;

import java.util.HashMap;
import java.util.Map;

/**
 * Exchange with the outside, which plain SBML writes as reactions with an empty side. An outflow
 * ("A ->") whose type only SBML's reversible flag gave is a degradation, the type the converters
 * take without products. An inflow ("-> A") has nothing for a rate to be proportional to: it gets
 * a constant source species made by the reader as its reactant, one per compartment of the first
 * product, so that every method gives it a zero-order rate: kx[n]*source under mass action,
 * kxg[n]*source^f[m] under GMA.
 */
final class FlowInference {
    private static final int CLASS_OTHERS = 14;
    private static final int OFF = 2;
    private static final int ON = 1;
    private static final int NOT_CONVERTIBLE = 2;
    private static final int DEGRADATION = 15;
    private static final String BASE_NAME = "source";

    private FlowInference() {}

    static void markOutflows(ReaderModel model) {
        for (ReactionRecord reaction : model.reactions) {
            if (reaction.typeFromFlag && reaction.products.isEmpty()) reaction.reactionType = DEGRADATION;
        }
    }

    static void addSources(ReaderModel model) throws ModelReadException {
        Map<CompartmentRecord, SpeciesRecord> sources = new HashMap<>();
        for (ReactionRecord reaction : model.reactions) {
            if (!reaction.reactants.isEmpty() || reaction.products.isEmpty()) continue;
            if (reaction.isConvertible == NOT_CONVERTIBLE) continue;
            CompartmentRecord compartment = reaction.products.get(0).species.compartment;
            SpeciesRecord source = sources.get(compartment);
            if (source == null) {
                source = makeSource(model, compartment, reaction);
                sources.put(compartment, source);
            }
            reaction.reactants.add(new RefRecord(source, 1.0));
        }
    }

    private static SpeciesRecord makeSource(ReaderModel model, CompartmentRecord compartment,
                                            ReactionRecord firstUse) throws ModelReadException {
        SpeciesRecord source = new SpeciesRecord(model.species.size() + 1, "", firstUse.line);
        source.compartment = compartment;
        source.name = BASE_NAME;
        for (int n = 2; model.isNameTaken(compartment, source.name); n++) source.name = BASE_NAME + "_" + n;
        source.specieClass = CLASS_OTHERS;
        source.massBalance = OFF;
        source.totalAmount = ON;
        source.decomposition = OFF;
        source.initialValid = true;
        source.initialAmount = 1.0;
        source.madeAs = "source";
        source.madeFor = firstUse;
        model.addSpecies(source);
        return source;
    }
}

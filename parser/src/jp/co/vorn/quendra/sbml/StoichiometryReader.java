package jp.co.vorn.quendra.sbml;

import org.sbml.libsbml.ASTNode;
import org.sbml.libsbml.Model;
import org.sbml.libsbml.SpeciesReference;

/**
 * The stoichiometry of a reactant or product: the attribute, or the value of the math that gives
 * it (Level 2 stoichiometryMath; Level 3 initial assignment or assignment rule on the reference's
 * id), taken at the start. A Level 3 reference without any of these counts 1. A negative value is
 * refused.
 */
public final class StoichiometryReader {
    private final Model model;
    private ConstantMath constants;

    public StoichiometryReader(Model model) {
        this.model = model;
    }

    // The owner (the reaction) is described only for a message: this runs for every participant.
    public double read(SpeciesReference reference, ReactionRecord owner) throws ModelReadException {
        double value = valueOf(reference);
        if (!Double.isFinite(value)) {
            throw ModelReadException.at(reference.getLine(), owner.describe() + ": the stoichiometry of species '"
                    + reference.getSpecies() + "' is given by math without a computable value");
        }
        // A negative amount of a participant would turn up as a negative power in the terms.
        if (value < 0) {
            throw ModelReadException.at(reference.getLine(), owner.describe() + ": the stoichiometry of species '"
                    + reference.getSpecies() + "' is negative (" + NumberText.format(value) + ")");
        }
        return value;
    }

    private double valueOf(SpeciesReference reference) {
        if (reference.isSetStoichiometryMath()) {
            return evaluate(reference.getStoichiometryMath().getMath());
        }
        String id = reference.getId();
        if (model.getLevel() >= 3 && !id.isEmpty()) {
            ASTNode math = constants().assignedMath(id);
            if (math != null) return evaluate(math);
        }
        if (model.getLevel() == 1) {
            long denominator = reference.getDenominator();
            return denominator == 0 ? Double.NaN : reference.getStoichiometry() / denominator;
        }
        if (model.getLevel() >= 3 && !reference.isSetStoichiometry()) return 1.0;
        return reference.getStoichiometry();
    }

    private double evaluate(ASTNode math) {
        return math == null ? Double.NaN : constants().evaluate(math);
    }

    // Gathering the start values costs a pass over the model: only when some math needs them.
    private ConstantMath constants() {
        if (constants == null) constants = new ConstantMath(model);
        return constants;
    }
}

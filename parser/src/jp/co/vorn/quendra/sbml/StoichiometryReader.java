package jp.co.vorn.quendra.sbml;

import java.util.HashMap;
import java.util.Map;
import org.sbml.libsbml.ASTNode;
import org.sbml.libsbml.InitialAssignment;
import org.sbml.libsbml.Model;
import org.sbml.libsbml.Rule;
import org.sbml.libsbml.SBMLTransforms;
import org.sbml.libsbml.SpeciesReference;

/**
 * The stoichiometry of a reactant or product: the attribute, or the value of the math that gives
 * it (Level 2 stoichiometryMath; Level 3 initial assignment or assignment rule on the reference's
 * id, evaluated once at the start). A Level 3 reference without any of these counts 1.
 */
public final class StoichiometryReader {
    private final Model model;
    private final Map<String, ASTNode> mathBySymbol = new HashMap<>();

    public StoichiometryReader(Model model) {
        this.model = model;
        if (model.getLevel() < 3) return;
        for (long i = 0; i < model.getNumInitialAssignments(); i++) {
            InitialAssignment assignment = model.getInitialAssignment(i);
            if (assignment.isSetMath()) mathBySymbol.put(assignment.getSymbol(), assignment.getMath());
        }
        for (long i = 0; i < model.getNumRules(); i++) {
            Rule rule = model.getRule(i);
            if (rule.isAssignment() && rule.isSetMath()) {
                mathBySymbol.putIfAbsent(rule.getVariable(), rule.getMath());
            }
        }
    }

    public double read(SpeciesReference reference, String owner) throws ModelReadException {
        double value = valueOf(reference);
        if (!Double.isFinite(value)) {
            throw ModelReadException.at(reference.getLine(), owner + ": the stoichiometry of species '"
                    + reference.getSpecies() + "' is given by math that has no fixed value");
        }
        return value;
    }

    private double valueOf(SpeciesReference reference) {
        if (reference.isSetStoichiometryMath()) {
            return evaluate(reference.getStoichiometryMath().getMath());
        }
        String id = reference.getId();
        if (!id.isEmpty() && mathBySymbol.containsKey(id)) return evaluate(mathBySymbol.get(id));
        if (model.getLevel() == 1) {
            long denominator = reference.getDenominator();
            return denominator == 0 ? Double.NaN : reference.getStoichiometry() / denominator;
        }
        if (model.getLevel() >= 3 && !reference.isSetStoichiometry()) return 1.0;
        return reference.getStoichiometry();
    }

    private double evaluate(ASTNode math) {
        if (math == null) return Double.NaN;
        if (math.isNumber()) return math.getReal();
        return SBMLTransforms.evaluateASTNode(math, model);
    }
}

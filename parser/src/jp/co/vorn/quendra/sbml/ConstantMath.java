package jp.co.vorn.quendra.sbml;

import java.util.HashMap;
import java.util.HashSet;
import java.util.Map;
import java.util.Set;
import org.sbml.libsbml.ASTNode;
import org.sbml.libsbml.Compartment;
import org.sbml.libsbml.InitialAssignment;
import org.sbml.libsbml.Model;
import org.sbml.libsbml.Parameter;
import org.sbml.libsbml.Reaction;
import org.sbml.libsbml.Rule;
import org.sbml.libsbml.Species;
import org.sbml.libsbml.SpeciesReference;
import org.sbml.libsbml.libsbml;

/**
 * Values of simple math over the start values of a model. libSBML's own evaluator gathers all
 * values of the model on every call (many evaluations become quadratic) and follows assignments
 * that lead back to themselves without end; here the values are gathered once and such an
 * assignment has no value. Names given by an initial assignment or an assignment rule take its
 * value.
 */
public final class ConstantMath {
    /** The value of math this class does not handle. */
    public static final double UNSUPPORTED = Double.NaN;

    private final Map<String, Double> values = new HashMap<>();
    private final Map<String, ASTNode> assigned = new HashMap<>();
    private final Set<String> evaluating = new HashSet<>();

    public ConstantMath(Model model) {
        for (long i = 0; i < model.getNumParameters(); i++) {
            Parameter parameter = model.getParameter(i);
            if (parameter.isSetValue()) values.put(parameter.getId(), parameter.getValue());
        }
        for (long i = 0; i < model.getNumCompartments(); i++) {
            Compartment compartment = model.getCompartment(i);
            if (compartment.isSetSize()) values.put(compartment.getId(), compartment.getSize());
        }
        for (long i = 0; i < model.getNumSpecies(); i++) putSpecies(model.getSpecies(i));
        for (long i = 0; i < model.getNumReactions(); i++) putReferences(model.getReaction(i));
        for (long i = 0; i < model.getNumInitialAssignments(); i++) {
            InitialAssignment assignment = model.getInitialAssignment(i);
            if (assignment.isSetMath()) assigned.put(assignment.getSymbol(), assignment.getMath());
        }
        for (long i = 0; i < model.getNumRules(); i++) {
            Rule rule = model.getRule(i);
            if (rule.isAssignment() && rule.isSetMath()) {
                assigned.putIfAbsent(rule.getVariable(), rule.getMath());
            }
        }
    }

    private void putSpecies(Species species) {
        if (species.isSetInitialAmount()) {
            values.put(species.getId(), species.getInitialAmount());
        } else if (species.isSetInitialConcentration()) {
            values.put(species.getId(), species.getInitialConcentration());
        }
    }

    private void putReferences(Reaction reaction) {
        for (long i = 0; i < reaction.getNumReactants(); i++) putReference(reaction.getReactant(i));
        for (long i = 0; i < reaction.getNumProducts(); i++) putReference(reaction.getProduct(i));
    }

    private void putReference(SpeciesReference reference) {
        if (!reference.getId().isEmpty() && reference.isSetStoichiometry()) {
            values.put(reference.getId(), reference.getStoichiometry());
        }
    }

    /** The math given for a symbol by an initial assignment or assignment rule, or null. */
    public ASTNode assignedMath(String symbol) {
        return assigned.get(symbol);
    }

    /**
     * The value of the math, or NaN when it has none: a name without a start value, an
     * assignment that leads back to itself, or anything beyond numbers, names, the constants pi
     * and e, + - * / and power, abs, exp, ln, log, root, floor and ceiling.
     */
    public double evaluate(ASTNode node) {
        int type = node.getType();
        if (node.isNumber()) return type == libsbml.AST_INTEGER ? node.getInteger() : node.getReal();
        if (type == libsbml.AST_NAME) return valueOf(node.getName());
        if (type == libsbml.AST_CONSTANT_PI) return Math.PI;
        if (type == libsbml.AST_CONSTANT_E) return Math.E;
        if (type == libsbml.AST_PLUS) return fold(node, 0.0, true);
        if (type == libsbml.AST_TIMES) return fold(node, 1.0, false);
        if (node.getNumChildren() == 1) return unary(type, evaluate(node.getChild(0)));
        if (node.getNumChildren() == 2) {
            return binary(type, evaluate(node.getChild(0)), evaluate(node.getChild(1)));
        }
        return UNSUPPORTED;
    }

    private static double unary(int type, double x) {
        if (type == libsbml.AST_MINUS) return -x;
        if (type == libsbml.AST_FUNCTION_ABS) return Math.abs(x);
        if (type == libsbml.AST_FUNCTION_EXP) return Math.exp(x);
        if (type == libsbml.AST_FUNCTION_LN) return Math.log(x);
        if (type == libsbml.AST_FUNCTION_LOG) return Math.log10(x);
        if (type == libsbml.AST_FUNCTION_ROOT) return Math.sqrt(x);
        if (type == libsbml.AST_FUNCTION_FLOOR) return Math.floor(x);
        if (type == libsbml.AST_FUNCTION_CEILING) return Math.ceil(x);
        return UNSUPPORTED;
    }

    // log and root take the base or degree first.
    private static double binary(int type, double left, double right) {
        if (type == libsbml.AST_MINUS) return left - right;
        if (type == libsbml.AST_DIVIDE) return left / right;
        if (type == libsbml.AST_POWER || type == libsbml.AST_FUNCTION_POWER) {
            return Math.pow(left, right);
        }
        if (type == libsbml.AST_FUNCTION_LOG) return Math.log(right) / Math.log(left);
        if (type == libsbml.AST_FUNCTION_ROOT) return Math.pow(right, 1.0 / left);
        return UNSUPPORTED;
    }

    private double fold(ASTNode node, double start, boolean sum) {
        double result = start;
        for (long i = 0; i < node.getNumChildren(); i++) {
            double value = evaluate(node.getChild(i));
            result = sum ? result + value : result * value;
        }
        return result;
    }

    // An assignment that refers back to itself has no value.
    private double valueOf(String name) {
        ASTNode math = assigned.get(name);
        if (math == null) return values.getOrDefault(name, Double.NaN);
        if (!evaluating.add(name)) return Double.NaN;
        try {
            return evaluate(math);
        } finally {
            evaluating.remove(name);
        }
    }
}

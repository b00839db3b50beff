#include "math_value.h"

#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include <sbml/math/FormulaFormatter.h>

#include "math_text.h"

namespace kinelaw {
namespace {

using Value = std::optional<double>;

// Sums, products and the logical functions have a value without arguments.
bool takes_no_arguments(ASTNodeType_t type) {
    return type == AST_PLUS || type == AST_TIMES || type == AST_LOGICAL_AND ||
           type == AST_LOGICAL_OR || type == AST_LOGICAL_XOR;
}

struct Evaluator {
    const SymbolValue& symbols;
    const Model& model;
    const SymbolValue* rates;
    std::string divisionByZero;
    std::string unsupported;
    std::vector<std::map<std::string, double>> frames;  // arguments of the calls being evaluated
    std::size_t depth = 0;

    Value user_call(const ASTNode& node) {
        const FunctionDefinition* f = model.getFunctionDefinition(node.getName() ? node.getName() : "");
        if (f == nullptr || f->getBody() == nullptr || frames.size() >= 100 ||
            f->getNumArguments() != node.getNumChildren()) {
            return std::nullopt;
        }
        std::map<std::string, double> frame;
        for (unsigned i = 0; i < node.getNumChildren(); ++i) {
            Value v = eval(*node.getChild(i));
            if (!v) return std::nullopt;
            const ASTNode* parameter = f->getArgument(i);
            frame[parameter != nullptr && parameter->getName() ? parameter->getName() : ""] = *v;
        }
        frames.push_back(std::move(frame));
        Value result = eval(*f->getBody());
        frames.pop_back();
        return result;
    }

    Value rate_of(const ASTNode& node) {
        const ASTNode* x = node.getNumChildren() == 1 ? node.getChild(0) : nullptr;
        if (rates == nullptr || x == nullptr || x->getType() != AST_NAME || !frames.empty()) {
            if (unsupported.empty()) unsupported = "rateOf";
            return std::nullopt;
        }
        return (*rates)(x->getName() != nullptr ? x->getName() : "");
    }

    Value name(const ASTNode& node) {
        const std::string id = node.getName() != nullptr ? node.getName() : "";
        if (!frames.empty()) {
            auto bound = frames.back().find(id);
            if (bound != frames.back().end()) return bound->second;
        }
        return symbols(id);
    }

    bool arguments(const ASTNode& node, std::vector<double>& values) {
        for (unsigned i = 0; i < node.getNumChildren(); ++i) {
            Value v = eval(*node.getChild(i));
            if (!v) return false;
            values.push_back(*v);
        }
        return true;
    }

    Value divide(const ASTNode& node, double a, double b) {
        if (b == 0.0 && divisionByZero.empty()) {
            std::unique_ptr<char, decltype(&free)> text(SBML_formulaToL3String(node.getChild(1)),
                                                        &free);
            divisionByZero = text ? text.get() : "?";
        }
        return a / b;
    }

    Value piecewise(const ASTNode& node) {
        unsigned n = node.getNumChildren();
        for (unsigned i = 0; i + 1 < n; i += 2) {
            Value condition = eval(*node.getChild(i + 1));
            if (!condition) return std::nullopt;
            if (*condition != 0.0) return eval(*node.getChild(i));
        }
        if (n % 2 == 1) return eval(*node.getChild(n - 1));
        return std::nullopt;
    }

    Value arithmetic(const ASTNode& node, const std::vector<double>& v) {
        switch (node.getType()) {
            case AST_PLUS: {
                double sum = 0.0;
                for (double x : v) sum += x;
                return sum;
            }
            case AST_TIMES: {
                double product = 1.0;
                for (double x : v) product *= x;
                return product;
            }
            case AST_MINUS:
                return v.size() == 1 ? -v[0] : v.size() == 2 ? Value(v[0] - v[1]) : std::nullopt;
            case AST_DIVIDE:
                return v.size() == 2 ? divide(node, v[0], v[1]) : std::nullopt;
            case AST_POWER:
            case AST_FUNCTION_POWER:
                return v.size() == 2 ? Value(std::pow(v[0], v[1])) : std::nullopt;
            case AST_FUNCTION_ROOT:
                if (v.size() == 1) return std::sqrt(v[0]);
                return v.size() == 2 ? Value(std::pow(v[1], 1.0 / v[0])) : std::nullopt;
            default:
                return functions(node, v);
        }
    }

    Value functions(const ASTNode& node, const std::vector<double>& v) {
        if (v.size() == 1) {
            double x = v[0];
            switch (node.getType()) {
                case AST_FUNCTION_EXP: return std::exp(x);
                case AST_FUNCTION_LN: return std::log(x);
                case AST_FUNCTION_LOG: return std::log10(x);
                case AST_FUNCTION_ABS: return std::fabs(x);
                case AST_FUNCTION_FLOOR: return std::floor(x);
                case AST_FUNCTION_CEILING: return std::ceil(x);
                case AST_FUNCTION_SIN: return std::sin(x);
                case AST_FUNCTION_COS: return std::cos(x);
                case AST_FUNCTION_TAN: return std::tan(x);
                case AST_FUNCTION_SINH: return std::sinh(x);
                case AST_FUNCTION_COSH: return std::cosh(x);
                case AST_FUNCTION_TANH: return std::tanh(x);
                case AST_FUNCTION_ARCSIN: return std::asin(x);
                case AST_FUNCTION_ARCCOS: return std::acos(x);
                case AST_FUNCTION_ARCTAN: return std::atan(x);
                case AST_FUNCTION_SEC: return 1.0 / std::cos(x);
                case AST_FUNCTION_CSC: return 1.0 / std::sin(x);
                case AST_FUNCTION_COT: return 1.0 / std::tan(x);
                case AST_FUNCTION_SECH: return 1.0 / std::cosh(x);
                case AST_FUNCTION_CSCH: return 1.0 / std::sinh(x);
                case AST_FUNCTION_COTH: return 1.0 / std::tanh(x);
                case AST_FUNCTION_ARCSEC: return std::acos(1.0 / x);
                case AST_FUNCTION_ARCCSC: return std::asin(1.0 / x);
                case AST_FUNCTION_ARCCOT: return std::atan(1.0 / x);
                case AST_FUNCTION_ARCSINH: return std::asinh(x);
                case AST_FUNCTION_ARCCOSH: return std::acosh(x);
                case AST_FUNCTION_ARCTANH: return std::atanh(x);
                case AST_FUNCTION_ARCSECH: return std::acosh(1.0 / x);
                case AST_FUNCTION_ARCCSCH: return std::asinh(1.0 / x);
                case AST_FUNCTION_ARCCOTH: return std::atanh(1.0 / x);
                case AST_LOGICAL_NOT: return x == 0.0 ? 1.0 : 0.0;
                default: break;
            }
        }
        if (v.size() == 2 && node.getType() == AST_FUNCTION_LOG) return std::log(v[1]) / std::log(v[0]);
        if (v.size() == 2 && node.getType() == AST_FUNCTION_QUOTIENT) return std::trunc(v[0] / v[1]);
        if (v.size() == 2 && node.getType() == AST_FUNCTION_REM) {
            return v[0] - v[1] * std::trunc(v[0] / v[1]);
        }
        return relations(node, v);
    }

    // Whether each neighbouring pair of `v` stands in the relation (a < b < c).
    static std::optional<bool> chain(ASTNodeType_t type, const std::vector<double>& v) {
        if (v.size() < 2 || (type == AST_RELATIONAL_NEQ && v.size() != 2)) return std::nullopt;
        for (std::size_t i = 0; i + 1 < v.size(); ++i) {
            double a = v[i], b = v[i + 1];
            bool holds = type == AST_RELATIONAL_EQ    ? a == b
                         : type == AST_RELATIONAL_NEQ ? a != b
                         : type == AST_RELATIONAL_LT  ? a < b
                         : type == AST_RELATIONAL_LEQ ? a <= b
                         : type == AST_RELATIONAL_GT  ? a > b
                                                      : a >= b;
            if (!holds) return false;
        }
        return true;
    }

    Value relations(const ASTNode& node, const std::vector<double>& v) {
        switch (node.getType()) {
            case AST_RELATIONAL_EQ:
            case AST_RELATIONAL_NEQ:
            case AST_RELATIONAL_LT:
            case AST_RELATIONAL_LEQ:
            case AST_RELATIONAL_GT:
            case AST_RELATIONAL_GEQ: {
                std::optional<bool> holds = chain(node.getType(), v);
                if (!holds) return std::nullopt;
                return *holds ? 1.0 : 0.0;
            }
            default:
                break;
        }
        switch (node.getType()) {
            case AST_LOGICAL_AND: {
                for (double x : v) if (x == 0.0) return 0.0;
                return 1.0;
            }
            case AST_LOGICAL_OR: {
                for (double x : v) if (x != 0.0) return 1.0;
                return 0.0;
            }
            case AST_LOGICAL_XOR: {
                int count = 0;
                for (double x : v) count += x != 0.0;
                return count % 2 == 1 ? 1.0 : 0.0;
            }
            case AST_LOGICAL_IMPLIES:
                return v.size() == 2 ? Value(v[0] == 0.0 || v[1] != 0.0 ? 1.0 : 0.0) : std::nullopt;
            case AST_FUNCTION_MAX:
            case AST_FUNCTION_MIN: {
                if (v.empty()) return std::nullopt;
                double best = v[0];
                for (double x : v) best = node.getType() == AST_FUNCTION_MAX ? std::fmax(best, x) : std::fmin(best, x);
                return best;
            }
            default:
                if (unsupported.empty()) unsupported = construct_name(node);
                return std::nullopt;
        }
    }

    Value leaf(const ASTNode& node) {
        switch (node.getType()) {
            case AST_INTEGER: return static_cast<double>(node.getInteger());
            case AST_REAL:
            case AST_REAL_E:
            case AST_RATIONAL: return node.getReal();
            case AST_CONSTANT_E: return std::exp(1.0);
            case AST_CONSTANT_PI: return M_PI;
            case AST_CONSTANT_TRUE: return 1.0;
            case AST_CONSTANT_FALSE: return 0.0;
            case AST_NAME_AVOGADRO: return 6.02214179e23;  // as SBML Level 3 defines it
            case AST_NAME_TIME: return 0.0;
            case AST_NAME: return name(node);
            default: return std::nullopt;
        }
    }

    Value eval(const ASTNode& node) {
        if (++depth > kMaxMathDepth) return std::nullopt;
        Value result = eval_node(node);
        --depth;
        return result;
    }

    Value eval_node(const ASTNode& node) {
        if (node.getType() == AST_FUNCTION_PIECEWISE) return piecewise(node);
        if (node.getType() == AST_FUNCTION) return user_call(node);
        if (node.getType() == AST_FUNCTION_RATE_OF) return rate_of(node);
        if (node.getNumChildren() == 0 && !takes_no_arguments(node.getType())) return leaf(node);
        std::vector<double> values;
        if (!arguments(node, values)) return std::nullopt;
        return arithmetic(node, values);
    }
};

}  // namespace

std::string construct_name(const ASTNode& node) {
    if (node.getType() == AST_FUNCTION_RATE_OF) return "rateOf";
    if (node.getType() == AST_FUNCTION_DELAY) return "delay";
    return node.getName() != nullptr ? node.getName() : "?";
}

MathValue math_value(const ASTNode& math, const SymbolValue& symbols, const Model& model,
                     const SymbolValue* rateOf) {
    Evaluator evaluator{symbols, model, rateOf, {}, {}, {}, 0};
    MathValue result;
    result.value = evaluator.eval(math);
    result.divisionByZero = evaluator.divisionByZero;
    result.unsupported = evaluator.unsupported;
    return result;
}

}  // namespace kinelaw

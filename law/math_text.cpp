#include "math_text.h"

#include <map>
#include <vector>

#include "format.h"
#include "math_value.h"
#include "own_kinetics.h"

namespace kinelaw {

const char* const kTimeVariable = zymorax::kModelTimeTag;

namespace {

// The value SBML Level 3 defines for its avogadro symbol.
constexpr double kAvogadro = 6.02214179e23;

// The DAE form of a function of one argument, '#' standing for the bracketed argument; null
// for a function it has no form for.
const char* call_form(ASTNodeType_t type) {
    switch (type) {
        case AST_FUNCTION_EXP: return "exp(#)";
        case AST_FUNCTION_LN: return "log(#)";
        case AST_FUNCTION_LOG: return "log10(#)";
        case AST_FUNCTION_ABS: return "abs(#)";
        case AST_FUNCTION_FLOOR: return "floor(#)";
        case AST_FUNCTION_CEILING: return "ceil(#)";
        case AST_FUNCTION_SIN: return "sin(#)";
        case AST_FUNCTION_COS: return "cos(#)";
        case AST_FUNCTION_TAN: return "tan(#)";
        case AST_FUNCTION_SEC: return "1/cos(#)";
        case AST_FUNCTION_CSC: return "1/sin(#)";
        case AST_FUNCTION_COT: return "1/tan(#)";
        case AST_FUNCTION_SINH: return "sinh(#)";
        case AST_FUNCTION_COSH: return "cosh(#)";
        case AST_FUNCTION_TANH: return "tanh(#)";
        case AST_FUNCTION_SECH: return "1/cosh(#)";
        case AST_FUNCTION_CSCH: return "1/sinh(#)";
        case AST_FUNCTION_COTH: return "1/tanh(#)";
        case AST_FUNCTION_ARCSIN: return "asin(#)";
        case AST_FUNCTION_ARCCOS: return "acos(#)";
        case AST_FUNCTION_ARCTAN: return "atan(#)";
        case AST_FUNCTION_ARCSEC: return "acos(1/#)";
        case AST_FUNCTION_ARCCSC: return "asin(1/#)";
        case AST_FUNCTION_ARCCOT: return "atan(1/#)";
        case AST_FUNCTION_ARCSINH: return "log(#+sqrt(#^2+1))";
        case AST_FUNCTION_ARCCOSH: return "log(#+sqrt(#^2-1))";
        case AST_FUNCTION_ARCTANH: return "0.5*log((1+#)/(1-#))";
        case AST_FUNCTION_ARCSECH: return "log((1+sqrt(1-#^2))/#)";
        case AST_FUNCTION_ARCCSCH: return "log(1/#+sqrt(1/#^2+1))";
        case AST_FUNCTION_ARCCOTH: return "0.5*log((#+1)/(#-1))";
        default: return nullptr;
    }
}

struct Writer {
    const SymbolText& symbols;
    const Model& model;
    std::string& problem;
    const SymbolText* rates;
    std::size_t depth = 0;
    std::vector<std::map<std::string, std::string>> frames;  // arguments of inlined calls

    // A function definition's body with its arguments, written where the call stands, in
    // place of its parameters: the arguments are not read again, so no name is captured.
    int user_call(const ASTNode& node, std::string& out) {
        const char* name = node.getName() != nullptr ? node.getName() : "";
        const FunctionDefinition* f = model.getFunctionDefinition(name);
        if (f == nullptr || f->getBody() == nullptr) {
            problem = std::string("'") + name + "' is not a function of the model";
            return -1;
        }
        if (f->getNumArguments() != node.getNumChildren()) {
            problem = std::string("the call of '") + name + "' has " +
                      std::to_string(node.getNumChildren()) + " arguments, its definition " +
                      std::to_string(f->getNumArguments());
            return -1;
        }
        if (frames.size() >= kMaxInlinedCalls) {
            problem = "function definitions are called within one another more than " +
                      std::to_string(kMaxInlinedCalls) + " deep";
            return -1;
        }
        std::map<std::string, std::string> frame;
        for (unsigned i = 0; i < node.getNumChildren(); ++i) {
            std::string argument;
            if (operand(*node.getChild(i), argument) != 0) return -1;
            const ASTNode* parameter = f->getArgument(i);
            frame[parameter != nullptr && parameter->getName() ? parameter->getName() : ""] = argument;
        }
        frames.push_back(std::move(frame));
        int result = write(*f->getBody(), out);
        frames.pop_back();
        return result;
    }

    int operand(const ASTNode& node, std::string& out) {
        std::string inner;
        if (write(node, inner) != 0) return -1;
        bool leaf = node.getNumChildren() == 0 && !inner.empty() && inner[0] != '-';
        out = leaf ? inner : "(" + inner + ")";
        return 0;
    }

    // Children joined by `op`; `empty` is the value of no children.
    int joined(const ASTNode& node, const char* op, const char* empty, std::string& out) {
        if (node.getNumChildren() == 0) {
            out = empty;
            return 0;
        }
        out.clear();
        for (unsigned i = 0; i < node.getNumChildren(); ++i) {
            std::string part;
            if (operand(*node.getChild(i), part) != 0) return -1;
            out += (i == 0 ? "" : op) + part;
        }
        return 0;
    }

    int minus(const ASTNode& node, std::string& out) {
        if (node.getNumChildren() == 1) {
            std::string part;
            if (operand(*node.getChild(0), part) != 0) return -1;
            out = "-" + part;
            return 0;
        }
        return binary(node, "-", out);
    }

    int binary(const ASTNode& node, const char* op, std::string& out) {
        if (node.getNumChildren() != 2) return unsupported(node, "with other than two arguments");
        std::string left, right;
        if (operand(*node.getChild(0), left) != 0 || operand(*node.getChild(1), right) != 0) {
            return -1;
        }
        out = left + op + right;
        return 0;
    }

    int number(double value, std::string& out) {
        out = zymorax::shortest_number_text(value);
        return 0;
    }

    int name(const ASTNode& node, std::string& out) {
        const char* id = node.getName() != nullptr ? node.getName() : "";
        if (!frames.empty()) {
            auto bound = frames.back().find(id);
            if (bound != frames.back().end()) {
                out = bound->second;
                return 0;
            }
        }
        out = symbols(id);
        if (!out.empty()) return 0;
        problem = std::string("'") + id + "' is not an id of the model";
        return -1;
    }

    int unsupported(const ASTNode& node, const char* how = nullptr) {
        const std::string name = construct_name(node);
        problem = std::string("the function '") + name + "'" + (how ? std::string(" ") + how : "") +
                  " has no form in the DAE file yet";
        return -1;
    }

    int write(const ASTNode& node, std::string& out) {
        if (++depth > kMaxMathDepth) {
            problem = "the math is nested deeper than " + std::to_string(kMaxMathDepth) + " levels";
            return -1;
        }
        int result = write_node(node, out);
        --depth;
        return result;
    }

    int write_node(const ASTNode& node, std::string& out) {
        switch (node.getType()) {
            case AST_PLUS:
                return joined(node, "+", "0", out);
            case AST_TIMES:
                return joined(node, "*", "1", out);
            case AST_MINUS:
                return minus(node, out);
            case AST_DIVIDE:
                return binary(node, "/", out);
            case AST_POWER:
            case AST_FUNCTION_POWER:
                return binary(node, "^", out);
            case AST_INTEGER:
                return number(static_cast<double>(node.getInteger()), out);
            case AST_REAL:
            case AST_REAL_E:
            case AST_RATIONAL:
                return number(node.getReal(), out);
            case AST_CONSTANT_E:
                return number(2.718281828459045, out);
            case AST_CONSTANT_PI:
                return number(3.141592653589793, out);
            case AST_NAME_AVOGADRO:
                return number(kAvogadro, out);
            case AST_CONSTANT_TRUE:
                return number(1.0, out);
            case AST_CONSTANT_FALSE:
                return number(0.0, out);
            case AST_NAME_TIME:
                out = std::string("y[") + kTimeVariable + "]";
                return 0;
            case AST_NAME:
                return name(node, out);
            case AST_FUNCTION_ROOT:
                return root(node, out);
            case AST_FUNCTION_LOG:
                return logarithm(node, out);
            case AST_FUNCTION_PIECEWISE:
                return piecewise(node, out);
            case AST_FUNCTION:
                return user_call(node, out);
            case AST_FUNCTION_RATE_OF:
                return rate_of(node, out);
            case AST_RELATIONAL_LT:
            case AST_RELATIONAL_LEQ:
            case AST_RELATIONAL_GT:
            case AST_RELATIONAL_GEQ:
            case AST_RELATIONAL_EQ:
                return relation_chain(node, out);
            case AST_RELATIONAL_NEQ:
                return listed(node, "neq", 2, 2, out);
            case AST_LOGICAL_AND:
                return logical(node, "and", "1", out);
            case AST_LOGICAL_OR:
                return logical(node, "or", "0", out);
            case AST_LOGICAL_XOR:
                return logical(node, "xor", "0", out);
            case AST_LOGICAL_NOT:
                return listed(node, "not", 1, 1, out);
            case AST_LOGICAL_IMPLIES:
                return implication(node, out);
            case AST_FUNCTION_QUOTIENT:
            case AST_FUNCTION_REM:
                return truncated_division(node, out);
            case AST_FUNCTION_MIN:
                return extremum(node, "min", out);
            case AST_FUNCTION_MAX:
                return extremum(node, "max", out);
            default:
                return call(node, out);
        }
    }

    // rateOf(x): the rate of a variable, 0 for a constant.
    int rate_of(const ASTNode& node, std::string& out) {
        const ASTNode* x = node.getNumChildren() == 1 ? node.getChild(0) : nullptr;
        if (rates == nullptr || x == nullptr || x->getType() != AST_NAME || !frames.empty()) {
            return unsupported(node, "of other than an id");
        }
        out = (*rates)(x->getName() != nullptr ? x->getName() : "");
        if (!out.empty()) return 0;
        problem = std::string("the rate of '") + x->getName() + "' (rateOf) has no form in the DAE file yet";
        return -1;
    }

    // A function of one argument: a call of the DAE dialect, or its form in those calls.
    int call(const ASTNode& node, std::string& out) {
        const char* form = call_form(node.getType());
        if (form == nullptr) return unsupported(node);
        if (node.getNumChildren() != 1) return unsupported(node, "with other than one argument");
        std::string argument;
        if (operand(*node.getChild(0), argument) != 0) return -1;
        out = form;
        for (std::size_t at = out.find('#'); at != std::string::npos; at = out.find('#', at)) {
            out.replace(at, 1, argument);
            at += argument.size();
        }
        return 0;
    }

    int arguments(const ASTNode& node, std::vector<std::string>& out) {
        for (unsigned i = 0; i < node.getNumChildren(); ++i) {
            out.emplace_back();
            if (write(*node.getChild(i), out.back()) != 0) return -1;
        }
        return 0;
    }

    static std::string called(const char* function, const std::vector<std::string>& args,
                              std::size_t from, std::size_t count) {
        std::string out = std::string(function) + "(";
        for (std::size_t i = from; i < from + count; ++i) out += (i == from ? "" : ", ") + args[i];
        return out + ")";
    }

    // A call with between `least` and `most` arguments, as SBML gives them.
    int listed(const ASTNode& node, const char* function, unsigned least, unsigned most,
               std::string& out) {
        std::vector<std::string> args;
        if (node.getNumChildren() < least || node.getNumChildren() > most) {
            return unsupported(node, "with this number of arguments");
        }
        if (arguments(node, args) != 0) return -1;
        out = called(function, args, 0, args.size());
        return 0;
    }

    // piecewise(value, condition, ..., otherwise). Without an otherwise the value is undefined
    // where no condition holds: it is 0/0 there, not a number, so a simulation that gets there
    // stops and names the equation, and one that stays where a piece holds runs.
    int piecewise(const ASTNode& node, std::string& out) {
        const unsigned n = node.getNumChildren();
        if (n == 0) return unsupported(node, "without pieces");
        if (n == 1) return write(*node.getChild(0), out);
        if (n % 2 == 1) return listed(node, "piecewise", 3, n, out);
        std::vector<std::string> args;
        if (arguments(node, args) != 0) return -1;
        args.push_back("0/0");
        out = called("piecewise", args, 0, args.size());
        return 0;
    }

    static const char* relation_name(ASTNodeType_t type) {
        switch (type) {
            case AST_RELATIONAL_LT: return "lt";
            case AST_RELATIONAL_LEQ: return "leq";
            case AST_RELATIONAL_GT: return "gt";
            case AST_RELATIONAL_GEQ: return "geq";
            default: return "eq";
        }
    }

    // a < b < c holds when each neighbouring pair does.
    int relation_chain(const ASTNode& node, std::string& out) {
        std::vector<std::string> args;
        if (node.getNumChildren() < 2) return unsupported(node, "with fewer than two arguments");
        if (arguments(node, args) != 0) return -1;
        const char* name = relation_name(node.getType());
        out = called(name, args, 0, 2);
        for (std::size_t i = 1; i + 1 < args.size(); ++i) {
            out = "and(" + out + ", " + called(name, args, i, 2) + ")";
        }
        return 0;
    }

    // and, or, xor of any number of arguments; of none, their neutral value.
    int logical(const ASTNode& node, const char* function, const char* none, std::string& out) {
        std::vector<std::string> args;
        if (arguments(node, args) != 0) return -1;
        if (args.empty()) {
            out = none;
        } else if (args.size() == 1) {
            out = "neq(" + args[0] + ", 0)";
        } else {
            out = called(function, args, 0, args.size());
        }
        return 0;
    }

    int implication(const ASTNode& node, std::string& out) {
        std::vector<std::string> args;
        if (node.getNumChildren() != 2) return unsupported(node, "with other than two arguments");
        if (arguments(node, args) != 0) return -1;
        out = "or(not(" + args[0] + "), " + args[1] + ")";
        return 0;
    }

    // quotient(a, b) is a/b truncated towards 0; rem(a, b) is a - b*quotient(a, b).
    int truncated_division(const ASTNode& node, std::string& out) {
        std::vector<std::string> args;
        if (node.getNumChildren() != 2) return unsupported(node, "with other than two arguments");
        for (unsigned i = 0; i < 2; ++i) {
            args.emplace_back();
            if (operand(*node.getChild(i), args.back()) != 0) return -1;
        }
        const std::string ratio = args[0] + "/" + args[1];
        const std::string quotient =
            "piecewise(floor(" + ratio + "), geq(" + ratio + ", 0), ceil(" + ratio + "))";
        out = node.getType() == AST_FUNCTION_QUOTIENT ? quotient
                                                      : args[0] + "-" + args[1] + "*" + quotient;
        return 0;
    }

    // min and max of any number of arguments, nested pairwise.
    int extremum(const ASTNode& node, const char* function, std::string& out) {
        std::vector<std::string> args;
        if (node.getNumChildren() == 0) return unsupported(node, "without arguments");
        if (arguments(node, args) != 0) return -1;
        out = args.back();
        for (std::size_t i = args.size() - 1; i-- > 0;) {
            out = std::string(function) + "(" + args[i] + ", " + out + ")";
        }
        return 0;
    }

    // log(x) is the logarithm to base 10; with a logbase b, ln(x)/ln(b).
    int logarithm(const ASTNode& node, std::string& out) {
        unsigned n = node.getNumChildren();
        if (n == 1) return call(node, out);
        if (n != 2) return unsupported(node, "with other than one or two arguments");
        std::string base, argument;
        if (operand(*node.getChild(0), base) != 0 || operand(*node.getChild(1), argument) != 0) {
            return -1;
        }
        out = "log(" + argument + ")/log(" + base + ")";
        return 0;
    }

    // root(n, x) is x^(1/n); with one argument the square root.
    int root(const ASTNode& node, std::string& out) {
        unsigned n = node.getNumChildren();
        if (n < 1 || n > 2) return unsupported(node, "with other than one or two arguments");
        std::string degree = "2", base;
        if (n == 2 && operand(*node.getChild(0), degree) != 0) return -1;
        if (operand(*node.getChild(n - 1), base) != 0) return -1;
        out = base + "^(1/" + degree + ")";
        return 0;
    }
};

}  // namespace

int math_text(const ASTNode& math, const SymbolText& symbols, const Model& model,
              std::string& text, std::string& problem, const SymbolText* rateOf) {
    Writer writer{symbols, model, problem, rateOf, 0, {}};
    return writer.write(math, text);
}

}  // namespace kinelaw

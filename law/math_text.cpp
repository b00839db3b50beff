#include "math_text.h"

#include "format.h"

namespace kinelaw {

const char* const kTimeVariable = "sbml.time";

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
    std::string& problem;

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
        out = symbols(id);
        if (!out.empty()) return 0;
        problem = std::string("'") + id + "' is not an id of the model";
        return -1;
    }

    int unsupported(const ASTNode& node, const char* how = nullptr) {
        const char* name = node.getName() != nullptr ? node.getName() : "?";
        problem = std::string("the function '") + name + "'" + (how ? std::string(" ") + how : "") +
                  " has no form in the DAE file yet";
        return -1;
    }

    int write(const ASTNode& node, std::string& out) {
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
            default:
                return call(node, out);
        }
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

int math_text(const ASTNode& math, const SymbolText& symbols, std::string& text,
              std::string& problem) {
    Writer writer{symbols, problem};
    return writer.write(math, text);
}

bool uses_time(const ASTNode& math) {
    if (math.getType() == AST_NAME_TIME) return true;
    for (unsigned i = 0; i < math.getNumChildren(); ++i) {
        if (uses_time(*math.getChild(i))) return true;
    }
    return false;
}

}  // namespace kinelaw

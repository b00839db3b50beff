#include "diff_rules.h"

#include <cmath>
#include <string>

#include "expr_functions.h"
#include "expr_node.h"
#include "log.h"

namespace {

bool is_zero(const Derivative& d) {
    return d.textClass == TEXT_ZERO;
}
bool is_number(const Derivative& d) {
    return d.textClass == TEXT_NUMBER;
}
bool is_number(TextRef t) {
    return t.textClass == TEXT_NUMBER;
}
double value_of(const Derivative& d) {
    return text_value(d.text.view());
}

Derivative number(double value) {
    return {GrowText(number_text(value)), TEXT_NUMBER};
}

Derivative with_class(GrowText&& text, int textClass) {
    return {std::move(text), textClass};
}

// A folded number, or false when the value is not finite and the caller keeps the texts.
bool fold(double value, Derivative& out) {
    if (!std::isfinite(value)) return false;
    out = number(value);
    return true;
}

Derivative reprinted(Derivative&& d) {
    return is_number(d) ? number(value_of(d)) : std::move(d);
}

// a, the text between, b: one text of the given class.
Derivative joined(Derivative&& a, std::string_view between, Derivative&& b, int textClass) {
    return with_class(assemble({a.text, between, b.text}), textClass);
}

Derivative sum_rule(Derivative&& dl, Derivative&& dr) {
    Derivative out;
    if (is_zero(dl) && is_zero(dr)) return out;
    if (is_number(dl) && is_number(dr)) {
        double value = value_of(dl) + value_of(dr);
        if (value == 0) return out;
        if (fold(value, out)) return out;
    }
    if (is_zero(dr)) return reprinted(std::move(dl));
    if (is_zero(dl)) return reprinted(std::move(dr));
    return joined(std::move(dl), " + ", std::move(dr), TEXT_SUM);
}

Derivative difference_rule(Derivative&& dl, Derivative&& dr) {
    Derivative out;
    if (is_zero(dl) && is_zero(dr)) return out;
    if (is_number(dl) && is_number(dr)) {
        double value = value_of(dl) - value_of(dr);
        if (value == 0) return out;
        if (fold(value, out)) return out;
    }
    if (is_zero(dr)) return reprinted(std::move(dl));
    if (is_zero(dl)) {
        if (is_number(dr)) return number(-value_of(dr));
        dr.text.prepend("-");
        return dr;
    }
    return joined(std::move(dl), " - ", std::move(dr), TEXT_SUM);
}

int never_here(const Derivative& t1, const Derivative& t2, const char* rule) {
    log_sys("## Never come here!! str1='%s', str2='%s' in %s.\n",
            std::string(t1.text.view()).c_str(), std::string(t2.text.view()).c_str(), rule);
    return -1;
}

int product_rule(DiffSide&& l, DiffSide&& r, Derivative& out) {
    Derivative t1 = mul(std::move(l.derivative), r.value);
    Derivative t2 = mul(std::move(r.derivative), l.value);
    if (!is_zero(t1) && !is_zero(t2)) {
        if (is_number(t1) && is_number(t2)) return never_here(t1, t2, "mult");
        out = joined(std::move(t1), " + ", std::move(t2), TEXT_SUM);
    } else {
        out = is_zero(t1) ? std::move(t2) : std::move(t1);
    }
    return 0;
}

// Whether mul(d, value) gives a non-zero product.
bool nonzero_product(const Derivative& d, TextRef value) {
    return !is_zero(d) && value.textClass != TEXT_ZERO;
}

int quotient_rule(DiffSide&& l, DiffSide&& r, bool cNotation, Derivative& out) {
    const std::string_view denominator = r.value.text;
    const char* squareOpen = cNotation ? "pow(" : "(";
    const char* squareClose = cNotation ? ", 2)" : "^2)";
    const bool hasT1 = nonzero_product(l.derivative, r.value);
    const bool hasT2 = nonzero_product(r.derivative, l.value);
    if (hasT1 && hasT2) {
        Derivative t1 = mul(std::move(l.derivative), r.value);
        Derivative t2 = mul(std::move(r.derivative), l.value);
        if (is_number(t1) && is_number(t2)) return never_here(t1, t2, "divide");
        const bool minus = begins_with_minus(t2.text.view());
        if (minus) t2.text.drop_front(1);
        out = with_class(assemble({"(", t1.text, minus ? " + " : " - ", t2.text, ")/", squareOpen,
                                   denominator, squareClose}),
                         TEXT_PRODUCT);
    } else if (hasT1) {
        // The denominator does not depend on the variable: it is not squared.
        Derivative& dl = l.derivative;
        if (is_number(dl) && is_number(r.value) &&
            fold(value_of(dl) / text_value(denominator), out)) {
            return 0;
        }
        out = with_class(assemble({dl.text, "/", denominator}), TEXT_PRODUCT);
    } else if (hasT2) {
        Derivative t2 = mul(std::move(r.derivative), l.value);
        const bool minus = begins_with_minus(t2.text.view());
        if (minus) t2.text.drop_front(1);
        out = with_class(
            assemble({minus ? "" : "-", t2.text, "/", squareOpen, denominator, squareClose}),
            minus ? TEXT_PRODUCT : TEXT_SUM);
    } else {
        out = Derivative();
    }
    return 0;
}

// The derivative of the exponent times log(base).
GrowText exponent_term(Derivative&& dr, std::string_view base) {
    const std::string_view inner = strip_outer_brackets(base);
    if (is_number(dr)) {
        double factor = value_of(dr);
        if (factor == 1) return assemble({"log(", inner, ")"});
        if (factor == -1) return assemble({"-log(", inner, ")"});
    }
    return assemble({dr.text, "*log(", inner, ")"});
}

// factor*pow(base, exponent), or factor*base^exponent with brackets as asked in '^' notation.
GrowText times_power(GrowText&& factor, std::string_view base, std::string_view exponent, bool c,
                     bool bracketed) {
    if (c) return assemble({factor, "*pow(", base, ", ", exponent, ")"});
    if (bracketed) return assemble({factor, "*(", base, "^", exponent, ")"});
    return assemble({factor, "*", base, "^", exponent});
}

// The exponent less one: "R - 1", bracketed in '^' notation.
std::string exponent_less_one(std::string_view exponent, bool c) {
    return c ? concat({exponent, " - 1"}) : concat({"(", exponent, " - 1)"});
}

// Base and exponent both depend on the variable.
Derivative power_both(Derivative&& t1, GrowText&& t2, const DiffSide& l, const DiffSide& r,
                      bool c) {
    const std::string_view base = l.value.text;
    const std::string_view exponent = r.value.text;
    GrowText second;
    if (is_number(r.value)) {
        double w = text_value(exponent) - 1;
        second = w == 1 ? assemble({t1.text, "*", base})
                        : times_power(std::move(t1.text), base, number_text(w), c, false);
    } else {
        second = times_power(std::move(t1.text), base, exponent_less_one(exponent, c), c, false);
    }
    GrowText first = times_power(std::move(t2), base, exponent, c, false);
    return with_class(assemble({first, " + ", second}), TEXT_SUM);
}

// Only the base depends on the variable.
Derivative power_base(Derivative&& t1, const DiffSide& l, const DiffSide& r, bool c) {
    const std::string_view base = l.value.text;
    const std::string_view exponent = r.value.text;
    if (!is_number(r.value)) {
        return with_class(
            times_power(std::move(t1.text), base, exponent_less_one(exponent, c), c, true),
            TEXT_PRODUCT);
    }
    double w = text_value(exponent) - 1;
    Derivative out;
    if (w == 1) {
        if (is_number(t1) && is_number(l.value) && fold(value_of(t1) * text_value(base), out)) {
            return out;
        }
        return with_class(assemble({t1.text, "*", base}), TEXT_PRODUCT);
    }
    if (w == 0) return std::move(t1);
    return with_class(times_power(std::move(t1.text), base, number_text(w), c, true), TEXT_PRODUCT);
}

Derivative power_rule(DiffSide&& l, DiffSide&& r, bool c) {
    const bool exponentVaries = !is_zero(r.derivative);
    Derivative t1 = mul(std::move(l.derivative), r.value);
    if (!is_zero(t1) && exponentVaries) {
        return power_both(std::move(t1), exponent_term(std::move(r.derivative), l.value.text), l, r,
                          c);
    }
    if (!is_zero(t1)) return power_base(std::move(t1), l, r, c);
    if (exponentVaries) {
        GrowText t2 = exponent_term(std::move(r.derivative), l.value.text);
        return with_class(times_power(std::move(t2), l.value.text, r.value.text, c, true),
                          TEXT_PRODUCT);
    }
    return Derivative();
}

}  // namespace

TextRef operand_value(const ExprNode* subtree) {
    const bool operand = subtree->textClass == TEXT_ZERO && !subtree->text.empty();
    return TextRef(subtree->text, operand ? TEXT_NAME : subtree->textClass);
}

Derivative mul(Derivative&& a, TextRef b) {
    Derivative out;
    if (is_zero(a) || b.textClass == TEXT_ZERO) return out;
    if (is_number(a) && is_number(b) && fold(value_of(a) * text_value(b.text), out)) return out;
    if (is_number(a)) {
        double v = value_of(a);
        int cls = v < 0 ? TEXT_SUM : TEXT_PRODUCT;
        if (v == 1) return with_class(GrowText(b.text), cls);
        if (v == -1) return with_class(assemble({"-", b.text}), cls);
        return with_class(assemble({a.text, "*", b.text}), cls);
    }
    if (is_number(b)) {
        double v = text_value(b.text);
        int cls = v < 0 ? TEXT_SUM : TEXT_PRODUCT;
        if (v == 1) return with_class(std::move(a.text), cls);
        if (v == -1) return with_class(assemble({"-", a.text}), cls);
        if (v < 0) return with_class(assemble({a.text, "*(", b.text, ")"}), cls);
        return with_class(assemble({a.text, "*", b.text}), cls);
    }
    return with_class(assemble({a.text, "*", b.text}), TEXT_PRODUCT);
}

int derivative_by_operator(char op, DiffSide&& left, DiffSide&& right, bool cNotation,
                           Derivative& derivative) {
    switch (op) {
        case 0:
        case '+':
            derivative = sum_rule(std::move(left.derivative), std::move(right.derivative));
            return 0;
        case '-':
            derivative = difference_rule(std::move(left.derivative), std::move(right.derivative));
            return 0;
        case '*':
            return product_rule(std::move(left), std::move(right), derivative);
        case '/':
            return quotient_rule(std::move(left), std::move(right), cNotation, derivative);
        case '^':
            derivative = power_rule(std::move(left), std::move(right), cNotation);
            return 0;
        default:
            log_sys("#  Unknown operator.\n");
            return -1;
    }
}

int derivative_of_node(const ExprNode& node, DiffSide&& left, DiffSide&& right, bool cNotation,
                       Derivative& derivative) {
    if (node.op == kCallOperator) {
        return call_derivative(node.function, std::move(right), cNotation, derivative);
    }
    if (node.op == kListOperator) {
        derivative = list_derivative(std::move(left), std::move(right));
        return 0;
    }
    return derivative_by_operator(node.op, std::move(left), std::move(right), cNotation,
                                  derivative);
}

bool derivative_needs_brackets(const Derivative& derivative, const NodePlace& place) {
    const int b = begins_with_minus(derivative.text.view()) ? TEXT_SUM : derivative.textClass;
    if (b == TEXT_ZERO || place.parent == nullptr) return false;
    // The chain rule of a call brackets what it needs; a list keeps its commas bare.
    if (place.parent->op == kCallOperator || place.parent->op == kListOperator) return false;
    if (b < place.parent->priority) return true;
    return b == TEXT_SUM && place.isRight && place.parent->op == '-';
}

void bracket_derivative(Derivative& derivative, const NodePlace& place) {
    if (!derivative_needs_brackets(derivative, place)) return;
    derivative.text.prepend("(");
    derivative.text.append(")");
}

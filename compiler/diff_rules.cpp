#include "diff_rules.h"

#include <cmath>
#include <string>

#include "expr_node.h"
#include "log.h"

namespace {

bool is_zero(TextRef t) {
    return t.textClass == TEXT_ZERO;
}
bool is_number(TextRef t) {
    return t.textClass == TEXT_NUMBER;
}

ClassedText owned(TextRef t) {
    return {std::string(t.text), t.textClass};
}

// A folded number, or false when the value is not finite and the caller keeps the texts.
bool fold(double value, ClassedText& out) {
    if (!std::isfinite(value)) return false;
    out = {number_text(value), TEXT_NUMBER};
    return true;
}

ClassedText reprinted(TextRef d) {
    return is_number(d) ? ClassedText{number_text(text_value(d.text)), TEXT_NUMBER} : owned(d);
}

ClassedText sum_rule(TextRef dl, TextRef dr) {
    ClassedText out;
    if (is_zero(dl) && is_zero(dr)) return out;
    if (is_number(dl) && is_number(dr)) {
        double value = text_value(dl.text) + text_value(dr.text);
        if (value == 0) return out;
        if (fold(value, out)) return out;
    }
    if (is_zero(dr)) return reprinted(dl);
    if (is_zero(dl)) return reprinted(dr);
    return {concat({dl.text, " + ", dr.text}), TEXT_SUM};
}

ClassedText difference_rule(TextRef dl, TextRef dr) {
    ClassedText out;
    if (is_zero(dl) && is_zero(dr)) return out;
    if (is_number(dl) && is_number(dr)) {
        double value = text_value(dl.text) - text_value(dr.text);
        if (value == 0) return out;
        if (fold(value, out)) return out;
    }
    if (is_zero(dr)) return reprinted(dl);
    if (is_zero(dl)) {
        if (is_number(dr)) return {number_text(-text_value(dr.text)), TEXT_NUMBER};
        return {concat({"-", dr.text}), dr.textClass};
    }
    return {concat({dl.text, " - ", dr.text}), TEXT_SUM};
}

int never_here(const ClassedText& t1, const ClassedText& t2, const char* rule) {
    log_sys("## Never come here!! str1='%s', str2='%s' in %s.\n", t1.text.c_str(), t2.text.c_str(),
            rule);
    return -1;
}

int product_rule(const DiffSide& l, const DiffSide& r, ClassedText& out) {
    ClassedText t1 = mul(l.derivative, r.value);
    ClassedText t2 = mul(r.derivative, l.value);
    if (!is_zero(t1) && !is_zero(t2)) {
        if (is_number(t1) && is_number(t2)) return never_here(t1, t2, "mult");
        out = {concat({t1.text, " + ", t2.text}), TEXT_SUM};
    } else {
        out = is_zero(t1) ? std::move(t2) : std::move(t1);
    }
    return 0;
}

int quotient_rule(const DiffSide& l, const DiffSide& r, bool cNotation, ClassedText& out) {
    ClassedText t1 = mul(l.derivative, r.value);
    ClassedText t2 = mul(r.derivative, l.value);
    const std::string_view denominator = r.value.text;
    if (!is_zero(t1) && !is_zero(t2)) {
        if (is_number(t1) && is_number(t2)) return never_here(t1, t2, "divide");
        const bool minus = begins_with_minus(t2.text);
        out = {concat({"(", t1.text, minus ? " + " : " - ", without_leading_minus(t2.text), ")/",
                       cNotation ? "pow(" : "(", denominator, cNotation ? ", 2)" : "^2)"}),
               TEXT_PRODUCT};
    } else if (!is_zero(t1)) {
        // The denominator does not depend on the variable: it is not squared.
        if (is_number(l.derivative) && is_number(r.value) &&
            fold(text_value(l.derivative.text) / text_value(denominator), out)) {
            return 0;
        }
        out = {concat({l.derivative.text, "/", denominator}), TEXT_PRODUCT};
    } else if (!is_zero(t2)) {
        const bool minus = begins_with_minus(t2.text);
        out = {concat({minus ? "" : "-", without_leading_minus(t2.text), "/",
                       cNotation ? "pow(" : "(", denominator, cNotation ? ", 2)" : "^2)"}),
               minus ? TEXT_PRODUCT : TEXT_SUM};
    } else {
        out = ClassedText();
    }
    return 0;
}

// The derivative of the exponent times log(base).
std::string exponent_term(TextRef dr, std::string_view base) {
    std::string logarithm = concat({"log(", strip_outer_brackets(base), ")"});
    if (is_number(dr)) {
        double factor = text_value(dr.text);
        if (factor == 1) return logarithm;
        if (factor == -1) return "-" + logarithm;
    }
    return concat({dr.text, "*", logarithm});
}

// factor*pow(base, exponent), or factor*base^exponent with brackets as asked in '^' notation.
std::string times_power(std::string_view factor, std::string_view base, std::string_view exponent,
                        bool c, bool bracketed) {
    if (c) return concat({factor, "*pow(", base, ", ", exponent, ")"});
    if (bracketed) return concat({factor, "*(", base, "^", exponent, ")"});
    return concat({factor, "*", base, "^", exponent});
}

// Base and exponent both depend on the variable.
ClassedText power_both(const ClassedText& t1, const std::string& t2, const DiffSide& l,
                       const DiffSide& r, bool c) {
    const std::string_view base = l.value.text;
    const std::string_view exponent = r.value.text;
    std::string second;
    if (is_number(r.value)) {
        double w = text_value(exponent) - 1;
        second = w == 1 ? concat({t1.text, "*", base})
                        : times_power(t1.text, base, number_text(w), c, false);
    } else {
        std::string lessOne = c ? concat({exponent, " - 1"}) : concat({"(", exponent, " - 1)"});
        second = times_power(t1.text, base, lessOne, c, false);
    }
    return {concat({times_power(t2, base, exponent, c, false), " + ", second}), TEXT_SUM};
}

// Only the base depends on the variable.
ClassedText power_base(const ClassedText& t1, const DiffSide& l, const DiffSide& r, bool c) {
    const std::string_view base = l.value.text;
    const std::string_view exponent = r.value.text;
    if (!is_number(r.value)) {
        std::string lessOne = c ? concat({exponent, " - 1"}) : concat({"(", exponent, " - 1)"});
        return {times_power(t1.text, base, lessOne, c, true), TEXT_PRODUCT};
    }
    double w = text_value(exponent) - 1;
    ClassedText out;
    if (w == 1) {
        if (is_number(t1) && is_number(l.value) &&
            fold(text_value(t1.text) * text_value(base), out)) {
            return out;
        }
        return {concat({t1.text, "*", base}), TEXT_PRODUCT};
    }
    if (w == 0) return t1;
    return {times_power(t1.text, base, number_text(w), c, true), TEXT_PRODUCT};
}

ClassedText power_rule(const DiffSide& l, const DiffSide& r, bool c) {
    ClassedText t1 = mul(l.derivative, r.value);
    const bool exponentVaries = !is_zero(r.derivative);
    if (!is_zero(t1) && exponentVaries) {
        return power_both(t1, exponent_term(r.derivative, l.value.text), l, r, c);
    }
    if (!is_zero(t1)) return power_base(t1, l, r, c);
    if (exponentVaries) {
        std::string t2 = exponent_term(r.derivative, l.value.text);
        return {times_power(t2, l.value.text, r.value.text, c, true), TEXT_PRODUCT};
    }
    return ClassedText();
}

}  // namespace

ClassedText mul(TextRef a, TextRef b) {
    ClassedText out;
    if (is_zero(a) || is_zero(b)) return out;
    if (is_number(a) && is_number(b) && fold(text_value(a.text) * text_value(b.text), out))
        return out;
    if (is_number(a)) {
        double v = text_value(a.text);
        int cls = v < 0 ? TEXT_SUM : TEXT_PRODUCT;
        if (v == 1) return {std::string(b.text), cls};
        if (v == -1) return {concat({"-", b.text}), cls};
        return {concat({a.text, "*", b.text}), cls};
    }
    if (is_number(b)) {
        double v = text_value(b.text);
        int cls = v < 0 ? TEXT_SUM : TEXT_PRODUCT;
        if (v == 1) return {std::string(a.text), cls};
        if (v == -1) return {concat({"-", a.text}), cls};
        if (v < 0) return {concat({a.text, "*(", b.text, ")"}), cls};
        return {concat({a.text, "*", b.text}), cls};
    }
    return {concat({a.text, "*", b.text}), TEXT_PRODUCT};
}

int derivative_by_operator(char op, const DiffSide& left, const DiffSide& right, bool cNotation,
                           ClassedText& derivative) {
    switch (op) {
        case 0:
        case '+':
            derivative = sum_rule(left.derivative, right.derivative);
            return 0;
        case '-':
            derivative = difference_rule(left.derivative, right.derivative);
            return 0;
        case '*':
            return product_rule(left, right, derivative);
        case '/':
            return quotient_rule(left, right, cNotation, derivative);
        case '^':
            derivative = power_rule(left, right, cNotation);
            return 0;
        default:
            log_sys("#  Unknown operator.\n");
            return -1;
    }
}

bool derivative_needs_brackets(const ClassedText& derivative, const NodePlace& place) {
    const int b = begins_with_minus(derivative.text) ? TEXT_SUM : derivative.textClass;
    if (b == TEXT_ZERO || place.parent == nullptr) return false;
    if (b < place.parent->priority) return true;
    return b == TEXT_SUM && place.isRight && place.parent->op == '-';
}

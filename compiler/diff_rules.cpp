#include "diff_rules.h"

#include <cmath>

#include "expr_text.h"
#include "format.h"
#include "log.h"

namespace {

bool is_zero(const ClassedText& t) { return t.textClass == TEXT_ZERO; }
bool is_number(const ClassedText& t) { return t.textClass == TEXT_NUMBER; }

// A folded number, or false when the value is not finite and the caller keeps the texts.
bool fold(double value, ClassedText& out) {
    if (!std::isfinite(value)) return false;
    out = {number_text(value), TEXT_NUMBER};
    return true;
}

ClassedText reprinted(const ClassedText& d) {
    return is_number(d) ? ClassedText{number_text(text_value(d.text)), TEXT_NUMBER} : d;
}

ClassedText sum_rule(const ClassedText& dl, const ClassedText& dr) {
    ClassedText out;
    if (is_zero(dl) && is_zero(dr)) return out;
    if (is_number(dl) && is_number(dr)) {
        double value = text_value(dl.text) + text_value(dr.text);
        if (value == 0) return out;
        if (fold(value, out)) return out;
    }
    if (is_zero(dr)) return reprinted(dl);
    if (is_zero(dl)) return reprinted(dr);
    return {dl.text + " + " + dr.text, TEXT_SUM};
}

ClassedText difference_rule(const ClassedText& dl, const ClassedText& dr) {
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
        return {"-" + dr.text, dr.textClass};
    }
    return {dl.text + " - " + dr.text, TEXT_SUM};
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
        out = {t1.text + " + " + t2.text, TEXT_SUM};
    } else {
        out = is_zero(t1) ? t2 : t1;
    }
    return 0;
}

int quotient_rule(const DiffSide& l, const DiffSide& r, bool cNotation, ClassedText& out) {
    ClassedText t1 = mul(l.derivative, r.value);
    ClassedText t2 = mul(r.derivative, l.value);
    const std::string& denominator = r.value.text;
    std::string square = cNotation ? "pow(" + denominator + ", 2)" : "(" + denominator + "^2)";
    if (!is_zero(t1) && !is_zero(t2)) {
        if (is_number(t1) && is_number(t2)) return never_here(t1, t2, "divide");
        std::string numerator = begins_with_minus(t2.text)
                                    ? t1.text + " + " + without_leading_minus(t2.text)
                                    : t1.text + " - " + t2.text;
        out = {"(" + numerator + ")/" + square, TEXT_PRODUCT};
    } else if (!is_zero(t1)) {
        // The denominator does not depend on the variable: it is not squared.
        if (is_number(l.derivative) && is_number(r.value) &&
            fold(text_value(l.derivative.text) / text_value(denominator), out)) {
            return 0;
        }
        out = {l.derivative.text + "/" + denominator, TEXT_PRODUCT};
    } else if (!is_zero(t2)) {
        out = begins_with_minus(t2.text)
                  ? ClassedText{without_leading_minus(t2.text) + "/" + square, TEXT_PRODUCT}
                  : ClassedText{"-" + t2.text + "/" + square, TEXT_SUM};
    } else {
        out = ClassedText();
    }
    return 0;
}

// The derivative of the exponent times log(base).
std::string exponent_term(const ClassedText& dr, const std::string& base) {
    std::string logarithm = "log(" + strip_outer_brackets(base) + ")";
    if (is_number(dr)) {
        double factor = text_value(dr.text);
        if (factor == 1) return logarithm;
        if (factor == -1) return "-" + logarithm;
    }
    return dr.text + "*" + logarithm;
}

// Base and exponent both depend on the variable.
ClassedText power_both(const ClassedText& t1, const std::string& t2, const DiffSide& l,
                       const DiffSide& r, bool c) {
    const std::string& base = l.value.text;
    const std::string& exponent = r.value.text;
    std::string second;
    if (is_number(r.value)) {
        double w = text_value(exponent) - 1;
        if (w == 1) {
            second = t1.text + "*" + base;
        } else {
            std::string wText = number_text(w);
            second = c ? t1.text + "*pow(" + base + ", " + wText + ")" : t1.text + "*" + base + "^" + wText;
        }
    } else {
        second = c ? t1.text + "*pow(" + base + ", " + exponent + " - 1)"
                   : t1.text + "*" + base + "^(" + exponent + " - 1)";
    }
    std::string first = c ? t2 + "*pow(" + base + ", " + exponent + ")" : t2 + "*" + base + "^" + exponent;
    return {first + " + " + second, TEXT_SUM};
}

// Only the base depends on the variable.
ClassedText power_base(const ClassedText& t1, const DiffSide& l, const DiffSide& r, bool c) {
    const std::string& base = l.value.text;
    const std::string& exponent = r.value.text;
    if (!is_number(r.value)) {
        return {c ? t1.text + "*pow(" + base + ", " + exponent + " - 1)"
                  : t1.text + "*(" + base + "^(" + exponent + " - 1))",
                TEXT_PRODUCT};
    }
    double w = text_value(exponent) - 1;
    ClassedText out;
    if (w == 1) {
        if (is_number(t1) && is_number(l.value) &&
            fold(text_value(t1.text) * text_value(base), out)) {
            return out;
        }
        return {t1.text + "*" + base, TEXT_PRODUCT};
    }
    if (w == 0) return t1;
    std::string wText = number_text(w);
    return {c ? t1.text + "*pow(" + base + ", " + wText + ")" : t1.text + "*(" + base + "^" + wText + ")",
            TEXT_PRODUCT};
}

ClassedText power_rule(const DiffSide& l, const DiffSide& r, bool c) {
    ClassedText t1 = mul(l.derivative, r.value);
    const bool exponentVaries = !is_zero(r.derivative);
    std::string t2 = exponentVaries ? exponent_term(r.derivative, l.value.text) : std::string();
    const std::string& base = l.value.text;
    const std::string& exponent = r.value.text;
    if (!is_zero(t1) && exponentVaries) return power_both(t1, t2, l, r, c);
    if (!is_zero(t1)) return power_base(t1, l, r, c);
    if (exponentVaries) {
        return {c ? t2 + "*pow(" + base + ", " + exponent + ")" : t2 + "*(" + base + "^" + exponent + ")",
                TEXT_PRODUCT};
    }
    return ClassedText();
}

}  // namespace

ClassedText mul(const ClassedText& a, const ClassedText& b) {
    ClassedText out;
    if (is_zero(a) || is_zero(b)) return out;
    if (is_number(a) && is_number(b) && fold(text_value(a.text) * text_value(b.text), out)) return out;
    if (is_number(a)) {
        double v = text_value(a.text);
        int cls = v < 0 ? TEXT_SUM : TEXT_PRODUCT;
        if (v == 1) return {b.text, cls};
        if (v == -1) return {"-" + b.text, cls};
        return {a.text + "*" + b.text, cls};
    }
    if (is_number(b)) {
        double v = text_value(b.text);
        int cls = v < 0 ? TEXT_SUM : TEXT_PRODUCT;
        if (v == 1) return {a.text, cls};
        if (v == -1) return {"-" + a.text, cls};
        if (v < 0) return {a.text + "*(" + b.text + ")", cls};
        return {a.text + "*" + b.text, cls};
    }
    return {a.text + "*" + b.text, TEXT_PRODUCT};
}

int derivative_by_operator(char op, const DiffSide& left, const DiffSide& right, bool cNotation,
                           ClassedText& derivative) {
    switch (op) {
        case 0:
        case '+': derivative = sum_rule(left.derivative, right.derivative); return 0;
        case '-': derivative = difference_rule(left.derivative, right.derivative); return 0;
        case '*': return product_rule(left, right, derivative);
        case '/': return quotient_rule(left, right, cNotation, derivative);
        case '^': derivative = power_rule(left, right, cNotation); return 0;
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

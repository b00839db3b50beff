#include "term_text.h"

#include <algorithm>

#include "format.h"

namespace {

std::string coefficientText(double coefficient, bool first) {
    if (coefficient == 1.0) return first ? " " : " + ";
    if (coefficient == -1.0) return " - ";
    if (coefficient < 0.0) return zymorax::format(" - %g*", -coefficient);
    return first ? zymorax::format(" %g*", coefficient) : zymorax::format(" + %g*", coefficient);
}

// Appends the parameter factor; false when the term has none.
bool appendParameter(std::string& text, const Term& term, bool rapidEquilibrium) {
    int kind = term.parameterKind;
    if (rapidEquilibrium && kind == PARAM_KA) kind = PARAM_KB;
    if (rapidEquilibrium && kind == PARAM_KD) kind = PARAM_NONE;
    if (kind <= PARAM_NONE || kind >= PARAMETER_KIND_COUNT) return false;
    if (kind == PARAM_KB && term.parameterExponent != 1.0) {
        text += zymorax::format("%s[%d]^%g", parameterSymbol(kind), term.parameterNumber,
                                term.parameterExponent);
    } else {
        text += zymorax::format("%s[%d]", parameterSymbol(kind), term.parameterNumber);
    }
    return true;
}

// The regulated-transcription factors: occupied fractions, free fractions, then the gene.
void appendRegulation(std::string& text, const Term& term) {
    size_t ratios = std::min(term.ratioNumerators.size(), term.ratioDenominators.size());
    for (size_t i = 0; i < ratios; ++i) {
        text += "*(" + playerSymbol(*term.ratioNumerators[i].player, "") + "/" +
                playerSymbol(*term.ratioDenominators[i].player, "T") + ")";
    }
    size_t complements =
        std::min(term.complementNumerators.size(), term.complementDenominators.size());
    for (size_t i = 0; i < complements; ++i) {
        text += "*(1 - " + playerSymbol(*term.complementNumerators[i].player, "") + "/" +
                playerSymbol(*term.complementDenominators[i].player, "T") + ")";
    }
    text += "*" + playerSymbol(*term.tailPlayer->player, "");
}

std::string termText(const Term& term, bool first, bool rapidEquilibrium) {
    std::string text = coefficientText(term.coefficient, first);
    bool factorWritten = appendParameter(text, term, rapidEquilibrium);
    if (term.tailPlayer) appendRegulation(text, term);
    for (const TermFactor& factor : term.factors) {
        if (factorWritten) text += "*";
        text += playerSymbol(*factor.player, "");
        if (factor.exponent != 1.0) text += zymorax::format("^%g", factor.exponent);
        factorWritten = true;
    }
    if (term.expression != nullptr) text += term.expression->name;
    return text;
}

}  // namespace

bool hasWrittenTerm(const PlayerEquation& equation) {
    return std::any_of(equation.terms.begin(), equation.terms.end(),
                       [](const Term& term) { return term.coefficient != 0.0; });
}

std::string equationTermsText(const PlayerEquation& equation, bool rapidEquilibrium) {
    std::string text;
    bool first = true;
    for (const Term& term : equation.terms) {
        if (term.coefficient == 0.0) continue;
        text += termText(term, first, rapidEquilibrium);
        first = false;
    }
    return text;
}

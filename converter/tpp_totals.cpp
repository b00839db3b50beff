// The total of each mass-balanced monomer: its differential equation (the monomer's own terms
// plus those of the complexes holding it) and its algebraic definition.
#include <cmath>
#include <cstring>
#include <functional>
#include <unordered_map>

#include "log.h"
#include "tpp_steps.h"

namespace {

// Adds terms into a total equation: a term like one already there (same parameter, same
// factors with the same exponents in the same order) adds to the first such term's coefficient,
// any other is appended. Terms are found through a hash of what makes them alike.
class TermMerger {
  public:
    explicit TermMerger(PlayerEquation& total) : total_(total) {
        for (size_t i = 0; i < total_.terms.size(); ++i) remember(i);
    }

    void merge(double content, const PlayerEquation& complex) {
        for (const Term& term : complex.terms) {
            Term* alike = find(term);
            if (alike != nullptr) {
                alike->coefficient += content * term.coefficient;
                continue;
            }
            total_.terms.push_back(term);
            total_.terms.back().coefficient = content * term.coefficient;
            remember(total_.terms.size() - 1);
        }
    }

  private:
    // A term without factors (or with an exponent that equals nothing) is unlike every other.
    static bool canBeAlike(const Term& term) {
        if (term.factors.empty()) return false;
        for (const TermFactor& factor : term.factors) {
            if (std::isnan(factor.exponent)) return false;
        }
        return true;
    }

    static bool alike(const Term& a, const Term& b) {
        if (a.parameterKind != b.parameterKind || a.parameterNumber != b.parameterNumber ||
            a.factors.size() != b.factors.size()) {
            return false;
        }
        for (size_t i = 0; i < a.factors.size(); ++i) {
            if (a.factors[i].player->specieID != b.factors[i].player->specieID ||
                a.factors[i].exponent != b.factors[i].exponent) {
                return false;
            }
        }
        return true;
    }

    static size_t hashOf(const Term& term) {
        size_t hash =
            std::hash<int>()(term.parameterKind) * 31 + std::hash<int>()(term.parameterNumber);
        for (const TermFactor& factor : term.factors) {
            double exponent = factor.exponent == 0.0 ? 0.0 : factor.exponent;  // -0 equals 0
            unsigned long long bits;
            std::memcpy(&bits, &exponent, sizeof bits);
            hash = hash * 31 + std::hash<int>()(factor.player->specieID);
            hash = hash * 31 + std::hash<unsigned long long>()(bits);
        }
        return hash;
    }

    Term* find(const Term& term) {
        if (!canBeAlike(term)) return nullptr;
        auto bucket = byHash_.find(hashOf(term));
        if (bucket == byHash_.end()) return nullptr;
        for (size_t index : bucket->second) {  // in term order, so the first alike term wins
            if (alike(total_.terms[index], term)) return &total_.terms[index];
        }
        return nullptr;
    }

    void remember(size_t index) {
        const Term& term = total_.terms[index];
        if (canBeAlike(term)) byHash_[hashOf(term)].push_back(index);
    }

    PlayerEquation& total_;
    std::unordered_map<size_t, std::vector<size_t>> byHash_;
};

bool hasNonZeroTerm(const PlayerEquation& equation) {
    for (const Term& term : equation.terms) {
        if (term.coefficient != 0.0) return true;
    }
    return false;
}

// A term without parameter: coefficient * player.
Term amountTerm(double coefficient, Player& player) {
    Term term;
    term.coefficient = coefficient;
    term.parameterKind = PARAM_NONE;
    term.parameterNumber = 0;
    term.parameterExponent = 1.0;
    term.factors.push_back(TermFactor{&player, 1.0});
    return term;
}

}  // namespace

int makeTotalDiffEqs(ConversionContext& context, MonomerContents& contents) {
    if (contents.evaluateAll("makeTotalDiffEqs") != 0) return -1;
    for (int i = 0; i < context.playerCount; ++i) {
        if (context.players[i].kind != PLAYER_ALGEBRAIC_TOTAL) continue;
        const auto& shares = contents.sharesOf(i);
        if (shares.empty()) continue;
        TermMerger merger(context.totalEquations[i]);
        for (const MonomerContents::Share& share : shares) {
            merger.merge(share.content, context.equations[share.complex]);
        }
    }
    for (int i = 0; i < context.playerCount; ++i) {
        if (context.players[i].kind != PLAYER_ALGEBRAIC_TOTAL) continue;
        context.totalPlayers[i].kind =
            hasNonZeroTerm(context.totalEquations[i]) ? PLAYER_DIFFERENTIAL : PLAYER_CONSTANT;
    }
    log_sys("## Pass makeTotalDiffEqs.\n\n");
    return 0;
}

int makeTotalAlgebraicEqs(ConversionContext& context, MonomerContents& contents) {
    if (contents.evaluateAll("makeTotalAlgebraicEqs") != 0) return -1;
    for (int i = 0; i < context.playerCount; ++i) {
        if (context.players[i].kind != PLAYER_ALGEBRAIC_TOTAL) continue;
        std::vector<Term> terms;
        terms.push_back(amountTerm(1.0, context.players[i]));
        for (const MonomerContents::Share& share : contents.sharesOf(i)) {
            terms.push_back(amountTerm(share.content, context.players[share.complex]));
        }
        context.equations[i].terms = std::move(terms);
    }
    log_sys("## Pass makeTotalAlgebraicEqs.\n\n");
    return 0;
}

// Steady-state and rapid-equilibrium refinement of the complexes' equations.
#include <algorithm>
#include <unordered_map>

#include "log.h"
#include "methods.h"
#include "tpp_steps.h"

namespace {

std::vector<int> complexIndices(const ConversionContext& context) {
    std::vector<int> complexes;
    for (int i = 0; i < context.playerCount; ++i) {
        if (context.players[i].kind == PLAYER_ALGEBRAIC_ZERO) complexes.push_back(i);
    }
    return complexes;
}

double stoichiometryProduct(const Player& complex) {
    double product = 1.0;
    for (const SpecieRef& element : complex.elements) product *= element.stoichiometry;
    return product;
}

// The complex's own decay goes (and, under TPP_RAPID, its catalysis); under TPP_RAPID its
// association is written with the binding constant raised to the complex's composition.
void dropComplexOnlyTerms(const Player& complex, PlayerEquation& equation, bool rapid) {
    for (Term& term : equation.terms) {
        if (term.parameterKind == PARAM_KPD) {
            term.coefficient = 0.0;
        } else if (rapid && term.parameterKind == PARAM_KX) {
            term.coefficient = 0.0;
        } else if (rapid && term.parameterKind == PARAM_KA && term.coefficient > 0.0) {
            term.parameterExponent = stoichiometryProduct(complex);
        }
    }
}

// Marks the equilibrium pairs and zeroes, everywhere else, the binding fluxes of each pair
// until no further pair appears.
//
// Termination: a pass is repeated only when it zeroed at least one ka term with a negative
// coefficient; nothing here ever makes a coefficient non-zero again and no term is added, so
// there can be at most as many repeats as there were such terms. `run` stops after that many
// passes plus one in any case.
//
// Only complexes whose equation lost a term are marked again: any other would be marked as
// before, and a pair eliminated once has nothing left to zero.
class PairElimination {
  public:
    explicit PairElimination(ConversionContext& context)
        : context_(context), touched_(context.playerCount, 0) {
        indexBindingTerms();
    }

    int run(std::vector<int> toMark) {
        for (size_t pass = 0; pass <= consumingKaTerms_; ++pass) {
            std::vector<int> paired;
            for (int complex : toMark) {
                if (markPair(context_.equations[complex]) != 0) return -1;
                if (context_.equations[complex].pairNumber >= 1) paired.push_back(complex);
            }
            bool kaZeroed = false;
            for (int complex : paired) {
                if (eliminate(context_.equations[complex].pairNumber, kaZeroed) != 0) return -1;
            }
            if (!kaZeroed) return 0;
            toMark = takeTouchedComplexes();
        }
        log_sys("#  Elimination did not end after %zu passes.\n", consumingKaTerms_ + 1);
        return -1;
    }

  private:
    struct TermRef {
        int equation;
        size_t term;
    };

    void indexBindingTerms() {
        for (int i = 0; i < context_.playerCount; ++i) {
            const std::vector<Term>& terms = context_.equations[i].terms;
            for (size_t k = 0; k < terms.size(); ++k) {
                const Term& term = terms[k];
                if (term.parameterKind != PARAM_KA && term.parameterKind != PARAM_KD) continue;
                bindingTerms_[term.parameterNumber].push_back(TermRef{i, k});
                if (term.parameterKind == PARAM_KA && term.coefficient < 0.0) ++consumingKaTerms_;
            }
        }
    }

    // A complex whose equation has exactly two non-zero terms must have its own association
    // and dissociation, of one number: that number is its pair.
    static int markPair(PlayerEquation& equation) {
        int nonZero = 0, ka = 0, kd = 0, kaNumber = 0, kdNumber = 0;
        for (const Term& term : equation.terms) {
            if (term.coefficient != 0.0) ++nonZero;
            if (term.parameterKind == PARAM_KA && term.coefficient > 0.0) {
                ++ka;
                kaNumber = term.parameterNumber;
            }
            if (term.parameterKind == PARAM_KD && term.coefficient < 0.0) {
                ++kd;
                kdNumber = term.parameterNumber;
            }
        }
        equation.pairNumber = 0;
        if (nonZero != 2) return 0;
        if (ka != 1 || kd != 1) {
            log_sys("#  This complex equation have 2 non-zero tarms.\n");
            log_sys("#  But +ka : %d, -kd : %d. Unknown error.\n", ka, kd);
            explain_unpaired(equation);
            return -1;
        }
        if (kaNumber != kdNumber) {
            log_sys("#  This complex equation have 2 non-zero tarms.\n");
            log_sys("#  But + ka_index : %d, - kd_index : %d. Unknown error.\n", kaNumber,
                    kdNumber);
            return -1;
        }
        equation.pairNumber = kaNumber;
        return 0;
    }

    // What the user can act on: which complex, what is left of its equation, and why the
    // reduction needs its own binding there.
    static void explain_unpaired(const PlayerEquation& equation) {
        std::string terms;
        for (const Term& term : equation.terms) {
            if (term.coefficient == 0.0) continue;
            if (!terms.empty()) terms += ", ";
            terms += (term.coefficient > 0.0 ? "+" : "-") +
                     std::string(parameterSymbol(term.parameterKind));
            if (term.parameterNumber > 0) terms += "[" + std::to_string(term.parameterNumber) + "]";
        }
        const std::string name = equation.player != nullptr ? equation.player->name : "?";
        const bool onlyBindsFurther =
            terms.find("+ka") == std::string::npos && terms.find("-kd") == std::string::npos;
        log_sys(
            "#  Complex %s: what is left of its equation is %s, not its own association (+ka) "
            "and dissociation (-kd) of one binding%s. The rapid-equilibrium and steady-state "
            "reductions replace a complex by the reversible binding that makes it: convert this "
            "layer with CMA or TPP_STEADYSTATE_1, or form %s by a reversible binding.\n",
            name.c_str(), terms.c_str(),
            onlyBindsFurther
                ? ": no reversible binding makes it (an irreversible one or a conversion may), "
                  "it only binds into another complex"
                : "",
            name.c_str());
    }

    // Zeroes the consuming ka and producing kd terms numbered `number`, equation by equation in
    // index order; each equation must lose one of each or none.
    int eliminate(int number, bool& kaZeroed) {
        auto found = bindingTerms_.find(number);
        if (found == bindingTerms_.end()) return 0;
        const std::vector<TermRef>& refs = found->second;
        for (size_t k = 0; k < refs.size();) {
            const int equation = refs[k].equation;
            int ka = 0, kd = 0;
            for (; k < refs.size() && refs[k].equation == equation; ++k) {
                Term& term = context_.equations[equation].terms[refs[k].term];
                if (term.parameterKind == PARAM_KA && term.coefficient < 0.0) {
                    term.coefficient = 0.0;
                    ++ka;
                } else if (term.parameterKind == PARAM_KD && term.coefficient > 0.0) {
                    term.coefficient = 0.0;
                    ++kd;
                }
            }
            if (ka > 0) kaZeroed = true;
            if (ka + kd > 0) touch(equation);
            if (!((ka == 1 && kd == 1) || (ka == 0 && kd == 0))) {
                log_sys("#  Eliminate ka : %d, kd : %d.\n", ka, kd);
                return -1;
            }
        }
        return 0;
    }

    void touch(int equation) {
        if (touched_[equation]) return;
        touched_[equation] = 1;
        touchedList_.push_back(equation);
    }

    // Only a complex whose equation lost a term can be marked differently on the next pass.
    std::vector<int> takeTouchedComplexes() {
        std::vector<int> complexes;
        for (int equation : touchedList_) {
            touched_[equation] = 0;
            if (context_.players[equation].kind == PLAYER_ALGEBRAIC_ZERO) {
                complexes.push_back(equation);
            }
        }
        touchedList_.clear();
        std::sort(complexes.begin(), complexes.end());
        return complexes;
    }

    ConversionContext& context_;
    // ka and kd terms of every equation by parameter number, in equation then term order.
    std::unordered_map<int, std::vector<TermRef>> bindingTerms_;
    size_t consumingKaTerms_ = 0;
    std::vector<char> touched_;
    std::vector<int> touchedList_;
};

}  // namespace

int refineComplexEqs(ConversionContext& context) {
    const int method = context.geneProteinMethod;
    if (method == METHOD_TPP_STEADYSTATE_1) return 0;
    if (method != METHOD_TPP_STEADYSTATE_2 && method != METHOD_TPP_RAPID) {
        log_sys("## Error!! in refineComplexEqs.\n");
        return -1;
    }
    const std::vector<int> complexes = complexIndices(context);
    for (int complex : complexes) {
        dropComplexOnlyTerms(context.players[complex], context.equations[complex],
                             method == METHOD_TPP_RAPID);
    }
    if (PairElimination(context).run(complexes) != 0) {
        log_sys("## Error!! in refineComplexEqs.\n");
        return -1;
    }
    log_sys("## Pass refineComplexEqs.\n\n");
    return 0;
}

// Monomer content m(M, Z): how many units of species M one complex Z holds, counted through
// nested complexes. The TPP steps need it for every mass-balanced monomer against every complex;
// each complex is taken apart once and its content of every species it holds is kept.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "equation_set.h"

class MonomerContents {
  public:
    // A complex holding a monomer, with the monomer's content (> 0).
    struct Share {
        int complex = 0;
        double content = 0.0;
    };

    explicit MonomerContents(const ConversionContext& context);

    // m(players[monomer], players[complex]): the sum over the complex's elements e, in order, of
    // e's stoichiometry when e is the monomer's species, plus m(monomer, e) times e's
    // stoichiometry when e's player has elements. -1 after logging when the complex has no
    // elements or a complex nested in it cannot be taken apart.
    double of(int monomer, int complex);

    // Evaluates m for every PLAYER_ALGEBRAIC_TOTAL monomer against every PLAYER_ALGEBRAIC_ZERO
    // complex. The first pair, in monomer then complex index order, whose content cannot be
    // evaluated or is negative fails: its messages are logged, then "## Error!! in <step>.\n",
    // and -1 is returned. 0 once everything has been evaluated (later calls return 0 at once).
    int evaluateAll(const char* step);

    // After evaluateAll: the complexes that hold `monomer`, in index order.
    const std::vector<Share>& sharesOf(int monomer) const;

  private:
    // The content of one complex: per specieID, and the value of every species it does not
    // hold (0, or NaN once a non-finite stoichiometry multiplied a 0).
    struct Content {
        std::unordered_map<int, double> bySpecie;
        double absent = 0.0;
    };

    const Content* contentOf(int complex, int depth);
    double valueIn(const Content& content, int specieID) const;
    bool heldWithNegativeContent(const std::vector<int>& complexes) const;
    void collectShares(const std::vector<int>& complexes);

    const ConversionContext& context_;
    std::vector<std::unique_ptr<Content>> memo_;  // by player index; failures are not kept
    std::unordered_map<int, std::vector<int>> monomersBySpecie_;
    std::vector<std::vector<Share>> shares_;
    bool evaluated_ = false;
};

// m(M, Z) for players[monomer] and players[complex], through `contents`.
double haveThisMonomer(MonomerContents& contents, int monomer, int complex);

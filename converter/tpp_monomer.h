// Monomer content m(M, Z): how many units of species M one complex Z holds, counted through
// nested complexes. The TPP steps need it for every mass-balanced monomer against every complex;
// each complex is taken apart once, and its content of every species it holds is kept together
// with what evaluating it would log, so that a kept result logs what a fresh evaluation would.
#pragma once

#include <memory>
#include <string>
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
    // elements, when a nested complex cannot be taken apart or when a nested content is
    // negative (each nesting level adds "## Error!! in haveThisMonomer.\n").
    double of(int monomer, int complex);

    // Evaluates m for every PLAYER_ALGEBRAIC_TOTAL monomer against every PLAYER_ALGEBRAIC_ZERO
    // complex. At the first pair, in monomer then complex index order, that fails or is
    // negative, logs what that evaluation logs, then "## Error!! in <step>.\n", and returns -1.
    // 0 once everything has been evaluated (later calls return 0 at once).
    int evaluateAll(const char* step);

    // After evaluateAll: the complexes that hold `monomer`, in index order.
    const std::vector<Share>& sharesOf(int monomer) const;

  private:
    // m of one species: a value, or a failure after `failedLevels` error lines.
    struct Entry {
        double value = 0.0;
        int failedLevels = 0;
    };

    // One complex taken apart. Species it does not hold have the value `absent` (0, or NaN
    // once a non-finite stoichiometry multiplied a 0). When `brokenLines` is not empty the
    // complex cannot be taken apart: every species without a failed entry fails with them.
    struct Content {
        std::unordered_map<int, Entry> bySpecie;
        double absent = 0.0;
        std::vector<std::string> brokenLines;
    };

    struct FailingPair {
        int monomer = -1;
        int complex = -1;
        Entry entry;
    };

    const Content& contentOf(int complex, int depth);
    void takeApart(int complex, int depth, Content& content);
    static Entry& entryOf(Content& content, int specieID);
    static void addNested(Content& content, const Content& inner, double stoichiometry);
    FailingPair firstFailingPair(const std::vector<int>& complexes) const;
    void collectShares(const std::vector<int>& complexes);

    const ConversionContext& context_;
    std::vector<std::unique_ptr<Content>> memo_;  // by player index
    std::unordered_map<int, std::vector<int>> monomersBySpecie_;
    std::vector<std::vector<Share>> shares_;
    bool evaluated_ = false;
};

// m(M, Z) for players[monomer] and players[complex], through `contents`.
double haveThisMonomer(MonomerContents& contents, int monomer, int complex);

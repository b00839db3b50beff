#include "algebraic_block.h"

#include <queue>
#include <vector>

namespace kinesim {
namespace {

// A bipartite matching of equations to variables, grown one equation at a time along
// augmenting paths (searched breadth first, so no recursion depth grows with the model).
class Matching {
  public:
    Matching(const std::set<std::pair<int, int>>& entries, int count)
        : columns_(count + 1),
          equationOf_(count + 1, 0),
          variableOf_(count + 1, 0),
          reachedFrom_(count + 1, 0),
          round_(count + 1, 0) {
        for (const auto& [equation, variable] : entries) {
            if (equation <= count && variable <= count) columns_[equation].push_back(variable);
        }
    }

    // Matches `equation`, rematching earlier ones where needed; false when it cannot be.
    bool add(int equation) {
        int freeVariable = search(equation);
        for (int variable = freeVariable; variable != 0;) {
            int from = reachedFrom_[variable];
            int previous = variableOf_[from];
            equationOf_[variable] = from;
            variableOf_[from] = variable;
            variable = previous;
        }
        return freeVariable != 0;
    }

  private:
    // The first unmatched variable reachable from `root`, or 0.
    int search(int root) {
        std::queue<int> equations;
        equations.push(root);
        while (!equations.empty()) {
            int equation = equations.front();
            equations.pop();
            for (int variable : columns_[equation]) {
                if (round_[variable] == root) continue;
                round_[variable] = root;
                reachedFrom_[variable] = equation;
                if (equationOf_[variable] == 0) return variable;
                equations.push(equationOf_[variable]);
            }
        }
        return 0;
    }

    std::vector<std::vector<int>> columns_;  // per equation: the variables it reads
    std::vector<int> equationOf_;            // per variable: its matched equation, or 0
    std::vector<int> variableOf_;            // per equation: its matched variable, or 0
    std::vector<int> reachedFrom_;           // per variable: the equation the search came from
    std::vector<int> round_;                 // per variable: the root of the last search seeing it
};

}  // namespace

int unmatched_algebraic_equation(const std::set<std::pair<int, int>>& entries, int algebraicCount) {
    Matching matching(entries, algebraicCount);
    for (int equation = 1; equation <= algebraicCount; ++equation) {
        if (!matching.add(equation)) return equation;
    }
    return 0;
}

}  // namespace kinesim

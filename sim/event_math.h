// The math of an events file (expressions of the DAE file's dialect: numbers, y[tag], x[tag],
// label[k], + - * / ^, brackets, the calls symcode -X reads) parsed once and evaluated on the
// solver's state. Relations are the places where a trigger can change, so each one is also a
// root function, its left side minus its right side.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kinesim {

struct MathNode;

// The rates of the state's variables at a state (the model's right-hand side), for rate.<id>.
struct RateSource {
    std::function<void(const double* y, double* f)> rhs;
    int size = 0;
    double rate(const double* y, int variable) const;
};

// What a name of the math stands for: a variable (its position in the state), its rate, or a
// value.
struct NameTarget {
    int variable = -1;                  // >= 0: y[variable], or its rate with `rates`
    double* value = nullptr;            // else: a parameter element
    const RateSource* rates = nullptr;  // rate.<id>: d y[variable] / dt
};

// The target of a name such as y[S1] or par[2], or -1 with `problem` set.
using NameResolver =
    std::function<int(const std::string& name, NameTarget& target, std::string& problem)>;

// The value of a relation that sits at its root: true or false as the crossing decides.
struct RelationOverride {
    const MathNode* relation;
    bool value;
};

// What a math reads: the variables and parameter elements it names, and whether it names a rate
// (which reads the whole right-hand side).
struct MathReads {
    std::vector<int> variables;
    std::vector<double*> values;
    bool rates = false;
};

class EventMath {
  public:
    EventMath();
    ~EventMath();
    EventMath(EventMath&&) noexcept;
    EventMath& operator=(EventMath&&) noexcept;

    // Parses `text`; 0, or -1 with `problem` saying where and why. With `bareNames` a name
    // without brackets (S1, k2) goes to `resolve` as well, and '**' is a power.
    int parse(const std::string& text, const NameResolver& resolve, std::string& problem,
              bool bareNames = false);

    double value(const double* y, const std::vector<RelationOverride>& overrides = {}) const;
    // The exact derivatives at y by each variable of reads().variables and each value of
    // reads().values, in their order (relations and rounding count as flat).
    void gradient(const double* y, std::vector<double>& byVariables,
                  std::vector<double>& byValues) const;
    // The relations of the math, in the order they stand.
    const std::vector<const MathNode*>& relations() const { return relations_; }
    const MathReads& reads() const { return reads_; }

  private:
    std::unique_ptr<MathNode> root_;
    std::vector<const MathNode*> relations_;
    MathReads reads_;
};

// left - right of a relation: 0 where it changes.
double relation_gap(const MathNode* relation, const double* y);
// The exact derivatives of relation_gap at y by each variable of reads.variables and each value
// of reads.values, in their order, as EventMath::gradient gives them (`reads`: of the math the
// relation stands in).
void relation_gradient(const MathNode* relation, const double* y, const MathReads& reads,
                       std::vector<double>& byVariables, std::vector<double>& byValues);
// The larger size of a relation's two sides, the scale of its gap.
double relation_scale(const MathNode* relation, const double* y);
// Whether a relation holds just after its gap crossed 0 in the direction given (+1 rising).
bool relation_after_crossing(const MathNode* relation, int direction);

}  // namespace kinesim

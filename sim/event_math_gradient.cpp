// Exact derivatives of a parsed math by one name at a time, by the chain rule over its tree.
#include <cmath>

#include "event_math.h"
#include "event_math_nodes.h"

namespace kinesim {

namespace {

// What one derivative is taken by: a variable of the state, or a value the math reads.
struct DerivativeTarget {
    int variable = -1;
    const double* value = nullptr;
};

class Differentiator {
  public:
    Differentiator(const double* y, DerivativeTarget target)
        : evaluate_{y, kNoOverrides}, target_(target) {}

    double of(const MathNode& node) const {
        switch (node.kind) {
            case NodeKind::Number:
            case NodeKind::Rate:  // rates are not differentiated; formulas that read them are
                return 0.0;       // not given to this
            case NodeKind::Variable:
                return node.variable == target_.variable ? 1.0 : 0.0;
            case NodeKind::Value:
                return node.value == target_.value ? 1.0 : 0.0;
            case NodeKind::Negate:
                return -of(*node.children[0]);
            case NodeKind::Call:
                return call(node);
            default:
                return binary(node);
        }
    }

  private:
    static const std::vector<RelationOverride> kNoOverrides;

    double binary(const MathNode& node) const {
        const MathNode &left = *node.children[0], &right = *node.children[1];
        double da = of(left), db = of(right);
        switch (node.kind) {
            case NodeKind::Add:
                return da + db;
            case NodeKind::Subtract:
                return da - db;
            default:
                break;
        }
        double a = evaluate_.of(left), b = evaluate_.of(right);
        switch (node.kind) {
            case NodeKind::Multiply:
                return da * b + a * db;
            case NodeKind::Divide:
                return (da * b - a * db) / (b * b);
            default:
                return power(a, b, da, db);
        }
    }

    // d a^b: a constant exponent needs no log of the base, so a negative base stays defined.
    static double power(double a, double b, double da, double db) {
        double derivative = da == 0.0 ? 0.0 : b * std::pow(a, b - 1.0) * da;
        if (db != 0.0) derivative += std::pow(a, b) * std::log(a) * db;
        return derivative;
    }

    double chosen_piece(const MathNode& node) const {
        size_t n = node.children.size();
        for (size_t i = 0; i + 1 < n; i += 2) {
            if (evaluate_.of(*node.children[i + 1]) != 0.0) return of(*node.children[i]);
        }
        return of(*node.children[n - 1]);
    }

    double call(const MathNode& node) const {
        switch (node.function) {
            case Function::Piecewise:
                return chosen_piece(node);
            case Function::Min:
            case Function::Max: {
                double a = evaluate_.of(*node.children[0]), b = evaluate_.of(*node.children[1]);
                bool first = node.function == Function::Min ? a <= b : a >= b;
                return of(*node.children[first ? 0 : 1]);
            }
            default:
                break;
        }
        if (node.children.size() != 1 || node.function == Function::Not) return 0.0;
        double x = evaluate_.of(*node.children[0]), dx = of(*node.children[0]);
        return slope(node.function, x) * dx;
    }

    // d f(x) / dx of the functions of one argument.
    static double slope(Function function, double x) {
        switch (function) {
            case Function::Exp:
                return std::exp(x);
            case Function::Log:
                return 1.0 / x;
            case Function::Log10:
                return 1.0 / (x * std::log(10.0));
            case Function::Sqrt:
                return 0.5 / std::sqrt(x);
            case Function::Abs:
                return x > 0.0 ? 1.0 : x < 0.0 ? -1.0 : 0.0;
            case Function::Sin:
                return std::cos(x);
            case Function::Cos:
                return -std::sin(x);
            case Function::Tan:
                return 1.0 / (std::cos(x) * std::cos(x));
            case Function::Sinh:
                return std::cosh(x);
            case Function::Cosh:
                return std::sinh(x);
            case Function::Tanh:
                return 1.0 - std::tanh(x) * std::tanh(x);
            case Function::Asin:
                return 1.0 / std::sqrt(1.0 - x * x);
            case Function::Acos:
                return -1.0 / std::sqrt(1.0 - x * x);
            case Function::Atan:
                return 1.0 / (1.0 + x * x);
            default:  // floor, ceil: flat between their steps
                return 0.0;
        }
    }

    Evaluator evaluate_;
    DerivativeTarget target_;
};

const std::vector<RelationOverride> Differentiator::kNoOverrides;

}  // namespace

namespace {

// d (left - right) of `nodes` (one node, or a relation's two sides) by every name of `reads`.
void gradient_of(const MathNode& left, const MathNode* right, const double* y,
                 const MathReads& reads, std::vector<double>& byVariables,
                 std::vector<double>& byValues) {
    auto derivative = [&](DerivativeTarget target) {
        Differentiator d(y, target);
        return right == nullptr ? d.of(left) : d.of(left) - d.of(*right);
    };
    byVariables.clear();
    byValues.clear();
    for (int variable : reads.variables) byVariables.push_back(derivative({variable, nullptr}));
    for (const double* value : reads.values) byValues.push_back(derivative({-1, value}));
}

}  // namespace

void EventMath::gradient(const double* y, std::vector<double>& byVariables,
                         std::vector<double>& byValues) const {
    gradient_of(*root_, nullptr, y, reads_, byVariables, byValues);
}

void relation_gradient(const MathNode* relation, const double* y, const MathReads& reads,
                       std::vector<double>& byVariables, std::vector<double>& byValues) {
    gradient_of(*relation->children[0], relation->children[1].get(), y, reads, byVariables,
                byValues);
}

}  // namespace kinesim

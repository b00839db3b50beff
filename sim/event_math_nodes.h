// The parsed form of an events file's math, shared by its evaluation and its derivatives.
#pragma once

#include <cmath>
#include <memory>
#include <vector>

#include "event_math.h"

namespace kinesim {

enum class NodeKind {
    Number,
    Variable,
    Rate,
    Value,
    Negate,
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    Call
};

enum class Function {
    Exp,
    Log,
    Log10,
    Sqrt,
    Abs,
    Floor,
    Ceil,
    Sin,
    Cos,
    Tan,
    Sinh,
    Cosh,
    Tanh,
    Asin,
    Acos,
    Atan,
    Min,
    Max,
    Lt,
    Leq,
    Gt,
    Geq,
    Eq,
    Neq,
    And,
    Or,
    Xor,
    Not,
    Piecewise
};

struct MathNode {
    NodeKind kind = NodeKind::Number;
    double number = 0.0;
    int variable = -1;
    const double* value = nullptr;
    const RateSource* rates = nullptr;
    Function function = Function::Exp;
    std::vector<std::unique_ptr<MathNode>> children;
};

bool is_relation(Function f);

// Evaluates a parsed math on a state; relations at their root take the value of `overrides`.
struct Evaluator {
    const double* y;
    const std::vector<RelationOverride>& overrides;

    double truth(bool b) const { return b ? 1.0 : 0.0; }

    double relation(const MathNode& node) const {
        for (const RelationOverride& o : overrides) {
            if (o.relation == &node) return truth(o.value);
        }
        double a = of(*node.children[0]), b = of(*node.children[1]);
        switch (node.function) {
            case Function::Lt:
                return truth(a < b);
            case Function::Leq:
                return truth(a <= b);
            case Function::Gt:
                return truth(a > b);
            case Function::Geq:
                return truth(a >= b);
            case Function::Eq:
                return truth(a == b);
            default:
                return truth(a != b);
        }
    }

    double logical(const MathNode& node) const {
        int trues = 0;
        for (const auto& child : node.children) trues += of(*child) != 0.0;
        int count = static_cast<int>(node.children.size());
        if (node.function == Function::And) return truth(trues == count);
        if (node.function == Function::Or) return truth(trues > 0);
        return truth(trues % 2 == 1);
    }

    double piecewise(const MathNode& node) const {
        size_t n = node.children.size();
        for (size_t i = 0; i + 1 < n; i += 2) {
            if (of(*node.children[i + 1]) != 0.0) return of(*node.children[i]);
        }
        return of(*node.children[n - 1]);
    }

    double call(const MathNode& node) const {
        if (is_relation(node.function)) return relation(node);
        switch (node.function) {
            case Function::And:
            case Function::Or:
            case Function::Xor:
                return logical(node);
            case Function::Piecewise:
                return piecewise(node);
            case Function::Not:
                return truth(of(*node.children[0]) == 0.0);
            case Function::Min:
                return std::fmin(of(*node.children[0]), of(*node.children[1]));
            case Function::Max:
                return std::fmax(of(*node.children[0]), of(*node.children[1]));
            default:
                break;
        }
        double x = of(*node.children[0]);
        switch (node.function) {
            case Function::Exp:
                return std::exp(x);
            case Function::Log:
                return std::log(x);
            case Function::Log10:
                return std::log10(x);
            case Function::Sqrt:
                return std::sqrt(x);
            case Function::Abs:
                return std::fabs(x);
            case Function::Floor:
                return std::floor(x);
            case Function::Ceil:
                return std::ceil(x);
            case Function::Sin:
                return std::sin(x);
            case Function::Cos:
                return std::cos(x);
            case Function::Tan:
                return std::tan(x);
            case Function::Sinh:
                return std::sinh(x);
            case Function::Cosh:
                return std::cosh(x);
            case Function::Tanh:
                return std::tanh(x);
            case Function::Asin:
                return std::asin(x);
            case Function::Acos:
                return std::acos(x);
            default:
                return std::atan(x);
        }
    }

    double of(const MathNode& node) const {
        switch (node.kind) {
            case NodeKind::Number:
                return node.number;
            case NodeKind::Variable:
                return y[node.variable];
            case NodeKind::Rate:
                return node.rates->rate(y, node.variable);
            case NodeKind::Value:
                return *node.value;
            case NodeKind::Negate:
                return -of(*node.children[0]);
            case NodeKind::Call:
                return call(node);
            default:
                break;
        }
        double a = of(*node.children[0]), b = of(*node.children[1]);
        switch (node.kind) {
            case NodeKind::Add:
                return a + b;
            case NodeKind::Subtract:
                return a - b;
            case NodeKind::Multiply:
                return a * b;
            case NodeKind::Divide:
                return a / b;
            default:
                return std::pow(a, b);
        }
    }
};

}  // namespace kinesim

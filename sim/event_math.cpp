#include "event_math.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>

#include "event_math_nodes.h"

namespace kinesim {

namespace {

// Deeper math than this is refused, so that neither parsing nor evaluation runs out of stack.
constexpr int kMaxDepth = 1000;

struct FunctionShape {
    Function function;
    size_t least, most;  // arguments
};

const std::map<std::string, FunctionShape>& functions() {
    static const size_t kMany = static_cast<size_t>(-1);
    static const std::map<std::string, FunctionShape> table = {
        {"exp", {Function::Exp, 1, 1}},
        {"log", {Function::Log, 1, 1}},
        {"log10", {Function::Log10, 1, 1}},
        {"sqrt", {Function::Sqrt, 1, 1}},
        {"abs", {Function::Abs, 1, 1}},
        {"floor", {Function::Floor, 1, 1}},
        {"ceil", {Function::Ceil, 1, 1}},
        {"sin", {Function::Sin, 1, 1}},
        {"cos", {Function::Cos, 1, 1}},
        {"tan", {Function::Tan, 1, 1}},
        {"sinh", {Function::Sinh, 1, 1}},
        {"cosh", {Function::Cosh, 1, 1}},
        {"tanh", {Function::Tanh, 1, 1}},
        {"asin", {Function::Asin, 1, 1}},
        {"acos", {Function::Acos, 1, 1}},
        {"atan", {Function::Atan, 1, 1}},
        {"min", {Function::Min, 2, 2}},
        {"max", {Function::Max, 2, 2}},
        {"lt", {Function::Lt, 2, 2}},
        {"leq", {Function::Leq, 2, 2}},
        {"gt", {Function::Gt, 2, 2}},
        {"geq", {Function::Geq, 2, 2}},
        {"eq", {Function::Eq, 2, 2}},
        {"neq", {Function::Neq, 2, 2}},
        {"and", {Function::And, 2, kMany}},
        {"or", {Function::Or, 2, kMany}},
        {"xor", {Function::Xor, 2, kMany}},
        {"not", {Function::Not, 1, 1}},
        {"piecewise", {Function::Piecewise, 3, kMany}},
    };
    return table;
}

class Parser {
  public:
    Parser(const std::string& text, const NameResolver& resolve, std::string& problem,
           bool bareNames)
        : text_(text), resolve_(resolve), problem_(problem), bareNames_(bareNames) {}

    std::unique_ptr<MathNode> whole() {
        auto node = sum(0);
        if (node && (skip_blanks(), at_ < text_.size()))
            return fail("unexpected '" + text_.substr(at_, 1) + "'");
        return node;
    }

    std::vector<const MathNode*> relations;
    MathReads reads;

  private:
    std::unique_ptr<MathNode> fail(const std::string& what) {
        if (problem_.empty()) problem_ = what + " at character " + std::to_string(at_ + 1);
        return nullptr;
    }

    void skip_blanks() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    }

    bool take(char c) {
        skip_blanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    // '**', the other spelling of a power in formulas of bare names.
    bool take_power() {
        skip_blanks();
        if (text_.compare(at_, 2, "**") != 0) return false;
        at_ += 2;
        return true;
    }

    static std::unique_ptr<MathNode> binary(NodeKind kind, std::unique_ptr<MathNode> left,
                                            std::unique_ptr<MathNode> right) {
        auto node = std::make_unique<MathNode>();
        node->kind = kind;
        node->children.push_back(std::move(left));
        node->children.push_back(std::move(right));
        return node;
    }

    std::unique_ptr<MathNode> sum(int depth) {
        auto left = product(depth);
        while (left) {
            if (take('+')) {
                auto right = product(depth);
                if (!right) return nullptr;
                left = binary(NodeKind::Add, std::move(left), std::move(right));
            } else if (take('-')) {
                auto right = product(depth);
                if (!right) return nullptr;
                left = binary(NodeKind::Subtract, std::move(left), std::move(right));
            } else {
                break;
            }
        }
        return left;
    }

    std::unique_ptr<MathNode> product(int depth) {
        auto left = unary(depth);
        while (left) {
            NodeKind kind;
            if (take('*')) {
                kind = NodeKind::Multiply;
            } else if (take('/')) {
                kind = NodeKind::Divide;
            } else {
                break;
            }
            auto right = unary(depth);
            if (!right) return nullptr;
            left = binary(kind, std::move(left), std::move(right));
        }
        return left;
    }

    std::unique_ptr<MathNode> unary(int depth) {
        if (depth > kMaxDepth) return fail("the math is nested too deeply");
        if (take('-')) {
            auto operand = unary(depth + 1);
            if (!operand) return nullptr;
            auto node = std::make_unique<MathNode>();
            node->kind = NodeKind::Negate;
            node->children.push_back(std::move(operand));
            return node;
        }
        if (take('+')) return unary(depth + 1);
        auto base = primary(depth);
        if (base && (take('^') || (bareNames_ && take_power()))) {
            auto exponent = unary(depth + 1);
            if (!exponent) return nullptr;
            return binary(NodeKind::Power, std::move(base), std::move(exponent));
        }
        return base;
    }

    std::unique_ptr<MathNode> primary(int depth) {
        skip_blanks();
        if (at_ >= text_.size()) return fail("the math ends early");
        char c = text_[at_];
        if (c == '(') {
            ++at_;
            auto inner = sum(depth + 1);
            if (inner && !take(')')) return fail("')' expected");
            return inner;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') return number();
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') return named(depth);
        return fail("unexpected '" + std::string(1, c) + "'");
    }

    std::unique_ptr<MathNode> number() {
        const char* start = text_.c_str() + at_;
        char* end = nullptr;
        double value = std::strtod(start, &end);
        // Decimal numbers only: what strtod would also take as hexadecimal stops at the 'x'.
        if (end == start || (end - start > 1 && (start[1] == 'x' || start[1] == 'X'))) {
            return fail("a number expected");
        }
        at_ += static_cast<size_t>(end - start);
        auto node = std::make_unique<MathNode>();
        node->number = value;
        return node;
    }

    std::unique_ptr<MathNode> named(int depth) {
        size_t start = at_;
        while (at_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_')) {
            ++at_;
        }
        std::string word = text_.substr(start, at_ - start);
        if (word == "rate" && at_ < text_.size() && text_[at_] == '.') {
            ++at_;
            while (at_ < text_.size() &&
                   (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_')) {
                ++at_;
            }
            return element(text_.substr(start, at_ - start));
        }
        if (at_ < text_.size() && text_[at_] == '[') {
            size_t close = text_.find(']', at_);
            if (close == std::string::npos) return fail("']' expected");
            at_ = close + 1;
            return element(text_.substr(start, at_ - start));
        }
        if (take('(')) return call(word, depth);
        if (bareNames_) return element(word);
        return fail("'" + word + "' is no variable, parameter or function");
    }

    std::unique_ptr<MathNode> element(const std::string& name) {
        NameTarget target;
        std::string why;
        if (resolve_(name, target, why) != 0) return fail(why);
        auto node = std::make_unique<MathNode>();
        node->kind = target.rates != nullptr ? NodeKind::Rate
                     : target.variable >= 0  ? NodeKind::Variable
                                             : NodeKind::Value;
        node->variable = target.variable;
        node->value = target.value;
        node->rates = target.rates;
        note_read(target);
        return node;
    }

    void note_read(const NameTarget& target) {
        if (target.rates != nullptr) reads.rates = true;
        std::vector<int>& variables = reads.variables;
        if (target.rates == nullptr && target.variable >= 0 &&
            std::find(variables.begin(), variables.end(), target.variable) == variables.end()) {
            variables.push_back(target.variable);
        }
        std::vector<double*>& values = reads.values;
        if (target.value != nullptr &&
            std::find(values.begin(), values.end(), target.value) == values.end()) {
            values.push_back(target.value);
        }
    }

    std::unique_ptr<MathNode> call(const std::string& name, int depth) {
        auto found = functions().find(name);
        if (found == functions().end()) return fail("'" + name + "' is no function");
        auto node = std::make_unique<MathNode>();
        node->kind = NodeKind::Call;
        node->function = found->second.function;
        if (!take(')')) {
            do {
                auto argument = sum(depth + 1);
                if (!argument) return nullptr;
                node->children.push_back(std::move(argument));
            } while (take(','));
            if (!take(')')) return fail("')' expected");
        }
        size_t count = node->children.size();
        if (count < found->second.least || count > found->second.most ||
            (node->function == Function::Piecewise && count % 2 == 0)) {
            return fail("'" + name + "' with " + std::to_string(count) + " arguments");
        }
        if (is_relation(node->function)) relations.push_back(node.get());
        return node;
    }

    const std::string& text_;
    const NameResolver& resolve_;
    std::string& problem_;
    bool bareNames_;
    size_t at_ = 0;
};

}  // namespace

bool is_relation(Function f) {
    return f == Function::Lt || f == Function::Leq || f == Function::Gt || f == Function::Geq ||
           f == Function::Eq || f == Function::Neq;
}

double RateSource::rate(const double* y, int variable) const {
    std::vector<double> f(static_cast<size_t>(size));
    rhs(y, f.data());
    return f[static_cast<size_t>(variable)];
}

EventMath::EventMath() = default;
EventMath::~EventMath() = default;
EventMath::EventMath(EventMath&&) noexcept = default;
EventMath& EventMath::operator=(EventMath&&) noexcept = default;

int EventMath::parse(const std::string& text, const NameResolver& resolve, std::string& problem,
                     bool bareNames) {
    problem.clear();
    Parser parser(text, resolve, problem, bareNames);
    root_ = parser.whole();
    if (!root_) return -1;
    relations_ = parser.relations;
    reads_ = parser.reads;
    return 0;
}

double EventMath::value(const double* y, const std::vector<RelationOverride>& overrides) const {
    return Evaluator{y, overrides}.of(*root_);
}

double relation_gap(const MathNode* relation, const double* y) {
    static const std::vector<RelationOverride> kNone;
    Evaluator evaluate{y, kNone};
    return evaluate.of(*relation->children[0]) - evaluate.of(*relation->children[1]);
}

double relation_scale(const MathNode* relation, const double* y) {
    static const std::vector<RelationOverride> kNone;
    Evaluator evaluate{y, kNone};
    return std::fmax(std::fabs(evaluate.of(*relation->children[0])),
                     std::fabs(evaluate.of(*relation->children[1])));
}

bool relation_after_crossing(const MathNode* relation, int direction) {
    switch (relation->function) {
        case Function::Gt:
        case Function::Geq:
            return direction > 0;
        case Function::Lt:
        case Function::Leq:
            return direction < 0;
        case Function::Eq:
            return true;
        default:
            return false;
    }
}

}  // namespace kinesim

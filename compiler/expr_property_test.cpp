// Random expressions: the printed texts must keep the value of the input, parse again, and the
// derivative texts must agree with the exact derivative and with central differences.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "expr_node.h"

namespace {

// ---- values with a derivative along one variable ----

struct Dual {
    double v = 0;
    double d = 0;
};

Dual operator+(Dual a, Dual b) { return {a.v + b.v, a.d + b.d}; }
Dual operator-(Dual a, Dual b) { return {a.v - b.v, a.d - b.d}; }
Dual operator-(Dual a) { return {-a.v, -a.d}; }
Dual operator*(Dual a, Dual b) { return {a.v * b.v, a.d * b.v + a.v * b.d}; }
Dual operator/(Dual a, Dual b) { return {a.v / b.v, (a.d * b.v - a.v * b.d) / (b.v * b.v)}; }
Dual log_of(Dual a) { return {std::log(a.v), a.d / a.v}; }
Dual pow_of(Dual a, Dual b) {
    double v = std::pow(a.v, b.v);
    double d = a.d == 0 ? 0 : b.v * std::pow(a.v, b.v - 1) * a.d;
    if (b.d != 0) d += v * std::log(a.v) * b.d;
    return {v, d};
}

using Values = std::map<std::string, double>;

// ---- an independent reader of printed texts: C (pow, log) or the '^' notation ----

class TextReader {
public:
    TextReader(const std::string& text, const Values& values, const std::string& seed, bool caret)
        : text_(text), values_(values), seed_(seed), caret_(caret) {}

    // The value of the whole text; ok() is false when it is no valid expression.
    Dual read() {
        Dual value = sum();
        skip_blanks();
        if (pos_ != text_.size()) ok_ = false;
        return value;
    }
    bool ok() const { return ok_; }

private:
    void skip_blanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    }
    bool take(char c) {
        skip_blanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    Dual sum() {
        Dual value = product();
        for (;;) {
            if (take('+')) value = value + product();
            else if (take('-')) value = value - product();
            else return value;
        }
    }
    Dual product() {
        Dual value = unary();
        for (;;) {
            if (take('*')) value = value * unary();
            else if (take('/')) value = value / unary();
            else return value;
        }
    }
    Dual unary() { return take('-') ? -unary() : power(); }
    Dual power() {
        Dual value = primary();
        while (caret_ && take('^')) {
            Dual exponent = take('-') ? -primary() : primary();
            value = pow_of(value, exponent);
        }
        return value;
    }
    Dual primary() {
        skip_blanks();
        if (take('(')) {
            Dual value = sum();
            if (!take(')')) ok_ = false;
            return value;
        }
        if (pos_ >= text_.size()) {
            ok_ = false;
            return {};
        }
        char c = text_[pos_];
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') return number();
        return name_or_call();
    }
    Dual number() {
        const char* start = text_.c_str() + pos_;
        char* end = nullptr;
        double value = std::strtod(start, &end);
        pos_ += static_cast<std::size_t>(end - start);
        return {value, 0};
    }
    Dual name_or_call() {
        std::size_t start = pos_;
        while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_')) {
            ++pos_;
        }
        std::string word = text_.substr(start, pos_ - start);
        if (word.empty()) {
            ok_ = false;
            return {};
        }
        if (pos_ < text_.size() && text_[pos_] == '[') {
            std::size_t close = text_.find(']', pos_);
            if (close == std::string::npos) {
                ok_ = false;
                return {};
            }
            word = text_.substr(start, close + 1 - start);
            pos_ = close + 1;
        }
        if (word == "pow" || word == "log") return call(word);
        auto found = values_.find(word);
        if (found == values_.end()) {
            ok_ = false;
            return {};
        }
        return {found->second, word == seed_ ? 1.0 : 0.0};
    }
    Dual call(const std::string& function) {
        if (caret_ && function == "pow") ok_ = false;  // the '^' notation has no pow
        if (!take('(')) {
            ok_ = false;
            return {};
        }
        Dual first = sum();
        Dual result = log_of(first);
        if (function == "pow") {
            if (!take(',')) ok_ = false;
            result = pow_of(first, sum());
        }
        if (!take(')')) ok_ = false;
        return result;
    }

    const std::string& text_;
    const Values& values_;
    const std::string& seed_;
    bool caret_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// ---- random expressions ----

struct Gen {
    char op = 0;  // 0 leaf, 'n' negation, else + - * / ^
    std::string leaf;
    std::unique_ptr<Gen> left, right;
};

const std::vector<std::string> kNames = {"y[1]", "y[2]", "k[1]"};
const std::vector<std::string> kNumbers = {"2", "3", "0.5", "1.5", "4", "1", "2.0", ".5", "3e0",
                                           "25e-2", "1.25"};

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    std::unique_ptr<Gen> tree(int depth) {
        auto node = std::make_unique<Gen>();
        int pick = depth <= 0 ? 0 : uniform(0, 9);
        if (pick <= 2) {
            node->leaf = uniform(0, 2) == 0 ? kNumbers[uniform(0, kNumbers.size() - 1)]
                                             : kNames[uniform(0, kNames.size() - 1)];
            return node;
        }
        if (pick == 3) {
            node->op = 'n';
            node->left = tree(depth - 1);
            return node;
        }
        static const char ops[] = {'+', '-', '*', '/', '^', '*'};
        node->op = ops[uniform(0, 5)];
        node->left = tree(depth - 1);
        // Exponents stay small numbers or simple names, so that values stay moderate.
        node->right = node->op == '^' ? exponent() : tree(depth - 1);
        return node;
    }

    // The text of a tree: the brackets that the grammar needs plus random extra ones.
    std::string text(const Gen& g, bool top = true) {
        std::string out = bare_text(g, top);
        if (uniform(0, 9) == 0) out = "(" + out + ")";
        return out;
    }

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    double point() { return std::uniform_real_distribution<double>(0.6, 1.8)(rng_); }

private:
    std::unique_ptr<Gen> exponent() {
        auto node = std::make_unique<Gen>();
        static const std::vector<std::string> exponents = {"2", "3", "0.5", "k[1]", "y[1]", "1"};
        node->leaf = exponents[uniform(0, exponents.size() - 1)];
        if (uniform(0, 5) == 0) {
            node->op = 'n';
            node->left = std::make_unique<Gen>();
            node->left->leaf = "2";
            node->leaf.clear();
        }
        return node;
    }

    static int priority(const Gen& g) {
        if (g.op == '+' || g.op == '-') return 1;
        if (g.op == '*' || g.op == '/') return 2;
        if (g.op == '^') return 3;
        return 4;  // leaves, and negations, which bring their own brackets
    }

    std::string bare_text(const Gen& g, bool top) {
        if (g.op == 0) return g.leaf;
        if (g.op == 'n') {
            std::string inner = side(*g.left, priority(*g.left) < 2);
            return top && uniform(0, 1) == 0 ? "-" + inner : "(-" + inner + ")";
        }
        std::string l = side(*g.left, priority(*g.left) < priority(g));
        std::string r = side(*g.right, priority(*g.right) <= priority(g));
        std::string gap = uniform(0, 3) == 0 ? " " : "";
        return l + gap + g.op + gap + r;
    }

    std::string side(const Gen& g, bool needsBrackets) {
        std::string out = text(g, false);
        return needsBrackets ? "(" + out + ")" : out;
    }

    std::mt19937 rng_;
};

double gen_value(const Gen& g, const Values& values) {
    if (g.op == 0) {
        auto found = values.find(g.leaf);
        return found != values.end() ? found->second : std::strtod(g.leaf.c_str(), nullptr);
    }
    if (g.op == 'n') return -gen_value(*g.left, values);
    double l = gen_value(*g.left, values), r = gen_value(*g.right, values);
    switch (g.op) {
        case '+': return l + r;
        case '-': return l - r;
        case '*': return l * r;
        case '/': return l / r;
        default: return std::pow(l, r);
    }
}

double leaf_value(const std::string& text, int kind, const Values& values) {
    if (kind == OPERAND_NAME) return values.at(text);
    return std::strtod(text.c_str(), nullptr);
}

// The value of a built tree, read from its structure rather than from any printed text.
double tree_value(const ExprNode* node, const Values& values) {
    double l = node->left != nullptr ? tree_value(node->left, values)
                                     : leaf_value(node->leftText, node->leftKind, values);
    if (node->op == 0) return l;
    double r = node->right != nullptr ? tree_value(node->right, values)
                                      : leaf_value(node->rightText, node->rightKind, values);
    bool unary = node->left == nullptr && node->leftText.empty();
    switch (node->op) {
        case '+': return l + r;
        case '-': return unary ? -r : l - r;
        case '*': return l * r;
        case '/': return l / r;
        default: return std::pow(l, r);
    }
}

bool usable(double v) { return std::isfinite(v) && std::fabs(v) < 1e5; }

bool close_enough(double a, double b, double tolerance) {
    return std::fabs(a - b) <= tolerance * (1 + std::fabs(a) + std::fabs(b));
}

struct Tally {
    int expressions = 0;
    int valueChecks = 0;
    int derivativeChecks = 0;
};

// Reads a printed text; fails the test when it is no valid expression.
Dual read_text(const std::string& text, const Values& values, const std::string& seed, bool caret,
               const std::string& context) {
    TextReader reader(text, values, seed, caret);
    Dual value = reader.read();
    EXPECT_TRUE(reader.ok()) << "unreadable text '" << text << "' " << context;
    return value;
}

void check_derivatives(ExprNode* root, const std::string& cText, const Values& values,
                       const std::string& context, Tally& tally) {
    for (const std::string& variable : kNames) {
        ASSERT_EQ(Make_diff(root, variable, true), 0) << context;
        std::string dC = root->diffText;
        Dual exact = read_text(cText, values, variable, false, context);
        double dText = dC.empty() ? 0.0 : read_text(dC, values, variable, false, context).v;
        if (!usable(exact.v) || !usable(exact.d) || !usable(dText)) continue;
        ++tally.derivativeChecks;
        EXPECT_TRUE(close_enough(dText, exact.d, 1e-5))
            << "d/d" << variable << " of '" << cText << "' is '" << dC << "' = " << dText
            << ", exact " << exact.d << " " << context;

        Values shifted = values;
        double h = 1e-6;
        shifted[variable] = values.at(variable) + h;
        double up = read_text(cText, shifted, "", false, context).v;
        shifted[variable] = values.at(variable) - h;
        double down = read_text(cText, shifted, "", false, context).v;
        double central = (up - down) / (2 * h);
        if (std::fabs(exact.v) < 1e3) {
            EXPECT_TRUE(close_enough(dText, central, 1e-3))
                << "d/d" << variable << " '" << dC << "' = " << dText << ", central difference "
                << central << " " << context;
        }

        ASSERT_EQ(Set_expr(root, false), 0);
        ASSERT_EQ(Make_diff(root, variable, false), 0);
        double dCaret = root->diffText.empty()
                            ? 0.0
                            : read_text(root->diffText, values, "", true, context).v;
        EXPECT_TRUE(close_enough(dCaret, dText, 1e-9))
            << "'^' derivative '" << root->diffText << "' = " << dCaret << " but C '" << dC
            << "' = " << dText << " " << context;
        ASSERT_EQ(Set_expr(root, true), 0);
    }
}

// Parses input, prints it both ways and checks values, the round trip and the derivatives.
void check_expression(ExprNode* root, const std::string& input, double expected, const Values& values,
                      Tally& tally) {
    ASSERT_EQ(Set_expr(root, false), 0) << input;
    std::string caretText = root->text;
    ASSERT_EQ(Set_expr(root, true), 0) << input;
    std::string cText = root->text;
    std::string context = "(input '" + input + "')";
    double treeValue = tree_value(root, values);
    double cValue = read_text(cText, values, "", false, context).v;
    double caretValue = read_text(caretText, values, "", true, context).v;

    // The '^' text is what a temporary is stored as, and is parsed again when it is substituted.
    ExprNode* again = nullptr;
    ASSERT_EQ(Make_node(&again, caretText), 0) << caretText << " " << context;
    ASSERT_EQ(Set_expr(again, true), 0) << caretText;
    double againValue = read_text(again->text, values, "", false, context).v;

    if (!usable(expected) || !usable(treeValue)) return;
    ++tally.valueChecks;
    EXPECT_TRUE(close_enough(treeValue, expected, 1e-12)) << "tree " << treeValue << " " << context;
    EXPECT_TRUE(close_enough(cValue, treeValue, 1e-5)) << "'" << cText << "' = " << cValue << " " << context;
    EXPECT_TRUE(close_enough(caretValue, treeValue, 1e-5))
        << "'" << caretText << "' = " << caretValue << " " << context;
    EXPECT_TRUE(close_enough(againValue, treeValue, 1e-5))
        << "reparsed '" << again->text << "' = " << againValue << " " << context;
    check_derivatives(root, cText, values, context, tally);
}

Values random_point(Generator& gen) {
    return {{"y[1]", gen.point()}, {"y[2]", gen.point()}, {"k[1]", gen.point()}};
}

TEST(ExpressionPropertyTest, PrintedTextsAndDerivativesKeepTheValue) {
    Generator gen(20240611);
    Tally tally;
    for (int i = 0; i < 3000 && !::testing::Test::HasFailure(); ++i) {
        std::unique_ptr<Gen> g = gen.tree(gen.uniform(1, 5));
        std::string input = gen.text(*g);
        ExprNode* root = nullptr;
        ASSERT_EQ(Make_node(&root, input), 0) << input;
        ++tally.expressions;
        Values values = random_point(gen);
        check_expression(root, input, gen_value(*g, values), values, tally);
    }
    // The checks must not have been skipped wholesale.
    EXPECT_GT(tally.valueChecks, 2000);
    EXPECT_GT(tally.derivativeChecks, 5000);
}

// A temporary substituted into a leaf, as the name-resolution pass does: the tree of the
// temporary's text takes the leaf's place and the whole tree is printed again.
TEST(ExpressionPropertyTest, SubstitutedTemporariesKeepTheValue) {
    Generator gen(77);
    Tally tally;
    for (int i = 0; i < 1500 && !::testing::Test::HasFailure(); ++i) {
        std::unique_ptr<Gen> outer = gen.tree(gen.uniform(1, 3));
        std::unique_ptr<Gen> inner = gen.tree(gen.uniform(0, 2));
        std::string outerText = gen.text(*outer);
        ExprNode* root = nullptr;
        ASSERT_EQ(Make_node(&root, outerText), 0);
        // Find a name leaf "k[1]" to replace; its value becomes that of the inner text.
        std::vector<ExprNode*> stack{root};
        ExprNode* host = nullptr;
        bool onRight = false;
        while (!stack.empty() && host == nullptr) {
            ExprNode* n = stack.back();
            stack.pop_back();
            if (n->leftText == "k[1]") host = n, onRight = false;
            else if (n->rightText == "k[1]") host = n, onRight = true;
            if (n->left != nullptr) stack.push_back(n->left);
            if (n->right != nullptr) stack.push_back(n->right);
        }
        if (host == nullptr) continue;
        std::string innerText = gen.text(*inner);
        ExprNode* sub = nullptr;
        ASSERT_EQ(Make_node(&sub, innerText), 0);
        (onRight ? host->rightText : host->leftText).clear();
        (onRight ? host->right : host->left) = sub;
        sub->parent = host;
        Values values = random_point(gen);
        ++tally.expressions;
        check_expression(root, outerText + " with k[1] = " + innerText, tree_value(root, values),
                         values, tally);
    }
    EXPECT_GT(tally.valueChecks, 300);
}

}  // namespace

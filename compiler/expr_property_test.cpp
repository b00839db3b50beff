// Random expressions: the printed texts must keep the value of the input, parse again, and the
// derivative texts must agree with the exact derivative and with central differences.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "expr_node.h"
#include "ssystem_split.h"
#include "tree_derivatives.h"

namespace {

// A number for the reader: its value v, its derivative d along one seeded variable, and a
// first-order bound e of how far it moves when every constant of the text moves by its own size.
// Texts carry six significant digits, so 5e-6 times the bound covers their rounding, also where
// terms cancel.
struct Num {
    double v = 0, d = 0, e = 0;

    static Num constant(double c) { return {c, 0, std::fabs(c)}; }
    static Num variable(double value, bool seeded) { return {value, seeded ? 1.0 : 0.0, 0}; }

    friend Num operator+(Num a, Num b) { return {a.v + b.v, a.d + b.d, a.e + b.e}; }
    friend Num operator-(Num a, Num b) { return {a.v - b.v, a.d - b.d, a.e + b.e}; }
    friend Num operator-(Num a) { return {-a.v, -a.d, a.e}; }
    friend Num operator*(Num a, Num b) {
        return {a.v * b.v, a.d * b.v + a.v * b.d, a.e * std::fabs(b.v) + std::fabs(a.v) * b.e};
    }
    friend Num operator/(Num a, Num b) {
        return {a.v / b.v, (a.d * b.v - a.v * b.d) / (b.v * b.v),
                a.e / std::fabs(b.v) + std::fabs(a.v) * b.e / (b.v * b.v)};
    }
    friend Num log_of(Num a) { return {std::log(a.v), a.d / a.v, a.e / std::fabs(a.v)}; }
    friend Num pow_of(Num a, Num b) {
        Num r{std::pow(a.v, b.v), 0, 0};
        r.d = a.d == 0 ? 0 : b.v * std::pow(a.v, b.v - 1) * a.d;
        if (b.d != 0) r.d += r.v * std::log(a.v) * b.d;
        r.e = std::fabs(b.v * std::pow(a.v, b.v - 1)) * a.e;
        if (b.e != 0) r.e += std::fabs(r.v * std::log(std::fabs(a.v))) * b.e;
        return r;
    }
};

double pow_of(double a, double b) {
    return std::pow(a, b);
}

template <class N>
N apply(char op, N l, N r) {
    return op == '+'   ? l + r
           : op == '-' ? l - r
           : op == '*' ? l * r
           : op == '/' ? l / r
                       : pow_of(l, r);
}

using Values = std::map<std::string, double>;

// An independent reader of printed texts: C (pow, log) or the '^' notation.
class TextReader {
  public:
    TextReader(const std::string& text, const Values& values, const std::string& seed, bool caret)
        : text_(text), values_(values), seed_(seed), caret_(caret) {}

    // The value of the whole text; ok() is false when it is no valid expression.
    Num read() {
        Num value = sum();
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
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    Num fail() {
        ok_ = false;
        return Num::constant(0);
    }
    Num sum() {
        for (Num value = product();;) {
            char op = take('+') ? '+' : take('-') ? '-' : 0;
            if (op == 0) return value;
            value = apply(op, value, product());
        }
    }
    Num product() {
        for (Num value = unary();;) {
            char op = take('*') ? '*' : take('/') ? '/' : 0;
            if (op == 0) return value;
            value = apply(op, value, unary());
        }
    }
    Num unary() { return take('-') ? -unary() : power(); }
    Num power() {
        Num value = primary();
        while (caret_ && take('^')) value = pow_of(value, take('-') ? -primary() : primary());
        return value;
    }
    Num primary() {
        skip_blanks();
        // C's cast of an integer numerator to double, which only changes C's own arithmetic.
        if (!caret_ && text_.compare(pos_, 8, "(double)") == 0) {
            pos_ += 8;
            return unary();
        }
        if (take('(')) {
            Num value = sum();
            if (!take(')')) ok_ = false;
            return value;
        }
        if (pos_ >= text_.size()) return fail();
        char c = text_[pos_];
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') return number();
        return name_or_call();
    }
    Num number() {
        const char* start = text_.c_str() + pos_;
        char* end = nullptr;
        double value = std::strtod(start, &end);
        pos_ += static_cast<std::size_t>(end - start);
        return Num::constant(value);
    }
    Num name_or_call() {
        std::size_t start = pos_;
        while (pos_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_')) {
            ++pos_;
        }
        std::string word = text_.substr(start, pos_ - start);
        if (word.empty()) return fail();
        if (pos_ < text_.size() && text_[pos_] == '[') {
            std::size_t close = text_.find(']', pos_);
            if (close == std::string::npos) return fail();
            word = text_.substr(start, close + 1 - start);
            pos_ = close + 1;
        }
        if (word == "pow" || word == "log") return call(word);
        auto found = values_.find(word);
        if (found == values_.end()) return fail();
        return Num::variable(found->second, word == seed_);
    }
    Num call(const std::string& function) {
        if (caret_ && function == "pow") ok_ = false;  // the '^' notation has no pow
        if (!take('(')) return fail();
        Num first = sum();
        Num result = log_of(first);
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
const std::vector<std::string> kNumbers = {"2",   "3",  "0.5", "1.5",   "4",   "1",
                                           "2.0", ".5", "3e0", "25e-2", "1.25"};

class Generator {
  public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    std::unique_ptr<Gen> tree(int depth) {
        const int pick = uniform(0, 9);
        if (depth <= 0 || pick <= 2) return pick == 0 ? negative_number() : plain_leaf();
        auto node = std::make_unique<Gen>();
        if (pick == 3) {
            node->op = 'n';
            node->left = tree(depth - 1);
            return node;
        }
        static const char ops[] = {'+', '-', '*', '/', '^', '*'};
        node->op = ops[pick - 4];
        node->left = tree(depth - 1);
        // Exponents stay small numbers or simple names, so that values stay moderate.
        node->right = node->op == '^' ? exponent() : tree(depth - 1);
        return node;
    }

    // The text of a tree: the brackets that the grammar needs plus random extra ones.
    std::string text(const Gen& g, bool top = true) {
        std::string out = bare_text(g, top);
        return uniform(0, 9) == 0 ? "(" + out + ")" : out;
    }

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    double point() { return std::uniform_real_distribution<double>(0.6, 1.8)(rng_); }

  private:
    static std::unique_ptr<Gen> leaf(const std::string& text, char op = 0) {
        auto node = std::make_unique<Gen>();
        node->leaf = text;
        node->op = op;
        return node;
    }

    std::unique_ptr<Gen> plain_leaf() {
        return leaf(uniform(0, 2) == 0 ? kNumbers[uniform(0, kNumbers.size() - 1)]
                                       : kNames[uniform(0, kNames.size() - 1)]);
    }

    // "(1-3)" and the like: folded by the printer into a negative number.
    std::unique_ptr<Gen> negative_number() {
        auto node = leaf("", '-');
        node->left = leaf(kNumbers[uniform(0, 5)]);
        node->right = leaf("4.5");
        return node;
    }

    // n[1] and n[2] hold whole numbers, so that negative bases give real powers.
    std::unique_ptr<Gen> exponent() {
        static const std::vector<std::string> exponents = {"2",    "3", "0.5",  "k[1]",
                                                           "y[1]", "1", "n[1]", "n[2]"};
        auto node = leaf(exponents[uniform(0, exponents.size() - 1)]);
        if (uniform(0, 5) != 0) return node;
        node = leaf("", 'n');
        node->left = leaf("2");
        return node;
    }

    // Leaves, and negations, which bring their own brackets, bind strongest.
    static int priority(const Gen& g) {
        return g.op == '+' || g.op == '-'   ? 1
               : g.op == '*' || g.op == '/' ? 2
               : g.op == '^'                ? 3
                                            : 4;
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
    return apply(g.op, gen_value(*g.left, values), gen_value(*g.right, values));
}

Num leaf_value(const std::string& text, int kind, const Values& values) {
    if (kind == OPERAND_NAME) return Num::variable(values.at(text), false);
    return Num::constant(std::strtod(text.c_str(), nullptr));
}

// The value of a built tree, read from its structure rather than from any printed text. The
// bound also counts the rounding of every fold of two constants that the printer may make.
Num tree_value(const ExprNode* node, const Values& values, bool* constant = nullptr) {
    bool leftConstant = node->left == nullptr && node->leftKind == OPERAND_NUMBER;
    bool rightConstant = node->right == nullptr && node->rightKind != OPERAND_NAME;
    Num l = node->left != nullptr ? tree_value(node->left, values, &leftConstant)
                                  : leaf_value(node->leftText, node->leftKind, values);
    Num result = l;
    if (node->op == 0) {
        rightConstant = true;
    } else {
        Num r = node->right != nullptr ? tree_value(node->right, values, &rightConstant)
                                       : leaf_value(node->rightText, node->rightKind, values);
        bool unary = node->left == nullptr && node->leftText.empty();
        if (unary) leftConstant = true;
        result = unary && node->op == '-' ? -r : apply(node->op, l, r);
    }
    bool folded = leftConstant && rightConstant;
    if (folded) result.e += std::fabs(result.v);
    if (constant != nullptr) *constant = folded;
    return result;
}

bool usable(double v) {
    return std::isfinite(v) && std::fabs(v) < 1e5;
}

bool close_enough(double a, double b, double tolerance) {
    return std::fabs(a - b) <= tolerance * (1 + std::fabs(a) + std::fabs(b));
}

// Equal up to the rounding of six-digit constants (bound) and of the arithmetic.
bool equal_within(double a, double b, double bound) {
    return std::fabs(a - b) <= 5e-6 * bound + 1e-9 * (1 + std::fabs(a) + std::fabs(b));
}

struct Tally {
    int expressions = 0;
    int valueChecks = 0;
    int derivativeChecks = 0;
};

// Reads a printed text, with the derivative along seed; fails the test when it is no valid
// expression.
Num read_as(const std::string& text, const Values& values, bool caret, const std::string& context,
            const std::string& seed = "") {
    TextReader reader(text, values, seed, caret);
    Num value = reader.read();
    EXPECT_TRUE(reader.ok()) << "unreadable text '" << text << "' " << context;
    return value;
}

double central_difference(const std::string& text, Values values, const std::string& variable,
                          const std::string& context) {
    const double h = 1e-6;
    const double at = values.at(variable);
    values[variable] = at + h;
    double up = read_as(text, values, false, context).v;
    values[variable] = at - h;
    return (up - read_as(text, values, false, context).v) / (2 * h);
}

// The derivative of a tree indexed once for many variables is the text of Make_diff.
void expect_same_derivative(const ExprNode* root, const std::string& variable, bool cNotation,
                            const std::string& expected, const std::string& context) {
    std::string text = "<failed>";
    EXPECT_EQ(TreeDerivatives(root).derivative(variable, cNotation, text), 0) << context;
    EXPECT_EQ(text, expected) << "d/d" << variable << " " << context;
}

void check_derivatives(ExprNode* root, const std::string& cText, const Values& values,
                       const std::string& context, Tally& tally) {
    for (const std::string& variable : kNames) {
        ASSERT_EQ(Make_diff(root, variable, true), 0) << context;
        std::string dC = root->diffText;
        expect_same_derivative(root, variable, true, dC, context);
        Num exact = read_as(cText, values, false, context, variable);
        Num dText = dC.empty() ? Num{} : read_as(dC, values, false, context);
        if (!usable(exact.v) || !usable(exact.d) || !usable(dText.v) || !usable(dText.e)) continue;
        ++tally.derivativeChecks;
        EXPECT_TRUE(equal_within(dText.v, exact.d, dText.e))
            << "d/d" << variable << " of '" << cText << "' is '" << dC << "' = " << dText.v
            << ", exact " << exact.d << " " << context;
        if (std::fabs(exact.v) < 1e3) {
            double central = central_difference(cText, values, variable, context);
            EXPECT_TRUE(close_enough(dText.v, central, 1e-3) ||
                        equal_within(dText.v, central, dText.e))
                << "d/d" << variable << " '" << dC << "' = " << dText.v << ", central difference "
                << central << " " << context;
        }

        ASSERT_EQ(Set_expr(root, false), 0);
        ASSERT_EQ(Make_diff(root, variable, false), 0);
        expect_same_derivative(root, variable, false, root->diffText, context);
        double dCaret =
            root->diffText.empty() ? 0.0 : read_as(root->diffText, values, true, context).v;
        EXPECT_TRUE(close_enough(dCaret, dText.v, 1e-9))
            << "'^' derivative '" << root->diffText << "' = " << dCaret << " but C '" << dC
            << "' = " << dText.v << " " << context;
        ASSERT_EQ(Set_expr(root, true), 0);
    }
}

// Parses input, prints it both ways and checks values, the round trip and the derivatives.
void check_expression(ExprNode* root, const std::string& input, double expected,
                      const Values& values, Tally& tally) {
    ASSERT_EQ(Set_expr(root, false), 0) << input;
    std::string caretText = root->text;
    ASSERT_EQ(Set_expr(root, true), 0) << input;
    std::string cText = root->text;
    std::string context = "(input '" + input + "')";
    Num tree = tree_value(root, values);
    Num cValue = read_as(cText, values, false, context);
    Num caretValue = read_as(caretText, values, true, context);

    // The '^' text is what a temporary is stored as, and is parsed again when it is substituted.
    ExprNode* again = nullptr;
    ASSERT_EQ(Make_node(&again, caretText), 0) << caretText << " " << context;
    ASSERT_EQ(Set_expr(again, true), 0) << caretText;
    Num againValue = read_as(again->text, values, false, context);

    if (!usable(expected) || !usable(tree.v) || !usable(cValue.e) || !usable(tree.e)) return;
    ++tally.valueChecks;
    EXPECT_TRUE(close_enough(tree.v, expected, 1e-12)) << "tree " << tree.v << " " << context;
    EXPECT_TRUE(equal_within(cValue.v, tree.v, cValue.e + tree.e))
        << "'" << cText << "' = " << cValue.v << ", tree " << tree.v << " " << context;
    EXPECT_TRUE(equal_within(caretValue.v, tree.v, caretValue.e + tree.e))
        << "'" << caretText << "' = " << caretValue.v << ", tree " << tree.v << " " << context;
    EXPECT_TRUE(equal_within(againValue.v, cValue.v, againValue.e + cValue.e))
        << "reparsed '" << again->text << "' = " << againValue.v << " " << context;
    check_derivatives(root, cText, values, context, tally);
}

Values random_point(Generator& gen) {
    return {{"y[1]", gen.point()},
            {"y[2]", gen.point()},
            {"k[1]", gen.point()},
            {"n[1]", 2.0},
            {"n[2]", 3.0}};
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
    std::printf("expressions %d, value checks %d, derivative checks %d\n", tally.expressions,
                tally.valueChecks, tally.derivativeChecks);
    // The checks must not have been skipped wholesale.
    EXPECT_GT(tally.valueChecks, 2000);
    EXPECT_GT(tally.derivativeChecks, 5000);
}

// Long sums and differences of random terms, some in brackets: the derivative by each variable
// only visits the terms that hold it and must still give Make_diff's text.
TEST(ExpressionPropertyTest, LongSumsGiveTheDerivativesOfMakeDiff) {
    Generator gen(99);
    // A random term that may follow an operator: a leading minus gets brackets.
    auto term = [&gen] {
        std::string text = gen.text(*gen.tree(gen.uniform(0, 3)));
        return text[0] == '-' ? "(" + text + ")" : text;
    };
    for (int i = 0; i < 200 && !::testing::Test::HasFailure(); ++i) {
        std::string input = term();
        for (int count = gen.uniform(2, 40); count > 0; --count) {
            std::string next =
                gen.uniform(0, 4) == 0 ? "(" + term() + " - " + term() + ")" : term();
            input += (gen.uniform(0, 1) == 0 ? " + " : " - ") + next;
            if (gen.uniform(0, 9) == 0) input = "(" + input + ")";
        }
        ExprNode* root = nullptr;
        ASSERT_EQ(Make_node(&root, input), 0) << input;
        for (bool cNotation : {true, false}) {
            ASSERT_EQ(Set_expr(root, cNotation), 0) << input;
            for (const std::string& variable : kNames) {
                ASSERT_EQ(Make_diff(root, variable, cNotation), 0) << input;
                expect_same_derivative(root, variable, cNotation, root->diffText, input);
            }
        }
    }
}

// The first name leaf "k[1]" of a tree, found depth first: its node and side.
ExprNode* find_k1(ExprNode* root, bool& onRight) {
    std::vector<ExprNode*> stack{root};
    while (!stack.empty()) {
        ExprNode* n = stack.back();
        stack.pop_back();
        if (n->leftText == "k[1]" || n->rightText == "k[1]") {
            onRight = n->leftText != "k[1]";
            return n;
        }
        if (n->left != nullptr) stack.push_back(n->left);
        if (n->right != nullptr) stack.push_back(n->right);
    }
    return nullptr;
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
        // The leaf k[1] takes the value of the inner text.
        bool onRight = false;
        ExprNode* host = find_k1(root, onRight);
        if (host == nullptr) continue;
        std::string innerText = gen.text(*inner);
        ExprNode* sub = nullptr;
        ASSERT_EQ(Make_node(&sub, innerText), 0);
        (onRight ? host->rightText : host->leftText).clear();
        (onRight ? host->right : host->left) = sub;
        sub->parent = host;
        Values values = random_point(gen);
        ++tally.expressions;
        check_expression(root, outerText + " with k[1] = " + innerText, tree_value(root, values).v,
                         values, tally);
    }
    EXPECT_GT(tally.valueChecks, 300);
}

// The split of a printed right-hand side into its positive and negative parts keeps the value
// (V+ - V- is the whole), and both parts parse and print again as the G/H data needs them.
TEST(ExpressionPropertyTest, RateSplitKeepsTheValue) {
    Generator gen(4242);
    // Terms whose numbers print with signed three-digit exponents.
    const std::vector<std::string> exponentTerms = {"2.5e-7*y[1]", "1e6*k[1]", "1e-5",
                                                    "3E-12*y[2]*y[1]"};
    int checks = 0;
    for (int i = 0; i < 2000 && !::testing::Test::HasFailure(); ++i) {
        std::unique_ptr<Gen> g = gen.tree(gen.uniform(1, 5));
        std::string input = gen.text(*g);
        if (gen.uniform(0, 2) == 0) {
            const std::string& term = exponentTerms[gen.uniform(0, exponentTerms.size() - 1)];
            input = gen.uniform(0, 1) == 0 ? term + " - (" + input + ")" : input + " - " + term;
        }
        ExprNode* root = nullptr;
        ASSERT_EQ(Make_node(&root, input), 0) << input;
        ASSERT_EQ(Set_expr(root, false), 0) << input;
        const std::string whole = root->text;
        const std::string context = "(input '" + input + "', printed '" + whole + "')";
        RateParts parts = split_rate_terms(whole);
        Values values = random_point(gen);
        Num sides[2];
        const std::string* texts[2] = {&parts.positive, &parts.negative};
        for (int side = 0; side < 2; ++side) {
            if (texts[side]->empty()) continue;
            ExprNode* part = nullptr;
            ASSERT_EQ(Make_node(&part, *texts[side]), 0) << *texts[side] << " " << context;
            ASSERT_EQ(Set_expr(part, false), 0) << context;
            sides[side] = read_as(part->text, values, true, context);
        }
        Num value = read_as(whole, values, true, context);
        const double bound = value.e + sides[0].e + sides[1].e;
        if (!usable(value.v) || !usable(sides[0].v) || !usable(sides[1].v) || !usable(bound)) {
            continue;
        }
        ++checks;
        EXPECT_TRUE(equal_within(sides[0].v - sides[1].v, value.v, bound))
            << "V+ '" << parts.positive << "' = " << sides[0].v << ", V- '" << parts.negative
            << "' = " << sides[1].v << ", whole " << value.v << " " << context;
    }
    EXPECT_GT(checks, 1500);
}

}  // namespace

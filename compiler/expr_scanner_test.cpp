#include "expr_scanner.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace {

using zymorax::testkit::LogCapture;

// All tokens of a text as "kind:text" items, an operator followed by its priority, "!" marking
// a scanner failure.
std::string tokens_of(const std::string& text) {
    std::string out;
    std::size_t cursor = 0;
    for (int guard = 0; guard < 100; ++guard) {
        Token token;
        int status = scan_token(text, cursor, token);
        if (token.kind == 0 && status == 0) break;
        if (!out.empty()) out += ' ';
        out += token.kind;
        if (!token.text.empty()) out += ":" + token.text;
        if (token.priority != 0) out += std::to_string(token.priority);
        if (status != 0) out += '!';
    }
    return out;
}

struct ScanCase {
    std::string text;
    std::string tokens;
};

void expect_tokens(const std::vector<ScanCase>& cases) {
    for (const ScanCase& c : cases) EXPECT_EQ(tokens_of(c.text), c.tokens) << c.text;
}

// Names keep what stands in their brackets and drop blanks.
TEST(ScannerTest, ReadsOperatorsBracketsAndNames) {
    const std::vector<ScanCase> cases = {
        {"a+(b1*2.5)^k[1]-x/y", "a:a +1 ( a:b1 *2 v:2.5 ) ^3 a:k[1] -1 a:x /2 a:y"},
        {" \t\n x \n", "a:x"},
        {"", ""},
        {"k[a-b]", "a:k[a-b]"},
        {"k [ 1 ]", "a:k[1]"},
        {"a b", "a:ab"},
        {"k[f(1)+2]*x", "a:k[f(1)+2] *2 a:x"},
        {"k[a-b", "a:k[a-b"},
        {"rate,2", "a:rate,2"},
        {"x\r\n+y", "a:x +1 a:y"},
        {"k[1]]-x", "a:k[1]] -1 a:x"},
        {"_e1.5", "a:_e1.5"},
    };
    expect_tokens(cases);
}

TEST(ScannerTest, NumbersAreTheLongestDecimalPrefixPrintedWithG) {
    const std::vector<ScanCase> cases = {
        {"0.1234567", "v:0.123457"},
        {"1e6", "v:1e+006"},
        {"1.5e-3", "v:0.0015"},
        {".5", "v:0.5"},
        {"2.", "v:2"},
        {"0.00001", "v:1e-005"},
        {"123456789", "v:1.23457e+008"},
        {"007", "v:7"},
        {"1E+2", "v:100"},
        {"1e", "v:1 a:e"},
        {"1e+", "v:1 a:e +1"},
        {"2x", "v:2 a:x"},
        {"1.5.5", "v:1.5 v:0.5"},
        {"3e2.5", "v:300 v:0.5"},
        {"1e-310", "v:1e-310"},
    };
    expect_tokens(cases);
}

TEST(ScannerTest, ZeroAndOutOfRangeNumbersAreRejected) {
    LogCapture log;
    for (const char* text : {"0", "0.0", "0e5", "000", "1e999", ".", "1e-999"}) {
        Token token;
        std::size_t cursor = 0;
        EXPECT_EQ(scan_token(text, cursor, token), -1) << text;
        EXPECT_EQ(token.kind, 'v');
        EXPECT_EQ(token.text, "");
        EXPECT_GT(cursor, 0u) << text;
        EXPECT_EQ(log.take(), "#  Invalid value expression.\n") << text;
    }
}

TEST(ScannerTest, TheEndOfTheTextLeavesTheCursorThere) {
    Token token;
    std::size_t cursor = 0;
    ASSERT_EQ(scan_token("  (  ", cursor, token), 0);
    EXPECT_EQ(token.kind, '(');
    EXPECT_EQ(cursor, 3u);
    for (int again = 0; again < 2; ++again) {
        ASSERT_EQ(scan_token("  (  ", cursor, token), 0);
        EXPECT_EQ(token.kind, 0);
        EXPECT_EQ(cursor, 5u);
    }
    // A name takes the blanks after it, dropping them.
    cursor = 0;
    ASSERT_EQ(scan_token(" a b ", cursor, token), 0);
    EXPECT_EQ(token.text, "ab");
    EXPECT_EQ(cursor, 5u);
}

// Runs the check over a row written one token a character (letters are names, digits numbers);
// the log of the first refusal, or "ok".
std::string check_row(const std::string& row, bool finish) {
    LogCapture log;
    TokenRowCheck check;
    for (char c : row) {
        Token token;
        token.kind = std::isalpha(static_cast<unsigned char>(c))   ? 'a'
                     : std::isdigit(static_cast<unsigned char>(c)) ? 'v'
                                                                   : c;
        if (token.kind == 'a' || token.kind == 'v') token.text = std::string(1, c);
        token.priority = std::string("+-").find(c) != std::string::npos   ? 1
                         : std::string("*/").find(c) != std::string::npos ? 2
                         : c == '^'                                       ? 3
                                                                          : 0;
        if (check.check(token) != 0) return log.take();
    }
    if (finish && check.finish() != 0) return log.take();
    return "ok";
}

// The rows whose refusal a failure of Make_node shows (a*-b, (a)2, a+, (a, a)+(b) are tested with
// the builder.
TEST(TokenRowCheckTest, RefusesEachForbiddenRowAndAcceptsTheOthers) {
    struct Case {
        std::string row;
        bool finish;
        std::string log;
    };
    auto forbidden = [](const std::string& previous, const std::string& current) {
        return "#  previous: '" + previous + "', current: '" + current +
               "'\n#  Forbidden token row.\n";
    };
    auto notFirst = [](const std::string& kind) {
        return "#  '" + kind + "' doesnot come first.\n#  Forbidden token row.\n";
    };
    auto notLast = [](const std::string& kind) { return "#  '" + kind + "' doesnot come last.\n"; };
    auto balance = [](int open, int close) {
        return "#  Bad brackets balance. open:" + std::to_string(open) +
               ", close:" + std::to_string(close) + "\n";
    };
    const std::vector<Case> cases = {
        {")", false, notFirst(")")},
        {"*", false, notFirst("*")},
        {"^", false, notFirst("^")},
        {"()", false, forbidden("(", ")")},
        {"(/", false, forbidden("(", "/")},
        {"(a)(", false, forbidden(")", "(")},
        {"(a)b", false, forbidden(")", "b")},
        {"f(", false, forbidden("f", "(")},
        {"2(", false, forbidden("2", "(")},
        {"a2", false, forbidden("a", "2")},
        {"1b", false, forbidden("1", "b")},
        {"a+)", false, forbidden("+", ")")},
        {"-^", false, forbidden("-", "^")},
        // Brackets are counted over the whole text.
        {"(a))", false, balance(1, 2)},
        {"((a)", true, balance(2, 1)},
        // Only operands and closing brackets may end the text.
        {"a^", true, notLast("^")},
        {"(", true, notLast("(")},
        {"-", true, notLast("-")},
        {"-a", true, "ok"},
        {"+a", true, "ok"},
        {"(-a)", true, "ok"},
        {"((a))", true, "ok"},
        {"a^(2)*b", true, "ok"},
        {"", true, "ok"},
    };
    for (const Case& c : cases) EXPECT_EQ(check_row(c.row, c.finish), c.log) << c.row;
}

}  // namespace

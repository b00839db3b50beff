#include "expr_scanner.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace {

using zymorax::testkit::LogCapture;

// All tokens of a text as "kind:text" items, "!" marking a scanner failure.
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
        if (status != 0) out += '!';
    }
    return out;
}

TEST(ScannerTest, ReadsOperatorsBracketsNamesAndNumbers) {
    EXPECT_EQ(tokens_of("a+(b1*2.5)^k[1]-x/y"), "a:a + ( a:b1 * v:2.5 ) ^ a:k[1] - a:x / a:y");
    EXPECT_EQ(tokens_of(" \t\n x \n"), "a:x");
    EXPECT_EQ(tokens_of(""), "");

    Token token;
    std::size_t cursor = 0;
    scan_token("*", cursor, token);
    EXPECT_EQ(token.priority, 2);
    cursor = 0;
    scan_token("^", cursor, token);
    EXPECT_EQ(token.priority, 3);
    cursor = 0;
    scan_token("-", cursor, token);
    EXPECT_EQ(token.priority, 1);
    cursor = 0;
    scan_token("(", cursor, token);
    EXPECT_EQ(token.priority, 0);
}

TEST(ScannerTest, NumbersAreTheLongestDecimalPrefixPrintedWithG) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"0.1234567", "v:0.123457"}, {"1e6", "v:1e+006"},         {"1.5e-3", "v:0.0015"},
        {".5", "v:0.5"},             {"2.", "v:2"},               {"0.00001", "v:1e-005"},
        {"123456789", "v:1.23457e+008"}, {"007", "v:7"},          {"1E+2", "v:100"},
        {"1e", "v:1 a:e"},           {"1e+", "v:1 a:e +"},        {"2x", "v:2 a:x"},
        {"1.5.5", "v:1.5 v:0.5"},    {"3e2.5", "v:300 v:0.5"},    {"1e-310", "v:1e-310"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(tokens_of(text), expected) << text;
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

TEST(ScannerTest, NamesKeepBracketContentsAndDropBlanks) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"k[a-b]", "a:k[a-b]"},
        {"k [ 1 ]", "a:k[1]"},
        {"a b", "a:ab"},
        {"k[f(1)+2]*x", "a:k[f(1)+2] * a:x"},
        {"k[a-b", "a:k[a-b"},
        {"rate,2", "a:rate,2"},
        {"x\r\n+y", "a:x + a:y"},
        {"k[1]]-x", "a:k[1]] - a:x"},
        {"_e1.5", "a:_e1.5"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(tokens_of(text), expected) << text;
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

Token tok(char kind, const std::string& text = "") {
    Token token;
    token.kind = kind;
    token.text = text;
    if (kind == '+' || kind == '-') token.priority = 1;
    if (kind == '*' || kind == '/') token.priority = 2;
    if (kind == '^') token.priority = 3;
    return token;
}

// Runs the check over a row of tokens; the log of the first refusal, or "ok" / "ok, end".
std::string check_row(const std::vector<Token>& row, bool finish) {
    LogCapture log;
    TokenRowCheck check;
    for (const Token& token : row) {
        if (check.check(token) != 0) return log.take();
    }
    if (finish && check.finish() != 0) return log.take();
    return finish ? "ok, end" : "ok";
}

TEST(TokenRowCheckTest, RefusesEachForbiddenRowWithItsMessage) {
    const std::string forbidden = "#  Forbidden token row.\n";
    struct Case {
        std::vector<Token> row;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{tok(')')}, "#  ')' doesnot come first.\n"},
        {{tok('*')}, "#  '*' doesnot come first.\n"},
        {{tok('^')}, "#  '^' doesnot come first.\n"},
        {{tok('('), tok(')')}, "#  previous: '(', current: ')'\n"},
        {{tok('('), tok('/')}, "#  previous: '(', current: '/'\n"},
        {{tok('('), tok('a', "a"), tok(')'), tok('(')}, "#  previous: ')', current: '('\n"},
        {{tok('('), tok('a', "a"), tok(')'), tok('a', "b")}, "#  previous: ')', current: 'b'\n"},
        {{tok('('), tok('a', "a"), tok(')'), tok('v', "2")}, "#  previous: ')', current: '2'\n"},
        {{tok('a', "f"), tok('(')}, "#  previous: 'f', current: '('\n"},
        {{tok('v', "2"), tok('(')}, "#  previous: '2', current: '('\n"},
        {{tok('a', "a"), tok('v', "2")}, "#  previous: 'a', current: '2'\n"},
        {{tok('v', "1"), tok('a', "b")}, "#  previous: '1', current: 'b'\n"},
        {{tok('a', "a"), tok('*'), tok('-')}, "#  previous: '*', current: '-'\n"},
        {{tok('a', "a"), tok('+'), tok(')')}, "#  previous: '+', current: ')'\n"},
        {{tok('-'), tok('^')}, "#  previous: '-', current: '^'\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(check_row(c.row, false), c.message + forbidden) << c.message;
}

TEST(TokenRowCheckTest, AcceptsTheAllowedRows) {
    EXPECT_EQ(check_row({tok('-'), tok('a', "a")}, true), "ok, end");
    EXPECT_EQ(check_row({tok('+'), tok('a', "a")}, true), "ok, end");
    EXPECT_EQ(check_row({tok('('), tok('-'), tok('a', "a"), tok(')')}, true), "ok, end");
    EXPECT_EQ(check_row({tok('('), tok('('), tok('a', "a"), tok(')'), tok(')')}, true), "ok, end");
    EXPECT_EQ(check_row({tok('a', "a"), tok('^'), tok('('), tok('v', "2"), tok(')'), tok('*'),
                         tok('a', "b")},
                        true),
              "ok, end");
    EXPECT_EQ(check_row({}, true), "ok, end");
}

TEST(TokenRowCheckTest, CountsBracketsOverTheWholeText) {
    EXPECT_EQ(check_row({tok('a', "a"), tok(')')}, false),
              "#  Bad brackets balance. open:0, close:1\n");
    EXPECT_EQ(check_row({tok('('), tok('a', "a"), tok(')'), tok(')')}, false),
              "#  Bad brackets balance. open:1, close:2\n");
    EXPECT_EQ(check_row({tok('('), tok('('), tok('a', "a"), tok(')')}, true),
              "#  Bad brackets balance. open:2, close:1\n");
    EXPECT_EQ(check_row({tok('('), tok('a', "a")}, true), "#  Bad brackets balance. open:1, close:0\n");
}

TEST(TokenRowCheckTest, OnlyOperandsAndClosingBracketsMayEndTheText) {
    EXPECT_EQ(check_row({tok('a', "a"), tok('+')}, true), "#  '+' doesnot come last.\n");
    EXPECT_EQ(check_row({tok('a', "a"), tok('^')}, true), "#  '^' doesnot come last.\n");
    EXPECT_EQ(check_row({tok('(')}, true), "#  '(' doesnot come last.\n");
    EXPECT_EQ(check_row({tok('-')}, true), "#  '-' doesnot come last.\n");
}

}  // namespace

// Scanner of expression texts and the check of which token may follow which.
#pragma once

#include <cstddef>
#include <string>

struct Token {
    char kind = 0;  // '(' ')' '+' '-' '*' '/' '^', 'a' name, 'v' number, 'F' function (its name
                    // in text; -X only), 0 end of text
    int priority = 0;  // 1 for + -, 2 for * /, 3 for ^, else 0
    std::string text;  // names and numbers only; a number is its "%g" form
};

// Reads one token at cursor and moves the cursor past it (not past the end of the text). A number
// of value 0 or beyond the range of double logs "#  Invalid value expression.\n" and gives -1;
// the token then has kind 'v' and an empty text.
int scan_token(const std::string& text, std::size_t& cursor, Token& token);

bool is_operator_kind(char kind);
bool is_operand_kind(char kind);

// Checks each token against the one before it and counts the brackets over the whole text.
class TokenRowCheck {
  public:
    // 0, or -1 after logging why `current` may not follow the previous token.
    int check(const Token& current);
    // The checks at the end of the text: 0, or -1 after logging.
    int finish() const;

  private:
    int check_row(const Token& current) const;

    Token previous_;
    int openCount_ = 0;
    int closeCount_ = 0;
};

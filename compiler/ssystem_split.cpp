#include "ssystem_split.h"

#include <cctype>
#include <cstdlib>

#include "expr_text.h"

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool ends_name(char c) {
    return c == '(' || c == ')' || c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

// Reads one item of a term at pos into `item` and moves pos past it.
class TermReader {
  public:
    explicit TermReader(const std::string& text) : text_(text) {}

    // A bracket group up to its matching ')', blanks dropped; '(' and ')' inside a name's
    // index do not count.
    std::string group(std::size_t& pos) const {
        std::string item;
        int depth = 0;
        bool inIndex = false;
        for (; pos < text_.size(); ++pos) {
            char c = text_[pos];
            if (c == '[') inIndex = true;
            if (c == ']') inIndex = false;
            if (!inIndex && c == '(') ++depth;
            if (!inIndex && c == ')') --depth;
            if (!is_blank(c)) item += c;
            if (depth == 0) {
                ++pos;
                break;
            }
        }
        return item;
    }

    // A number: the longest decimal prefix, exponent included, printed again with "%g".
    std::string number(std::size_t& pos) const {
        std::size_t length = decimal_prefix_length(text_, pos);
        double value = std::strtod(text_.substr(pos, length).c_str(), nullptr);
        pos += length;
        return number_text(value);
    }

    // A name: up to an operator or bracket outside its index, blanks dropped.
    std::string name(std::size_t& pos) const {
        std::string item;
        bool inIndex = false;
        for (; pos < text_.size(); ++pos) {
            char c = text_[pos];
            if (!inIndex && ends_name(c)) break;
            if (c == '[') inIndex = true;
            if (c == ']') inIndex = false;
            if (!is_blank(c)) item += c;
        }
        return item;
    }

  private:
    const std::string& text_;
};

}  // namespace

RateParts split_rate_terms(const std::string& text) {
    RateParts parts;
    TermReader reader(text);
    bool negative = false;  // sign of the term being read, or of the next one
    bool termOpen = false;  // an item of the current term has been written
    std::size_t pos = 0;
    while (pos < text.size()) {
        char c = text[pos];
        if (is_blank(c)) {
            ++pos;
            continue;
        }
        if (c == '+' || c == '-') {
            // A term ends at a top-level sign; the signs before the next term multiply.
            if (termOpen) negative = false;
            termOpen = false;
            if (c == '-') negative = !negative;
            ++pos;
            continue;
        }
        std::string& part = negative ? parts.negative : parts.positive;
        if (!termOpen && !part.empty()) part += '+';
        termOpen = true;
        if (c == '(') {
            part += reader.group(pos);
        } else if (decimal_prefix_length(text, pos) > 0) {
            part += reader.number(pos);
        } else if (c == '*' || c == '/' || c == '^' || c == ')') {
            part += c;
            ++pos;
        } else {
            part += reader.name(pos);
        }
    }
    return parts;
}

#include "code_scan.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "log.h"
#include "own_kinetics.h"
#include "text_io.h"

namespace kinesim {

namespace {

bool is_name_start(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool is_name_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// The source with comments replaced by blanks, so that model texts copied into the header
// comment are never taken for code.
std::string without_comments(const std::string& text) {
    std::string code = text;
    for (size_t i = 0; i + 1 < code.size(); ++i) {
        if (code[i] == '/' && code[i + 1] == '*') {
            size_t end = code.find("*/", i + 2);
            end = end == std::string::npos ? code.size() : end + 2;
            for (size_t k = i; k < end; ++k) code[k] = code[k] == '\n' ? '\n' : ' ';
        } else if (code[i] == '/' && code[i + 1] == '/') {
            size_t end = code.find('\n', i);
            for (size_t k = i; k < end && k < code.size(); ++k) code[k] = ' ';
        }
    }
    return code;
}

// Reads "[ <digits> ]" at `pos`; the index, or -1. `pos` moves past the bracket on success.
long read_subscript(const std::string& code, size_t& pos) {
    size_t p = pos;
    if (p >= code.size() || code[p] != '[') return -1;
    ++p;
    while (p < code.size() && code[p] == ' ') ++p;
    size_t digits = p;
    while (p < code.size() && std::isdigit(static_cast<unsigned char>(code[p]))) ++p;
    if (p == digits || p - digits > 9) return -1;
    long index = std::strtol(code.c_str() + digits, nullptr, 10);
    while (p < code.size() && code[p] == ' ') ++p;
    if (p >= code.size() || code[p] != ']') return -1;
    pos = p + 1;
    return index;
}

// The name a "double *name = p->val[" declaration binds, ending just before `valStart`.
std::string declared_name(const std::string& code, size_t valStart) {
    size_t p = valStart;
    auto skip_back = [&](const char* what) {
        size_t n = std::string(what).size();
        while (p > 0 && std::isspace(static_cast<unsigned char>(code[p - 1]))) --p;
        if (p < n || code.compare(p - n, n, what) != 0) return false;
        p -= n;
        return true;
    };
    if (!skip_back("->") || !skip_back("p") || !skip_back("=")) return "";
    while (p > 0 && std::isspace(static_cast<unsigned char>(code[p - 1]))) --p;
    size_t end = p;
    while (p > 0 && is_name_char(code[p - 1])) --p;
    if (p == end || p == 0 || code[p - 1] != '*') return "";
    return code.substr(p, end - p);
}

void skip_blanks(const std::string& code, size_t& pos) {
    while (pos < code.size() && code[pos] == ' ') ++pos;
}

// The text from `pos` to the ')' that closes the call, or "" when there is none.
std::string argument_to_close(const std::string& code, size_t pos) {
    int depth = 0;
    for (size_t p = pos; p < code.size(); ++p) {
        if (code[p] == '(') ++depth;
        if (code[p] == ')' && depth-- == 0) return code.substr(pos, p - pos);
        if (code[p] == ';') break;
    }
    return "";
}

bool is_whole_number(const std::string& text) {
    size_t p = text.find_first_not_of(' ');
    if (p != std::string::npos && text[p] == '-') ++p;
    size_t digits = p;
    while (p < text.size() && std::isdigit(static_cast<unsigned char>(text[p]))) ++p;
    return p > digits && text.find_first_not_of(' ', p) == std::string::npos;
}

// "pow(y[i], exponent)" at `pos` (just after the name pow): the term, false when the base is
// not a variable or the exponent a whole number.
bool read_power(const std::string& code, size_t pos, PowerTerm& term) {
    skip_blanks(code, pos);
    if (code.compare(pos, 1, "(") != 0) return false;
    ++pos;
    skip_blanks(code, pos);
    if (code.compare(pos, 1, "y") != 0) return false;
    ++pos;
    long variable = read_subscript(code, pos);
    skip_blanks(code, pos);
    if (variable <= 0 || code.compare(pos, 1, ",") != 0) return false;
    std::string exponent = argument_to_close(code, pos + 1);
    size_t first = exponent.find_first_not_of(' ');
    if (first == std::string::npos || is_whole_number(exponent)) return false;
    term.variable = static_cast<int>(variable);
    term.exponent = exponent.substr(first);
    size_t nameEnd = 0;
    while (nameEnd < term.exponent.size() && is_name_char(term.exponent[nameEnd])) ++nameEnd;
    size_t at = nameEnd;
    long element =
        nameEnd > 0 && is_name_start(term.exponent[0]) ? read_subscript(term.exponent, at) : -1;
    if (element >= 0 && term.exponent.find_first_not_of(' ', at) == std::string::npos) {
        term.label = term.exponent.substr(0, nameEnd);
        term.element = static_cast<int>(element);
    }
    return true;
}

class Scanner {
  public:
    explicit Scanner(CodeFacts& facts) : facts_(facts) {}

    int take(const std::string& code, size_t nameStart, size_t nameEnd) {
        std::string name = code.substr(nameStart, nameEnd - nameStart);
        size_t pos = nameEnd;
        PowerTerm term;
        if (name == "pow" && read_power(code, pos, term)) {
            term.row = fvecRow_;
            facts_.powerTerms.push_back(term);
            return 0;
        }
        long first = read_subscript(code, pos);
        if (first < 0) return 0;
        if (name == "val") return bind(declared_name(code, nameStart), static_cast<int>(first));
        if (name == "fvec") {
            facts_.fvecRows.insert(static_cast<int>(first));
            fvecRow_ = static_cast<int>(first);
        }
        if (name == "y") note_variable(first);
        if (name == "fjac") {
            fvecRow_ = 0;
            facts_.largestJacobianRow = std::max<long>(facts_.largestJacobianRow, first);
            long column = read_subscript(code, pos);
            note_variable(column);
            if (column > 0) facts_.jacobianEntries.emplace(first, column);
        }
        if (name != "fvec" && name != "y" && name != "fjac") {
            reads_.push_back({name, static_cast<int>(first)});
        }
        return 0;
    }

    // Element reads count only for names that a declaration binds.
    void finish() {
        for (const auto& [name, index] : reads_) {
            for (const auto& [slot, label] : facts_.bindings) {
                if (label == name) facts_.elements[label].insert(index);
            }
        }
    }

  private:
    void note_variable(long index) {
        facts_.largestVariable = std::max<long>(facts_.largestVariable, index);
    }

    int bind(const std::string& label, int slot) {
        if (label.empty()) return 0;
        auto [it, added] = facts_.bindings.emplace(slot, label);
        if (!added && it->second != label) {
            log_sys("The C code binds both '%s' and '%s' to p->val[%d].\n", it->second.c_str(),
                    label.c_str(), slot);
            return -1;
        }
        for (const auto& [other, name] : facts_.bindings) {
            if (name == label && other != slot) {
                log_sys("The C code binds '%s' to both p->val[%d] and p->val[%d].\n", label.c_str(),
                        other, slot);
                return -1;
            }
        }
        return 0;
    }

    CodeFacts& facts_;
    std::vector<std::pair<std::string, int>> reads_;
    int fvecRow_ = 0;  // the fvec row being assigned, 0 outside usr_fvec
};

// symcode copies the Model section of the DAE file into the header comment, which ends before
// the first #include.
size_t header_end(const std::string& text) {
    return text.rfind("*/", text.find("#include"));
}

bool header_says_own_kinetics(const std::string& text) {
    size_t at = text.find(std::string(" ") + zymorax::kOwnKineticsLine);
    return at != std::string::npos && at < header_end(text);
}

// The n of a "<key><n>" line of the header comment, 0 without one.
int header_count(const std::string& text, const char* key) {
    size_t end = header_end(text);
    size_t at = text.find(std::string(" ") + key);
    if (at == std::string::npos || end == std::string::npos || at > end) return 0;
    int count = 0;
    size_t digits = at + 1 + std::strlen(key);
    size_t stop = text.find_first_not_of("0123456789", digits);
    if (!zymorax::parse_whole_number(text.substr(digits, stop - digits), count)) return 0;
    return count;
}

}  // namespace

int scan_generated_code(const std::string& text, CodeFacts& facts) {
    facts = CodeFacts();
    facts.eventCount = header_count(text, zymorax::kEventCountKey);
    facts.initialCount = header_count(text, zymorax::kInitialCountKey);
    facts.ownKinetics = header_says_own_kinetics(text);
    std::string code = without_comments(text);
    Scanner scanner(facts);
    for (size_t i = 0; i < code.size();) {
        if (!is_name_start(code[i]) || (i > 0 && is_name_char(code[i - 1]))) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < code.size() && is_name_char(code[end])) ++end;
        if (scanner.take(code, i, end) != 0) return -1;
        i = end;
    }
    scanner.finish();
    return 0;
}

}  // namespace kinesim

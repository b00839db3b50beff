#include "start_formulas.h"

#include <cctype>
#include <map>
#include <optional>
#include <set>

#include "format.h"
#include "start_values.h"

namespace kinelaw {
namespace {

bool is_target(const std::string& name) {
    return name.rfind("y[", 0) == 0 || name.rfind("par[", 0) == 0 || name.rfind("size[", 0) == 0 ||
           name.rfind("stoich[", 0) == 0 || name.rfind("constantPlayer[", 0) == 0;
}

// Writes math whose names are parameter elements and variables, assignment rules in brackets.
class FormulaWriter {
  public:
    FormulaWriter(const Model& model, const StartSymbols& symbols)
        : model_(model), symbols_(symbols) {}

    // The text, or false with `why` set.
    bool write(const ASTNode& math, std::string& text, std::string& why) {
        why.clear();
        unreadable_.clear();
        SymbolText lookup = [this](const std::string& id) { return name(id); };
        SymbolText noRates = [](const std::string&) { return std::string(); };
        if (math_text(math, lookup, model_, text, why, &noRates) != 0) {
            if (!unreadable_.empty()) why = "it reads " + unreadable_;
            return false;
        }
        if (text.find(std::string("y[") + kTimeVariable + "]") != std::string::npos) {
            why = "it reads time";
            return false;
        }
        return true;
    }

  private:
    std::string name(const std::string& id) {
        if (model_.getReaction(id) != nullptr) return refuse("the rate of reaction " + id);
        const ASTNode* rule = symbols_.assignmentRule(id);
        if (rule != nullptr) {
            if (!inlining_.insert(id).second) return refuse("the assignment rule of " + id + " through itself");
            std::string text, why;
            SymbolText lookup = [this](const std::string& inner) { return name(inner); };
            int written = math_text(*rule, lookup, model_, text, why);
            inlining_.erase(id);
            return written == 0 ? "(" + text + ")" : refuse("the assignment rule of " + id);
        }
        std::string text = symbols_.symbol(id);
        if (text.rfind("x[", 0) == 0) return refuse("the algebraic variable " + id);
        return text;
    }

    std::string refuse(const std::string& what) {
        if (unreadable_.empty()) unreadable_ = what;
        return std::string();
    }

    const Model& model_;
    const StartSymbols& symbols_;
    std::set<std::string> inlining_;
    std::string unreadable_;
};

// A species whose symbol is in other units than its given value: the value times or over the
// size of its compartment.
bool converted_start(const Model& model, const Species& s, const StartSymbols& symbols,
                     std::string& text) {
    if (!s.isSetInitialAmount() && !s.isSetInitialConcentration()) return false;
    const bool amount = counted_in_amount(model, s);
    if (amount == s.isSetInitialAmount()) return false;
    const std::string size = symbols.symbol(s.getCompartment());
    if (!is_target(size)) return false;  // no size, or one a rule gives
    const double given = amount ? s.getInitialConcentration() : s.getInitialAmount();
    text = zymorax::shortest_number_text(given) + (amount ? "*" : "/") + size;
    return true;
}

// Each formula after those whose targets it reads; a target's name ends in ']', so that y[A]
// is never found inside y[AB].
int order_formulas(std::vector<DaeDefinition>& formulas, std::string& problem) {
    std::vector<DaeDefinition> ordered, waiting = formulas;
    while (!waiting.empty()) {
        std::vector<DaeDefinition> later;
        for (const DaeDefinition& f : waiting) {
            bool ready = true;
            for (const DaeDefinition& other : waiting) {
                if (&other != &f && f.text.find(other.name) != std::string::npos) ready = false;
            }
            (ready ? ordered : later).push_back(f);
        }
        if (later.size() == waiting.size()) {
            problem = "the initial value of " + later.front().name +
                      " is computed from values that are computed from it";
            return -1;
        }
        waiting = std::move(later);
    }
    formulas = std::move(ordered);
    return 0;
}

// The value the DAE file gives `name` (label[k] or constantPlayer[k]), or none.
std::optional<double> dae_value(const LawDae& dae, const std::string& label, size_t k) {
    if (label == "constantPlayer")
        return k >= 1 && k <= dae.constants.size() ? dae.constants[k - 1].value : std::nullopt;
    for (const DaeLabel& l : dae.labels) {
        if (l.label == label) return k >= 1 && k <= l.elements.size() ? l.elements[k - 1].value : std::nullopt;
    }
    return std::nullopt;
}

// `text` with each element label[k] that has no row replaced by `settled`'s formula for it, or
// else by its value.
std::string settle_text(const LawDae& dae, const std::string& text,
                        const std::function<bool(const std::string&)>& read,
                        const std::map<std::string, std::string>& settled) {
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find('[', at);
        if (open == std::string::npos) break;
        size_t start = open;
        while (start > at && (std::isalnum(static_cast<unsigned char>(text[start - 1])) || text[start - 1] == '_'))
            --start;
        const size_t close = text.find(']', open);
        if (close == std::string::npos) break;
        const std::string label = text.substr(start, open - start), name = text.substr(start, close + 1 - start);
        std::string replacement = name;
        const std::string index = text.substr(open + 1, close - open - 1);
        if (label != "y" && !label.empty() && !index.empty() &&
            index.find_first_not_of("0123456789") == std::string::npos && !read(name)) {
            auto formula = settled.find(name);
            const std::optional<double> value = dae_value(dae, label, std::stoul(index));
            if (formula != settled.end()) replacement = "(" + formula->second + ")";
            else if (value) replacement = "(" + zymorax::shortest_number_text(*value) + ")";
        }
        out += text.substr(at, start - at) + replacement;
        at = close + 1;
    }
    return out + text.substr(std::min(at, text.size()));
}

}  // namespace

void settle_unread_values(LawDae& dae, const std::function<bool(const std::string&)>& hasRow) {
    std::map<std::string, std::string> settled;
    std::vector<DaeDefinition> kept;
    for (DaeDefinition& formula : dae.startFormulas) {
        formula.text = settle_text(dae, formula.text, hasRow, settled);
        if (formula.name.rfind("y[", 0) == 0 || hasRow(formula.name)) kept.push_back(formula);
        else settled[formula.name] = formula.text;
    }
    dae.startFormulas = std::move(kept);
}

int start_formulas(const Model& model, const StartSymbols& symbols,
                   std::vector<DaeDefinition>& formulas, std::vector<std::string>& kept,
                   std::string& problem) {
    formulas.clear();
    kept.clear();
    FormulaWriter writer(model, symbols);
    for (unsigned i = 0; i < model.getNumInitialAssignments(); ++i) {
        const InitialAssignment& a = *model.getInitialAssignment(i);
        const std::string target = symbols.symbol(a.getSymbol());
        if (!is_target(target) || a.getMath() == nullptr) continue;  // a guess, or no value
        std::string text, why;
        if (!writer.write(*a.getMath(), text, why)) {
            kept.push_back("the initial assignment to " + a.getSymbol() + ": " + why);
        } else if (text.find('[') != std::string::npos) {
            formulas.push_back({target, text});
        }
    }
    for (unsigned i = 0; i < model.getNumSpecies(); ++i) {
        const Species& s = *model.getSpecies(i);
        const std::string target = symbols.symbol(s.getId());
        std::string text;
        if (model.getInitialAssignment(s.getId()) == nullptr && is_target(target) &&
            converted_start(model, s, symbols, text)) {
            formulas.push_back({target, text});
        }
    }
    return order_formulas(formulas, problem);
}

}  // namespace kinelaw

#include "dae_symbols.h"

#include "line_splitters.h"

namespace kineport {
namespace {

// "base[index]" with one bracket of each kind and nothing after ']': the form the reader's
// splitter takes without a warning.
bool is_indexed_name(const std::string& name) {
    size_t open = name.find('[');
    size_t close = name.find(']');
    return open != std::string::npos && close == name.size() - 1 && open < close &&
           name.find('[', open + 1) == std::string::npos;
}

int resolve_element(const DaeModel& model, const std::string& name, const std::string& base,
                    const std::string& index, Symbol& symbol, std::string& problem) {
    int row = find_row(model.labelRows, base);
    if (row < 0) {
        problem = "'" + name + "': " + base + " is no used-parameter label";
        return -1;
    }
    if (index.empty() || index.find_first_not_of("0123456789") != std::string::npos) {
        problem = "'" + name + "': the index " + index + " is not written in decimal digits";
        return -1;
    }
    int k = whole_number(index);
    int count = model.paramLabels[row].elementCount;
    if (k < 1 || k > count) {
        problem = "'" + name + "': " + base + " has elements 1 to " + std::to_string(count);
        if (count == 0) problem = "'" + name + "': " + base + " has no elements";
        return -1;
    }
    symbol = Symbol{SymbolKind::Element, row, k - 1};
    return 0;
}

}  // namespace

int resolve_name(const DaeModel& model, const std::string& name, Symbol& symbol,
                 std::string& problem) {
    std::string base, index;
    if (!is_indexed_name(name) || divide_variable(name, base, index) != 0) {
        int row = find_row(model.temporaryRows, name);
        if (row < 0) {
            problem = "'" + name + "' is no temporary expression, variable or parameter element";
            return -1;
        }
        symbol = Symbol{SymbolKind::Temporary, row, -1};
        return 0;
    }
    if (base == "x" || base == "y") {
        int row = find_row(model.variableRows, index);
        if (row < 0) {
            problem = "'" + name + "': " + index + " is no variable of the Variables section";
            return -1;
        }
        symbol = Symbol{SymbolKind::Variable, row, -1};
        return 0;
    }
    return resolve_element(model, name, base, index, symbol, problem);
}

}  // namespace kineport

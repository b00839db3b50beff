// Reader of the Variables section: x[name] rows in algebraic mode, y[name] rows otherwise.
#include <limits>

#include "dae_reader.h"
#include "expr_text.h"
#include "line_splitters.h"
#include "log.h"
#include "section_files.h"
#include "text_io.h"

namespace {

int var_failure(const char* message, const std::string& line) {
    if (message != nullptr) log_sys("%s", message);
    log_sys("#  in line : %s", line.c_str());
    log_sys("## Error in read_var.\n");
    return -1;
}

// Fills `entry` from one variable line. 0, or -1 after logging the reason.
int parse_variable(const std::string& line, bool algebraic, VariableEntry& entry) {
    LineFields fields;
    if (divide_line(line, fields) != 0) return -1;
    std::string base, index;
    if (divide_variable(fields.name, base, index) != 0) {
        log_sys("#  Inappropriate expression : '%s'.\n", fields.name.c_str());
        return -1;
    }
    if (algebraic && base != "x") {
        log_sys("#  '%s' is not a variable of algebraic equations.\n", fields.name.c_str());
        return -1;
    }
    if (!algebraic && base != "y") {
        log_sys("#  '%s' is not a variable of differential equations.\n", fields.name.c_str());
        return -1;
    }
    if (index.empty()) {
        log_sys("#  Lack of index : '%s'.\n", fields.name.c_str());
        return -1;
    }
    entry.name = index;
    entry.isAlgebraic = algebraic ? 1 : 0;
    bool given = false;
    if (read_number_field(fields, entry.initialValue, given) != 0) return -1;
    // A negative value cannot be told from "no value" in the parameter file, except in the
    // extended dialect, whose writers look at `initialGiven`.
    entry.initialGiven = given;
    if (given && entry.initialValue < 0 && !extended_dialect()) {
        log_sys("#  Initial value '%s' is negative.\n", fields.valueAsWritten.c_str());
        return -1;
    }
    if (!given) entry.initialValue = -1;
    return 0;
}

// The first pair of rows (earliest first row, then earliest second row) sharing a name.
bool find_duplicate(const std::vector<VariableEntry>& variables, int& first, int& second) {
    std::unordered_map<std::string, std::pair<int, int>> rows;  // name -> first two rows
    rows.reserve(variables.size());
    for (int i = 0; i < static_cast<int>(variables.size()); ++i) {
        auto [place, isNew] = rows.emplace(variables[i].name, std::make_pair(i, -1));
        if (!isNew && place->second.second < 0) place->second.second = i;
    }
    first = std::numeric_limits<int>::max();
    for (const auto& [name, pair] : rows) {
        if (pair.second >= 0 && pair.first < first) {
            first = pair.first;
            second = pair.second;
        }
    }
    return first != std::numeric_limits<int>::max();
}

}  // namespace

int read_var(DaeModel& model) {
    FILE* in = open_logged(kVarFile, "r");
    if (in == nullptr) return -1;
    FileCloser closeIn(in);
    std::string line, lastLine;
    bool algebraic = false;
    int count = 0;
    while (zymorax::read_line(in, line)) {
        lastLine = line;
        if (line.compare(0, 6, "= Alge") == 0 || line.compare(0, 6, "= Diff") == 0) {
            algebraic = line[2] == 'A';
            continue;
        }
        VariableEntry entry;
        if (parse_variable(line, algebraic, entry) != 0) return var_failure(nullptr, line);
        if (count >= model.variableCount) {
            return var_failure("#  Too many variables. Why??\n", line);
        }
        model.variables[count++] = std::move(entry);
    }
    if (count == 0) return var_failure("#  There is no appropriate variable.\n", lastLine);
    // A head line that carried a ';' was counted but holds no variable.
    model.variables.resize(count);
    model.variableCount = count;
    int first = 0, second = 0;
    if (find_duplicate(model.variables, first, second)) {
        log_sys("#  Duplicate name : '%s' : %d and %d\n", model.variables[first].name.c_str(),
                first + 1, second + 1);
        return var_failure(nullptr, lastLine);
    }
    model.variableRows =
        index_first_rows(model.variables, [](const VariableEntry& v) { return v.name; });
    return 0;
}

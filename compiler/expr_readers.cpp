// Readers of the temporary expressions and of the equations, from the joined "tmp.tmp".
#include "dae_reader.h"
#include "line_splitters.h"
#include "log.h"
#include "section_files.h"
#include "text_io.h"

namespace {

int mid_failure(const char* message, const std::string& line) {
    if (message != nullptr) log_sys("%s", message);
    log_sys("#  in line : %s", line.c_str());
    log_sys("## Error in read_mid_expression.\n");
    return -1;
}

int equation_failure(const char* message, const std::string& line) {
    if (message != nullptr) log_sys("%s", message);
    log_sys("#  in line : %s", line.c_str());
    log_sys("## Error in read_equation.\n");
    return -1;
}

// Checks the three fields of an expression record; the message of the first fault, or null.
const char* record_fault(const LineFields& fields, const char* lackName, const char* lackValue) {
    if (!fields.tail.empty()) return "#  Inappropriate line.\n";
    if (fields.name.empty()) return lackName;
    if (fields.value.empty()) return lackValue;
    return nullptr;
}

// The residual text of an algebraic equation "left = right".
std::string algebraic_text(const LineFields& fields) {
    if (fields.name == "0") return fields.value;
    if (fields.value == "0") return fields.name;
    return fields.name + "-(" + without_leading_plus(fields.value) + ")";
}

// Fills a differential row from "dydt[name] = right". 0, or -1 after logging the reason.
int differential_row(const LineFields& fields, ExprEntry& row) {
    std::string base, index;
    if (divide_variable(fields.name, base, index) != 0) {
        log_sys("#  Inappropriate expression : '%s'.\n", fields.name.c_str());
        return -1;
    }
    if (base != "dydt") {
        log_sys("#  Inappropriate expression : '%s'.\n", base.c_str());
        return -1;
    }
    if (index.empty()) {
        log_sys("#  Lack of index.\n");
        return -1;
    }
    row.name = index;
    row.text = without_leading_plus(fields.value);
    row.kind = 0;
    return 0;
}

// Fills a row from one equation record. 0, or -1 after logging the reason.
int parse_equation(const std::string& line, bool algebraic, ExprEntry& row) {
    LineFields fields;
    if (divide_line(line, fields) != 0) return -1;
    const char* fault =
        record_fault(fields, "#  Lack of left expression.\n", "#  Lack of right expression.\n");
    if (fault != nullptr) {
        log_sys("%s", fault);
        return -1;
    }
    if (!algebraic) return differential_row(fields, row);
    row.kind = 1;
    row.text = algebraic_text(fields);
    return 0;
}

// Opens the joined file, or logs and gives null.
FILE* open_joined() {
    return open_logged(kJoinedFile, "r");
}

}  // namespace

int read_mid_expression(DaeModel& model) {
    FILE* in = fix_equation_line(kMidFile) == 0 ? open_joined() : nullptr;
    if (in == nullptr) return mid_failure(nullptr, "");
    FileCloser closeIn(in);
    std::string line;
    int kind = 0;
    int count = 0;
    while (zymorax::read_line(in, line)) {
        if (line.compare(0, 6, "= Tota") == 0 || line.compare(0, 6, "= Flux") == 0) {
            kind = line[2] == 'T' ? 1 : 0;
            continue;
        }
        LineFields fields;
        if (divide_line(line, fields) != 0) return mid_failure(nullptr, line);
        const char* fault = record_fault(fields, "#  Lack of name.\n", "#  Lack of expression.\n");
        if (fault != nullptr) return mid_failure(fault, line);
        if (count >= model.temporaryCount) {
            return mid_failure("#  Too many mid-explessions. Why??\n", line);
        }
        // One name for two expressions would bind every use to the first of them.
        auto [first, isNew] = model.temporaryRows.emplace(fields.name, count);
        if (!isNew) {
            log_sys("#  Duplicate name : '%s' : %d and %d\n", fields.name.c_str(),
                    first->second + 1, count + 1);
            return mid_failure(nullptr, line);
        }
        ExprEntry& row = model.temporaries[count++];
        row.kind = kind;
        row.name = fields.name;
        row.text = without_leading_plus(fields.value);
    }
    // A sub-head that carried a ';' was counted but holds no expression.
    model.temporaries.resize(count);
    model.temporaryCount = count;
    return 0;
}

int read_equation(DaeModel& model, bool algebraic) {
    FILE* in = fix_equation_line(algebraic ? kAeqFile : kDeqFile) == 0 ? open_joined() : nullptr;
    if (in == nullptr) {
        log_sys("## Error in read_equation.\n");
        return -1;
    }
    FileCloser closeIn(in);
    const int first = algebraic ? 0 : model.algebraicCount;
    const int limit = algebraic ? model.algebraicCount : model.differentialCount;
    std::string line;
    int count = 0;
    while (zymorax::read_line(in, line)) {
        ExprEntry row;
        if (parse_equation(line, algebraic, row) != 0) return equation_failure(nullptr, line);
        if (count >= limit) {
            return equation_failure(algebraic ? "#  Too many algebraic equations. Why??\n"
                                              : "#  Too many differential equations. Why??\n",
                                    line);
        }
        model.equations[first + count++] = std::move(row);
    }
    if (!algebraic) {
        for (int row = model.algebraicCount; row < model.equationCount; ++row) {
            model.differentialRows.emplace(model.equations[row].name, row);
        }
    }
    return 0;
}

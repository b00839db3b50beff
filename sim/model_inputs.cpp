#include "model_inputs.h"

#include <algorithm>
#include <map>

#include "algebraic_block.h"
#include "log.h"

namespace kinesim {

void ParameterValues::resize(const std::vector<int>& sizes) {
    arrays_.assign(sizes.size() + 1, {});
    for (size_t slot = 1; slot < arrays_.size(); ++slot)
        arrays_[slot].assign(sizes[slot - 1] + 1, 0.0);
    point_record();
}

ParameterValues::ParameterValues(const ParameterValues& other) : arrays_(other.arrays_) {
    point_record();
}

ParameterValues& ParameterValues::operator=(const ParameterValues& other) {
    arrays_ = other.arrays_;
    point_record();
    return *this;
}

void ParameterValues::point_record() {
    pointers_.assign(arrays_.size(), nullptr);
    for (size_t slot = 1; slot < arrays_.size(); ++slot) pointers_[slot] = arrays_[slot].data();
    record_.val = pointers_.data();
}

namespace {

int check_algebraic_count(const ParameterFile& file, const CodeFacts& code) {
    int equation = unmatched_algebraic_equation(code.jacobianEntries, file.algebraicCount);
    if (equation == 0) return 0;
    log_sys(
        "The C file and the parameter file are not of one model: with N_ALGEBR %d, algebraic "
        "equation %d of the code has no algebraic variable of its own to determine (the first "
        "N_ALGEBR equations must determine the first N_ALGEBR variables).\n",
        file.algebraicCount, equation);
    return -1;
}

int check_sizes(const ParameterFile& file, const CodeFacts& code) {
    int rows = code.fvecRows.empty() ? 0 : *code.fvecRows.rbegin();
    if (code.fvecRows.empty() || static_cast<int>(code.fvecRows.size()) != rows) {
        log_sys("The C file has no complete usr_fvec (fvec[1] to fvec[n]).\n");
        return -1;
    }
    int largest = std::max({rows, code.largestVariable, code.largestJacobianRow});
    if (rows != file.variableCount || largest > file.variableCount) {
        log_sys(
            "The C file and the parameter file are not of one model: the code has %d "
            "equations and reads variable %d, the parameter file has N_VAR %d.\n",
            rows, code.largestVariable, file.variableCount);
        return -1;
    }
    return check_algebraic_count(file, code);
}

// Every p->val[i] of the code names the label of PARAM_NAME row i.
int check_bindings(const ParameterFile& file, const CodeFacts& code) {
    for (const auto& [slot, label] : code.bindings) {
        if (slot < 1 || slot > static_cast<int>(file.labels.size()) ||
            file.labels[slot - 1] != label) {
            log_sys(
                "The C file and the parameter file are not of one model: the code reads "
                "'%s' from p->val[%d], but PARAM_NAME row %d is '%s'.\n",
                label.c_str(), slot, slot,
                slot >= 1 && slot <= static_cast<int>(file.labels.size())
                    ? file.labels[slot - 1].c_str()
                    : "(none)");
            return -1;
        }
    }
    return 0;
}

// Lines naming every value the code needs that the file leaves blank or lacks, in file order;
// elements without a row come last.
std::vector<std::string> unfilled_rows(const ParameterFile& file,
                                       const std::map<std::string, std::set<int>>& elements) {
    std::map<int, std::string> blankLines;
    std::vector<std::string> missing;
    for (const StartRow& row : file.starts) {
        if (row.value.blank) blankLines[row.line] = row.text;
    }
    std::map<std::pair<std::string, int>, const ParamValueRow*> byElement;
    for (const ParamValueRow& row : file.params) byElement[{row.label, row.index}] = &row;
    for (const auto& [label, indices] : elements) {
        for (int index : indices) {
            auto found = byElement.find({label, index});
            if (found == byElement.end()) {
                missing.push_back("  (no row): PARAM " + label + "[" + std::to_string(index) + "]");
            } else if (found->second->value.blank) {
                blankLines[found->second->line] = found->second->text;
            }
        }
    }
    std::vector<std::string> rows;
    for (const auto& [line, text] : blankLines) {
        rows.push_back("  line " + std::to_string(line) + ": " + text);
    }
    rows.insert(rows.end(), missing.begin(), missing.end());
    return rows;
}

void fill_parameters(const ParameterFile& file, const CodeFacts& code, ModelInputs& inputs) {
    std::map<std::string, int> slotOf;
    std::vector<int> sizes(file.labels.size(), 0);
    for (size_t i = 0; i < file.labels.size(); ++i) slotOf[file.labels[i]] = static_cast<int>(i);
    for (const ParamValueRow& row : file.params) {
        int& size = sizes[slotOf[row.label]];
        size = std::max(size, row.index);
    }
    for (const auto& [label, indices] : code.elements) {
        auto slot = slotOf.find(label);
        if (slot != slotOf.end() && !indices.empty()) {
            sizes[slot->second] = std::max(sizes[slot->second], *indices.rbegin());
        }
    }
    inputs.parameters.resize(sizes);
    for (const ParamValueRow& row : file.params) {
        if (!row.value.blank)
            inputs.parameters.at(slotOf[row.label] + 1, row.index) = row.value.value;
    }
}

}  // namespace

int report_unfilled_rows(const ParameterFile& file,
                         const std::map<std::string, std::set<int>>& elements) {
    std::vector<std::string> unfilled = unfilled_rows(file, elements);
    if (unfilled.empty()) return 0;
    log_sys(
        "The parameter file %s leaves values blank that the model needs; fill these "
        "rows (valfuse -R<tuned file> carries values over by tag):\n",
        file.path.c_str());
    for (const std::string& row : unfilled) log_sys("%s\n", row.c_str());
    return -1;
}

int bind_model_inputs(const ParameterFile& file, const CodeFacts& code, ModelInputs& inputs) {
    if (check_sizes(file, code) != 0 || check_bindings(file, code) != 0) return -1;
    if (report_unfilled_rows(file, code.elements) != 0) return -1;
    inputs.variableCount = file.variableCount;
    inputs.algebraicCount = file.algebraicCount;
    inputs.tags.assign(file.variableCount, "");
    inputs.initial.assign(file.variableCount, 0.0);
    for (const StartRow& row : file.starts) {
        inputs.tags[row.index - 1] = row.tag;
        inputs.initial[row.index - 1] = row.value.value;
    }
    fill_parameters(file, code, inputs);
    return 0;
}

}  // namespace kinesim

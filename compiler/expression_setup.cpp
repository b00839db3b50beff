#include "expression_setup.h"

#include <algorithm>

#include "log.h"
#include "section_files.h"

namespace {

// Temporaries built from each other (t2 = t1*t1, t3 = t2*t2, ...) double at every step. A printed
// expression may be long, as the equation of a species in thousands of reactions is, but not far
// longer than the whole DAE file: that only such doubling gives.
int check_printed_length(const DaeModel& model, const ExprNode* root) {
    const size_t limit = std::max(kMaxLineLength, 16 * model.daeFileSize);
    if (root->text.size() <= limit) return 0;
    log_sys("#  Too long expression!! leng=%zu, Max=%zu\n", root->text.size(), limit);
    return -1;
}

}  // namespace

int set_expression(DaeModel& model, std::vector<ExprEntry>& rows, bool cNotation) {
    for (size_t i = 0; i < rows.size(); ++i) {
        ExprEntry& row = rows[i];
        if (Make_node(&row.tree, row.text) != 0 ||
            check_node(model, row.tree, cNotation, CheckMode::Check) != 0 ||
            Set_expr(row.tree, false) != 0 || check_printed_length(model, row.tree) != 0) {
            log_sys("#  in No.%d : '%s'\n", static_cast<int>(i + 1), row.text.c_str());
            log_sys("## Error in set_expression. \n");
            return -1;
        }
        row.text = row.tree->text;
    }
    return 0;
}

int replace_expression(DaeModel& model, std::vector<ExprEntry>& rows, bool cNotation) {
    for (size_t i = 0; i < rows.size(); ++i) {
        ExprEntry& row = rows[i];
        if (check_node(model, row.tree, cNotation, CheckMode::Replace) != 0 ||
            Set_expr(row.tree, cNotation) != 0) {
            log_sys("#  in %d : '%s'\n", static_cast<int>(i + 1), row.text.c_str());
            log_sys("## Error in set_expression. \n");
            return -1;
        }
    }
    return 0;
}

void mark_used_labels(DaeModel& model) {
    for (ParamLabel& label : model.paramLabels) {
        label.used = 0;
        for (const ParamElement& element : label.elements) {
            if (element.used) label.used = 1;
        }
    }
}

#include "expression_setup.h"

#include "log.h"
#include "section_files.h"

namespace {

// A printed expression must fit the limit of a text: it is parsed again wherever a temporary
// is substituted, and temporaries built from each other would otherwise double at every step.
int check_printed_length(const ExprNode* root) {
    if (root->text.size() <= kMaxLineLength) return 0;
    log_sys("#  Too long expression!! leng=%d, Max=%d\n", static_cast<int>(root->text.size()),
            static_cast<int>(kMaxLineLength));
    return -1;
}

}  // namespace

int set_expression(DaeModel& model, std::vector<ExprEntry>& rows, bool cNotation) {
    for (size_t i = 0; i < rows.size(); ++i) {
        ExprEntry& row = rows[i];
        if (Make_node(&row.tree, row.text) != 0 ||
            check_node(model, row.tree, cNotation, CheckMode::Check) != 0 ||
            Set_expr(row.tree, false) != 0 || check_printed_length(row.tree) != 0) {
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

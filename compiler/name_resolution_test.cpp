#include "name_resolution.h"

#include <gtest/gtest.h>

#include "expression_setup.h"
#include "test_support.h"

namespace {

using zymorax::testkit::LogCapture;

ExprEntry temporary(const std::string& name, const std::string& text) {
    ExprEntry row;
    row.name = name;
    row.text = text;
    return row;
}

// Variables x[A] and y[B]; labels constantPlayer (1 element), k (2 elements), z (none).
DaeModel small_model(std::vector<ExprEntry> temporaries = {}) {
    DaeModel model;
    model.algebraicCount = 1;
    model.differentialCount = 1;
    model.equationCount = 2;
    model.variables.resize(2);
    model.variables[0].name = "A";
    model.variables[0].isAlgebraic = 1;
    model.variables[1].name = "B";
    model.paramLabels.resize(3);
    model.paramLabels[0].label = "constantPlayer";
    model.paramLabels[1].label = "k";
    model.paramLabels[2].label = "z";
    model.paramLabels[0].elementCount = 1;
    model.paramLabels[1].elementCount = 2;
    for (ParamLabel& label : model.paramLabels) label.elements.resize(label.elementCount);
    model.temporaries = std::move(temporaries);
    model.temporaryCount = static_cast<int>(model.temporaries.size());
    model.variableRows = {{"A", 0}, {"B", 1}};
    model.labelRows = {{"constantPlayer", 0}, {"k", 1}, {"z", 2}};
    for (size_t i = 0; i < model.temporaries.size(); ++i) {
        model.temporaryRows.emplace(model.temporaries[i].name, static_cast<int>(i));
    }
    model.differentialRows = {{"B", 1}};
    return model;
}

// Parses and checks one text; the printed text, or "failed".
std::string checked(DaeModel& model, const std::string& text) {
    ExprNode* root = nullptr;
    if (Make_node(&root, text) != 0 || check_node(model, root, true, CheckMode::Check) != 0 ||
        Set_expr(root, false) != 0) {
        return "failed";
    }
    return root->text;
}

// The used marks: one digit a variable, then each label ('+' when marked used) with one digit
// an element.
std::string marks(const DaeModel& model) {
    std::string out;
    for (const VariableEntry& v : model.variables) out += std::to_string(v.used);
    for (const ParamLabel& label : model.paramLabels) {
        out += " " + label.label + (label.used ? "+:" : ":");
        for (const ParamElement& e : label.elements) out += std::to_string(e.used);
    }
    return out;
}

// x and y name the same variable whatever its kind; a label is used when one of its elements is.
TEST(CheckNode, MarksEveryReferencedVariableElementAndLabel) {
    DaeModel model = small_model();
    EXPECT_EQ(checked(model, "k[2]*x[A]+constantPlayer[1]"), "k[2]*x[A] + constantPlayer[1]");
    EXPECT_EQ(checked(model, "y[A]"), "y[A]");
    EXPECT_EQ(marks(model), "10 constantPlayer:1 k:01 z:");
    mark_used_labels(model);
    EXPECT_EQ(marks(model), "10 constantPlayer+:1 k+:01 z:");

    DaeModel other = small_model();
    EXPECT_EQ(checked(other, "x[A]"), "x[A]");
    mark_used_labels(other);
    EXPECT_EQ(marks(other), "10 constantPlayer:0 k:00 z:");
}

TEST(CheckNode, SubstitutesTemporariesOnEitherSide) {
    DaeModel model = small_model({temporary("m", "x[A]+k[2]"), temporary("n", "-y[B]")});
    EXPECT_EQ(checked(model, "m*k[1]"), "(x[A] + k[2])*k[1]");
    EXPECT_EQ(checked(model, "k[1]-n"), "k[1] + y[B]");
    EXPECT_EQ(checked(model, "k[1]+n"), "k[1] - y[B]");
    EXPECT_EQ(checked(model, "k[1]*n"), "k[1]*(-y[B])");
    // The substituted names are not walked: their marks come from the temporaries' own rows.
    EXPECT_EQ(marks(model), "00 constantPlayer:0 k:10 z:");
}

TEST(ReplaceVariable, RewritesVariablesOnly) {
    DaeModel model = small_model();
    model.variables[0].number = 1;
    model.variables[1].number = 2;
    LogCapture log;
    std::string leaf = "x[B]";
    ASSERT_EQ(replace_variable(model, leaf), 0);
    EXPECT_EQ(leaf, "y[2]");
    leaf = "k[2]";
    ASSERT_EQ(replace_variable(model, leaf), 0);
    EXPECT_EQ(leaf, "k[2]");
    leaf = "y[C]";
    EXPECT_EQ(replace_variable(model, leaf), -1);
    EXPECT_EQ(log.take(), "#  'y[C]' is not registered.\n## Error in replace_variable.\n");
}

}  // namespace

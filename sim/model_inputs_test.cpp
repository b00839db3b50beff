#include "model_inputs.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace kinesim {
namespace {

using zymorax::testkit::LogCapture;

StartRow start(int line, int index, const std::string& tag, bool blank, double value = 0) {
    return StartRow{
        line, "Y_START ;" + std::to_string(index) + "; ;" + tag, index, {blank, value}, tag};
}

ParamValueRow param(int line, const std::string& label, int index, bool blank, double value = 0) {
    return ParamValueRow{line,           "PARAM ;" + label + ";" + std::to_string(index),
                         label,          index,
                         {blank, value}, label + std::to_string(index)};
}

class ModelInputsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        file.path = "p.txt";
        file.variableCount = 2;
        file.algebraicCount = 0;
        file.starts = {start(3, 1, "A", false, 1.5), start(4, 2, "B", false, 2.5)};
        file.params = {param(6, "k", 1, false, 0.1), param(7, "k", 2, true),
                       param(8, "k", 3, false, 0.3)};
        file.labels = {"k"};
        code.bindings = {{1, "k"}};
        code.elements = {{"k", {1, 3}}};
        code.fvecRows = {1, 2};
        code.largestVariable = 2;
        code.largestJacobianRow = 2;
    }

    int bind() {
        LogCapture capture;
        int result = bind_model_inputs(file, code, inputs);
        log = capture.take();
        return result;
    }

    ParameterFile file;
    CodeFacts code;
    ModelInputs inputs;
    std::string log;
};

TEST_F(ModelInputsTest, LaysOutValuesAsTheCodeReadsThem) {
    ASSERT_EQ(bind(), 0) << log;
    EXPECT_EQ(inputs.tags, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(inputs.initial, (std::vector<double>{1.5, 2.5}));
    Parameter* p = inputs.parameters.record();
    EXPECT_DOUBLE_EQ(p->val[1][1], 0.1);
    EXPECT_DOUBLE_EQ(p->val[1][2], 0.0);  // blank, but read by no expression
    EXPECT_DOUBLE_EQ(p->val[1][3], 0.3);
}

TEST_F(ModelInputsTest, ListsEveryRowToFillInFileOrder) {
    file.starts[1].value.blank = true;
    file.params[2].value.blank = true;
    code.elements["k"] = {1, 2, 3, 4};
    EXPECT_EQ(bind(), -1);
    EXPECT_EQ(log,
              "The parameter file p.txt leaves values blank that the model needs; fill these rows "
              "(valfuse -R<tuned file> carries values over by tag):\n"
              "  line 4: Y_START ;2; ;B\n"
              "  line 7: PARAM ;k;2\n"
              "  line 8: PARAM ;k;3\n"
              "  (no row): PARAM k[4]\n");
}

TEST_F(ModelInputsTest, RefusesCodeOfAnotherModel) {
    code.fvecRows = {1, 2, 3};
    EXPECT_EQ(bind(), -1);
    EXPECT_EQ(log,
              "The C file and the parameter file are not of one model: the code has 3 equations "
              "and reads variable 2, the parameter file has N_VAR 2.\n");
    SetUp();
    code.bindings = {{1, "k"}, {2, "kd"}};
    EXPECT_EQ(bind(), -1);
    EXPECT_EQ(log,
              "The C file and the parameter file are not of one model: the code reads 'kd' from "
              "p->val[2], but PARAM_NAME row 2 is '(none)'.\n");
    SetUp();
    code.fvecRows = {2};
    EXPECT_EQ(bind(), -1);
    EXPECT_EQ(log, "The C file has no complete usr_fvec (fvec[1] to fvec[n]).\n");
}

}  // namespace
}  // namespace kinesim

#include "code_scan.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace kinesim {
namespace {

const char* const kCode =
    "/*\n"
    " * TITLE:ka[7] and y[99] in the model text are no code\n"
    " */\n"
    "\n#include \"kine.h\"\n\n"
    "void usr_fvec(double fvec[], double y[], double Gene, Parameter *p)\n{\n"
    "\tdouble *constantPlayer\t= p->val[1];\n"
    "\tdouble *ka\t= p->val[2];\n\n"
    "\tfvec[  1] = constantPlayer[2] - (y[1] + y[3]);\n"
    "\tfvec[  2] = -ka[1]*y[2]*pow(y[1], 2e1);\n"
    "\tfvec[  3] = ka[3]*y[2];\n"
    "}\n\n"
    "void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], double Gene, Parameter *p)\n{\n"
    "\tdouble *constantPlayer\t= p->val[1];\n"
    "\tdouble *ka\t= p->val[2];\n\n"
    "\tfjac[  1][  1] = -1;\n"
    "\tfjac[  2][  4] = -ka[1];\n"
    "}\n";

TEST(CodeScan, FindsBindingsElementsAndIndices) {
    CodeFacts facts;
    ASSERT_EQ(scan_generated_code(kCode, facts), 0);
    EXPECT_EQ(facts.bindings, (std::map<int, std::string>{{1, "constantPlayer"}, {2, "ka"}}));
    EXPECT_EQ(facts.elements["constantPlayer"], (std::set<int>{2}));
    EXPECT_EQ(facts.elements["ka"], (std::set<int>{1, 3}));
    EXPECT_EQ(facts.fvecRows, (std::set<int>{1, 2, 3}));
    EXPECT_EQ(facts.largestVariable, 4);  // fjac column 4
    EXPECT_EQ(facts.largestJacobianRow, 2);
}

TEST(CodeScan, IgnoresArraysThatNoDeclarationBinds) {
    CodeFacts facts;
    ASSERT_EQ(scan_generated_code("double q[3]; x = q[2] + y[ 5 ];", facts), 0);
    EXPECT_TRUE(facts.elements.empty());
    EXPECT_EQ(facts.largestVariable, 5);
}

TEST(CodeScan, RefusesOneSlotForTwoLabelsAndTwoSlotsForOneLabel) {
    zymorax::testkit::LogCapture log;
    CodeFacts facts;
    EXPECT_EQ(scan_generated_code("double *ka = p->val[1]; double *kd = p->val[1];", facts), -1);
    EXPECT_EQ(log.take(), "The C code binds both 'ka' and 'kd' to p->val[1].\n");
    EXPECT_EQ(scan_generated_code("double *ka = p->val[1]; double *ka = p->val[2];", facts), -1);
    EXPECT_EQ(log.take(), "The C code binds 'ka' to both p->val[1] and p->val[2].\n");
}

}  // namespace
}  // namespace kinesim

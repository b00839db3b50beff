#include "dae_reader.h"

#include <gtest/gtest.h>

#include "symcode_test_support.h"

namespace {

using symcode_test::DaeText;
using symcode_test::WorkDir;
using zymorax::testkit::LogCapture;

// Reads `dae` from a fresh working directory; the log of the run goes to `log`.
int read_text(const WorkDir& dir, const std::string& dae, DaeModel& model, std::string& log) {
    LogCapture capture;
    dir.write("model.dae", dae);
    int result = read_data(model, "model.dae");
    log = capture.take();
    return result;
}

TEST(DaeReader, ReadsEveryTableOfAValidFile) {
    WorkDir dir;
    DaeModel model;
    std::string log;
    ASSERT_EQ(read_text(dir, DaeText().text(), model, log), 0) << log;
    EXPECT_EQ(log, "");
    EXPECT_EQ(model.variableCount, 3);
    EXPECT_EQ(model.algebraicCount, 1);
    EXPECT_EQ(model.differentialCount, 2);
    EXPECT_EQ(model.equationCount, 3);
    EXPECT_EQ(model.constantCount, 1);
    EXPECT_EQ(model.paramLabelCount, 3);

    ASSERT_EQ(model.variables.size(), 3u);
    EXPECT_EQ(model.variables[0].name, "AB.cyt");
    EXPECT_EQ(model.variables[0].isAlgebraic, 1);
    EXPECT_EQ(model.variables[0].initialValue, -1);
    EXPECT_EQ(model.variables[2].name, "B.cyt");
    EXPECT_EQ(model.variables[2].isAlgebraic, 0);
    EXPECT_EQ(model.variables[2].initialValue, 0.5);

    ASSERT_EQ(model.paramLabels.size(), 3u);
    EXPECT_EQ(model.paramLabels[0].label, "constantPlayer");
    EXPECT_EQ(model.paramLabels[1].label, "ka");
    EXPECT_EQ(model.paramLabels[2].label, "kd");
    ASSERT_EQ(model.paramLabels[0].elementCount, 1);
    EXPECT_EQ(model.paramLabels[0].elements[0].value, 2);
    EXPECT_EQ(model.paramLabels[0].elements[0].tag, "C.cyt");
    EXPECT_EQ(model.paramLabels[1].elements[0].value, 0.1);
    EXPECT_EQ(model.paramLabels[1].elements[0].tag, "binding_association_rate_constant_A.cyt_B.cyt");
    EXPECT_EQ(model.paramLabels[2].elements[0].value, NO_VALUE);

    EXPECT_EQ(model.equations[0].kind, 1);
    EXPECT_EQ(model.equations[0].text, "ka[1]*y[A.cyt]*y[B.cyt]-kd[1]*x[AB.cyt]");
    EXPECT_EQ(model.equations[1].kind, 0);
    EXPECT_EQ(model.equations[1].name, "A.cyt");
    EXPECT_EQ(model.equations[1].text, "-ka[1]*y[A.cyt]*y[B.cyt]+kd[1]*x[AB.cyt]");
    EXPECT_EQ(model.equations[2].name, "B.cyt");
    EXPECT_EQ(find_row(model.differentialRows, "B.cyt"), 2);
    EXPECT_EQ(find_row(model.variableRows, "A.cyt"), 1);
    EXPECT_EQ(find_row(model.labelRows, "kd"), 2);
}

TEST(DaeReader, AlgebraicTextsFollowTheSideThatIsZero) {
    WorkDir dir;
    DaeText dae;
    dae.variables = "= Algebraic Equation =\nx[a] = ;\nx[b] = ;\nx[c] = ;\nx[d] = ;\n"
                    "= Differencial Equation =\ny[A.cyt] = 1;\ny[B.cyt] = 0.5;\n";
    dae.algebraic = "aeq_1: 0 = a*b;\naeq_2: c = 0;\naeq_3: c = +a;\naeq_4: 0 = +a;\n";
    DaeModel model;
    std::string log;
    ASSERT_EQ(read_text(dir, dae.text(), model, log), 0) << log;
    EXPECT_EQ(model.equations[0].text, "a*b");
    EXPECT_EQ(model.equations[1].text, "c");
    EXPECT_EQ(model.equations[2].text, "c-(a)");
    EXPECT_EQ(model.equations[3].text, "+a");
    EXPECT_EQ(model.equations[4].name, "A.cyt");
}

TEST(DaeReader, JoinsRecordsAndDropsCommentsAndLabels) {
    WorkDir dir;
    DaeText dae;
    dae.variables = "y[A.cyt] = 1; # start; not counted\ny[B.cyt] = 0.5;\n";
    dae.algebraic = "";
    dae.differential = "deq_1: dydt[A.cyt] = - ka[1]*y[A.cyt]\n"
                       "    *y[B.cyt]\n"
                       "  + kd[1];   \n"
                       "deq_2: dydt[B.cyt] =\n+ kd[1]*y[A.cyt];\n";
    DaeModel model;
    std::string log;
    ASSERT_EQ(read_text(dir, dae.text(), model, log), 0) << log;
    EXPECT_EQ(model.variableCount, 2);
    EXPECT_EQ(model.algebraicCount, 0);
    EXPECT_EQ(model.equations[0].text, "-ka[1]*y[A.cyt]*y[B.cyt]+kd[1]");
    EXPECT_EQ(model.equations[1].text, "kd[1]*y[A.cyt]");
    EXPECT_EQ(dir.read("aeq.tmp"), "");
    EXPECT_EQ(dir.read("var.tmp"), "y[A.cyt] = 1; \ny[B.cyt] = 0.5;\n");
}

TEST(DaeReader, ElementsBelowTheLargestIndexExistWithoutTag) {
    WorkDir dir;
    DaeText dae;
    dae.usedParameters = "ka;\nkd;\nk;\n";
    dae.parameters += "k[3] = ; tag3\nk[2] = 7; first\nk[2] = 8; second\n";
    DaeModel model;
    std::string log;
    ASSERT_EQ(read_text(dir, dae.text(), model, log), 0) << log;
    const ParamLabel& k = model.paramLabels[3];
    ASSERT_EQ(k.elementCount, 3);
    EXPECT_EQ(k.elements[0].tag, "");
    EXPECT_EQ(k.elements[0].value, 0);
    EXPECT_EQ(k.elements[1].tag, "second");
    EXPECT_EQ(k.elements[1].value, 8);
    EXPECT_EQ(k.elements[2].tag, "tag3");
    EXPECT_EQ(k.elements[2].value, NO_VALUE);
}

TEST(DaeReader, ReadsTemporariesByKind) {
    WorkDir dir;
    DaeText dae;
    dae.temporaries = "= Total enzyme =\nT_E.cyt = y[A.cyt] +\n 2*y[B.cyt];\n\n"
                      "= Flux =\nflux_A = +ka[1]*y[A.cyt];\n= Total enzyme =\nT_F = kd[1];\n";
    DaeModel model;
    std::string log;
    ASSERT_EQ(read_text(dir, dae.text(), model, log), 0) << log;
    ASSERT_EQ(model.temporaries.size(), 3u);
    EXPECT_EQ(model.temporaries[0].kind, 1);
    EXPECT_EQ(model.temporaries[0].name, "T_E.cyt");
    EXPECT_EQ(model.temporaries[0].text, "y[A.cyt]+2*y[B.cyt]");
    EXPECT_EQ(model.temporaries[1].kind, 0);
    EXPECT_EQ(model.temporaries[1].text, "ka[1]*y[A.cyt]");
    EXPECT_EQ(model.temporaries[2].kind, 1);
    EXPECT_EQ(find_row(model.temporaryRows, "T_F"), 2);
}

TEST(DaeReader, ARepeatedSectionKeepsItsLastOccurrence) {
    WorkDir dir;
    std::string text = DaeText().text() + "\n== Used Parameters ==\nka;\nkd;\nkx;\n";
    DaeModel model;
    std::string log;
    ASSERT_EQ(read_text(dir, text, model, log), 0) << log;
    EXPECT_EQ(model.paramLabelCount, 4);
    EXPECT_EQ(model.paramLabels[3].label, "kx");
}

TEST(DaeReader, SectionFilesOfAnEarlierRunAreNotRead) {
    WorkDir dir;
    dir.write("mid.tmp", "= Flux =\nold = y[A.cyt];\n");
    DaeText dae;
    std::string text = dae.text();
    size_t parameters = text.find("== Parameters ==");
    text.erase(parameters, text.find("== Algebraic") - parameters);
    dir.write("param.tmp", "ka[1] = 3; stale\n");
    DaeModel model;
    std::string log;
    EXPECT_EQ(read_text(dir, text, model, log), -1);
    EXPECT_EQ(log, "#  Cannot open param.tmp\n## Error in read_param.\n## Error in read_data.\n");
    EXPECT_FALSE(dir.exists("mid.tmp"));
}

TEST(DaeReader, RefusesADaeFileStoredUnderAWorkFileName) {
    WorkDir dir;
    dir.write("var.tmp", DaeText().text());
    DaeModel model;
    LogCapture capture;
    EXPECT_EQ(read_data(model, "var.tmp"), -1);
    EXPECT_EQ(capture.take(),
              "#  'var.tmp' is a work file of symcode. Rename the DAE file.\n"
              "## Error in split_dae_file. \n## Error in split_DAEfile. \n## Error in read_data.\n");
    EXPECT_EQ(dir.read("var.tmp"), DaeText().text());
}

TEST(DaeReader, AMissingFileNameIsNeverUsed) {
    WorkDir dir;
    DaeModel model;
    LogCapture capture;
    EXPECT_EQ(read_data(model, ""), -1);
    EXPECT_EQ(capture.take(),
              "#  No name is given for the DAE file (-D).\n## Error in read_data.\n");
}

TEST(DaeReader, AcceptsALineAtTheLengthLimitAndRejectsALongerOne) {
    WorkDir dir;
    DaeText dae;
    std::string tag(65535 - 1 - std::string("kd[1] = ; ").size(), 't');
    dae.parameters = "kd[1] = ; " + tag + "\n";
    dae.usedParameters = "kd;\n";
    dae.algebraic = "aeq_1: kd[1]*x[AB.cyt] = 0;\n";
    dae.differential = "deq_1: dydt[A.cyt] = kd[1];\ndeq_2: dydt[B.cyt] = kd[1];\n";
    DaeModel model;
    std::string log;
    ASSERT_EQ(read_text(dir, dae.text(), model, log), 0) << log;
    EXPECT_EQ(model.paramLabels[1].elements[0].tag.size(), tag.size());

    dae.parameters = "kd[1] = ; " + tag + "t\n";
    DaeModel longer;
    EXPECT_EQ(read_text(dir, dae.text(), longer, log), -1);
    EXPECT_EQ(log, "#  Too long input line :'kd[1] = ; " + tag + "t'\n"
                   "## Error in split_dae_file. \n## Error in split_DAEfile. \n"
                   "## Error in read_data.\n");
}

}  // namespace

#include "param_reader.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace kinesim {
namespace {

using zymorax::testkit::LogCapture;
using zymorax::testkit::TempDir;
using zymorax::testkit::write_file;

const char* const kGenerated =
    "##### Model ################\n"
    "# TITLE:Two pools\n"
    "# INFO:A <-> B\n"
    "N_VAR   ;   3; # num of variables(all)\n"
    "N_ALGEBR;   1; # num of variables(Algebraic Eq)\n"
    "\n"
    "#Y_START ; index; initial_value; tag #comment\n"
    "Y_START ;   1;            ;  C.cyt\t#\n"
    "Y_START ;   2; 1.0000e+000;  A.cyt\t#\n"
    "Y_START ;   3; 2.5000e-003;  B.cyt\t#\n"
    "\n"
    "#PARAM;name;index;val;val_start;num_survey;D/R/S;change-val;GA_min;GA_max;tag #comment\n"
    "PARAM   ;constantPlayer;   1;           1;;0;D;;;; X.cyt\t# Not Used!!\n"
    "PARAM   ;constantPlayer;   2;         3.5;;0;D;;;; T.cyt\t#\n"
    "PARAM   ;kx            ;   1;            ;;0;D;;;; reaction_rate_constant_A.cyt\t#\n"
    "\n"
    "#T_EVENT ; name; index; time; value; #comment\n"
    "\n"
    "\n"
    "######## Don't edit the following lines. ######\n"
    "PARAM_NAME ;constantPlayer  #\n"
    "PARAM_NAME ;kx              #\r\n";

class ParamReaderTest : public ::testing::Test {
  protected:
    // Reads `content`; the log lines go to `log`.
    int read(const std::string& content) {
        write_file(dir.file("param.txt"), content);
        LogCapture capture;
        int result = read_parameter_file(dir.file("param.txt"), file);
        log = capture.take();
        return result;
    }

    std::string path() const { return dir.file("param.txt"); }

    TempDir dir;
    ParameterFile file;
    std::string log;
};

TEST_F(ParamReaderTest, ReadsTheRowsOfAGeneratedFile) {
    ASSERT_EQ(read(kGenerated + std::string("T_EVENT ;kx;1;5;0.2;\n")), 0) << log;
    EXPECT_EQ(file.title, "Two pools");
    EXPECT_EQ(file.variableCount, 3);
    EXPECT_EQ(file.algebraicCount, 1);
    ASSERT_EQ(file.starts.size(), 3u);
    EXPECT_EQ(file.starts[0].line, 8);
    EXPECT_TRUE(file.starts[0].value.blank);
    EXPECT_EQ(file.starts[0].tag, "C.cyt");
    EXPECT_FALSE(file.starts[2].value.blank);
    EXPECT_DOUBLE_EQ(file.starts[2].value.value, 0.0025);  // three exponent digits
    ASSERT_EQ(file.params.size(), 3u);
    EXPECT_EQ(file.params[1].label, "constantPlayer");
    EXPECT_EQ(file.params[1].index, 2);
    EXPECT_DOUBLE_EQ(file.params[1].value.value, 3.5);
    EXPECT_EQ(file.params[2].tag, "reaction_rate_constant_A.cyt");
    EXPECT_TRUE(file.params[2].value.blank);
    EXPECT_EQ(file.labels, (std::vector<std::string>{"constantPlayer", "kx"}));
    // Event rows are kept for the caller.
    ASSERT_EQ(file.events.size(), 1u);
    EXPECT_EQ(file.events[0].line, 23);
    EXPECT_EQ(file.events[0].text, "T_EVENT ;kx;1;5;0.2;");
    EXPECT_EQ(log, "");
}

// Replaces the first occurrence of `from` in the generated file.
std::string edited(const std::string& from, const std::string& to) {
    std::string content = kGenerated;
    content.replace(content.find(from), from.size(), to);
    return content;
}

// Every fault names the file, and the line where a row is at fault.
TEST_F(ParamReaderTest, NamesWhatIsWrongAndWhere) {
    struct Case {
        std::string from, to, message;
    };
    std::vector<Case> cases = {
        {"Y_START ;   3; 2.5000e-003;", "Y_START ;   3; 2.5x;",
         ":10: the initial value '2.5x' is not a number\n"},
        {"Y_START ;   3; 2.5000e-003;  B.cyt\t#", "Y_START ;   3; 1",
         ":10: a Y_START row has 4 fields separated by ';'\n"},
        {"Y_START ;   3; 2.5000e-003;  B.cyt\t#", "Y_START ;   3; 1; #x",
         ":10: the tag (the variable's name) is empty\n"},
        {"Y_START ;   3;", "Y_START ;   0;", ":10: the index is not a number from 1\n"},
        {"Y_START ;   3;", "Y_START ;   4;", ":10: the index is larger than N_VAR (3)\n"},
        {"Y_START ;   3;", "Y_START ;   2;",
         ":10: variable 2 has a Y_START row already (line 9)\n"},
        {";         3.5;", ";         inf;", ":14: the value 'inf' is not a number\n"},
        {";0;D;;;; T.cyt", ";0;D;;; T.cyt", ":14: a PARAM row has 11 fields separated by ';'\n"},
        {"PARAM   ;kx            ;   1", "PARAM   ;kq            ;   1",
         ":15: the label 'kq' has no PARAM_NAME row\n"},
        {"PARAM   ;constantPlayer;   2", "PARAM   ;constantPlayer;   1",
         ":14: constantPlayer[1] has a PARAM row already\n"},
        {"PARAM_NAME ;kx              #", "PARAM_NAME ;",
         ":22: a PARAM_NAME row names one label: PARAM_NAME ;<label> #\n"},
        {"N_ALGEBR;   1;", "N_ALGEBR;  -1;", ":5: the count is not a whole number\n"},
        {"\n#T_EVENT", "\nY_STRAT ; 1; 2; A\n#T_EVENT", ":17: unknown row type 'Y_STRAT'\n"},
        // the counts, and the rows they call for
        {"N_VAR   ;   3; # num of variables(all)\n", "",
         ": no N_VAR row with a count of at least 1.\n"},
        {"N_ALGEBR;   1;", "N_ALGEBR;   4;",
         ": no N_ALGEBR row with a count from 0 to N_VAR (3).\n"},
        {"Y_START ;   2; 1.0000e+000;  A.cyt\t#\n", "",
         ": N_VAR is 3, but there is no Y_START row for variable 2.\n"},
        {"PARAM_NAME ;kx ", "PARAM_NAME ;constantPlayer ",
         ": the label 'constantPlayer' has two PARAM_NAME rows.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from + " -> " + c.to);
        EXPECT_EQ(read(edited(c.from, c.to)), -1);
        EXPECT_EQ(log, path() + c.message);
    }
}

TEST_F(ParamReaderTest, ReportsAFileThatCannotBeOpened) {
    LogCapture capture;
    EXPECT_EQ(read_parameter_file(dir.file("missing.txt"), file), -1);
    EXPECT_EQ(capture.take(), "Cannot open the parameter file " + dir.file("missing.txt") + ".\n");
}

}  // namespace
}  // namespace kinesim

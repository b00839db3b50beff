// The modeller's round trip through the real programs: convert a model, compile it, tune the
// parameter file, regenerate the model with another method, carry the tuned values over with
// valfuse and export them with valscribe.
#include <gtest/gtest.h>

#include <map>

#include "format.h"
#include "text_io.h"
#include "workspace.h"

namespace {

using namespace zymorax::testkit;

// A value row's key: its type and its tag (the last field up to '#', trimmed).
std::string keyOf(const std::vector<std::string>& fields) {
    std::string last = fields.back().substr(0, fields.back().find('#'));
    return zymorax::trim(fields[0]) + " " + zymorax::trim(last);
}

bool isValueRow(const std::vector<std::string>& fields) {
    std::string type = fields.empty() ? "" : zymorax::trim(fields[0]);
    return (type == "Y_START" && fields.size() == 4) || (type == "PARAM" && fields.size() == 11);
}

// Gives every value row of a parameter file its own value and returns the values by key.
std::map<std::string, double> tune(std::string& file) {
    std::map<std::string, double> tuned;
    std::string result;
    double next = 0.125;
    for (const std::string& line : split(file, '\n')) {
        std::vector<std::string> fields = split(line, ';');
        if (isValueRow(fields)) {
            size_t value = zymorax::trim(fields[0]) == "Y_START" ? 2 : 3;
            fields[value] = zymorax::format("%g", next);
            tuned[keyOf(fields)] = next;
            next *= 1.5;
            std::string rebuilt;
            for (size_t i = 0; i < fields.size(); ++i) rebuilt += (i ? ";" : "") + fields[i];
            result += rebuilt + "\n";
        } else {
            result += line + "\n";
        }
    }
    file = result;
    return tuned;
}

class ChainRoundTrip : public ::testing::Test {
  protected:
    // Converts the example with the Gene-Protein method and compiles it into <prefix>_param.txt.
    void generate(const std::string& method, const std::string& prefix) {
        ProgramRun convert =
            ws.rxnconv({"-N" + source_path("examples/enzyme_complex.xml"), "-U" + prefix + ".usage",
                        "-D" + prefix + ".dae", "-g" + method});
        ASSERT_EQ(convert.status, 0) << convert.log;
        ProgramRun compile =
            ws.run("symcode",
                   {"-D" + prefix + ".dae", "-P" + prefix + "_param.txt", "-F" + prefix + ".c",
                    "-T" + prefix + "_flux.c", "-G" + prefix + "_gh.c", "-S" + prefix + "_ssys.c"});
        ASSERT_EQ(compile.status, 0) << compile.log;
    }

    Workspace ws;
};

}  // namespace

TEST_F(ChainRoundTrip, TunedValuesOfOneMethodReachTheScriptsOfTheModelRegeneratedWithAnother) {
    ASSERT_NO_FATAL_FAILURE(generate("CMA", "v1"));
    std::string first = ws.read("v1_param.txt");
    std::map<std::string, double> tuned = tune(first);
    ws.put("v1_param.txt", first);
    ASSERT_NO_FATAL_FAILURE(generate("TPP_RAPID", "v2"));

    ProgramRun merge = ws.run("valfuse", {"-Iv2_param.txt", "-Rv1_param.txt"});
    ASSERT_EQ(merge.status, 0) << merge.log;
    ASSERT_EQ(ws.run("valscribe", {"-Iv2_param.txt"}).status, 0);
    std::string init = ws.read("ZYMORAX_Merge_init.m");
    std::string param = ws.read("ZYMORAX_Merge_param.m");

    int carried = 0, fresh = 0;
    for (const std::string& line : split(ws.read("v2_param.txt"), '\n')) {
        std::vector<std::string> fields = split(line, ';');
        if (!isValueRow(fields)) continue;
        auto old = tuned.find(keyOf(fields));
        bool yStart = zymorax::trim(fields[0]) == "Y_START";
        std::string value = zymorax::trim(fields[yStart ? 2 : 3]);
        if (old == tuned.end()) {
            ++fresh;
            continue;
        }
        ++carried;
        EXPECT_EQ(value, zymorax::trim(zymorax::format(yStart ? "%12.4e" : "%12.4g", old->second)))
            << line;
        std::string tag = keyOf(fields).substr(keyOf(fields).find(' ') + 1);
        std::string script =
            yStart ? "\tY_START(" + zymorax::trim(fields[1]) + ").value = " + value + "; % " + tag
                   : "\tparam." + zymorax::trim(fields[1]) + "(" + zymorax::trim(fields[2]) +
                         ").value = " + value + ";";
        EXPECT_NE((yStart ? init : param).find(script + "\n"), std::string::npos) << script;
    }
    // Species and rate constants carry over; the binding constants of TPP_RAPID are new.
    EXPECT_GE(carried, 5);
    EXPECT_GE(fresh, 1);
}

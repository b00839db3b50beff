#include "fit_plots.h"

#include <gtest/gtest.h>

#include <regex>

namespace kinefit {
namespace {

ExperimentPlan plan_observing(const std::string& path, std::vector<int> observed) {
    ExperimentPlan plan;
    plan.path = path;
    plan.times = {0.0, 1.0};
    plan.observed = observed;
    for (int variable : observed) plan.points.push_back({1, variable, 2.0, 1.0, 0.0});
    return plan;
}

// The plot lines of a script, each as "title|colour of the curve|colour of the points".
std::vector<std::string> panels_of(const std::string& script) {
    std::vector<std::string> panels;
    std::regex panel("set title '([^']*)'\nplot [^\n]*? lc (\\d+) notitle(, [^\n]* lc (\\d+))?");
    for (std::sregex_iterator it(script.begin(), script.end(), panel), end; it != end; ++it) {
        panels.push_back((*it)[1].str() + "|" + (*it)[2].str() + "|" + (*it)[4].str());
    }
    return panels;
}

TEST(FitPlot, DrawsEveryVariableOnItsOwnAxisInOneColourThroughout) {
    std::vector<std::string> tags = {"A", "B", "C"};
    std::vector<ExperimentPlan> plans = {plan_observing("one.csv", {0}),
                                         plan_observing("two.csv", {2, 0})};
    std::string script =
        fit_plot_script(plans, tags, {{"c0", "p0"}, {"c1", "p1"}}, "fit.png");
    EXPECT_EQ(panels_of(script),
              (std::vector<std::string>{"one.csv: A|1|1", "two.csv: C|2|2", "two.csv: A|1|1"}));
    // Two experiments, two columns: the second starts a row of its own.
    EXPECT_NE(script.find("set multiplot layout 2,2\n"), std::string::npos);
    EXPECT_NE(script.find("two.csv: A'\nplot 'c1' using 1:3 "), std::string::npos);
    size_t padding = script.find("set multiplot next\n");
    EXPECT_GT(padding, script.find("one.csv: A"));
    EXPECT_LT(padding, script.find("two.csv: C"));
}

TEST(FitPlot, WrapsManyVariablesIntoRowsOfThree) {
    std::vector<std::string> tags = {"A", "B", "C", "D", "E"};
    std::string script = fit_plot_script({plan_observing("one.csv", {0, 1, 2, 3, 4})}, tags,
                                         {{"c0", "p0"}}, "fit.png");
    EXPECT_NE(script.find("set multiplot layout 2,3\n"), std::string::npos);
    EXPECT_EQ(panels_of(script).size(), 5u);
    EXPECT_NE(script.find("'p0' index 4 using 1:2 with points pt 7 lc 5"), std::string::npos);
}

}  // namespace
}  // namespace kinefit

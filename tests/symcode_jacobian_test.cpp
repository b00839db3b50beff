// The generated C code compiles and its Jacobian is right: every DAE file under
// compiler/testdata and converter/testdata, and every DAE file rxnconv makes of the examples
// (tests/golden), is compiled by symcode and by the
// system C compiler, and usr_fjac is compared with central finite differences of usr_fvec at
// random positive points.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "compiled_code.h"
#include "test_support.h"

using namespace zymorax::testkit;
using namespace compiled_code;

namespace {

using FvecFunction = void (*)(double*, double*, double, Parameter*);
using FjacFunction = void (*)(double*, double*, double, Parameter*);  // rows of rowLength

// The compiled model: symcode's C code loaded as a shared library.
class CompiledModel {
  public:
    // Runs symcode and the C compiler in `dir`; fails the test on any error.
    void build(const TempDir& dir, const std::string& daeFile) {
        write_file(dir.file("model.dae"), read_file(daeFile));
        RunResult run = run_program(
            program_path("symcode"),
            {"-Dmodel.dae", "-Pparam.txt", "-Fusrfunc.c", "-Ttemp.c", "-Ggh.c", "-Sssys.c"},
            dir.path(), {{"ZYMORAX_SYSLOG", dir.file("sys.log")}});
        ASSERT_EQ(run.status, 0) << read_file(dir.file("sys.log"));
        layout = read_layout(dir.file("param.txt"));
        rowLength = layout.variableCount + 1;
        ASSERT_EQ(compile_shared(dir.path(), {"usrfunc.c", "temp.c"}, "model.so", rowLength), "");
        ASSERT_EQ(library_.open(dir.file("model.so")), "");
        fvec = reinterpret_cast<FvecFunction>(library_.symbol("usr_fvec"));
        fjac = reinterpret_cast<FjacFunction>(library_.symbol("usr_fjac"));
        ASSERT_NE(fvec, nullptr);
        ASSERT_NE(fjac, nullptr);
        ASSERT_NE(library_.symbol("usr_flux"), nullptr);
    }

    ParameterLayout layout;
    int rowLength = 0;
    FvecFunction fvec = nullptr;
    FjacFunction fjac = nullptr;

  private:
    SharedObject library_;
};

std::vector<double> residuals(const CompiledModel& model, std::vector<double> y, Parameter* p) {
    std::vector<double> f(y.size(), 0.0);
    model.fvec(f.data(), y.data(), 1.0, p);
    return f;
}

void check_jacobian_at(const CompiledModel& model, std::mt19937& random, const std::string& name) {
    const int n = model.layout.variableCount;
    ParameterValues parameters(model.layout.elementCounts, random);
    std::uniform_real_distribution<double> value(0.5, 2.0);
    std::vector<double> y(n + 1, 0.0);
    for (int i = 1; i <= n; ++i) y[i] = value(random);

    std::vector<double> jacobian(static_cast<size_t>(n + 1) * model.rowLength, 0.0);
    model.fjac(jacobian.data(), y.data(), 1.0, &parameters.record);
    for (int column = 1; column <= n; ++column) {
        const double h = 1e-5 * std::max(1.0, std::fabs(y[column]));
        std::vector<double> up = y, down = y;
        up[column] += h;
        down[column] -= h;
        std::vector<double> fUp = residuals(model, up, &parameters.record);
        std::vector<double> fDown = residuals(model, down, &parameters.record);
        for (int row = 1; row <= n; ++row) {
            double numeric = (fUp[row] - fDown[row]) / (2 * h);
            double symbolic = jacobian[static_cast<size_t>(row) * model.rowLength + column];
            ASSERT_TRUE(std::isfinite(symbolic))
                << name << " fjac[" << row << "][" << column << "]";
            double scale = std::max(std::fabs(numeric), std::fabs(symbolic));
            if (scale < 1e-7) continue;  // both tiny: an entry left out or a vanishing one
            EXPECT_LT(std::fabs(numeric - symbolic) / scale, 1e-6)
                << name << " fjac[" << row << "][" << column << "] = " << symbolic
                << ", finite differences " << numeric;
        }
    }
}

TEST(SymcodeJacobian, MatchesFiniteDifferencesForEveryModel) {
    std::vector<std::string> files = dae_files({"/compiler/testdata", "/converter/testdata", "/tests/golden"});
    ASSERT_GE(files.size(), 4u);
    std::mt19937 random(20240611);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        TempDir dir;
        CompiledModel model;
        model.build(dir, file);
        if (testing::Test::HasFatalFailure()) return;
        for (int sample = 0; sample < 5; ++sample) check_jacobian_at(model, random, file);
    }
}

}  // namespace

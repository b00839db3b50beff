// The S-system form is right: for every DAE file without algebraic equations (compiler/testdata,
// converter/testdata and tests/golden), symcode's C output is compiled and called. The G/H data must
// split the model's right-hand side (v_plus - v_minus = usr_fvec) and give the derivatives of
// both parts; the S-system Jacobian must be the derivative of the S-system right-hand side; and
// the S-system whose kinetic orders and rate constants are taken from the G/H data at a point
// must agree there with the model in value and Jacobian, which ties the numbering of g and h in
// the G/H data to the one in the S-system functions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <vector>

#include "compiled_code.h"
#include "test_support.h"

using namespace zymorax::testkit;
using namespace compiled_code;

namespace {

using FvecFunction = void (*)(double*, double*, double, Parameter*);
using FjacFunction = void (*)(double*, double*, double, Parameter*);  // rows of rowLength
using GhDataFunction = void (*)(double**, double**, double**, double**, double*, double*, double*,
                                Parameter*);
using GhNumFunction = void (*)(int*, int*);

// One kinetic order: the part of equation `row` it belongs to and the symbol whose power it is.
struct KineticOrder {
    int row = 0;
    bool constant = false;  // constantPlayer[index] rather than y[index]
    int index = 0;
};

// The kinetic orders in the order of the derivative lines of get_GHdata, which is the order
// of their numbers: g[1], g[2], ... from the gd/gi lines, h[1], ... from the hd/hi lines.
void read_orders(const std::string& ghCode, std::vector<KineticOrder>& g,
                 std::vector<KineticOrder>& h) {
    std::stringstream lines(ghCode);
    std::string line;
    while (std::getline(lines, line)) {
        char array[3] = {0};
        KineticOrder order;
        if (std::sscanf(line.c_str(), "\t%2[ghdi][%d][%d] =", array, &order.row, &order.index) != 3)
            continue;
        order.constant = array[1] == 'i';
        (array[0] == 'g' ? g : h).push_back(order);
    }
}

// A 1-based matrix in the row-pointer layout of get_GHdata.
struct Matrix {
    std::vector<std::vector<double>> rows;
    std::vector<double*> pointers;
    Matrix(int rowCount, int columnCount)
        : rows(rowCount + 1, std::vector<double>(columnCount + 1, 0.0)), pointers(rowCount + 1) {
        for (int i = 0; i <= rowCount; ++i) pointers[i] = rows[i].data();
    }
    double at(int i, int k) const { return rows[i][k]; }
};

struct GhValues {
    std::vector<double> vPlus, vMinus;
    Matrix gd, gi, hd, hi;
    GhValues(int n, int c)
        : vPlus(n + 1, 0.0), vMinus(n + 1, 0.0), gd(n, n), gi(n, c), hd(n, n), hi(n, c) {}
};

bool close(double a, double b, double tolerance) {
    return std::fabs(a - b) <= tolerance * std::max({1.0, std::fabs(a), std::fabs(b)});
}

// The model and its S-system form, compiled from one symcode run.
class SsystemModel {
  public:
    // Runs symcode and the C compiler in `dir`; false for a model with algebraic equations.
    bool build(const TempDir& dir, const std::string& daeFile) {
        write_file(dir.file("model.dae"), read_file(daeFile));
        RunResult run = run_program(
            program_path("symcode"),
            {"-Dmodel.dae", "-Pparam.txt", "-Fusrfunc.c", "-Ttemp.c", "-Ggh.c", "-Sssys.c"},
            dir.path(), {{"ZYMORAX_SYSLOG", dir.file("sys.log")}});
        EXPECT_EQ(run.status, 0) << read_file(dir.file("sys.log"));
        layout = read_layout(dir.file("param.txt"));
        const bool ssystem = layout.algebraicCount == 0;
        EXPECT_EQ(file_exists(dir.file("gh.c")), ssystem);
        EXPECT_EQ(file_exists(dir.file("ssys.c")), ssystem);
        if (!ssystem || testing::Test::HasFailure()) return false;
        n = layout.variableCount;
        read_orders(read_file(dir.file("gh.c")), gOrders, hOrders);
        link(dir);
        return !testing::Test::HasFatalFailure();
    }

    ParameterLayout layout;
    int n = 0;
    int constCount = 0;
    std::vector<KineticOrder> gOrders, hOrders;
    FvecFunction fvec = nullptr, sFvec = nullptr;
    FjacFunction fjac = nullptr, sFjac = nullptr;
    GhDataFunction ghData = nullptr;

    std::vector<double> evaluate(FvecFunction f, const std::vector<double>& y, Parameter* p) const {
        std::vector<double> out(n + 1, 0.0);
        std::vector<double> state = y;
        f(out.data(), state.data(), 1.0, p);
        return out;
    }
    std::vector<double> jacobian(FjacFunction f, const std::vector<double>& y, Parameter* p) const {
        std::vector<double> out(static_cast<size_t>(n + 1) * (n + 1), 0.0);
        std::vector<double> state = y;
        f(out.data(), state.data(), 1.0, p);
        return out;
    }
    GhValues gh(const std::vector<double>& y, Parameter* p) const {
        GhValues v(n, constCount);
        std::vector<double> state = y;
        ghData(v.gd.pointers.data(), v.gi.pointers.data(), v.hd.pointers.data(),
               v.hi.pointers.data(), v.vPlus.data(), v.vMinus.data(), state.data(), p);
        return v;
    }

  private:
    // The model with its G/H data in one object; the S-system, whose functions carry the same
    // names as the model's, in another.
    void link(const TempDir& dir) {
        ASSERT_EQ(compile_shared(dir.path(), {"usrfunc.c", "gh.c"}, "model.so", n + 1), "");
        ASSERT_EQ(compile_shared(dir.path(), {"ssys.c"}, "ssys.so", n + 1), "");
        ASSERT_EQ(model_.open(dir.file("model.so")), "");
        ASSERT_EQ(ssystem_.open(dir.file("ssys.so")), "");
        fvec = reinterpret_cast<FvecFunction>(model_.symbol("usr_fvec"));
        fjac = reinterpret_cast<FjacFunction>(model_.symbol("usr_fjac"));
        ghData = reinterpret_cast<GhDataFunction>(model_.symbol("get_GHdata"));
        auto ghNum = reinterpret_cast<GhNumFunction>(model_.symbol("get_GHnum"));
        sFvec = reinterpret_cast<FvecFunction>(ssystem_.symbol("usr_fvec"));
        sFjac = reinterpret_cast<FjacFunction>(ssystem_.symbol("usr_fjac"));
        ASSERT_TRUE(fvec && fjac && ghData && ghNum && sFvec && sFjac);
        int variables = -1;
        ghNum(&variables, &constCount);
        ASSERT_EQ(variables, n);
        ASSERT_EQ(constCount, layout.usedConstants);
        if (constCount > 0) {
            ASSERT_NE(layout.slot_of("constantPlayer"), 0);
        }
    }

    SharedObject model_, ssystem_;
};

std::vector<double> random_state(int n, std::mt19937& random) {
    std::uniform_real_distribution<double> value(0.5, 2.0);
    std::vector<double> y(n + 1, 0.0);
    for (int i = 1; i <= n; ++i) y[i] = value(random);
    return y;
}

// v_plus - v_minus is the model's right-hand side.
void check_split(const SsystemModel& m, const std::vector<double>& y, Parameter* p) {
    std::vector<double> f = m.evaluate(m.fvec, y, p);
    GhValues v = m.gh(y, p);
    for (int i = 1; i <= m.n; ++i) {
        EXPECT_TRUE(close(v.vPlus[i] - v.vMinus[i], f[i], 1e-10))
            << "row " << i << ": v_plus " << v.vPlus[i] << " - v_minus " << v.vMinus[i]
            << " but usr_fvec " << f[i];
    }
}

void expect_derivative(double symbolic, double up, double down, double h, const char* what, int i,
                       int k) {
    const double numeric = (up - down) / (2 * h);
    ASSERT_TRUE(std::isfinite(symbolic)) << what << "[" << i << "][" << k << "]";
    if (std::max(std::fabs(numeric), std::fabs(symbolic)) < 1e-7) return;
    EXPECT_TRUE(close(symbolic, numeric, 1e-6))
        << what << "[" << i << "][" << k << "] = " << symbolic << ", finite differences "
        << numeric;
}

// gd, hd by the variables and gi, hi by the constants, against central differences.
void check_gh_derivatives(const SsystemModel& m, const std::vector<double>& y,
                          ParameterValues& params) {
    Parameter* p = &params.record;
    GhValues at = m.gh(y, p);
    for (int k = 1; k <= m.n; ++k) {
        const double h = 1e-5 * std::max(1.0, std::fabs(y[k]));
        std::vector<double> up = y, down = y;
        up[k] += h;
        down[k] -= h;
        GhValues vUp = m.gh(up, p), vDown = m.gh(down, p);
        for (int i = 1; i <= m.n; ++i) {
            expect_derivative(at.gd.at(i, k), vUp.vPlus[i], vDown.vPlus[i], h, "gd", i, k);
            expect_derivative(at.hd.at(i, k), vUp.vMinus[i], vDown.vMinus[i], h, "hd", i, k);
        }
    }
    const int slot = m.layout.slot_of("constantPlayer");
    for (int j = 1; j <= m.constCount; ++j) {
        double& c = params.arrays[slot][j];
        const double saved = c, h = 1e-5 * std::max(1.0, std::fabs(c));
        c = saved + h;
        GhValues vUp = m.gh(y, p);
        c = saved - h;
        GhValues vDown = m.gh(y, p);
        c = saved;
        for (int i = 1; i <= m.n; ++i) {
            expect_derivative(at.gi.at(i, j), vUp.vPlus[i], vDown.vPlus[i], h, "gi", i, j);
            expect_derivative(at.hi.at(i, j), vUp.vMinus[i], vDown.vMinus[i], h, "hi", i, j);
        }
    }
}

// The five arrays the S-system functions read: constantPlayer, kplus, kminus, g, h.
std::vector<int> ssystem_sizes(const SsystemModel& m) {
    return {m.constCount, m.n, m.n, static_cast<int>(m.gOrders.size()),
            static_cast<int>(m.hOrders.size())};
}

// The S-system Jacobian against central differences of the S-system right-hand side, with
// random rate constants and kinetic orders of either sign.
void check_ssystem_jacobian(const SsystemModel& m, std::mt19937& random) {
    ParameterValues s(ssystem_sizes(m), random);
    std::uniform_real_distribution<double> order(-1.5, 2.5);
    for (int array : {4, 5}) {
        for (size_t k = 1; k < s.arrays[array].size(); ++k) s.arrays[array][k] = order(random);
    }
    std::vector<double> y = random_state(m.n, random);
    std::vector<double> jacobian = m.jacobian(m.sFjac, y, &s.record);
    for (int k = 1; k <= m.n; ++k) {
        const double h = 1e-5 * std::max(1.0, std::fabs(y[k]));
        std::vector<double> up = y, down = y;
        up[k] += h;
        down[k] -= h;
        std::vector<double> fUp = m.evaluate(m.sFvec, up, &s.record);
        std::vector<double> fDown = m.evaluate(m.sFvec, down, &s.record);
        for (int i = 1; i <= m.n; ++i) {
            expect_derivative(jacobian[static_cast<size_t>(i) * (m.n + 1) + k], fUp[i], fDown[i], h,
                              "S-system fjac", i, k);
        }
    }
}

// Kinetic orders g = (dV/dX) X / V and rate constants k = V / prod X^g from the G/H data at y;
// 0 when a part of some row vanishes there, so that no order can be taken.
bool fit_part(const std::vector<KineticOrder>& orders, const std::vector<double>& rates,
              const Matrix& dVariables, const Matrix& dConstants, const std::vector<double>& y,
              const std::vector<double>& constants, std::vector<double>& kinetic,
              std::vector<double>& rateConstants) {
    rateConstants = rates;
    for (size_t m = 0; m < orders.size(); ++m) {
        const KineticOrder& o = orders[m];
        const double v = rates[o.row];
        if (std::fabs(v) < 1e-9) return false;
        const double x = o.constant ? constants[o.index] : y[o.index];
        const double d = o.constant ? dConstants.at(o.row, o.index) : dVariables.at(o.row, o.index);
        kinetic[m + 1] = d * x / v;
        rateConstants[o.row] /= std::pow(x, kinetic[m + 1]);
    }
    return true;
}

// The S-system fitted at y agrees with the model at y, in value and in Jacobian.
void check_operating_point(const SsystemModel& m, const std::vector<double>& y,
                           ParameterValues& params, std::mt19937& random) {
    GhValues v = m.gh(y, &params.record);
    ParameterValues s(ssystem_sizes(m), random);
    const int slot = m.layout.slot_of("constantPlayer");
    for (int j = 1; j <= m.constCount; ++j) s.arrays[1][j] = params.arrays[slot][j];
    if (!fit_part(m.gOrders, v.vPlus, v.gd, v.gi, y, s.arrays[1], s.arrays[4], s.arrays[2]) ||
        !fit_part(m.hOrders, v.vMinus, v.hd, v.hi, y, s.arrays[1], s.arrays[5], s.arrays[3])) {
        return;
    }
    std::vector<double> f = m.evaluate(m.fvec, y, &params.record);
    std::vector<double> sf = m.evaluate(m.sFvec, y, &s.record);
    std::vector<double> jacobian = m.jacobian(m.fjac, y, &params.record);
    std::vector<double> sJacobian = m.jacobian(m.sFjac, y, &s.record);
    for (int i = 1; i <= m.n; ++i) {
        EXPECT_TRUE(close(sf[i], f[i], 1e-9))
            << "row " << i << ": S-system " << sf[i] << ", model " << f[i];
        for (int k = 1; k <= m.n; ++k) {
            const size_t at = static_cast<size_t>(i) * (m.n + 1) + k;
            EXPECT_TRUE(close(sJacobian[at], jacobian[at], 1e-8))
                << "fjac[" << i << "][" << k << "]: S-system " << sJacobian[at] << ", model "
                << jacobian[at];
        }
    }
}

TEST(SymcodeSsystem, GhDataAndSsystemAgreeWithTheModel) {
    std::mt19937 random(20240612);
    int checked = 0;
    for (const std::string& file :
         dae_files({"/compiler/testdata", "/converter/testdata", "/tests/golden"})) {
        SCOPED_TRACE(file);
        TempDir dir;
        SsystemModel model;
        if (!model.build(dir, file)) continue;
        ++checked;
        for (int sample = 0; sample < 4 && !testing::Test::HasFailure(); ++sample) {
            ParameterValues params(model.layout.elementCounts, random);
            std::vector<double> y = random_state(model.n, random);
            check_split(model, y, &params.record);
            check_gh_derivatives(model, y, params);
            check_ssystem_jacobian(model, random);
            check_operating_point(model, y, params, random);
        }
    }
    EXPECT_GE(checked, 4);
}

}  // namespace

// The S-system code of a GMA model reproduces the model at the state it is built at: kinetic
// orders and rate constants taken from get_GHdata there (g = gd y / V+, kplus = V+ over the
// product of the powers; h and kminus from V- alike) make the S-system usr_fvec equal the
// model's usr_fvec, and the Jacobians agree as well.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>

#include "chain_runner.h"
#include "code_scan.h"
#include "model_inputs.h"
#include "param_reader.h"

namespace zymorax::testkit {
namespace {

using GHData = void (*)(double** gd, double** gi, double** hd, double** hi, double* vPlus,
                        double* vMinus, double* y, Parameter* p);
using GHNum = void (*)(int* nVar, int* nConst);
using Fvec = void (*)(double* f, double* y, double gene, Parameter* p);
using Fjac = void (*)(double* jac, double* y, double gene, Parameter* p);

// One generated file compiled into its own shared library (the model and the S-system both
// define usr_fvec).
class Library {
  public:
    Library(const std::string& source, const std::string& output, int rowLength) {
        RunResult cc =
            run_program("/usr/bin/cc",
                        {"-shared", "-fPIC", "-I" + source_dir() + "/sim",
                         "-DMAX_VAR_NUM=" + std::to_string(rowLength), "-o", output, source, "-lm"},
                        "/");
        EXPECT_EQ(cc.status, 0) << cc.err;
        handle_ = dlopen(output.c_str(), RTLD_NOW | RTLD_LOCAL);
        EXPECT_NE(handle_, nullptr) << dlerror();
    }
    ~Library() {
        if (handle_ != nullptr) dlclose(handle_);
    }
    void* symbol(const char* name) {
        void* found = handle_ != nullptr ? dlsym(handle_, name) : nullptr;
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

  private:
    void* handle_ = nullptr;
};

// A kinetic order: equation e and, for a variable, its number, or for a constant its index.
struct Order {
    int equation;
    int index;
    bool constant;
};

// The kinetic orders of one part ('g' for V+, 'h' for V-) in the order get_GHdata writes their
// derivatives, which is the order of their numbers.
std::vector<Order> orders_of(const std::string& ghCode, char prefix) {
    std::vector<Order> orders;
    std::istringstream lines(ghCode);
    std::string line;
    while (std::getline(lines, line)) {
        int e = 0, k = 0;
        char kind = 0;
        std::string pattern = std::string("\t") + prefix + "%c[%d][%d]";
        if (std::sscanf(line.c_str(), pattern.c_str(), &kind, &e, &k) == 3 &&
            (kind == 'd' || kind == 'i')) {
            orders.push_back({e, k, kind == 'i'});
        }
    }
    return orders;
}

// Rows 1..rows of `columns` + 1 entries, all 0, as double**.
struct Matrix {
    Matrix(int rows, int columns)
        : data(rows + 1, std::vector<double>(columns + 1, 0.0)), pointers(rows + 1) {
        for (int i = 0; i <= rows; ++i) pointers[i] = data[i].data();
    }
    std::vector<std::vector<double>> data;
    std::vector<double*> pointers;
};

TEST(SSystem, ReproducesTheGmaModelAtItsOperatingPoint) {
    ChainRunner chain;
    chain.convert(source_dir() + "/examples/glycolysis_gma.xml", "-gCMA", "-mGMA");
    chain.compile_c();
    chain.merge(source_dir() + "/examples/glycolysis_gma.param.txt");
    if (!file_exists(chain.c("gh.c")) ||
        read_file(chain.c("gh.c")).find("get_GHdata") == std::string::npos) {
        GTEST_SKIP() << "symcode writes no get_GHdata yet: the S-system writer is pending";
    }

    kinesim::ParameterFile file;
    kinesim::CodeFacts facts;
    kinesim::ModelInputs inputs;
    ASSERT_EQ(kinesim::read_parameter_file(chain.c("param.txt"), file), 0);
    ASSERT_EQ(kinesim::scan_generated_code(read_file(chain.c("model.c")), facts), 0);
    ASSERT_EQ(kinesim::bind_model_inputs(file, facts, inputs), 0);
    int n = inputs.variableCount;
    ASSERT_EQ(inputs.algebraicCount, 0);

    Library model(chain.c("model.c"), chain.c("model.so"), n + 1);
    Library gh(chain.c("gh.c"), chain.c("gh.so"), n + 1);
    Library ssys(chain.c("ssys.c"), chain.c("ssys.so"), n + 1);
    int nVar = 0, nConst = 0;
    reinterpret_cast<GHNum>(gh.symbol("get_GHnum"))(&nVar, &nConst);
    ASSERT_EQ(nVar, n);

    std::vector<double> y(n + 1, 0.0);
    for (int i = 1; i <= n; ++i) y[i] = inputs.initial[i - 1];
    Parameter* p = inputs.parameters.record();
    std::vector<double> constants(nConst + 1, 0.0);
    if (nConst > 0) {
        ASSERT_EQ(file.labels.at(0), "constantPlayer");
    }
    for (int j = 1; j <= nConst; ++j) constants[j] = p->val[1][j];

    Matrix gd(n, n), gi(n, nConst), hd(n, n), hi(n, nConst);
    std::vector<double> vPlus(n + 1, 0.0), vMinus(n + 1, 0.0);
    reinterpret_cast<GHData>(gh.symbol("get_GHdata"))(gd.pointers.data(), gi.pointers.data(),
                                                      hd.pointers.data(), hi.pointers.data(),
                                                      vPlus.data(), vMinus.data(), y.data(), p);

    // Kinetic orders and rate constants of one part.
    auto fit = [&](char prefix, Matrix& dVar, Matrix& dConst, const std::vector<double>& v,
                   std::vector<double>& orders, std::vector<double>& rates) {
        std::vector<Order> list = orders_of(read_file(chain.c("gh.c")), prefix);
        orders.assign(list.size() + 1, 0.0);
        rates.assign(n + 1, 0.0);
        for (int e = 1; e <= n; ++e) rates[e] = v[e];
        for (size_t m = 0; m < list.size(); ++m) {
            const Order& o = list[m];
            double base = o.constant ? constants[o.index] : y[o.index];
            double derivative =
                o.constant ? dConst.data[o.equation][o.index] : dVar.data[o.equation][o.index];
            orders[m + 1] = derivative * base / v[o.equation];
            rates[o.equation] /= std::pow(base, orders[m + 1]);
        }
    };
    std::vector<double> g, kplus, h, kminus;
    fit('g', gd, gi, vPlus, g, kplus);
    fit('h', hd, hi, vMinus, h, kminus);

    std::vector<double*> slots = {nullptr,       constants.data(), kplus.data(),
                                  kminus.data(), g.data(),         h.data()};
    Parameter sParameters{slots.data()};
    std::vector<double> fModel(n + 1, 0.0), fS(n + 1, 0.0);
    reinterpret_cast<Fvec>(model.symbol("usr_fvec"))(fModel.data(), y.data(), 1.0, p);
    reinterpret_cast<Fvec>(ssys.symbol("usr_fvec"))(fS.data(), y.data(), 1.0, &sParameters);
    for (int i = 1; i <= n; ++i) {
        EXPECT_NEAR(fS[i], fModel[i], 1e-10 * (std::fabs(vPlus[i]) + std::fabs(vMinus[i])))
            << "equation " << i;
    }
    std::vector<double> jModel((n + 1) * (n + 1), 0.0), jS((n + 1) * (n + 1), 0.0);
    reinterpret_cast<Fjac>(model.symbol("usr_fjac"))(jModel.data(), y.data(), 1.0, p);
    reinterpret_cast<Fjac>(ssys.symbol("usr_fjac"))(jS.data(), y.data(), 1.0, &sParameters);
    for (size_t i = 0; i < jModel.size(); ++i) {
        EXPECT_NEAR(jS[i], jModel[i], 1e-8 * (std::fabs(jModel[i]) + 1e-12)) << "entry " << i;
    }
}

}  // namespace
}  // namespace zymorax::testkit

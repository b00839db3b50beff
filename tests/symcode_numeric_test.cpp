// symcode's C output is compiled with the system C compiler, loaded and called. For every DAE
// file under compiler/testdata and tests/cases (among them every conversion that a case folder
// of rxnconv expects): usr_fjac agrees with central differences of usr_fvec at random positive
// points. For those without algebraic equations: the G/H data split the right-hand side
// (v_plus - v_minus = usr_fvec) with the derivatives of both parts; the S-system Jacobian is the
// derivative of the S-system right-hand side; and the S-system whose kinetic orders and rate
// constants are taken from the G/H data at a point agrees there with the model in value and
// Jacobian, which ties the numbering of g and h in the G/H data to the one in the S-system
// functions. The last check also runs at the tuned operating point of the glycolysis example.
// The compressed-column Jacobian of -J holds exactly the entries of usr_fjac, with the same
// values; the parameter derivatives of -Q agree with central differences of usr_fvec by every
// parameter element, and no element that changes usr_fvec lacks its column. Files marked as kinelaw's are compiled with -X: their calls are differentiated too.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <vector>

#include "own_kinetics.h"
#include "text_io.h"
#include "workspace.h"

using namespace zymorax::testkit;

namespace {

// What the generated code expects (sim/kine.h): val[i][k], both from 1.
struct Parameter {
    double** val;
};
using FvecFunction = void (*)(double*, double*, double, Parameter*);
using FjacFunction = void (*)(double*, double*, double, Parameter*);  // rows of n + 1
using GhDataFunction = void (*)(double**, double**, double**, double**, double*, double*, double*,
                                Parameter*);
using GhNumFunction = void (*)(int*, int*);
using CscFunction = void (*)(double*, double*, double, Parameter*);

// What a parameter file tells about the model, the arrays its code reads, and their values.
struct ParameterFile {
    int variableCount = 0;
    int algebraicCount = 0;
    std::vector<std::string> labels;          // PARAM_NAME order: val[1], val[2], ...
    std::vector<int> elementCounts;           // per label: the largest PARAM index
    std::vector<std::vector<double>> values;  // values[i][k]: element k of label i (from 1)
    std::vector<double> initial;              // Y_START values by index (from 1)
    int usedConstants = 0;  // highest constantPlayer index not marked "Not Used!!"

    // val index of a label (from 1), or 0 when the label is not declared.
    int slot_of(const std::string& label) const {
        auto found = std::find(labels.begin(), labels.end(), label);
        return found == labels.end() ? 0 : static_cast<int>(found - labels.begin()) + 1;
    }
};

ParameterFile read_parameter_file(const std::string& path) {
    ParameterFile file;
    std::map<std::string, std::map<int, double>> rows;
    for (const std::string& line : split(read_file(path), '\n')) {
        std::vector<std::string> fields = split(line, ';');
        if (fields.size() < 2) continue;
        const int index = std::atoi(fields[1].c_str());
        if (fields[0] == "N_VAR   ") file.variableCount = index;
        if (fields[0] == "N_ALGEBR") file.algebraicCount = index;
        if (fields[0] == "Y_START " && fields.size() > 2) {
            file.initial.resize(std::max<size_t>(file.initial.size(), index + 1), 0.0);
            file.initial[index] = std::atof(fields[2].c_str());
        }
        if (fields[0] == "PARAM   " && fields.size() > 3) {
            const std::string label = zymorax::trim(fields[1]);
            const int element = std::atoi(fields[2].c_str());
            rows[label][element] = std::atof(fields[3].c_str());
            if (label == "constantPlayer" && line.find("# Not Used!!") == std::string::npos) {
                file.usedConstants = std::max(file.usedConstants, element);
            }
        }
        if (fields[0] == "PARAM_NAME ") {
            file.labels.push_back(zymorax::trim(fields[1].substr(0, fields[1].find('#'))));
        }
    }
    file.values.emplace_back();
    for (const std::string& label : file.labels) {
        const int count = rows[label].empty() ? 0 : rows[label].rbegin()->first;
        file.elementCounts.push_back(count);
        file.values.emplace_back(count + 1, 0.0);
        for (const auto& [element, value] : rows[label]) file.values.back()[element] = value;
    }
    return file;
}

// Values for every element of every label, laid out as the generated code reads them;
// arrays[i][k] is element k of the label in slot i.
struct ParameterValues {
    std::vector<std::vector<double>> arrays;
    std::vector<double*> pointers;
    Parameter record{nullptr};

    explicit ParameterValues(std::vector<std::vector<double>> values) : arrays(std::move(values)) {
        for (std::vector<double>& array : arrays) pointers.push_back(array.data());
        record.val = pointers.data();
    }
    ParameterValues(const ParameterValues&) = delete;
    ParameterValues& operator=(const ParameterValues&) = delete;
};

// Random values in [0.5, 2) for counts[i] elements of slot i + 1.
std::vector<std::vector<double>> random_arrays(const std::vector<int>& counts,
                                               std::mt19937& random) {
    std::uniform_real_distribution<double> value(0.5, 2.0);
    std::vector<std::vector<double>> arrays(1);
    for (int count : counts) {
        arrays.emplace_back(count + 1, 0.0);
        for (int k = 1; k <= count; ++k) arrays.back()[k] = value(random);
    }
    return arrays;
}

std::vector<double> random_state(int n, std::mt19937& random) {
    return random_arrays({n}, random)[1];
}

// The DAE files with variables under compiler/testdata and, of the case folders, those a run
// must write (inputs there may be faulty on purpose), sorted.
std::vector<std::string> every_dae_file() {
    std::vector<std::string> files;
    for (const char* folder : {"compiler/testdata", "tests/cases"}) {
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(source_path(folder))) {
            const std::string path = entry.path().string();
            if (entry.path().extension() != ".dae") continue;
            if (path.find("/tests/cases/") != std::string::npos &&
                path.find("/expected/files/") == std::string::npos) {
                continue;
            }
            // A conversion whose layers found nothing to convert has no variables to compile.
            std::string text = read_file(path);
            if (text.find("\ny[") == std::string::npos && text.find("\nx[") == std::string::npos) {
                continue;
            }
            files.push_back(path);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A shared object compiled from C sources of the workspace against sim/kine.h, closed at the end.
class SharedObject {
  public:
    ~SharedObject() {
        if (handle_ != nullptr) dlclose(handle_);
    }
    void build(const Workspace& ws, const std::vector<std::string>& sources,
               const std::string& output, int maxVarNum) {
        std::vector<std::string> args = {"-shared", "-fPIC", "-Wall", "-o", output};
        args.insert(args.end(), {"-Werror=implicit-function-declaration", "-I" + source_path("sim"),
                                 "-DMAX_VAR_NUM=" + std::to_string(maxVarNum), "-lm"});
        args.insert(args.end() - 1, sources.begin(), sources.end());
        ProgramRun cc = ws.run("/usr/bin/cc", args);
        ASSERT_EQ(cc.status, 0) << cc.err;
        handle_ = dlopen(ws.file(output).c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
    }
    template <typename Function>
    Function symbol(const char* name) const {
        void* found = handle_ != nullptr ? dlsym(handle_, name) : nullptr;
        EXPECT_NE(found, nullptr) << name;
        return reinterpret_cast<Function>(found);
    }

  private:
    void* handle_ = nullptr;
};

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
    for (const std::string& line : split(ghCode, '\n')) {
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

// The model, its flux function and, without algebraic equations, its G/H data and S-system
// form, compiled from one symcode run: the S-system, whose functions carry the same names as
// the model's, in an object of its own.
class CompiledModel {
  public:
    // Runs symcode and the C compiler in `ws`; fails the test on any error. With `ssystemForm`
    // the G/H data and the S-system are compiled instead of the fluxes, if the model has them.
    void build(const Workspace& ws, const std::string& daeFile, bool ssystemForm) {
        const std::string text = read_file(daeFile);
        ws.put("model.dae", text);
        std::vector<std::string> args = {"-Dmodel.dae", "-Pparam.txt", "-Fusrfunc.c", "-Ttemp.c",
                                         "-Ggh.c",      "-Sssys.c",    "-Jsparse.c",
                                         "-Qfpar.c"};
        // kinelaw's files, which call functions, are in symcode's extended dialect
        if (text.find(zymorax::kOwnKineticsLine) != std::string::npos) args.push_back("-X");
        ProgramRun run = ws.run("symcode", args);
        ASSERT_EQ(run.status, 0) << run.log;
        layout = read_parameter_file(ws.file("param.txt"));
        n = layout.variableCount;
        ssystem = layout.algebraicCount == 0;
        EXPECT_EQ(ws.has("gh.c"), ssystem);
        EXPECT_EQ(ws.has("ssys.c"), ssystem);
        if (ssystemForm && !ssystem) return;
        ASSERT_NO_FATAL_FAILURE(model_.build(
            ws, {"usrfunc.c", ssystemForm ? "gh.c" : "temp.c", "sparse.c", "fpar.c"}, "model.so",
            n + 1));
        fvec = model_.symbol<FvecFunction>("usr_fvec");
        fjac = model_.symbol<FjacFunction>("usr_fjac");
        if (!ssystemForm) {
            model_.symbol<void*>("usr_flux");
            csc = model_.symbol<CscFunction>("usr_fjac_csc");
            cscN = model_.symbol<const int*>("usr_fjac_n");
            cscNnz = model_.symbol<const int*>("usr_fjac_nnz");
            colptr = model_.symbol<const int*>("usr_fjac_colptr");
            rowidx = model_.symbol<const int*>("usr_fjac_rowidx");
            fpar = model_.symbol<CscFunction>("usr_fpar_csc");
            fparN = model_.symbol<const int*>("usr_fpar_n");
            fparColumns = model_.symbol<const int*>("usr_fpar_columns");
            fparLabel = model_.symbol<const int*>("usr_fpar_label");
            fparElement = model_.symbol<const int*>("usr_fpar_element");
            fparColptr = model_.symbol<const int*>("usr_fpar_colptr");
            fparRowidx = model_.symbol<const int*>("usr_fpar_rowidx");
            return;
        }
        read_orders(ws.read("gh.c"), gOrders, hOrders);
        ASSERT_NO_FATAL_FAILURE(ssystem_.build(ws, {"ssys.c"}, "ssys.so", n + 1));
        ghData = model_.symbol<GhDataFunction>("get_GHdata");
        sFvec = ssystem_.symbol<FvecFunction>("usr_fvec");
        sFjac = ssystem_.symbol<FjacFunction>("usr_fjac");
        auto ghNum = model_.symbol<GhNumFunction>("get_GHnum");
        ASSERT_TRUE(fvec && fjac && ghData && ghNum && sFvec && sFjac);
        int variables = -1;
        ghNum(&variables, &constCount);
        ASSERT_EQ(variables, n);
        ASSERT_EQ(constCount, layout.usedConstants);
        if (constCount > 0) {
            ASSERT_NE(layout.slot_of("constantPlayer"), 0);
        }
    }

    ParameterFile layout;
    int n = 0;
    bool ssystem = false;
    int constCount = 0;
    std::vector<KineticOrder> gOrders, hOrders;
    FvecFunction fvec = nullptr, sFvec = nullptr;
    FjacFunction fjac = nullptr, sFjac = nullptr;
    GhDataFunction ghData = nullptr;
    CscFunction csc = nullptr;
    const int *cscN = nullptr, *cscNnz = nullptr, *colptr = nullptr, *rowidx = nullptr;
    CscFunction fpar = nullptr;
    const int *fparN = nullptr, *fparColumns = nullptr, *fparLabel = nullptr,
              *fparElement = nullptr, *fparColptr = nullptr, *fparRowidx = nullptr;

    std::vector<double> evaluate(FvecFunction f, std::vector<double> y, Parameter* p) const {
        std::vector<double> out(n + 1, 0.0);
        f(out.data(), y.data(), 1.0, p);
        return out;
    }
    std::vector<double> jacobian(FjacFunction f, std::vector<double> y, Parameter* p) const {
        std::vector<double> out(static_cast<size_t>(n + 1) * (n + 1), 0.0);
        f(out.data(), y.data(), 1.0, p);
        return out;
    }
    GhValues gh(std::vector<double> y, Parameter* p) const {
        GhValues v(n, constCount);
        ghData(v.gd.pointers.data(), v.gi.pointers.data(), v.hd.pointers.data(),
               v.hi.pointers.data(), v.vPlus.data(), v.vMinus.data(), y.data(), p);
        return v;
    }

  private:
    SharedObject model_, ssystem_;
};

// The step of a central difference at x: small enough for the truncation error of the models'
// terms, large enough that rounding stays far below the tolerance also where a term barely
// changes (a power with an exponent of 1e-5).
double difference_step(double x) {
    return 1e-4 * std::max(1.0, std::fabs(x));
}

// Relative error below 1e-6 unless both are tiny (an entry left out, or a vanishing one).
void expect_derivative(double symbolic, double up, double down, double h, const char* what, int i,
                       int k) {
    const double numeric = (up - down) / (2 * h);
    ASSERT_TRUE(std::isfinite(symbolic)) << what << "[" << i << "][" << k << "]";
    const double scale = std::max(std::fabs(numeric), std::fabs(symbolic));
    if (scale < 1e-7) return;
    EXPECT_LT(std::fabs(numeric - symbolic) / scale, 1e-6)
        << what << "[" << i << "][" << k << "] = " << symbolic << ", finite differences "
        << numeric;
}

// A Jacobian against central differences of its right-hand side at y.
void check_jacobian(const CompiledModel& m, FvecFunction f, FjacFunction fjac,
                    const std::vector<double>& y, Parameter* p, const char* what) {
    std::vector<double> jacobian = m.jacobian(fjac, y, p);
    for (int k = 1; k <= m.n; ++k) {
        const double h = difference_step(y[k]);
        std::vector<double> up = y, down = y;
        up[k] += h;
        down[k] -= h;
        std::vector<double> fUp = m.evaluate(f, up, p), fDown = m.evaluate(f, down, p);
        for (int i = 1; i <= m.n; ++i) {
            expect_derivative(jacobian[static_cast<size_t>(i) * (m.n + 1) + k], fUp[i], fDown[i], h,
                              what, i, k);
        }
    }
}

// The compressed-column pattern is well formed, and its values are the entries of usr_fjac at
// y, bit for bit, with no entry of usr_fjac outside it.
void check_sparse_jacobian(const CompiledModel& m, const std::vector<double>& y, Parameter* p) {
    ASSERT_TRUE(m.csc && m.cscN && m.cscNnz && m.colptr && m.rowidx);
    ASSERT_EQ(*m.cscN, m.n);
    ASSERT_EQ(m.colptr[0], 0);
    ASSERT_EQ(m.colptr[m.n], *m.cscNnz);
    std::vector<double> dense = m.jacobian(m.fjac, y, p);
    std::vector<double> values(std::max(*m.cscNnz, 1), 0.0);
    std::vector<double> state = y;
    m.csc(values.data(), state.data(), 1.0, p);
    for (int c = 0; c < m.n; ++c) {
        for (int k = m.colptr[c]; k < m.colptr[c + 1]; ++k) {
            const int r = m.rowidx[k];
            ASSERT_TRUE(r >= 0 && r < m.n && (k == m.colptr[c] || r > m.rowidx[k - 1]));
            double& entry = dense[static_cast<size_t>(r + 1) * (m.n + 1) + c + 1];
            EXPECT_EQ(values[k], entry) << "fjac[" << r + 1 << "][" << c + 1 << "]";
            entry = 0;
        }
    }
    EXPECT_EQ(std::count(dense.begin(), dense.end(), 0.0), static_cast<long>(dense.size()))
        << "usr_fjac writes an entry outside the pattern";
}

// d fvec / d p of -Q at y: column by column against central differences of usr_fvec by the
// element; elements without a column must leave usr_fvec unchanged.
void check_parameter_derivatives(const CompiledModel& m, const std::vector<double>& y,
                                 ParameterValues& params) {
    ASSERT_TRUE(m.fpar && m.fparN && m.fparColumns && m.fparLabel && m.fparElement &&
                m.fparColptr && m.fparRowidx);
    ASSERT_EQ(*m.fparN, m.n);
    std::map<std::pair<int, int>, int> columnOf;
    for (int c = 0; c < *m.fparColumns; ++c) columnOf[{m.fparLabel[c], m.fparElement[c]}] = c;
    std::vector<double> values(std::max(m.fparColptr[*m.fparColumns], 1), 0.0);
    std::vector<double> state = y;
    m.fpar(values.data(), state.data(), 1.0, &params.record);
    for (size_t slot = 1; slot < params.arrays.size(); ++slot) {
        for (size_t k = 1; k < params.arrays[slot].size(); ++k) {
            std::vector<double> symbolic(m.n + 1, 0.0);
            auto found = columnOf.find({static_cast<int>(slot), static_cast<int>(k)});
            if (found != columnOf.end()) {
                const int c = found->second;
                for (int e = m.fparColptr[c]; e < m.fparColptr[c + 1]; ++e)
                    symbolic[m.fparRowidx[e] + 1] = values[e];
            }
            double& p = params.arrays[slot][k];
            const double saved = p, h = difference_step(p);
            p = saved + h;
            std::vector<double> up = m.evaluate(m.fvec, y, &params.record);
            p = saved - h;
            std::vector<double> down = m.evaluate(m.fvec, y, &params.record);
            p = saved;
            for (int i = 1; i <= m.n; ++i) {
                expect_derivative(symbolic[i], up[i], down[i], h,
                                  ("fpar of " + m.layout.labels[slot - 1]).c_str(), i,
                                  static_cast<int>(k));
            }
        }
    }
}

TEST(SymcodeJacobian, MatchesFiniteDifferencesForEveryModel) {
    std::vector<std::string> files = every_dae_file();
    ASSERT_GE(files.size(), 4u);
    std::mt19937 random(20240611);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        Workspace ws;
        CompiledModel model;
        ASSERT_NO_FATAL_FAILURE(model.build(ws, file, false));
        for (int sample = 0; sample < 5; ++sample) {
            ParameterValues parameters(random_arrays(model.layout.elementCounts, random));
            std::vector<double> y = random_state(model.n, random);
            check_jacobian(model, model.fvec, model.fjac, y, &parameters.record, "fjac");
            check_sparse_jacobian(model, y, &parameters.record);
            check_parameter_derivatives(model, y, parameters);
        }
    }
}

// v_plus - v_minus is the model's right-hand side.
void check_split(const CompiledModel& m, const std::vector<double>& y, Parameter* p) {
    std::vector<double> f = m.evaluate(m.fvec, y, p);
    GhValues v = m.gh(y, p);
    for (int i = 1; i <= m.n; ++i) {
        EXPECT_TRUE(close(v.vPlus[i] - v.vMinus[i], f[i], 1e-10))
            << "row " << i << ": v_plus " << v.vPlus[i] << " - v_minus " << v.vMinus[i]
            << " but usr_fvec " << f[i];
    }
}

// gd, hd by the variables and gi, hi by the constants, against central differences.
void check_gh_derivatives(const CompiledModel& m, const std::vector<double>& y,
                          ParameterValues& params) {
    Parameter* p = &params.record;
    GhValues at = m.gh(y, p);
    auto compare = [&](const GhValues& up, const GhValues& down, double h, int k, bool constant) {
        for (int i = 1; i <= m.n; ++i) {
            expect_derivative((constant ? at.gi : at.gd).at(i, k), up.vPlus[i], down.vPlus[i], h,
                              constant ? "gi" : "gd", i, k);
            expect_derivative((constant ? at.hi : at.hd).at(i, k), up.vMinus[i], down.vMinus[i], h,
                              constant ? "hi" : "hd", i, k);
        }
    };
    for (int k = 1; k <= m.n; ++k) {
        const double h = difference_step(y[k]);
        std::vector<double> up = y, down = y;
        up[k] += h;
        down[k] -= h;
        compare(m.gh(up, p), m.gh(down, p), h, k, false);
    }
    const int slot = m.layout.slot_of("constantPlayer");
    for (int j = 1; j <= m.constCount; ++j) {
        double& c = params.arrays[slot][j];
        const double saved = c, h = difference_step(c);
        c = saved + h;
        GhValues up = m.gh(y, p);
        c = saved - h;
        GhValues down = m.gh(y, p);
        c = saved;
        compare(up, down, h, j, true);
    }
}

// The five arrays the S-system functions read: constantPlayer, kplus, kminus, g, h.
std::vector<int> ssystem_sizes(const CompiledModel& m) {
    return {m.constCount, m.n, m.n, static_cast<int>(m.gOrders.size()),
            static_cast<int>(m.hOrders.size())};
}

// The S-system Jacobian against central differences of the S-system right-hand side, with
// random rate constants and kinetic orders of either sign.
void check_ssystem_jacobian(const CompiledModel& m, std::mt19937& random) {
    std::vector<std::vector<double>> arrays = random_arrays(ssystem_sizes(m), random);
    std::uniform_real_distribution<double> order(-1.5, 2.5);
    for (int array : {4, 5}) {
        for (size_t k = 1; k < arrays[array].size(); ++k) arrays[array][k] = order(random);
    }
    ParameterValues s(std::move(arrays));
    check_jacobian(m, m.sFvec, m.sFjac, random_state(m.n, random), &s.record, "S-system fjac");
}

// Kinetic orders g = (dV/dX) X / V and rate constants k = V / prod X^g of one part from the G/H
// data at y; false when a part of some row vanishes there, so that no order can be taken.
bool fit_part(const std::vector<KineticOrder>& orders, const std::vector<double>& rates,
              const Matrix& dVariables, const Matrix& dConstants, const std::vector<double>& y,
              const std::vector<double>& constants, std::vector<double>& kinetic,
              std::vector<double>& rateConstants) {
    std::copy(rates.begin(), rates.end(), rateConstants.begin());
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

// The S-system arrays `s` (sized by ssystem_sizes) fitted to the model at y.
bool fit_ssystem(const CompiledModel& m, const std::vector<double>& y, ParameterValues& params,
                 ParameterValues& s) {
    GhValues v = m.gh(y, &params.record);
    const int slot = m.layout.slot_of("constantPlayer");
    for (int j = 1; j <= m.constCount; ++j) s.arrays[1][j] = params.arrays[slot][j];
    return fit_part(m.gOrders, v.vPlus, v.gd, v.gi, y, s.arrays[1], s.arrays[4], s.arrays[2]) &&
           fit_part(m.hOrders, v.vMinus, v.hd, v.hi, y, s.arrays[1], s.arrays[5], s.arrays[3]);
}

// The S-system fitted at y agrees with the model at y, in value and in Jacobian.
void check_operating_point(const CompiledModel& m, const std::vector<double>& y,
                           ParameterValues& params, std::mt19937& random) {
    ParameterValues s(random_arrays(ssystem_sizes(m), random));
    if (!fit_ssystem(m, y, params, s)) return;
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
    for (const std::string& file : every_dae_file()) {
        SCOPED_TRACE(file);
        Workspace ws;
        CompiledModel model;
        ASSERT_NO_FATAL_FAILURE(model.build(ws, file, true));
        if (!model.ssystem) continue;
        ++checked;
        for (int sample = 0; sample < 4 && !testing::Test::HasFailure(); ++sample) {
            ParameterValues params(random_arrays(model.layout.elementCounts, random));
            std::vector<double> y = random_state(model.n, random);
            check_split(model, y, &params.record);
            check_gh_derivatives(model, y, params);
            check_ssystem_jacobian(model, random);
            check_operating_point(model, y, params, random);
        }
    }
    EXPECT_GE(checked, 4);
}

// At the tuned operating point of the glycolysis example (its values carried into symcode's
// parameter file by valfuse), the fitted S-system reproduces the GMA model.
TEST(SymcodeSsystem, ReproducesTheGmaModelAtItsTunedOperatingPoint) {
    Workspace ws;
    CompiledModel model;
    ASSERT_NO_FATAL_FAILURE(
        model.build(ws, source_path("tests/cases/rxnconv/glycolysis_gma_CMA_GMA/expected/files/model.dae"), true));
    ASSERT_TRUE(model.ssystem);
    ProgramRun merge =
        ws.run("valfuse", {"-Iparam.txt", "-R" + source_path("examples/glycolysis_gma.param.txt")});
    ASSERT_EQ(merge.status, 0) << merge.log;
    ParameterFile tuned = read_parameter_file(ws.file("param.txt"));
    ParameterValues params(tuned.values);
    const std::vector<double>& y = tuned.initial;
    ASSERT_EQ(y.size(), static_cast<size_t>(model.n + 1));

    std::mt19937 random(1);
    ParameterValues s(random_arrays(ssystem_sizes(model), random));
    ASSERT_TRUE(fit_ssystem(model, y, params, s));
    std::vector<double> f = model.evaluate(model.fvec, y, &params.record);
    std::vector<double> sf = model.evaluate(model.sFvec, y, &s.record);
    GhValues v = model.gh(y, &params.record);
    for (int i = 1; i <= model.n; ++i) {
        EXPECT_NEAR(sf[i], f[i], 1e-10 * (std::fabs(v.vPlus[i]) + std::fabs(v.vMinus[i])))
            << "equation " << i;
    }
    std::vector<double> jacobian = model.jacobian(model.fjac, y, &params.record);
    std::vector<double> sJacobian = model.jacobian(model.sFjac, y, &s.record);
    for (size_t i = 0; i < jacobian.size(); ++i) {
        EXPECT_NEAR(sJacobian[i], jacobian[i], 1e-8 * (std::fabs(jacobian[i]) + 1e-12))
            << "entry " << i;
    }
}

}  // namespace

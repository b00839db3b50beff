// The generated C code compiles and its Jacobian is right: every DAE file under
// compiler/testdata (and under examples/, when present) is compiled by symcode and by the
// system C compiler, and usr_fjac is compared with central finite differences of usr_fvec at
// random positive points.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <vector>

#include "test_support.h"

namespace fs = std::filesystem;
using namespace zymorax::testkit;

namespace {

// The layout the generated code expects (sim/kine.h): val[i][k], both from 1.
struct Parameter {
    double** val;
};

using FvecFunction = void (*)(double*, double*, double, Parameter*);
using FjacFunction = void (*)(double*, double*, double, Parameter*);  // rows of rowLength

// What the parameter file tells about the arrays the code reads.
struct ParameterLayout {
    int variableCount = 0;
    std::vector<std::string> labels;     // PARAM_NAME order
    std::vector<int> elementCounts;      // per label: the largest PARAM index
};

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> fields;
    std::stringstream stream(text);
    std::string field;
    while (std::getline(stream, field, separator)) fields.push_back(field);
    return fields;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

ParameterLayout read_layout(const std::string& paramFile) {
    ParameterLayout layout;
    std::map<std::string, int> counts;
    for (const std::string& line : split(read_file(paramFile), '\n')) {
        std::vector<std::string> fields = split(line, ';');
        if (fields.size() < 2) continue;
        if (fields[0] == "N_VAR   ") layout.variableCount = std::atoi(fields[1].c_str());
        if (fields[0] == "PARAM   ") {
            int& count = counts[trimmed(fields[1])];
            count = std::max(count, std::atoi(fields[2].c_str()));
        }
        if (fields[0] == "PARAM_NAME ") {
            layout.labels.push_back(trimmed(fields[1].substr(0, fields[1].find('#'))));
        }
    }
    for (const std::string& label : layout.labels) layout.elementCounts.push_back(counts[label]);
    return layout;
}

std::string find_c_compiler() {
    for (const std::string& folder : split(getenv("PATH") ? getenv("PATH") : "", ':')) {
        std::string candidate = folder + "/cc";
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return "/usr/bin/cc";
}

// Every DAE file the test covers.
std::vector<std::string> dae_files() {
    std::vector<std::string> files;
    for (const char* folder : {"/compiler/testdata", "/examples"}) {
        fs::path root = source_dir() + folder;
        if (!fs::exists(root)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.path().extension() == ".dae") files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The compiled model: symcode's C code loaded as a shared library.
class CompiledModel {
public:
    ~CompiledModel() {
        if (handle_ != nullptr) dlclose(handle_);
    }

    // Runs symcode and the C compiler in `dir`; fails the test on any error.
    void build(const TempDir& dir, const std::string& daeFile) {
        write_file(dir.file("model.dae"), read_file(daeFile));
        RunResult run = run_program(program_path("symcode"),
                                    {"-Dmodel.dae", "-Pparam.txt", "-Fusrfunc.c", "-Ttemp.c",
                                     "-Ggh.c", "-Sssys.c"},
                                    dir.path(), {{"ZYMORAX_SYSLOG", dir.file("sys.log")}});
        ASSERT_EQ(run.status, 0) << read_file(dir.file("sys.log"));
        layout = read_layout(dir.file("param.txt"));
        rowLength = layout.variableCount + 1;
        RunResult cc = run_program(
            find_c_compiler(),
            {"-shared", "-fPIC", "-Wall", "-Werror=implicit-function-declaration",
             "-I" + source_dir() + "/sim", "-DMAX_VAR_NUM=" + std::to_string(rowLength), "-o",
             "model.so", "usrfunc.c", "temp.c", "-lm"},
            dir.path());
        ASSERT_EQ(cc.status, 0) << cc.err;
        handle_ = dlopen(dir.file("model.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        fvec = reinterpret_cast<FvecFunction>(dlsym(handle_, "usr_fvec"));
        fjac = reinterpret_cast<FjacFunction>(dlsym(handle_, "usr_fjac"));
        ASSERT_NE(fvec, nullptr);
        ASSERT_NE(fjac, nullptr);
        ASSERT_NE(dlsym(handle_, "usr_flux"), nullptr);
    }

    ParameterLayout layout;
    int rowLength = 0;
    FvecFunction fvec = nullptr;
    FjacFunction fjac = nullptr;

private:
    void* handle_ = nullptr;
};

// Random positive parameter values, laid out as the generated code reads them.
struct ParameterValues {
    std::vector<std::vector<double>> arrays;
    std::vector<double*> pointers;
    Parameter record{nullptr};

    ParameterValues(const ParameterLayout& layout, std::mt19937& random) {
        std::uniform_real_distribution<double> value(0.5, 2.0);
        arrays.resize(layout.labels.size() + 1);
        pointers.assign(layout.labels.size() + 1, nullptr);
        for (size_t i = 1; i < arrays.size(); ++i) {
            arrays[i].assign(layout.elementCounts[i - 1] + 1, 0.0);
            for (size_t k = 1; k < arrays[i].size(); ++k) arrays[i][k] = value(random);
            pointers[i] = arrays[i].data();
        }
        record.val = pointers.data();
    }
};

std::vector<double> residuals(const CompiledModel& model, std::vector<double> y, Parameter* p) {
    std::vector<double> f(y.size(), 0.0);
    model.fvec(f.data(), y.data(), 1.0, p);
    return f;
}

void check_jacobian_at(const CompiledModel& model, std::mt19937& random, const std::string& name) {
    const int n = model.layout.variableCount;
    ParameterValues parameters(model.layout, random);
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
            ASSERT_TRUE(std::isfinite(symbolic)) << name << " fjac[" << row << "][" << column << "]";
            double scale = std::max(std::fabs(numeric), std::fabs(symbolic));
            if (scale < 1e-7) continue;  // both tiny: an entry left out or a vanishing one
            EXPECT_LT(std::fabs(numeric - symbolic) / scale, 1e-6)
                << name << " fjac[" << row << "][" << column << "] = " << symbolic
                << ", finite differences " << numeric;
        }
    }
}

TEST(SymcodeJacobian, MatchesFiniteDifferencesForEveryModel) {
    std::vector<std::string> files = dae_files();
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

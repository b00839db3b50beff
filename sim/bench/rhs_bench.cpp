// Benchmark (not a test): what compiling symcode's C costs with TinyCC and with the system
// compiler (-O2, cache emptied first), and what one right-hand side and one sparse Jacobian then
// cost, each timed over at least a second; also the largest difference between the two builds'
// right-hand sides at the initial state and at perturbed states.
//   rhs_bench -C<model.c> -P<param.txt> [-J<jacobian.c>] [-K<kine.h folder>]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "kinesim.h"
#include "log.h"
#include "model_functions.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Microseconds per call of `call`, repeated until a second has passed.
template <typename Call>
double microseconds_per_call(Call call) {
    long calls = 0;
    Clock::time_point start = Clock::now();
    do {
        for (int i = 0; i < 10; ++i) call();
        calls += 10;
    } while (seconds_since(start) < 1.0);
    return 1e6 * seconds_since(start) / calls;
}

struct Build {
    kinesim::CompiledModel compiled;
    double compileSeconds = 0.0;
};

int build(const kinesim::SimOptions& options, int n, kinesim::CodeCompiler compiler, Build& out) {
    Clock::time_point start = Clock::now();
    std::string kineDir = kinesim::find_kine_dir(options.kineDir);
    int status = out.compiled.load(options.codeFile, options.jacobianFile, "", kineDir, n, compiler);
    out.compileSeconds = seconds_since(start);
    return status;
}

void report(const char* name, Build& b, kinesim::ModelInputs& inputs) {
    int n = inputs.variableCount;
    kinesim::ModelFunctions model(b.compiled.fvec, b.compiled.fjac, inputs.parameters.record(), n,
                                  b.compiled.sparse);
    std::vector<double> f(n), values(std::max(model.sparse().nnz, 1));
    double rhs = microseconds_per_call([&] { model.rhs(inputs.initial.data(), f.data()); });
    double jacobian = model.sparse().values == nullptr ? NAN : microseconds_per_call([&] {
        model.sparse_jacobian(inputs.initial.data(), values.data());
    });
    std::printf("%-8s compile %8.3f s   rhs %10.2f us   sparse Jacobian %10.2f us\n", name,
                b.compileSeconds, rhs, jacobian);
}

double largest_difference(Build& a, Build& b, kinesim::ModelInputs& inputs) {
    int n = inputs.variableCount;
    Parameter* p = inputs.parameters.record();
    kinesim::ModelFunctions first(a.compiled.fvec, a.compiled.fjac, p, n);
    kinesim::ModelFunctions second(b.compiled.fvec, b.compiled.fjac, p, n);
    std::mt19937 random(1);
    std::uniform_real_distribution<double> factor(0.5, 2.0);
    std::vector<double> y = inputs.initial, f(n), g(n);
    double largest = 0.0;
    for (int trial = 0; trial < 20; ++trial) {
        first.rhs(y.data(), f.data());
        second.rhs(y.data(), g.data());
        for (int i = 0; i < n; ++i) {
            double scale = std::max(std::fabs(f[i]), std::fabs(g[i]));
            if (scale > 0) largest = std::max(largest, std::fabs(f[i] - g[i]) / scale);
        }
        for (double& v : y) v = (v == 0.0 ? 0.01 : v) * factor(random);
    }
    return largest;
}

}  // namespace

int main(int argc, char** argv) {
    log_sysinit(argc, argv);
    std::vector<const char*> args(argv, argv + argc);
    args.push_back("-T0:1");
    args.push_back("-S1");
    args.push_back("-O/dev/null");
    kinesim::SimOptions options;
    kinesim::ParameterFile file;
    kinesim::ModelInputs inputs;
    if (kinesim::parse_sim_options(static_cast<int>(args.size()), args.data(), options) != 0 ||
        kinesim::prepare_inputs(options, file, inputs) != 0) {
        return 1;
    }
    std::filesystem::path cache = std::filesystem::temp_directory_path() / "rhs_bench_cache";
    std::filesystem::remove_all(cache);
    setenv("ZYMORAX_CACHE_DIR", cache.c_str(), 1);
    Build tcc, cc;
    int n = inputs.variableCount;
    if (build(options, n, kinesim::CodeCompiler::TinyCC, tcc) != 0 ||
        build(options, n, kinesim::CodeCompiler::System, cc) != 0) {
        return 1;
    }
    std::printf("%d variables, %ju bytes of C\n", n,
                static_cast<std::uintmax_t>(std::filesystem::file_size(options.codeFile)));
    report("TinyCC", tcc, inputs);
    report("cc -O2", cc, inputs);
    std::printf("largest relative difference of the right-hand sides: %.3g\n",
                largest_difference(tcc, cc, inputs));
    std::filesystem::remove_all(cache);
    return 0;
}

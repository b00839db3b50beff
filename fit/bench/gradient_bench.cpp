// Time per objective gradient: the residuals and their Jacobian by forward sensitivities at the
// starting values (a PEtab problem's nominal values), repeated. Not a test.
//   gradient_bench <repeats> <kinefit switches>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fit_problem.h"
#include "kinefit.h"
#include "log.h"

namespace {

double milliseconds_per_call(int repeats, const std::vector<double>& x, kinefit::FitProblem& problem,
                             std::vector<double>& residuals, std::vector<double>* jacobian) {
    std::string failure;
    double* out = jacobian != nullptr ? jacobian->data() : nullptr;
    if (!problem.evaluate(x.data(), residuals.data(), out, failure)) {
        std::fprintf(stderr, "the evaluation fails: %s\n", failure.c_str());
        std::exit(1);
    }
    const auto begin = std::chrono::steady_clock::now();
    for (int k = 0; k < repeats; ++k) problem.evaluate(x.data(), residuals.data(), out, failure);
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - begin;
    return spent.count() / repeats;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || log_sysinit(argc, argv) != 0) {
        std::fprintf(stderr, "usage: gradient_bench <repeats> <kinefit switches>\n");
        return 1;
    }
    const int repeats = std::max(1, std::atoi(argv[1]));
    kinefit::FitOptions options;
    kinesim::ParameterFile file;
    kinesim::CompiledModel compiled;
    kinefit::FitSetup setup;
    if (kinefit::parse_fit_options(argc - 1, argv + 1, options) != 0 ||
        kinefit::prepare_fit(options, file, compiled, setup) != 0) {
        return 1;
    }
    std::vector<double> x;
    for (const kinefit::EstimatedParameter& parameter : setup.estimated)
        x.push_back(parameter.search_of(parameter.nominal));
    kinefit::FitProblem problem(setup);
    const int m = setup.residual_count(), k = static_cast<int>(x.size());
    std::vector<double> residuals(m), jacobian(static_cast<size_t>(m) * k);
    const double objective = milliseconds_per_call(repeats, x, problem, residuals, nullptr);
    const double gradient = milliseconds_per_call(repeats, x, problem, residuals, &jacobian);
    std::printf("%d parameters, %d residuals: %.3f ms per objective, %.3f ms per gradient\n", k,
                m, objective, gradient);
    return 0;
}

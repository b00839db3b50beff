#include "initial_formulas.h"

#include <algorithm>
#include <map>

#include "log.h"
#include "state_events.h"

namespace kinesim {

int InitialFormulas::load(const std::string& path, const std::vector<InitialFormulaText>& formulas,
                          const std::vector<std::string>& tags, int algebraicCount,
                          const ParameterFile& file, Parameter* record) {
    formulas_.clear();
    NameResolver resolve = model_name_resolver(tags, algebraicCount, file, record, nullptr);
    auto fail = [&path](int line, const std::string& why) {
        log_sys("%s:%d: %s.\n", path.c_str(), line, why.c_str());
        return -1;
    };
    for (const InitialFormulaText& text : formulas) {
        Formula f;
        f.target = text.target;
        std::string problem;
        if (text.target.rfind("rate.", 0) == 0 || resolve(text.target, f.where, problem) != 0)
            return fail(text.line, problem.empty() ? text.target + " is no target" : problem);
        if (f.where.variable >= 0 && f.where.variable < algebraicCount)
            return fail(text.line, text.target + " is an algebraic variable, which the model solves for");
        if (f.math.parse(text.math, resolve, problem) != 0) return fail(text.line, problem);
        // The algebraic variables and rates are known only once the start is consistent.
        const MathReads& reads = f.math.reads();
        if (reads.rates || std::any_of(reads.variables.begin(), reads.variables.end(),
                                       [algebraicCount](int v) { return v < algebraicCount; }))
            return fail(text.line, "the formula reads an algebraic variable or a rate, which are "
                                   "not known before the start");
        formulas_.push_back(std::move(f));
    }
    return 0;
}

bool InitialFormulas::kept(const Formula& f, const std::vector<int>& keptVariables,
                           const std::vector<double*>& keptValues) const {
    if (f.where.variable >= 0)
        return std::find(keptVariables.begin(), keptVariables.end(), f.where.variable) !=
               keptVariables.end();
    return std::find(keptValues.begin(), keptValues.end(), f.where.value) != keptValues.end();
}

void InitialFormulas::apply(std::vector<double>& initial, const std::vector<int>& keptVariables,
                            const std::vector<double*>& keptValues) const {
    for (const Formula& f : formulas_) {
        if (kept(f, keptVariables, keptValues)) continue;
        double value = f.math.value(initial.data());
        if (f.where.variable >= 0) {
            initial[f.where.variable] = value;
        } else {
            *f.where.value = value;
        }
    }
}

void InitialFormulas::slopes(const std::vector<double>& initial,
                             const std::vector<double*>& parameters,
                             const std::vector<int>& keptVariables,
                             const std::vector<double*>& keptValues, std::vector<double>& out,
                             const std::vector<char>* byValue,
                             const ParameterAliases* aliases) const {
    const size_t n = initial.size(), m = parameters.size();
    out.assign(n * m, 0.0);
    // d value / d log p_j of the elements formulas set, and of the estimated ones themselves
    std::map<const double*, std::vector<double>> valueSlopes;
    for (size_t j = 0; j < m; ++j) {
        std::vector<double>& slope = valueSlopes[parameters[j]];
        slope.resize(m, 0.0);
        slope[j] = byValue != nullptr && (*byValue)[j] ? 1.0 : *parameters[j];
        if (aliases == nullptr) continue;
        for (const double* alias : (*aliases)[j]) valueSlopes[alias] = slope;
    }
    std::vector<double> byVariables, byValues, row(m);
    for (const Formula& f : formulas_) {
        if (kept(f, keptVariables, keptValues)) continue;
        f.math.gradient(initial.data(), byVariables, byValues);
        const MathReads& reads = f.math.reads();
        std::fill(row.begin(), row.end(), 0.0);
        for (size_t j = 0; j < m; ++j) {
            for (size_t v = 0; v < reads.variables.size(); ++v)
                row[j] += byVariables[v] * out[j * n + reads.variables[v]];
            for (size_t w = 0; w < reads.values.size(); ++w) {
                auto slope = valueSlopes.find(reads.values[w]);
                if (slope != valueSlopes.end()) row[j] += byValues[w] * slope->second[j];
            }
        }
        if (f.where.variable >= 0) {
            for (size_t j = 0; j < m; ++j) out[j * n + f.where.variable] = row[j];
        } else {
            valueSlopes[f.where.value] = row;
        }
    }
}

std::string InitialFormulas::value_set_from(const std::vector<double*>& parameters) const {
    for (const Formula& f : formulas_) {
        const std::vector<double*>& read = f.math.reads().values;
        bool depends = std::any_of(read.begin(), read.end(), [&](double* v) {
            return std::find(parameters.begin(), parameters.end(), v) != parameters.end();
        });
        if (depends && f.where.variable < 0) return f.target;
    }
    return std::string();
}

}  // namespace kinesim

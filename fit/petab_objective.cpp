#include "petab_objective.h"

#include <cmath>

#include "format.h"

namespace kinefit {

namespace {

// "observableParameter3_obs1" -> 3 when the suffix is `id`; 0 otherwise.
int placeholder_number(const std::string& name, const std::string& prefix, const std::string& id) {
    if (name.compare(0, prefix.size(), prefix) != 0) return 0;
    size_t underscore = name.find('_', prefix.size());
    if (underscore == std::string::npos || name.substr(underscore + 1) != id) return 0;
    std::string digits = name.substr(prefix.size(), underscore - prefix.size());
    if (digits.empty() || digits.size() > 3 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    return std::stoi(digits);
}

double scaled(ObservableScale scale, double value) {
    switch (scale) {
        case ObservableScale::Log:
            return std::log(value);
        case ObservableScale::Log10:
            return std::log10(value);
        default:
            return value;
    }
}

// d t(h) / d h
double scale_slope(ObservableScale scale, double value) {
    switch (scale) {
        case ObservableScale::Log:
            return 1.0 / value;
        case ObservableScale::Log10:
            return 1.0 / (value * std::log(10.0));
        default:
            return 1.0;
    }
}

}  // namespace

int PetabObjective::parse(const std::string& text, int observable, bool noise,
                          kinesim::EventMath& math, std::string& problem) {
    const std::string& id = setup_->observables[observable].id;
    auto resolve = [&](const std::string& name, kinesim::NameTarget& target, std::string& why) {
        for (size_t v = 0; v < inputs_->tags.size(); ++v) {
            if (inputs_->tags[v] == name) {
                target.variable = static_cast<int>(v);
                return 0;
            }
        }
        // A parameter of the model that no equation reads is a value of the problem.
        for (size_t k = 0; k < setup_->problemValues.size(); ++k) {
            if (setup_->problemValues[k].id == name) {
                target.value = &problemValues_[k];
                return 0;
            }
        }
        auto model = modelValues_.find(name);
        if (model != modelValues_.end()) {
            target.value = model->second;
            return 0;
        }
        if (name == "time") {
            target.value = &time_;
            return 0;
        }
        int n = placeholder_number(name, noise ? "noiseParameter" : "observableParameter", id);
        if (n >= 1 && n <= kPlaceholders) {
            target.value = &overrides_[(noise ? kPlaceholders : 0) + n - 1];
            return 0;
        }
        why = "'" + name + "' is no variable or parameter of the model, parameter of the " +
              "problem or " + (noise ? "noiseParameter<n>_" : "observableParameter<n>_") + id;
        return -1;
    };
    if (math.parse(text, resolve, problem, true) == 0) {
        if (!math.reads().rates) return 0;
        problem = "a formula cannot read a rate";
    }
    problem = setup_->observables[observable].where + ": " +
              (noise ? "noiseFormula" : "observableFormula") + ": " + problem;
    return -1;
}

std::vector<PetabObjective::ValueRole> PetabObjective::roles_of(
    const kinesim::EventMath& math) const {
    std::vector<ValueRole> roles;
    for (const double* value : math.reads().values) {
        ValueRole role;
        if (value >= overrides_.data() && value < overrides_.data() + overrides_.size()) {
            role.placeholder = static_cast<int>(value - overrides_.data());
        }
        for (size_t j = 0; j < estimated_->size(); ++j) {
            const EstimatedParameter& p = (*estimated_)[j];
            const double* own =
                p.in_model() ? modelValues_.at(p.tag) : &problemValues_[p.problemValue];
            if (own == value) role.estimated = static_cast<int>(j);
        }
        roles.push_back(role);
    }
    return roles;
}

int PetabObjective::bind(const PetabSetup& setup, const std::vector<EstimatedParameter>& estimated,
                         kinesim::ModelInputs& inputs, std::string& problem) {
    setup_ = &setup;
    estimated_ = &estimated;
    inputs_ = &inputs;
    for (const auto& [tag, element] : setup.modelElements)
        modelValues_[tag] = &inputs.parameters.at(element.first, element.second);
    for (const ProblemValue& value : setup.problemValues) problemValues_.push_back(value.nominal);
    formulas_.resize(setup.observables.size());
    for (size_t o = 0; o < setup.observables.size(); ++o) {
        Formulas& f = formulas_[o];
        int observable = static_cast<int>(o);
        if (parse(setup.observables[o].formula, observable, false, f.observable, problem) != 0 ||
            parse(setup.observables[o].noiseFormula, observable, true, f.noise, problem) != 0) {
            return -1;
        }
        f.observableRoles = roles_of(f.observable);
        f.noiseRoles = roles_of(f.noise);
    }
    for (size_t p = 0; p < setup.points.size(); ++p) {
        size_t e = static_cast<size_t>(setup.points[p].experiment);
        if (pointsOf_.size() <= e) pointsOf_.resize(e + 1);
        pointsOf_[e].push_back(static_cast<int>(p));
    }
    return 0;
}

int PetabObjective::estimated_of(const ValueRole& role, const PetabPoint& point) const {
    if (role.placeholder < 0) return role.estimated;
    bool noise = role.placeholder >= kPlaceholders;
    size_t n = static_cast<size_t>(role.placeholder % kPlaceholders);
    const std::vector<CellValue>& cells =
        noise ? point.noiseParameters : point.observableParameters;
    return n < cells.size() ? cells[n].estimated : -1;
}

bool PetabObjective::noise_varies(int p) const {
    const PetabPoint& point = setup_->points[static_cast<size_t>(p)];
    const Formulas& f = formulas_[static_cast<size_t>(point.observable)];
    if (!f.noise.reads().variables.empty()) return true;
    for (const ValueRole& role : f.noiseRoles) {
        if (estimated_of(role, point) >= 0) return true;
    }
    return false;
}

double PetabObjective::fixed_log_sigma(int p) {
    const PetabPoint& point = setup_->points[static_cast<size_t>(p)];
    set_overrides(point, nullptr);
    return std::log(formulas_[static_cast<size_t>(point.observable)].noise.value(nullptr));
}

void PetabObjective::set_values(const double* x) {
    for (size_t j = 0; j < estimated_->size(); ++j) {
        const EstimatedParameter& p = (*estimated_)[j];
        if (!p.in_model()) problemValues_[p.problemValue] = p.value_at(x[j]);
    }
}

void PetabObjective::set_overrides(const PetabPoint& point, const double* x) {
    time_ = point.timeValue;
    auto fill = [&](const std::vector<CellValue>& cells, size_t offset) {
        for (size_t n = 0; n < cells.size() && n < kPlaceholders; ++n) {
            const CellValue& cell = cells[n];
            overrides_[offset + n] = cell.estimated >= 0 && x != nullptr
                                         ? (*estimated_)[cell.estimated].value_at(x[cell.estimated])
                                         : cell.number;
        }
    };
    fill(point.observableParameters, 0);
    fill(point.noiseParameters, kPlaceholders);
}

void PetabObjective::derivative(const kinesim::EventMath& math, const std::vector<ValueRole>& roles,
                                const PetabPoint& point, const Course& course, const double* y,
                                const double* x, const std::vector<int>& columns,
                                std::vector<double>& out) {
    out.assign(estimated_->size(), 0.0);
    math.gradient(y, byVariables_, byValues_);
    const std::vector<int>& variables = math.reads().variables;
    for (size_t j = 0; j < out.size(); ++j) {
        if (columns[j] < 0) continue;
        double sum = 0.0;
        for (size_t v = 0; v < variables.size(); ++v)
            sum += byVariables_[v] * course.sensitivity(point.time, columns[j], variables[v]);
        // The sensitivities are by the search's own variable: log p, or p in a linear search.
        out[j] = sum;
    }
    for (size_t k = 0; k < roles.size(); ++k) {
        int j = estimated_of(roles[k], point);
        if (j >= 0) out[j] += byValues_[k] * (*estimated_)[j].value_slope(x[j]);
    }
}

bool PetabObjective::residuals(int experiment, const Course& course, const double* x,
                               const std::vector<int>& columns, double* residuals, double* jacobian,
                               size_t& row, std::string& failure) {
    if (static_cast<size_t>(experiment) >= pointsOf_.size()) return true;
    size_t k = estimated_->size();
    for (int p : pointsOf_[experiment]) {
        const PetabPoint& point = setup_->points[static_cast<size_t>(p)];
        const PetabObservable& observable = setup_->observables[point.observable];
        Formulas& f = formulas_[static_cast<size_t>(point.observable)];
        set_overrides(point, x);
        const double* y = &course.states[static_cast<size_t>(point.time) * course.variables];
        double h = f.observable.value(y), sigma = f.noise.value(y);
        double th = scaled(observable.scale, h);
        if (!std::isfinite(th) || !(sigma > 0.0) || !std::isfinite(sigma)) {
            failure = zymorax::format("%s: the observable is %g and its noise %g",
                                      point.where.c_str(), h, sigma);
            return false;
        }
        double r = (th - scaled(observable.scale, point.measurement)) / sigma;
        residuals[row] = r;
        bool noiseRow = point.noiseTerm;
        double q = 0.0;
        if (noiseRow) {
            double q2 = 2.0 * std::log(sigma) + kNoiseShift;
            if (!(q2 > 0.0)) {
                failure = point.where + ": the noise fell below 1e-10";
                return false;
            }
            q = std::sqrt(q2);
            residuals[row + 1] = q;
        }
        if (jacobian != nullptr) {
            derivative(f.observable, f.observableRoles, point, course, y, x, columns, dh_);
            derivative(f.noise, f.noiseRoles, point, course, y, x, columns, dsigma_);
            double slope = scale_slope(observable.scale, h);
            for (size_t j = 0; j < k; ++j) {
                jacobian[row * k + j] = (slope * dh_[j] - r * dsigma_[j]) / sigma;
                if (noiseRow) jacobian[(row + 1) * k + j] = dsigma_[j] / (sigma * q);
            }
        }
        row += noiseRow ? 2 : 1;
    }
    return true;
}

}  // namespace kinefit

#include "course_solver.h"

#include <gtest/gtest.h>

#include <cmath>

#include "initial_formulas.h"
#include "model_inputs.h"
#include "state_events.h"

namespace kinefit {
namespace {

// Models written as symcode would write them: 1-based, parameters through p->val[1].
// Row length of the Jacobian arrays: MAX_VAR_NUM for two variables.
constexpr int kRow = 3;

// Reversible conversion with a second-order loss:
// y1' = -k1 y1 + k2 y2, y2' = k1 y1 - k2 y2 - k3 y2^2.
void ode_fvec(double f[], double y[], double, Parameter* p) {
    double* k = p->val[1];
    f[1] = -k[1] * y[1] + k[2] * y[2];
    f[2] = k[1] * y[1] - k[2] * y[2] - k[3] * y[2] * y[2];
}
void ode_fjac(double* jac, double y[], double, Parameter* p) {
    double* k = p->val[1];
    jac[1 * kRow + 1] = -k[1];
    jac[1 * kRow + 2] = k[2];
    jac[2 * kRow + 1] = k[1];
    jac[2 * kRow + 2] = -k[2] - 2 * k[3] * y[2];
}

// A bound form in rapid equilibrium with its free form, which decays:
// 0 = k1 y2 / (1 + y2) - y1 (row 1, algebraic), y2' = -k2 y2 - k3 y1.
void dae_fvec(double f[], double y[], double, Parameter* p) {
    double* k = p->val[1];
    f[1] = k[1] * y[2] / (1 + y[2]) - y[1];
    f[2] = -k[2] * y[2] - k[3] * y[1];
}
void dae_fjac(double* jac, double y[], double, Parameter* p) {
    double* k = p->val[1];
    jac[1 * kRow + 1] = -1;
    jac[1 * kRow + 2] = k[1] / ((1 + y[2]) * (1 + y[2]));
    jac[2 * kRow + 1] = -k[3];
    jac[2 * kRow + 2] = -k[2];
}

// d f / d k of each model as symcode -Q writes it: a column per k[j], rows from 0.
const int kLabels[] = {1, 1, 1}, kElements[] = {1, 2, 3};
const int kOdeColptr[] = {0, 2, 4, 5}, kOdeRowidx[] = {0, 1, 0, 1, 1};
void ode_fpar(double values[], double y[], double, Parameter*) {
    values[0] = -y[1];
    values[1] = y[1];
    values[2] = y[2];
    values[3] = -y[2];
    values[4] = -y[2] * y[2];
}
const int kDaeColptr[] = {0, 1, 2, 3}, kDaeRowidx[] = {0, 1, 1};
void dae_fpar(double values[], double y[], double, Parameter*) {
    values[0] = y[2] / (1 + y[2]);
    values[1] = -y[2];
    values[2] = -y[1];
}
const kinesim::ParameterJacobianCode kOdeFpar{2, 3, 5, kLabels, kElements,
                                              kOdeColptr, kOdeRowidx, ode_fpar};
const kinesim::ParameterJacobianCode kDaeFpar{2, 3, 3, kLabels, kElements,
                                              kDaeColptr, kDaeRowidx, dae_fpar};

struct TestModel {
    kinesim::UsrFvec fvec;
    kinesim::UsrFjac fjac;
    int algebraic;
    std::vector<double> initial;
    std::vector<kinesim::InitialFormulaText> starts = {};  // initial values from k
};

const std::vector<double> kTimes = {0.0, 0.25, 1.0, 2.5, 6.0};

// An events file's blocks on variables y1, y2 and parameter elements k[1] to k[3].
kinesim::EventDefinition event_block(const std::string& trigger,
                                     const std::vector<std::string>& sets,
                                     bool fromTriggerTime = true, const std::string& delay = "") {
    kinesim::EventDefinition event;
    event.id = trigger;
    event.trigger = trigger;
    event.fromTriggerTime = fromTriggerTime;
    event.delay = delay;
    for (const std::string& set : sets) {
        size_t equals = set.find('=');
        event.assignments.push_back({0, set.substr(0, equals - 1), set.substr(equals + 2)});
    }
    return event;
}

// The PARAM rows of k[1] to k[3].
kinesim::ParameterFile k_rows() {
    kinesim::ParameterFile file;
    file.labels = {"k"};
    for (int j = 1; j <= 3; ++j) {
        kinesim::ParamValueRow row;
        row.label = "k";
        row.index = j;
        file.params.push_back(row);
    }
    return file;
}

void load_events(const std::vector<kinesim::EventDefinition>& definitions,
                 kinesim::ParameterValues& parameters, kinesim::ModelFunctions& functions,
                 int algebraic, kinesim::StateEvents& events) {
    kinesim::ParameterFile file = k_rows();
    kinesim::RateSource rates{[&functions](const double* y, double* f) { functions.rhs(y, f); }, 2};
    ASSERT_EQ(events.load("events.txt", definitions, {"y1", "y2"}, algebraic, file,
                          parameters.record(), std::move(rates)),
              0);
}

// The course of `model` with k = `values`; with `sensitivities`, d y / d log k as well.
Course solve(const TestModel& model, std::vector<double> values, bool sensitivities,
             const kinesim::SolverSettings& settings,
             const std::vector<kinesim::TimeEvent>& events = {},
             const std::vector<kinesim::EventDefinition>& stateEvents = {}) {
    kinesim::ParameterValues parameters;
    parameters.resize({3});
    std::vector<double*> estimated;
    for (int j = 0; j < 3; ++j) {
        parameters.at(1, j + 1) = values[j];
        estimated.push_back(&parameters.at(1, j + 1));
    }
    kinesim::ModelFunctions functions(model.fvec, model.fjac, parameters.record(), 2);
    functions.set_parameter_jacobian(model.algebraic == 0 ? kOdeFpar : kDaeFpar);
    kinesim::StateEvents watched;
    load_events(stateEvents, parameters, functions, model.algebraic, watched);
    kinesim::InitialFormulas starts;
    EXPECT_EQ(starts.load("initial.txt", model.starts, {"y1", "y2"}, model.algebraic, k_rows(),
                          parameters.record()),
              0);
    std::vector<double> initial = model.initial, slopes;
    starts.apply(initial);
    starts.slopes(initial, estimated, {}, {}, slopes);
    Course course;
    std::string failure;
    EXPECT_EQ(solve_course(functions, model.algebraic, initial, kTimes, events,
                           sensitivities ? estimated : std::vector<double*>{}, settings, course,
                           failure, stateEvents.empty() ? nullptr : &watched,
                           starts.empty() ? nullptr : &slopes),
              0)
        << failure;
    for (int j = 0; j < 3; ++j) EXPECT_EQ(parameters.at(1, j + 1), values[j]) << "k" << j + 1;
    return course;
}

// The sensitivities IDAS integrates agree with central differences of courses solved far more
// tightly, by the log of each parameter, at every output time and for every variable.
void expect_sensitivities_match_differences(
    const TestModel& model, const std::vector<kinesim::TimeEvent>& events = {},
    const std::vector<kinesim::EventDefinition>& stateEvents = {}) {
    const std::vector<double> values = {0.8, 0.3, 0.5};
    Course course = solve(model, values, true, kinesim::SolverSettings(), events, stateEvents);
    kinesim::SolverSettings tight;
    tight.relativeTolerance = 1e-12;
    tight.absoluteTolerance = 1e-14;
    const double h = 1e-4;  // in log k: truncation error h^2 / 6 of the third derivative
    for (int j = 0; j < 3; ++j) {
        std::vector<double> up = values, down = values;
        up[j] *= std::exp(h);
        down[j] *= std::exp(-h);
        Course plus = solve(model, up, false, tight, events, stateEvents),
               minus = solve(model, down, false, tight, events, stateEvents);
        for (size_t k = 0; k < kTimes.size(); ++k) {
            for (int i = 0; i < 2; ++i) {
                double difference = (plus.state(k, i) - minus.state(k, i)) / (2 * h);
                EXPECT_NEAR(course.sensitivity(k, j, i), difference,
                            1e-6 + 1e-5 * std::fabs(difference))
                    << "parameter " << j + 1 << ", variable " << i + 1 << ", t = " << kTimes[k];
            }
        }
    }
}

TEST(CourseSolver, SensitivitiesOfAnOdeAgreeWithFiniteDifferences) {
    expect_sensitivities_match_differences({ode_fvec, ode_fjac, 0, {2.0, 0.5}});
}

// The algebraic variable's sensitivities come from the consistent initial values IDAS computes,
// so a wrong start of them (or of the derivatives by parameters) shows here.
TEST(CourseSolver, SensitivitiesOfADaeAgreeWithFiniteDifferences) {
    expect_sensitivities_match_differences({dae_fvec, dae_fjac, 1, {0.0, 3.0}});
}

// Initial values computed from the parameters, the second from the first: the sensitivities
// start from their slopes, and their rates from the Jacobian times them.
TEST(CourseSolver, SensitivitiesStartFromTheSlopesOfInitialFormulas) {
    const std::vector<kinesim::InitialFormulaText> ode = {{1, "y[y1]", "2*k[1] + k[3]^2"},
                                                          {2, "y[y2]", "y[y1]*k[2]"}};
    expect_sensitivities_match_differences({ode_fvec, ode_fjac, 0, {0.0, 0.0}, ode});
    const std::vector<kinesim::InitialFormulaText> dae = {{1, "y[y2]", "3*k[2]/k[1] + 1"}};
    expect_sensitivities_match_differences({dae_fvec, dae_fjac, 1, {0.0, 0.0}, dae});
}

// k1 set at a recorded time (the record is after it; d y / d log k1 no longer grows), k3 between
// records: the sensitivities are carried across both.
const std::vector<kinesim::TimeEvent> kEvents = {{1, 1.0, 1, 1, 2.0}, {2, 1.7, 1, 3, 0.1}};

TEST(CourseSolver, SensitivitiesOfAnOdeAgreeWithFiniteDifferencesAcrossEvents) {
    expect_sensitivities_match_differences({ode_fvec, ode_fjac, 0, {2.0, 0.5}}, kEvents);
}

// The algebraic variable jumps with k1 at t = 1; its sensitivities are made consistent again.
TEST(CourseSolver, SensitivitiesOfADaeAgreeWithFiniteDifferencesAcrossEvents) {
    expect_sensitivities_match_differences({dae_fvec, dae_fjac, 1, {0.0, 3.0}}, kEvents);
}

// State events whose times move with the parameters: a trigger on a state against k3, values
// of the state and of k2 (from the trigger time), and a delay of k3 with values from the
// firing time. Each term of the jump (the time shift, h_y, h_p, the delay) shows here.
TEST(CourseSolver, SensitivitiesOfAnOdeAgreeWithFiniteDifferencesAcrossStateEvents) {
    expect_sensitivities_match_differences(
        {ode_fvec, ode_fjac, 0, {2.0, 0.5}}, {},
        {event_block("gt(y[y2], 2*k[3]+0.1)", {"y[y1] = 0.5*y[y1] + k[2]"}),
         event_block("lt(y[y1], 0.9)", {"y[y2] = y[y2]*y[y1]"}, false, "k[3]")});
}

// A trigger on the algebraic variable, which a jump of the differential one moves again.
TEST(CourseSolver, SensitivitiesOfADaeAgreeWithFiniteDifferencesAcrossStateEvents) {
    expect_sensitivities_match_differences(
        {dae_fvec, dae_fjac, 1, {0.0, 3.0}}, {},
        {event_block("lt(y[y1], 0.5)", {"y[y2] = y[y2] + k[2]*y[y1]"}, true, "0.4")});
}

TEST(CourseSolver, AnEventAtARecordedTimeComesBeforeTheRecord) {
    // y1' = -k1 y1 + k2 y2 ... with k2 = k3 = 0 and y2 = 0 is pure decay: exp(-0.8 t) up to
    // t = 1, then exp(-0.8 - 2 (t - 1)).
    Course course = solve({ode_fvec, ode_fjac, 0, {1.0, 0.0}}, {0.8, 0.0, 0.0}, false,
                          kinesim::SolverSettings(), {{1, 1.0, 1, 1, 2.0}});
    EXPECT_NEAR(course.state(2, 0), std::exp(-0.8), 1e-6);
    EXPECT_NEAR(course.state(3, 0), std::exp(-0.8 - 2.0 * 1.5), 1e-6);
    // The slope right after t = 1 is the new one: a record before the event would still match
    // the old course at t = 2.5.
    EXPECT_GT(std::fabs(course.state(3, 0) - std::exp(-0.8 * 2.5)), 1e-2);
}

TEST(CourseSolver, RecordsTheStatesWithoutSensitivitiesAtTheAskedTimes) {
    Course course = solve({ode_fvec, ode_fjac, 0, {2.0, 0.5}}, {0.8, 0.3, 0.0}, false,
                          kinesim::SolverSettings());
    ASSERT_EQ(course.states.size(), kTimes.size() * 2);
    EXPECT_TRUE(course.sensitivities.empty());
    // With k3 = 0 the total is conserved and relaxes to k2 / (k1 + k2) of it in y1.
    for (size_t k = 0; k < kTimes.size(); ++k)
        EXPECT_NEAR(course.state(k, 0) + course.state(k, 1), 2.5, 1e-8);
    double equilibrium = 2.5 * 0.3 / 1.1, gap = 2.0 - equilibrium;
    EXPECT_NEAR(course.state(4, 0), equilibrium + gap * std::exp(-1.1 * 6.0), 1e-6);
}

}  // namespace
}  // namespace kinefit

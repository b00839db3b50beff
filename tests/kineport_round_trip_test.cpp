// kineport's SBML against the code symcode generates from the same DAE file: every model of the
// test suite exports to SBML that libSBML finds consistent; its rules, evaluated by libSBML at
// random states, give what the compiled usr_fvec gives; and its ODE models, integrated here by a
// Runge-Kutta method over libSBML's evaluation, follow kinesim's time course.
#include <gtest/gtest.h>
#include <sbml/SBMLTransforms.h>
#include <sbml/SBMLTypes.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <random>

#include "compiled_residual.h"
#include "workspace.h"

namespace zymorax::testkit {
namespace {

using Values = std::map<std::string, double>;

// Every DAE file of the test suite but the texts of symcode's printing case, which are not
// models to evaluate (one divides by the literal 1-1, on which compiled C traps); those of the
// case folders tests/cases/rxnconv/<example>_<method>_<method> are rxnconv's conversions of the
// bundled examples under the methods their names give.
std::vector<std::string> suite_dae_files() {
    const std::string printedOnly = source_path("tests/cases/symcode/expression_printing/");
    std::vector<std::string> files;
    for (const char* folder : {"tests", "compiler/testdata"}) {
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(source_path(folder))) {
            const std::string path = entry.path().string();
            if (entry.path().extension() == ".dae" && path.rfind(printedOnly, 0) != 0)
                files.push_back(path);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Gives every blank Y_START and PARAM value a number between 0.5 and 2.
std::string fill_blanks(const std::string& text, std::mt19937& random) {
    std::uniform_real_distribution<double> value(0.5, 2.0);
    std::string filled;
    for (const std::string& line : split(text, '\n')) {
        std::vector<std::string> fields = split(line, ';');
        size_t at = fields.empty()            ? 0
                    : fields[0] == "PARAM   " ? 3
                    : fields[0] == "Y_START " ? 2
                                              : 0;
        if (at > 0 && fields.size() > at && fields[at].find_first_not_of(' ') == std::string::npos)
            fields[at] = std::to_string(value(random));
        for (size_t i = 0; i < fields.size(); ++i) filled += (i > 0 ? ";" : "") + fields[i];
        filled += "\n";
    }
    return filled;
}

// The errors (warnings aside) libSBML finds in a file, with every consistency check on but, for
// a file over 100 KB, the units: read back from a file, the sum of 10,000 terms of symcode's
// long-line case (236 KB) keeps libSBML's unit check busy for minutes (unfinished after 160 s of
// CPU; 0.4 s without it). kineport runs every check, units included, before it writes.
std::string sbml_errors(SBMLDocument& document, uintmax_t fileSize) {
    if (fileSize > 100000) document.setConsistencyChecks(LIBSBML_CAT_UNITS_CONSISTENCY, false);
    document.checkConsistency();
    std::string errors;
    for (unsigned i = 0; i < document.getNumErrors(); ++i) {
        const SBMLError* error = document.getError(i);
        if (error->getSeverity() >= LIBSBML_SEV_ERROR) errors += error->getMessage() + "\n";
    }
    return errors;
}

// The exported model as a residual function of the state, evaluated by libSBML alone: the
// constants from the model, the assignment rules in the order they stand, then the algebraic
// rules (rows 1..A in order) and the rate rules (the row of their species' variable).
class SbmlResidual {
  public:
    SbmlResidual(const Model& model, const std::vector<std::string>& tags) : model_(model) {
        for (unsigned i = 0; i < model.getNumParameters(); ++i) {
            const Parameter* p = model.getParameter(i);
            if (p->isSetValue()) constants_[p->getId()] = p->getValue();  // events may set it
        }
        for (unsigned i = 0; i < model.getNumCompartments(); ++i)
            constants_[model.getCompartment(i)->getId()] = model.getCompartment(i)->getSize();
        for (size_t k = 0; k < tags.size(); ++k) {
            for (unsigned i = 0; i < model.getNumSpecies(); ++i) {
                if (model.getSpecies(i)->getName() == tags[k])
                    ids_.push_back(model.getSpecies(i)->getId());
            }
            EXPECT_EQ(ids_.size(), k + 1) << "no species named " << tags[k];
        }
    }

    void operator()(const std::vector<double>& y, std::vector<double>& residual) const {
        Values values = constants_;
        for (size_t k = 0; k < y.size(); ++k) values[ids_.at(k)] = y[k];
        residual.assign(y.size(), NAN);
        size_t algebraic = 0;
        for (unsigned i = 0; i < model_.getNumRules(); ++i) {
            const Rule* rule = model_.getRule(i);
            double value = SBMLTransforms::evaluateASTNode(rule->getMath(), values);
            if (rule->isAssignment()) {
                values[rule->getVariable()] = value;
            } else if (rule->isAlgebraic()) {
                residual.at(algebraic++) = value;
            } else {
                auto at = std::find(ids_.begin(), ids_.end(), rule->getVariable());
                residual.at(at - ids_.begin()) = value;
            }
        }
    }

    const std::vector<std::string>& species_ids() const { return ids_; }
    void set(const std::string& parameter, double value) { constants_.at(parameter) = value; }

  private:
    const Model& model_;
    Values constants_;
    std::vector<std::string> ids_;  // by variable number - 1
};

// symcode's C code and kineport's SBML of one DAE file, both loaded.
struct BothForms {
    CompiledResidual code;
    std::unique_ptr<SBMLDocument> document;
};

// Exports m.dae with the parameter file p.txt of the workspace and checks the SBML; then
// compiles m.c, false when TinyCC cannot (symcode writes a name such as kxg[2x)] as it stands,
// which its reader takes for kxg[2]).
bool load_both(const Workspace& work, BothForms& both) {
    ProgramRun port = work.run("kineport", {"-Dm.dae", "-Pp.txt", "-Om.xml"});
    EXPECT_EQ(port.status, 0) << port.log;
    both.document.reset(readSBMLFromFile(work.file("m.xml").c_str()));
    EXPECT_EQ(sbml_errors(*both.document, std::filesystem::file_size(work.file("m.xml"))), "");
    return port.status == 0 && both.code.load(work.file("m.c"), work.file("p.txt"));
}

ProgramRun symcode(const Workspace& work) {
    return work.run("symcode", {"-Dm.dae", "-Pp.txt", "-Fm.c", "-Tt.c", "-Gg.c", "-Ss.c"});
}

TEST(KineportRoundTrip, EveryModelOfTheSuiteIsConsistentSbmlWhoseRulesGiveUsrFvec) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> amount(0.1, 10.0);
    std::vector<std::string> exported;  // paths
    for (const std::string& dae : suite_dae_files()) {
        SCOPED_TRACE(dae);
        Workspace work;
        work.put("m.dae", read_file(dae));
        if (symcode(work).status != 0) {  // a file symcode refuses is refused here as well
            EXPECT_EQ(work.run("kineport", {"-Dm.dae", "-Pp.txt", "-Om.xml"}).status, 255);
            EXPECT_FALSE(work.has("m.xml"));
            continue;
        }
        work.put("p.txt", fill_blanks(work.read("p.txt"), random));
        BothForms both;
        if (!load_both(work, both)) continue;
        const Model& model = *both.document->getModel();
        SbmlResidual residual(model, both.code.tags());
        for (size_t k = 0; k < both.code.tags().size(); ++k) {
            EXPECT_EQ(model.getSpecies(residual.species_ids()[k])->getInitialAmount(),
                      both.code.initial()[k]);
        }
        std::vector<double> y(both.code.tags().size()), fvec, sbml;
        for (int trial = 0; trial < 20; ++trial) {
            for (double& v : y) v = amount(random);
            both.code(y, fvec);
            residual(y, sbml);
            for (size_t i = 0; i < y.size(); ++i) {
                if (sbml[i] == fvec[i]) continue;  // symcode's long product overflows to inf
                EXPECT_NEAR(sbml[i], fvec[i], 1e-12 * std::fabs(fvec[i])) << "row " << i + 1;
            }
        }
        exported.push_back(dae);
    }
    EXPECT_GE(exported.size(), 50u);
    for (const auto& entry : std::filesystem::directory_iterator(source_path("examples"))) {
        if (entry.path().extension() != ".xml") continue;
        std::string prefix =
            source_path("tests/cases/rxnconv/" + entry.path().stem().string() + "_");
        EXPECT_TRUE(
            std::any_of(exported.begin(), exported.end(),
                        [&](const std::string& name) { return name.rfind(prefix, 0) == 0; }))
            << "no conversion of " << entry.path() << " was exported";
    }
}

// An SBML event that fires when time reaches `time`, setting `target` to `value`.
struct TimedAssignment {
    double time, priority;
    std::string target;
    double value;
};

// The events of the model, each of trigger time >= number, by time and then by falling priority
// (the order SBML executes simultaneous events in).
std::vector<TimedAssignment> timed_assignments(const Model& model) {
    std::vector<TimedAssignment> timed;
    for (unsigned i = 0; i < model.getNumEvents(); ++i) {
        const Event* event = model.getEvent(i);
        const ASTNode* trigger = event->getTrigger()->getMath();
        EXPECT_EQ(trigger->getType(), AST_RELATIONAL_GEQ);
        EXPECT_EQ(trigger->getChild(0)->getType(), AST_NAME_TIME);
        EXPECT_FALSE(event->getTrigger()->getInitialValue());  // so that an event at 0 fires
        double time = SBMLTransforms::evaluateASTNode(trigger->getChild(1));
        double priority = SBMLTransforms::evaluateASTNode(event->getPriority()->getMath());
        for (unsigned j = 0; j < event->getNumEventAssignments(); ++j) {
            const EventAssignment* set = event->getEventAssignment(j);
            timed.push_back({time, priority, set->getVariable(),
                             SBMLTransforms::evaluateASTNode(set->getMath())});
        }
    }
    std::stable_sort(timed.begin(), timed.end(), [](const auto& a, const auto& b) {
        return a.time < b.time || (a.time == b.time && a.priority > b.priority);
    });
    return timed;
}

// The time course of an ODE model by the classical Runge-Kutta method at `steps` steps per
// output step, in the layout of kinesim's CSV rows (time, then the variables). `events` (at
// output times) apply before the row of their time.
std::vector<std::vector<double>> runge_kutta(SbmlResidual& f, std::vector<double> y, double end,
                                             double outputStep, int steps,
                                             const std::vector<TimedAssignment>& events = {}) {
    std::vector<std::vector<double>> rows;
    const double h = outputStep / steps;
    std::vector<double> k1, k2, k3, k4, z(y.size());
    auto at = [&](const std::vector<double>& k, double factor) {
        for (size_t i = 0; i < y.size(); ++i) z[i] = y[i] + factor * h * k[i];
        return z;
    };
    auto next = events.begin();
    for (int row = 0; row * outputStep <= end + 1e-9; ++row) {
        for (; next != events.end() && next->time <= row * outputStep + 1e-9; ++next)
            f.set(next->target, next->value);
        rows.push_back({row * outputStep});
        rows.back().insert(rows.back().end(), y.begin(), y.end());
        for (int s = 0; s < steps; ++s) {
            f(y, k1);
            f(at(k1, 0.5), k2);
            f(at(k2, 0.5), k3);
            f(at(k3, 1.0), k4);
            for (size_t i = 0; i < y.size(); ++i)
                y[i] += h / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
        }
    }
    return rows;
}

// The bundled examples' ODE conversions with their tuned values. kinesim solves to 1e-10
// relative, 1e-12 absolute per step, the Runge-Kutta method's error at these steps is far below;
// the courses agree to 1e-7 relative.
TEST(KineportRoundTrip, OdeModelsIntegratedFromTheSbmlFollowKinesim) {
    const struct {
        const char* conversion;  // the rxnconv case folder
        const char* tuned;
    } models[] = {
        {"glycolysis_gma_CMA_GMA", "examples/glycolysis_gma.param.txt"},
        {"glycolysis_gma_CMA_MM", "examples/glycolysis_gma.mm.param.txt"},
        {"enzyme_complex_CMA_GMA", "examples/enzyme_complex.param.txt"},
        {"enzyme_complex_CMA_MM", "examples/enzyme_complex.param.txt"},
    };
    for (const auto& m : models) {
        SCOPED_TRACE(m.conversion);
        Workspace work;
        work.put("m.dae", read_file(source_path("tests/cases/rxnconv/" + std::string(m.conversion) +
                                                "/expected/files/model.dae")));
        ASSERT_EQ(symcode(work).status, 0);
        ASSERT_EQ(work.run("valfuse", {"-Ip.txt", "-R" + source_path(m.tuned)}).status, 0);
        BothForms both;
        ASSERT_TRUE(load_both(work, both));
        ASSERT_EQ(both.code.algebraic_count(), 0);
        ProgramRun sim = work.run("kinesim", {"-Cm.c", "-Pp.txt", "-T0:10", "-S0.5", "-R1e-10",
                                              "-A1e-12", "-Ocourse.csv"});
        ASSERT_EQ(sim.status, 0) << sim.log;
        std::vector<std::vector<double>> expected = read_course(work.file("course.csv"));
        SbmlResidual f(*both.document->getModel(), both.code.tags());
        std::vector<std::vector<double>> rows = runge_kutta(f, both.code.initial(), 10.0, 0.5, 200);
        ASSERT_EQ(rows.size(), expected.size());
        for (size_t t = 0; t < rows.size(); ++t) {
            for (size_t i = 1; i < rows[t].size(); ++i)
                EXPECT_NEAR(rows[t][i], expected[t][i], 1e-7 * std::fabs(expected[t][i]) + 1e-10)
                    << "time " << rows[t][0] << " variable " << i;
        }
    }
}

// T_EVENT rows exported as SBML events: integrated from the SBML (its triggers, priorities and
// assignments read as SBML defines them), the course follows kinesim's, two events on one
// element at one time included (the later row holds).
TEST(KineportRoundTrip, TimeEventsExportedAsSbmlEventsFollowKinesim) {
    Workspace work;
    work.put("m.dae",
             read_file(source_path("tests/cases/kinesim/time_event_on_a_parameter/model.dae")));
    ASSERT_EQ(symcode(work).status, 0);
    const std::string marker = "#T_EVENT ; name; index; time; value; #comment\n";
    std::string param = work.read("p.txt");
    ASSERT_NE(param.find(marker), std::string::npos);
    param.insert(param.find(marker) + marker.size(),
                 "T_EVENT ;k;1;1;5;replaced\nT_EVENT ;k;2;1.5;0;inflow stopped\n"
                 "T_EVENT ;k;1;1;2;faster decay\nT_EVENT ;k;2;0;3;at the start\n");
    work.put("p.txt", param);
    BothForms both;
    ASSERT_TRUE(load_both(work, both));
    ASSERT_EQ(both.document->getModel()->getNumEvents(), 4u);
    ProgramRun sim = work.run(
        "kinesim", {"-Cm.c", "-Pp.txt", "-T0:3", "-S0.5", "-R1e-10", "-A1e-12", "-Ocourse.csv"});
    ASSERT_EQ(sim.status, 0) << sim.log;
    std::vector<std::vector<double>> expected = read_course(work.file("course.csv"));
    SbmlResidual f(*both.document->getModel(), both.code.tags());
    std::vector<std::vector<double>> rows = runge_kutta(
        f, both.code.initial(), 3.0, 0.5, 200, timed_assignments(*both.document->getModel()));
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t t = 0; t < rows.size(); ++t) {
        for (size_t i = 1; i < rows[t].size(); ++i)
            EXPECT_NEAR(rows[t][i], expected[t][i], 1e-7 * std::fabs(expected[t][i]) + 1e-10)
                << "time " << rows[t][0] << " variable " << i;
    }
    EXPECT_NEAR(rows.back()[2], 4.5, 1e-9);  // B: inflow 3 up to t = 1.5
}

}  // namespace
}  // namespace zymorax::testkit

#include "sbml_input.h"

#include <cstring>

#include "log.h"

#include <sbml/extension/SBasePlugin.h>

namespace kinelaw {
namespace {

// "line N: message" without the message's closing full stop.
std::string error_text(const SBMLError& error) {
    std::string text = "line " + std::to_string(error.getLine()) + ": " + error.getMessage();
    for (char& c : text) {
        if (c == '\n') c = ' ';  // one line in the log
    }
    while (!text.empty() && std::strchr("\n .", text.back()) != nullptr) text.pop_back();
    return text;
}

// Attributes and elements the schema does not know (a layout namespace declared on a Level 2
// document) are read past by libSBML: no value or formula of the model depends on them.
bool read_past(const SBMLError& error) {
    return error.getErrorId() == NotSchemaConformant || error.getErrorId() == UnrecognizedElement;
}

// The first error libSBML reports that keeps the model from being read as it stands.
int first_error(const SBMLDocument& document, const std::string& path, std::string& problem) {
    for (unsigned i = 0; i < document.getNumErrors(); ++i) {
        const SBMLError* error = document.getError(i);
        if (error->getSeverity() < LIBSBML_SEV_ERROR) continue;
        if (read_past(*error) && document.getModel() != nullptr) {
            log_sys("%s: line %u: %s (read past).\n", path.c_str(), error->getLine(),
                    error->getShortMessage().c_str());
            continue;
        }
        problem = error_text(*error);
        return -1;
    }
    return 0;
}

bool has_delay(const ASTNode* math) {
    if (math == nullptr) return false;
    if (math->getType() == AST_FUNCTION_DELAY) return true;
    for (unsigned i = 0; i < math->getNumChildren(); ++i) {
        if (has_delay(math->getChild(i))) return true;
    }
    return false;
}

// The first element whose math holds a delay, or an empty text.
std::string delayed_element(const Model& model) {
    for (unsigned i = 0; i < model.getNumReactions(); ++i) {
        const Reaction& r = *model.getReaction(i);
        if (r.isSetKineticLaw() && has_delay(r.getKineticLaw()->getMath())) return "reaction " + r.getId();
    }
    for (unsigned i = 0; i < model.getNumRules(); ++i) {
        if (has_delay(model.getRule(i)->getMath())) return "the rule of " + model.getRule(i)->getVariable();
    }
    for (unsigned i = 0; i < model.getNumInitialAssignments(); ++i) {
        const InitialAssignment& a = *model.getInitialAssignment(i);
        if (has_delay(a.getMath())) return "the initial assignment to " + a.getSymbol();
    }
    return std::string();
}

// Layouts and their rendering only draw the model; the Level 3 Version 2 math every such
// document carries is no package of its own.
bool changes_simulation(const std::string& package) {
    return package != "layout" && package != "render" && package != "l3v2extendedmath";
}

// The first construct the DAE file cannot say, as a sentence, or an empty text.
std::string unsupported_construct(const SBMLDocument& document) {
    for (unsigned i = 0; i < document.getNumPlugins(); ++i) {
        const SBasePlugin* plugin = document.getPlugin(i);
        if (plugin == nullptr || !document.isPackageEnabled(plugin->getPackageName())) continue;
        if (!changes_simulation(plugin->getPackageName())) continue;
        return "the SBML package '" + plugin->getPackageName() + "' is not supported";
    }
    const Model& model = *document.getModel();
    for (unsigned i = 0; i < model.getNumReactions(); ++i) {
        const Reaction& r = *model.getReaction(i);
        if (r.isSetFast() && r.getFast()) return "reaction " + r.getId() + " is fast: fast reactions are not supported";
    }
    std::string delayed = delayed_element(model);
    if (!delayed.empty()) return "in " + delayed + ": delays are not supported";
    return std::string();
}

// A rule, initial assignment or event trigger without math says nothing: it is as if it were
// not there.
void drop_elements_without_math(Model& model, const std::string& path) {
    for (unsigned i = model.getNumRules(); i-- > 0;) {
        if (model.getRule(i)->isSetMath()) continue;
        log_sys("%s: the rule of %s has no math and is left out.\n", path.c_str(),
                model.getRule(i)->getVariable().c_str());
        delete model.removeRule(i);
    }
    for (unsigned i = model.getNumEvents(); i-- > 0;) {
        const Event& event = *model.getEvent(i);
        if (event.isSetTrigger() && event.getTrigger()->isSetMath()) continue;
        log_sys("%s: event %s has no trigger math: it never fires and is left out.\n", path.c_str(),
                event.getId().c_str());
        delete model.removeEvent(i);
    }
    for (unsigned i = model.getNumInitialAssignments(); i-- > 0;) {
        if (model.getInitialAssignment(i)->isSetMath()) continue;
        log_sys("%s: the initial assignment to %s has no math and is left out.\n", path.c_str(),
                model.getInitialAssignment(i)->getSymbol().c_str());
        delete model.removeInitialAssignment(i);
    }
}

}  // namespace

int read_sbml_model(const std::string& path, std::unique_ptr<SBMLDocument>& document,
                    std::string& problem) {
    SBMLReader reader;
    document.reset(reader.readSBMLFromFile(path));
    if (!document) {
        problem = "Cannot read " + path;
        return -1;
    }
    if (first_error(*document, path, problem) != 0) return -1;
    if (document->getModel() == nullptr) {
        problem = path + " holds no model";
        return -1;
    }
    problem = unsupported_construct(*document);
    if (!problem.empty()) return -1;
    drop_elements_without_math(*document->getModel(), path);
    return 0;
}

}  // namespace kinelaw

#include "kinelaw.h"

#include <cerrno>
#include <cstring>

#include "file_replace.h"
#include "law_model.h"
#include "log.h"
#include "sbml_input.h"

namespace kinelaw {
namespace {

// Blanks for what would end or break a header line of the DAE file.
std::string header_text(std::string text) {
    for (char& c : text) {
        if (c == '#' || c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

// One line per SBML id: its DAE name, its kind and, for a species, its compartment and whether
// its symbol is an amount or a concentration.
std::string usage_text(const LawDae& dae) {
    std::string out = "# id\tDAE name\tkind\tcompartment\tunit\n";
    for (const SymbolUse& use : dae.uses) {
        out += use.id + "\t" + use.daeName + "\t" + use.kind;
        if (use.kind == "species") {
            out += "\t" + use.compartment + (use.inAmount ? "\tamount" : "\tconcentration");
        }
        out += "\n";
    }
    for (const DaeDefinition& t : dae.temporaries) out += t.name + "\t" + t.name + "\ttemporary\n";
    return out;
}

int write_text_file(const std::string& path, const std::string& text) {
    zymorax::ReplaceFailure failure;
    auto fill = [&text](FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); };
    if (zymorax::replace_file(path, fill, true, failure)) return 0;
    log_sys("Cannot write %s: %s.\n", path.c_str(), std::strerror(failure.error));
    return -1;
}

void warn_missing_values(const LawDae& dae) {
    for (const DaeLabel& label : dae.labels) {
        for (const DaeValue& e : label.elements) {
            if (!e.value) log_sys("%s has no value: fill it in the parameter file.\n", e.tag.c_str());
        }
    }
}

}  // namespace

int run_kinelaw(const LawOptions& options) {
    std::unique_ptr<SBMLDocument> document;
    std::string problem;
    LawDae dae;
    if (read_sbml_model(options.modelFile, document, problem) != 0 ||
        build_law_dae(*document->getModel(), dae, problem) != 0) {
        log_sys("%s: %s.\n", options.modelFile.c_str(), problem.c_str());
        return kExitFailure;
    }
    const Model& model = *document->getModel();
    // A DAE file alone would simulate the model as if its events never fired.
    if (!dae.events.empty() && options.eventFile.empty()) {
        log_sys("%s: event %s: the model has events; give -E<events file> to write them for "
                "kinesim -E.\n",
                options.modelFile.c_str(), dae.events.front().id.c_str());
        return kExitFailure;
    }
    dae.title = header_text(model.isSetName() ? model.getName() : model.getId());
    dae.info = header_text("the kinetic laws and rules of " + options.modelFile);
    warn_missing_values(dae);
    if (write_text_file(options.daeFile, dae_text(dae)) != 0) return kExitFailure;
    if (!options.usageFile.empty() && write_text_file(options.usageFile, usage_text(dae)) != 0) {
        return kExitFailure;
    }
    if (!options.eventFile.empty() && write_text_file(options.eventFile, events_text(dae)) != 0) {
        return kExitFailure;
    }
    if (!options.initialFile.empty()) {
        for (const std::string& kept : dae.startsKept) {
            log_sys("%s: %s, so its value is written as a number and does not follow the "
                    "parameters.\n",
                    options.modelFile.c_str(), kept.c_str());
        }
        if (write_text_file(options.initialFile, initial_values_text(dae)) != 0) return kExitFailure;
    }
    return kExitOk;
}

}  // namespace kinelaw

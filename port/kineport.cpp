#include "kineport.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

#include "dae_source.h"
#include "log.h"
#include "model_ids.h"
#include "model_values.h"
#include "petab_problem.h"
#include "sbml_model.h"
#include "sbml_output.h"

namespace kineport {
namespace {

int build_sbml(const DaeSource& source, const ModelValues& values, const ModelIds& ids,
               const ModelEvents& events, const std::string& path,
               std::vector<OutputFile>& outputs) {
    std::unique_ptr<SBMLDocument> document = build_model_document(source, values, ids, events);
    if (!document || check_document(*document, path) != 0) return -1;
    outputs.push_back({path, document_text(*document)});
    return 0;
}

// Two outputs at one path would leave only the last; a folder that cannot take a file would
// leave the outputs before it written and the rest not.
bool writable_paths(const std::vector<OutputFile>& outputs) {
    std::set<std::string> seen;
    for (const OutputFile& output : outputs) {
        std::filesystem::path path = std::filesystem::absolute(output.path).lexically_normal();
        if (!seen.insert(path.string()).second) {
            log_sys("%s would be written twice; choose other output names.\n", output.path.c_str());
            return false;
        }
        if (access(path.parent_path().c_str(), W_OK | X_OK) != 0) {
            log_sys("Cannot write %s: %s.\n", output.path.c_str(), std::strerror(errno));
            return false;
        }
    }
    return true;
}

// A model of kinelaw's with events is exported with them or not at all.
int check_event_count(const DaeSource& source, const ModelEvents& events) {
    const int expected = source.header.eventCount;
    if (expected < 0) {
        log_sys("%s: the events count of the Model section cannot be read.\n", source.path.c_str());
        return -1;
    }
    return kinesim::check_event_count(source.path, expected, events.path, events.definitions.size(),
                                      "--events <events.txt>", "be lost");
}

int export_all(const PortOptions& options) {
    DaeSource source;
    kinesim::ParameterFile file;
    ModelValues values;
    ModelEvents events;
    events.path = options.eventFile;
    if (read_dae_source(options.daeFile, source) != 0 ||
        kinesim::read_parameter_file(options.paramFile, file) != 0 ||
        bind_values(source, file, values) != 0 ||
        (!events.path.empty() && kinesim::read_event_file(events.path, events.definitions) != 0)) {
        return -1;
    }
    if (check_event_count(source, events) != 0) return -1;
    std::vector<std::string> eventNames;
    for (const kinesim::EventDefinition& event : events.definitions) eventNames.push_back(event.id);
    ModelIds ids = assign_model_ids(source, values, eventNames);
    std::vector<OutputFile> outputs;
    if (build_sbml(source, values, ids, events, options.sbmlFile, outputs) != 0) return -1;
    if (!options.petabFile.empty() &&
        build_petab(source, file, values, ids, options, outputs) != 0) {
        return -1;
    }
    if (!writable_paths(outputs)) return -1;
    for (const OutputFile& output : outputs) {
        if (write_text_file(output.path, output.text) != 0) return -1;
    }
    return 0;
}

}  // namespace

int run_kineport(const PortOptions& options) {
    if (export_all(options) == 0) return kExitOk;
    log_sys("Nothing was exported.\n");
    return kExitFailure;
}

}  // namespace kineport

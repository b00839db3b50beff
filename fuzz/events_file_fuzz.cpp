// Feeds one input to kinesim's events file reader and, where it reads, compiles the events
// against a small model (variables A, B and sbml.time; parameters k[1], k[2]) and runs them as
// a simulation would: the root functions, the start, a crossing of every root in both
// directions. What must hold: nothing crashes, no firing assigns outside the state or the
// parameters, and the parameters are put back when the events are released.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "event_file.h"
#include "log.h"
#include "model_inputs.h"
#include "param_reader.h"
#include "state_events.h"

namespace {

std::string scratch_file;

void check(bool holds) {
    if (!holds) __builtin_trap();
}

kinesim::ParameterFile small_parameter_file() {
    kinesim::ParameterFile file;
    file.labels = {"k"};
    for (int index = 1; index <= 2; ++index) {
        kinesim::ParamValueRow row;
        row.label = "k";
        row.index = index;
        file.params.push_back(row);
    }
    return file;
}

void run_events(const std::vector<kinesim::EventDefinition>& definitions) {
    static const kinesim::ParameterFile file = small_parameter_file();
    const std::vector<std::string> tags = {"B", "A", "sbml.time"};
    kinesim::ParameterValues parameters;
    parameters.resize({2});
    parameters.at(1, 1) = 0.5;
    parameters.at(1, 2) = 2.0;
    {
        kinesim::StateEvents events;
        kinesim::RateSource rates{[](const double* y, double* f) {
                                      for (int i = 0; i < 3; ++i) f[i] = -y[i];
                                  },
                                  3};
        if (events.load(scratch_file, definitions, tags, 1, file, parameters.record(), rates) != 0)
            return;
        std::vector<double> y = {0.25, 1.0, 0.0};
        std::vector<double> g(events.root_count());
        events.roots(y.data(), g.data());
        auto settle = [](double*) { return 0; };
        if (events.start(y.data(), 0.0, settle) < 0) return;
        for (int direction : {1, -1}) {
            std::vector<int> directions(events.root_count(), direction);
            y[2] += 1.0;
            if (events.after_change(y.data(), y[2], directions.data(), settle) < 0) return;
        }
        events.next_scheduled();
    }
    check(parameters.at(1, 1) == 0.5 && parameters.at(1, 2) == 2.0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("ZYMORAX_SYSLOG", "/dev/null", 1);
    log_sysinit(0, nullptr);
    char folder[] = "/tmp/events_file_fuzz.XXXXXX";
    if (mkdtemp(folder) == nullptr) std::abort();
    scratch_file = std::string(folder) + "/events.txt";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* out = std::fopen(scratch_file.c_str(), "wb");
    if (out == nullptr) std::abort();
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    std::vector<kinesim::EventDefinition> definitions;
    if (kinesim::read_event_file(scratch_file, definitions) == 0) run_events(definitions);
    return 0;
}

#include "event_file.h"

#include <fstream>

#include "log.h"
#include "text_io.h"

namespace kinesim {
namespace {

class EventReader {
  public:
    EventReader(const std::string& path, std::vector<EventDefinition>& events)
        : path_(path), events_(events) {}

    int line(int number, const std::string& text) {
        line_ = number;
        std::string content = zymorax::trim(text);
        if (content.empty() || content[0] == '#') return 0;
        size_t space = content.find_first_of(" \t");
        std::string key = content.substr(0, space);
        std::string rest = space == std::string::npos ? "" : zymorax::trim(content.substr(space));
        if (key == "EVENT") return begin(rest);
        if (!open_) return fail("'" + key + "' outside an EVENT block");
        if (key == "END") return end(rest);
        if (key == "TRIGGER") return math(rest, current().trigger, current().triggerLine);
        if (key == "PRIORITY") return math(rest, current().priority, current().priorityLine);
        if (key == "DELAY") return math(rest, current().delay, current().delayLine);
        if (key == "INITIAL_VALUE") return flag(rest, current().initialValue);
        if (key == "PERSISTENT") return flag(rest, current().persistent);
        if (key == "VALUES_FROM_TRIGGER_TIME") return flag(rest, current().fromTriggerTime);
        if (key == "SET") return assignment(rest);
        return fail("unknown line '" + key + "'");
    }

    int finish() {
        if (open_) return fail("the file ends inside event " + current().id + " (no END)");
        return 0;
    }

  private:
    int fail(const std::string& what) const {
        log_sys("%s:%d: %s.\n", path_.c_str(), line_, what.c_str());
        return -1;
    }

    EventDefinition& current() { return events_.back(); }

    int begin(const std::string& id) {
        if (open_) return fail("EVENT inside event " + current().id + " (no END before it)");
        if (id.empty()) return fail("the EVENT line names no event");
        events_.push_back(EventDefinition());
        current().line = line_;
        current().id = id;
        open_ = true;
        return 0;
    }

    int end(const std::string& rest) {
        if (!rest.empty()) return fail("END takes nothing after it");
        if (current().trigger.empty()) return fail("event " + current().id + " has no TRIGGER");
        open_ = false;
        return 0;
    }

    int math(const std::string& text, std::string& field, int& at) {
        if (text.empty()) return fail("the line gives no math");
        if (!field.empty()) return fail("event " + current().id + " has this line twice");
        field = text;
        at = line_;
        return 0;
    }

    int flag(const std::string& text, bool& field) {
        if (text != "true" && text != "false")
            return fail("'" + text + "' is neither true nor false");
        field = text == "true";
        return 0;
    }

    int assignment(const std::string& text) {
        size_t equals = text.find('=');
        if (equals == std::string::npos) return fail("a SET line reads SET <target> = <math>");
        EventAssignmentText set{line_, zymorax::trim(text.substr(0, equals)),
                                zymorax::trim(text.substr(equals + 1))};
        if (set.target.empty() || set.math.empty())
            return fail("a SET line reads SET <target> = <math>");
        current().assignments.push_back(set);
        return 0;
    }

    const std::string& path_;
    std::vector<EventDefinition>& events_;
    int line_ = 0;
    bool open_ = false;
};

}  // namespace

int read_event_file(const std::string& path, std::vector<EventDefinition>& events) {
    events.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        log_sys("Cannot open the events file %s.\n", path.c_str());
        return -1;
    }
    EventReader reader(path, events);
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (reader.line(number, text) != 0) return -1;
    }
    return reader.finish();
}

int check_event_count(const std::string& codeFile, int expected, const std::string& eventFile,
                      size_t given, const char* option, const char* loss) {
    // Code without the count (a DAE file written by hand) takes any events file.
    if (expected <= 0 || static_cast<size_t>(expected) == given) return 0;
    if (eventFile.empty()) {
        log_sys(
            "%s: the model has %d event%s, which kinelaw -E wrote to an events file: give it "
            "with %s, or they would %s.\n",
            codeFile.c_str(), expected, expected == 1 ? "" : "s", option, loss);
    } else {
        log_sys(
            "%s holds %zu event%s, but %s says the model has %d: the files belong to "
            "different models.\n",
            eventFile.c_str(), given, given == 1 ? "" : "s", codeFile.c_str(), expected);
    }
    return -1;
}

}  // namespace kinesim

// The events file kinelaw writes beside a DAE file (-E): one block per event,
//   EVENT <id>
//   TRIGGER <math>
//   INITIAL_VALUE true|false
//   PERSISTENT true|false
//   VALUES_FROM_TRIGGER_TIME true|false
//   PRIORITY <math>            (optional)
//   DELAY <math>               (optional: the event fires this long after its trigger)
//   SET <y[tag] or label[k]> = <math>   (any number)
//   END
// '#' starts a comment line. The math is kept as text; state_events.h parses it.
#pragma once

#include <string>
#include <vector>

namespace kinesim {

struct EventAssignmentText {
    int line = 0;
    std::string target;
    std::string math;
};

struct EventDefinition {
    int line = 0;  // of its EVENT line
    std::string id;
    std::string trigger;
    int triggerLine = 0;
    bool initialValue = true;
    bool persistent = true;
    bool fromTriggerTime = true;
    std::string priority;
    int priorityLine = 0;
    std::string delay;
    int delayLine = 0;
    std::vector<EventAssignmentText> assignments;
};

// Reads the file; 0, or -1 after logging the file, the line and what is wrong with it.
int read_event_file(const std::string& path, std::vector<EventDefinition>& events);

// A model whose file says it has `expected` (> 0) events runs with an events file of as many,
// or they would be lost (`eventFile` empty: none given; `option` how one is given; `loss` what
// would befall them: "not fire"). 0, or -1 after logging.
int check_event_count(const std::string& codeFile, int expected, const std::string& eventFile,
                      size_t given, const char* option, const char* loss = "not fire");

}  // namespace kinesim

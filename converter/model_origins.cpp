#include "model_origins.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

#include "log.h"

namespace {

// A number that a log line names: its kind ('S' species, 'R' reaction) and value.
struct NamedNumber {
    size_t position;
    char kind;
    int number;
    bool operator<(const NamedNumber& other) const { return position < other.position; }
};

std::map<int, std::string> speciesOrigins;
std::map<int, std::string> reactionOrigins;

std::map<int, std::string>* originsOf(char kind) {
    if (kind == 'S') return &speciesOrigins;
    if (kind == 'R') return &reactionOrigins;
    return nullptr;
}

// The numbers after "<key>=" in the line.
void collectNumbers(const std::string& line, const std::string& key, char kind,
                    std::vector<NamedNumber>& found) {
    std::string marker = key + "=";
    for (size_t at = line.find(marker); at != std::string::npos; at = line.find(marker, at + 1)) {
        size_t digits = at + marker.size();
        size_t end = digits;
        while (end < line.size() && end - digits < 9 && line[end] >= '0' && line[end] <= '9') ++end;
        if (end > digits) found.push_back({at, kind, std::atoi(line.substr(digits, end - digits).c_str())});
    }
}

}  // namespace

void setModelOrigins(const std::string& lines) {
    speciesOrigins.clear();
    reactionOrigins.clear();
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = std::min(lines.find('\n', start), lines.size());
        std::string line = lines.substr(start, end - start);
        start = end + 1;
        size_t blank = line.find(' ');
        std::map<int, std::string>* origins = line.empty() ? nullptr : originsOf(line[0]);
        if (origins == nullptr || blank == std::string::npos || blank < 2) continue;
        (*origins)[std::atoi(line.substr(1, blank - 1).c_str())] = line.substr(blank + 1);
    }
}

void installOriginNotes() { log_setnote(originNote); }

std::string originNote(const std::string& line) {
    std::vector<NamedNumber> found;
    collectNumbers(line, "reactionID", 'R', found);
    collectNumbers(line, "specieID", 'S', found);
    std::sort(found.begin(), found.end());
    std::string note;
    std::vector<std::pair<char, int>> named;
    for (const NamedNumber& item : found) {
        const std::map<int, std::string>& origins = *originsOf(item.kind);
        auto origin = origins.find(item.number);
        std::pair<char, int> key{item.kind, item.number};
        if (origin == origins.end() || std::find(named.begin(), named.end(), key) != named.end()) continue;
        named.push_back(key);
        note += note.empty() ? "  " : "; ";
        note += (item.kind == 'R' ? "reactionID=" : "specieID=") + std::to_string(item.number) + ": " +
                origin->second;
    }
    return note.empty() ? note : note + "\n";
}

#include "tag_check.h"

#include <unordered_map>

#include "log.h"

namespace valfuse {

bool has_key(const ParamRow& row) {
    return is_value_row(row) && !row.tag().empty();
}

int check_tags(const std::vector<ParamRow>& rows) {
    // The first two positions of every tag are all a report needs.
    std::unordered_map<std::string, std::vector<size_t>> positions;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!has_key(rows[i])) continue;
        std::vector<size_t>& seen = positions[rows[i].tag()];
        if (seen.size() < 2) seen.push_back(i);
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!has_key(rows[i])) continue;
        const std::vector<size_t>& seen = positions.at(rows[i].tag());
        if (seen.size() < 2) continue;
        log_sys("tag dupplication:\n\t%s\n\t%s\n", rows[seen[0]].text_without_line_end().c_str(),
                rows[seen[1]].text_without_line_end().c_str());
        return -1;
    }
    return 0;
}

}  // namespace valfuse

#include "dae_model.h"

int find_row(const std::unordered_map<std::string, int>& rows, const std::string& name) {
    auto found = rows.find(name);
    return found == rows.end() ? -1 : found->second;
}

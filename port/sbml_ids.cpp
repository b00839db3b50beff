#include "sbml_ids.h"

#include <cstdint>
#include <cstdio>
#include <map>

namespace kineport {
namespace {

bool is_id_character(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// FNV-1a, 32 bits: a hash that is the same on every machine and in every run.
std::string hash_suffix(const std::string& name) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : name) {
        hash ^= c;
        hash *= 16777619u;
    }
    char text[16];
    std::snprintf(text, sizeof text, "_%08x", static_cast<unsigned>(hash));
    return text;
}

}  // namespace

std::string plain_id(const std::string& name) {
    std::string id;
    id.reserve(name.size() + 1);
    for (char c : name) id += is_id_character(c) ? c : '_';
    if (id.empty() || (id[0] >= '0' && id[0] <= '9')) id.insert(id.begin(), '_');
    return id;
}

std::vector<std::string> unique_ids(const std::vector<std::string>& names,
                                    const std::set<std::string>& reserved) {
    std::vector<std::string> ids;
    std::map<std::string, int> uses;
    for (const std::string& name : names) {
        ids.push_back(plain_id(name));
        ++uses[ids.back()];
    }
    std::set<std::string> taken = reserved;
    for (size_t i = 0; i < names.size(); ++i) {
        if (uses[ids[i]] > 1 || reserved.count(ids[i]) > 0) ids[i] += hash_suffix(names[i]);
    }
    // Equal names, and the rare hashed id that equals another name's id, are told apart by
    // their order.
    for (size_t i = 0; i < ids.size(); ++i) {
        std::string id = ids[i];
        for (int n = 2; !taken.insert(id).second; ++n) id = ids[i] + "_" + std::to_string(n);
        ids[i] = id;
    }
    return ids;
}

}  // namespace kineport

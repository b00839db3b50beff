#include "build_cache.h"

#include <cstdint>
#include <cstdlib>

namespace kinesim {

namespace {

using Hash = unsigned __int128;

constexpr Hash hash_constant(std::uint64_t high, std::uint64_t low) {
    return (static_cast<Hash>(high) << 64) | low;
}
constexpr Hash kOffsetBasis = hash_constant(0x6c62272e07bb0142ULL, 0x62b821756295c58dULL);
constexpr Hash kPrime = hash_constant(0x0000000001000000ULL, 0x000000000000013bULL);

Hash mix(Hash hash, const char* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        hash ^= static_cast<unsigned char>(bytes[i]);
        hash *= kPrime;
    }
    return hash;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

std::string build_cache_dir() {
    std::string chosen = environment("ZYMORAX_CACHE_DIR");
    if (!chosen.empty()) return chosen;
    std::string xdg = environment("XDG_CACHE_HOME");
    if (!xdg.empty() && xdg[0] == '/') return xdg + "/zymorax";
    std::string home = environment("HOME");
    return home.empty() ? "" : home + "/.cache/zymorax";
}

std::string content_key(const std::vector<std::string>& parts) {
    Hash hash = kOffsetBasis;
    for (const std::string& part : parts) {
        std::string length = std::to_string(part.size()) + ":";
        hash = mix(hash, length.data(), length.size());
        hash = mix(hash, part.data(), part.size());
    }
    static const char kDigits[] = "0123456789abcdef";
    std::string key(32, '0');
    for (int i = 31; i >= 0; --i, hash >>= 4) key[i] = kDigits[static_cast<int>(hash & 0xf)];
    return key;
}

}  // namespace kinesim

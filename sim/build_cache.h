// The cache of shared libraries that the system compiler made for kinesim.
#pragma once

#include <string>
#include <vector>

namespace kinesim {

// ZYMORAX_CACHE_DIR when set, else $XDG_CACHE_HOME/zymorax, else $HOME/.cache/zymorax; "" when
// none of them can be named.
std::string build_cache_dir();

// 32 hexadecimal digits that change with any byte of any part (FNV-1a, 128 bits; each part is
// preceded by its length so that moving text between parts changes the key too).
std::string content_key(const std::vector<std::string>& parts);

}  // namespace kinesim

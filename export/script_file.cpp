#include "script_file.h"

#include <fstream>

namespace valscribe {

bool write_script_file(const std::string& path, const std::function<void(std::ostream&)>& write) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) return false;
    write(out);
    out.close();
    return !out.fail();
}

}  // namespace valscribe

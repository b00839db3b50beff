#include "compiled_code.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "test_support.h"

namespace fs = std::filesystem;
using namespace zymorax::testkit;

namespace compiled_code {
namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> fields;
    std::stringstream stream(text);
    std::string field;
    while (std::getline(stream, field, separator)) fields.push_back(field);
    return fields;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

std::string find_c_compiler() {
    for (const std::string& folder : split(getenv("PATH") ? getenv("PATH") : "", ':')) {
        std::string candidate = folder + "/cc";
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return "/usr/bin/cc";
}

}  // namespace

int ParameterLayout::slot_of(const std::string& label) const {
    auto found = std::find(labels.begin(), labels.end(), label);
    return found == labels.end() ? 0 : static_cast<int>(found - labels.begin()) + 1;
}

ParameterLayout read_layout(const std::string& paramFile) {
    ParameterLayout layout;
    std::map<std::string, int> counts;
    for (const std::string& line : split(read_file(paramFile), '\n')) {
        std::vector<std::string> fields = split(line, ';');
        if (fields.size() < 2) continue;
        if (fields[0] == "N_VAR   ") layout.variableCount = std::atoi(fields[1].c_str());
        if (fields[0] == "N_ALGEBR") layout.algebraicCount = std::atoi(fields[1].c_str());
        if (fields[0] == "PARAM   ") {
            const std::string label = trimmed(fields[1]);
            const int index = std::atoi(fields[2].c_str());
            int& count = counts[label];
            count = std::max(count, index);
            if (label == "constantPlayer" && line.find("# Not Used!!") == std::string::npos) {
                layout.usedConstants = std::max(layout.usedConstants, index);
            }
        }
        if (fields[0] == "PARAM_NAME ") {
            layout.labels.push_back(trimmed(fields[1].substr(0, fields[1].find('#'))));
        }
    }
    for (const std::string& label : layout.labels) layout.elementCounts.push_back(counts[label]);
    return layout;
}

ParameterValues::ParameterValues(const std::vector<int>& elementCounts, std::mt19937& random) {
    std::uniform_real_distribution<double> value(0.5, 2.0);
    arrays.resize(elementCounts.size() + 1);
    pointers.assign(elementCounts.size() + 1, nullptr);
    for (size_t i = 1; i < arrays.size(); ++i) {
        arrays[i].assign(elementCounts[i - 1] + 1, 0.0);
        for (size_t k = 1; k < arrays[i].size(); ++k) arrays[i][k] = value(random);
        pointers[i] = arrays[i].data();
    }
    record.val = pointers.data();
}

std::vector<std::string> dae_files(const std::vector<std::string>& folders) {
    std::vector<std::string> files;
    for (const std::string& folder : folders) {
        fs::path root = source_dir() + folder;
        if (!fs::exists(root)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.path().extension() != ".dae") continue;
            // A conversion whose layers found nothing to convert has no variables to compile.
            std::string text = read_file(entry.path().string());
            if (text.find("\ny[") == std::string::npos && text.find("\nx[") == std::string::npos) continue;
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string compile_shared(const std::string& dir, const std::vector<std::string>& sources,
                           const std::string& output, int maxVarNum) {
    std::vector<std::string> args = {"-shared",
                                     "-fPIC",
                                     "-Wall",
                                     "-Werror=implicit-function-declaration",
                                     "-I" + source_dir() + "/sim",
                                     "-DMAX_VAR_NUM=" + std::to_string(maxVarNum),
                                     "-o",
                                     output};
    args.insert(args.end(), sources.begin(), sources.end());
    args.push_back("-lm");
    RunResult cc = run_program(find_c_compiler(), args, dir);
    return cc.status == 0 ? "" : "status " + std::to_string(cc.status) + ": " + cc.err;
}

SharedObject::~SharedObject() {
    if (handle_ != nullptr) dlclose(handle_);
}

std::string SharedObject::open(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ != nullptr) return "";
    const char* error = dlerror();
    return error != nullptr ? error : "dlopen failed";
}

void* SharedObject::symbol(const char* name) const {
    return handle_ != nullptr ? dlsym(handle_, name) : nullptr;
}

}  // namespace compiled_code

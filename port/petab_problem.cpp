#include "petab_problem.h"

#include <filesystem>

#include "petab_data.h"
#include "petab_parameters.h"

namespace kineport {
namespace {

namespace fs = std::filesystem;

std::string table_stem(const std::string& yamlPath) {
    fs::path path(yamlPath);
    std::string extension = path.extension().string();
    if (extension == ".yaml" || extension == ".yml") path.replace_extension();
    return path.string();
}

// `path` as seen from the folder of the YAML file.
std::string from_yaml_folder(const std::string& path, const std::string& yamlPath) {
    fs::path folder = fs::absolute(yamlPath).lexically_normal().parent_path();
    return fs::absolute(path).lexically_normal().lexically_relative(folder).generic_string();
}

// A YAML scalar in single quotes, which take every character but the quote, written twice.
std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) result += c == '\'' ? std::string("''") : std::string(1, c);
    return result + "'";
}

std::string problem_yaml(const std::string& yamlPath, const std::string& sbmlPath,
                         const std::string& stem) {
    auto entry = [&](const std::string& path) { return quoted(from_yaml_folder(path, yamlPath)); };
    std::string yaml =
        "format_version: 1\nparameter_file: " + entry(stem + "_parameters.tsv") + "\nproblems:\n";
    const std::pair<const char*, std::string> lists[] = {
        {"sbml_files", sbmlPath},
        {"observable_files", stem + "_observables.tsv"},
        {"condition_files", stem + "_conditions.tsv"},
        {"measurement_files", stem + "_measurements.tsv"}};
    const char* indent = "  - ";
    for (const auto& [key, path] : lists) {
        yaml += std::string(indent) + key + ":\n      - " + entry(path) + "\n";
        indent = "    ";
    }
    return yaml;
}

}  // namespace

int build_petab(const DaeSource& source, const kinesim::ParameterFile& file,
                const ModelValues& values, const ModelIds& ids, const PortOptions& options,
                std::vector<OutputFile>& outputs) {
    PetabDataTables data;
    std::string parameters;
    if (data_tables(source, file, values, ids, options.dataFiles, data) != 0 ||
        parameter_table(file, values, ids, data.setByConditions, parameters) != 0) {
        return -1;
    }
    const std::string stem = table_stem(options.petabFile);
    outputs.push_back({options.petabFile, problem_yaml(options.petabFile, options.sbmlFile, stem)});
    outputs.push_back({stem + "_parameters.tsv", parameters});
    outputs.push_back({stem + "_observables.tsv", data.observables});
    outputs.push_back({stem + "_conditions.tsv", data.conditions});
    outputs.push_back({stem + "_measurements.tsv", data.measurements});
    return 0;
}

}  // namespace kineport

#include "workspace.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace zymorax::testkit {

ProgramRun Workspace::run(const std::string& program, const std::vector<std::string>& args,
                          const Environment& env, const std::string& subfolder) const {
    std::remove(log_file().c_str());
    Environment environment = {{"ZYMORAX_SYSLOG", log_file()}};
    for (const auto& [name, value] : env) environment[name] = value;
    const std::string executable =
        program.find('/') == std::string::npos ? program_path(program) : program;
    ProgramRun result;
    static_cast<RunResult&>(result) =
        run_program(executable, args, subfolder.empty() ? path() : file(subfolder), environment);
    result.log = read_file(log_file());
    return result;
}

ProgramRun Workspace::rxnconv(const std::vector<std::string>& args, const Environment& env) const {
    Environment environment = {{"TELUV_HOME", build_dir()},
                               {"XERCES_HOME", build_dir()},
                               {"ZYMORAX_DBGLOG", kUnset},
                               {"JAVA_TOOL_OPTIONS", kUnset}};
    for (const auto& [name, value] : env) environment[name] = value;
    return run("rxnconv", args, environment);
}

void Workspace::put(const std::string& name, const std::string& content) const {
    write_file(file(name), content);
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> fields;
    std::istringstream stream(text);
    std::string field;
    while (std::getline(stream, field, separator)) fields.push_back(field);
    return fields;
}

std::vector<std::vector<double>> read_course(const std::string& path) {
    std::vector<std::vector<double>> rows;
    std::vector<std::string> lines = split(read_file(path), '\n');
    for (size_t i = 1; i < lines.size(); ++i) {
        rows.emplace_back();
        for (const std::string& field : split(lines[i], ','))
            rows.back().push_back(std::atof(field.c_str()));
    }
    return rows;
}

std::string source_path(const std::string& relative) {
    return source_dir() + "/" + relative;
}

}  // namespace zymorax::testkit

#include "chain_runner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace zymorax::testkit {

const char* const kOctaveMissing =
    "octave-cli is not installed. The MATLAB side is tested under Octave: run "
    "./scripts/bootstrap.sh --with-octave (scripts/test.sh does this itself).";

size_t TimeCourse::column(const std::string& tag) const {
    for (size_t i = 0; i < header.size(); ++i) {
        if (header[i] == tag) return i;
    }
    ADD_FAILURE() << "no column " << tag;
    return 0;
}

TimeCourse read_time_course(const std::string& path) {
    TimeCourse course;
    std::istringstream in(read_file(path));
    std::string line, field;
    if (std::getline(in, line)) {
        std::istringstream fields(line);
        while (std::getline(fields, field, ',')) course.header.push_back(field);
    }
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::vector<double> row;
        while (std::getline(fields, field, ',')) row.push_back(std::strtod(field.c_str(), nullptr));
        course.rows.push_back(row);
    }
    return course;
}

std::string octave_program() {
    for (const char* candidate : {"/usr/bin/octave-cli", "/usr/local/bin/octave-cli"}) {
        if (access(candidate, X_OK) == 0) return candidate;
    }
    return "";
}

ChainRunner::ChainRunner() {
    std::filesystem::create_directories(dir_.file("c"));
    std::filesystem::create_directories(dir_.file("m"));
}

void ChainRunner::convert(const std::string& model, const std::string& geneMethod,
                          const std::string& metabolicMethod) {
    RunResult run = run_program(
        program_path("rxnconv"),
        {"-N" + model, "-Umodel.usage", "-Dmodel.dae", geneMethod, metabolicMethod}, dir_.path(),
        {{"TELUV_HOME", build_dir()},
         {"XERCES_HOME", build_dir()},
         {"ZYMORAX_SYSLOG", dir_.file("rxnconv.log")},
         {"JAVA_TOOL_OPTIONS", kUnset}});
    ASSERT_EQ(run.status, 0) << read_file(dir_.file("rxnconv.log"));
}

void ChainRunner::use_dae(const std::string& daeFile) {
    write_file(dir_.file("model.dae"), read_file(daeFile));
}

void ChainRunner::compile_c() {
    RunResult run = run_program(
        program_path("symcode"),
        {"-D../model.dae", "-Pparam.txt", "-Fmodel.c", "-Ttemp.c", "-Ggh.c", "-Sssys.c"},
        dir_.file("c"), {{"ZYMORAX_SYSLOG", c("symcode.log")}});
    ASSERT_EQ(run.status, 0) << read_file(c("symcode.log"));
}

void ChainRunner::compile_matlab() {
    RunResult run = run_program(program_path("symcode"), {"-D../model.dae", "-MATLAB"},
                                dir_.file("m"), {{"ZYMORAX_SYSLOG", m("symcode.log")}});
    ASSERT_EQ(run.status, 0) << read_file(m("symcode.log"));
}

void ChainRunner::merge(const std::string& tunedFile) {
    RunResult fuse = run_program(program_path("valfuse"), {"-Iparam.txt", "-R" + tunedFile},
                                 dir_.file("c"), {{"ZYMORAX_SYSLOG", c("valfuse.log")}});
    ASSERT_EQ(fuse.status, 0) << read_file(c("valfuse.log"));
    RunResult scribe = run_program(program_path("valscribe"), {"-I../c/param.txt"}, dir_.file("m"));
    ASSERT_EQ(scribe.status, 0);
}

RunResult ChainRunner::kinesim(const std::vector<std::string>& args) {
    std::remove(c("kinesim.log").c_str());
    return run_program(program_path("kinesim"), args, dir_.file("c"),
                       {{"ZYMORAX_SYSLOG", c("kinesim.log")}});
}

RunResult ChainRunner::octave(const std::string& code) {
    std::string script = "addpath('" + source_dir() + "/sim/matlab');\n" + code;
    return run_program(octave_program(),
                       {"--no-gui", "--quiet", "--no-init-file", "--eval", script}, dir_.file("m"));
}

}  // namespace zymorax::testkit

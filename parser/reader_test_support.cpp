#include "reader_test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tk = zymorax::testkit;

namespace reader_test {

const char* const kZx = "xmlns:zx=\"urn:zymorax:network:1\"";

std::string testdata(const std::string& name) {
    return tk::source_dir() + "/parser/testdata/" + name;
}

tk::RunResult run_java(const std::vector<std::string>& args, const std::string& library_path) {
    std::vector<std::string> all = {
        "-cp", tk::build_dir() + "/Tools/classes:" + ZYMORAX_PARSER_TEST_CLASSES,
        "-Djava.library.path=" + library_path};
    all.insert(all.end(), args.begin(), args.end());
    return tk::run_program(ZYMORAX_JAVA, all, tk::build_dir());
}

tk::RunResult run_java(const std::vector<std::string>& args) {
    return run_java(args, tk::build_dir() + "/Tools/lib");
}

std::vector<std::string> dump_models(const std::vector<std::string>& paths) {
    std::vector<std::string> args = {"DumpModel"};
    args.insert(args.end(), paths.begin(), paths.end());
    tk::RunResult run = run_java(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.find("MISMATCH"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find(" null"), std::string::npos) << run.out;
    std::vector<std::string> dumps;
    for (const std::string& line : lines_of(run.out)) {
        if (line.rfind("== ", 0) == 0) {
            dumps.emplace_back();
        } else if (!dumps.empty()) {
            dumps.back() += line + "\n";
        }
    }
    if (paths.size() == 1) dumps.push_back(run.out);
    EXPECT_EQ(dumps.size(), paths.size()) << run.out;
    dumps.resize(paths.size());
    return dumps;
}

std::string dump_model(const std::string& path) {
    SCOPED_TRACE(path);
    return dump_models({path})[0];
}

std::string errmsg_line(const std::string& path, const std::string& detail) {
    return "errmsg \"parseXML: " + path + ": " + detail + "\\n\"";
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool has_line(const std::string& text, const std::string& line) {
    for (const std::string& candidate : lines_of(text)) {
        if (candidate == line) return true;
    }
    return false;
}

void expect_lines(const std::string& dump, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) EXPECT_TRUE(has_line(dump, line)) << line;
}

std::string plain_species(int number, const std::string& name, int specie_class,
                          int total_amount, const std::string& initial) {
    return "species " + std::to_string(number) + " \"" + name + "\" compartment 1 class " +
           std::to_string(specie_class) + " massBalance 2 totalAmount " +
           std::to_string(total_amount) + " decomposition 2 initial " +
           (initial.empty() ? "2 \"\"" : "1 \"" + initial + "\"");
}

std::string model_text(const std::vector<std::string>& species,
                       const std::vector<std::string>& reactions) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<sbml xmlns=\"http://www.sbml.org/sbml/level2/version4\" level=\"2\" version=\"4\">\n"
        "<model id=\"m\">\n"
        "<listOfCompartments><compartment id=\"c\" size=\"1\"/></listOfCompartments>\n"
        "<listOfSpecies>\n";
    for (const std::string& line : species) text += line + "\n";
    text += "</listOfSpecies>\n";
    if (!reactions.empty()) {
        text += "<listOfReactions>\n";
        for (const std::string& line : reactions) text += line + "\n";
        text += "</listOfReactions>\n";
    }
    return text + "</model>\n</sbml>\n";
}

std::string species_line(const std::string& id, const std::string& annotation) {
    std::string line = "<species id=\"" + id + "\" compartment=\"c\" initialAmount=\"1\">";
    if (!annotation.empty()) line += "<annotation>" + annotation + "</annotation>";
    return line + "</species>";
}

}  // namespace reader_test

// Helpers for the model reader's tests: run InputXML in a JVM through the test tool DumpModel,
// which prints the whole JModelPack as text, and build small model files.
#pragma once

#include <string>
#include <vector>

#include "test_support.h"

namespace reader_test {

// The namespace declaration of our annotation, for annotation elements written in tests.
extern const char* const kZx;

// <source>/parser/testdata/<name>
std::string testdata(const std::string& name);

// Runs the JDK's java with the reader's class path and the given library path.
zymorax::testkit::RunResult run_java(const std::vector<std::string>& args,
                                     const std::string& library_path);
zymorax::testkit::RunResult run_java(const std::vector<std::string>& args);

// The dump of one model file. Fails the test when java fails, writes to standard error (a stack
// trace) or a count differs from its array.
std::string dump_model(const std::string& path);

// The dumps of several model files made in one JVM, in file order (file names must differ),
// with the checks of dump_model.
std::vector<std::string> dump_models(const std::vector<std::string>& paths);

// The dump line of errmsg for a failure "parseXML: <path>: <detail>".
std::string errmsg_line(const std::string& path, const std::string& detail);

// The lines of a text, without their line ends.
std::vector<std::string> lines_of(const std::string& text);
bool has_line(const std::string& text, const std::string& line);
// Fails the test once for every line the dump lacks.
void expect_lines(const std::string& dump, const std::vector<std::string>& lines);

// "species <n> \"<name>\" compartment 1 class <k> massBalance 2 totalAmount <t> decomposition 2
// initial ...", the dump line of a species of plain SBML; no initial value when `initial` is empty.
std::string plain_species(int number, const std::string& name, int specie_class,
                          int total_amount, const std::string& initial);

// A Level 2 Version 4 model with one compartment "c": the species go on lines 6, 7, ... (one
// per entry), the reactions follow from line 8 + species count on.
std::string model_text(const std::vector<std::string>& species,
                       const std::vector<std::string>& reactions = {});

// <species id="<id>" compartment="c" initialAmount="1"> with the annotation content given
// (nothing when empty), on one line.
std::string species_line(const std::string& id, const std::string& annotation = "");

}  // namespace reader_test

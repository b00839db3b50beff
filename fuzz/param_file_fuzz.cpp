// Feeds one input to every reader of the parameter file and checks what must always hold:
// - the rows give back the file byte for byte, and a new value changes that field only;
// - valfuse, with the input as target and reference, changes value fields only;
// - valscribe's scripts hold no byte that could end a line or a comment early, and every
//   quoted text is closed;
// - kinesim reads it against C code (the text after a form feed, else a small model's code)
//   without allocating by counts no row backs (libFuzzer's memory limit catches that).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "code_scan.h"
#include "entry_reader.h"
#include "init_writer.h"
#include "log.h"
#include "merge_input.h"
#include "merge_rows.h"
#include "model_inputs.h"
#include "param_file.h"
#include "param_reader.h"
#include "param_writer.h"
#include "tag_check.h"

namespace {

const char* const kModelCode =
    "void usr_fvec(double fvec[], double y[], double Gene, Parameter *p)\n{\n"
    "\tdouble *constantPlayer\t= p->val[1];\n\tdouble *k\t= p->val[2];\n"
    "\tfvec[  1] = constantPlayer[1] - (y[1] + y[2]);\n\tfvec[  2] = -k[1]*y[2];\n}\n"
    "void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], double Gene, Parameter *p)\n{\n"
    "\tfjac[  1][  1] = -1;\n\tfjac[  1][  2] = -1;\n\tfjac[  2][  2] = -k[1];\n}\n";

std::string scratch_file;

void check(bool holds) {
    if (!holds) __builtin_trap();
}

// Every field but the value is as it was.
void check_only_value_differs(const zymorax::ParamRow& before, const zymorax::ParamRow& after) {
    zymorax::ParamRow reread(after.text(), 1);
    check(reread.field_count() == before.field_count());
    size_t value = before.position(zymorax::RowField::Value);
    for (size_t i = 0; i < before.field_count(); ++i) {
        if (i != value) check(reread.field(i) == before.field(i));
    }
}

void check_rows(const std::string& text) {
    std::vector<zymorax::ParamRow> rows;
    check(zymorax::read_param_rows(scratch_file, rows) == zymorax::ReadOutcome::Read);
    check(zymorax::param_file_text(rows) == text);
    for (const zymorax::ParamRow& row : rows) {
        zymorax::ParamRow changed = row;
        if (changed.set(zymorax::RowField::Value, " 1.5 ")) check_only_value_differs(row, changed);
    }
}

void check_valfuse() {
    std::vector<zymorax::ParamRow> target, reference;
    if (valfuse::read_param_file(scratch_file, target) != 0) return;
    check(valfuse::read_param_file(scratch_file, reference) == 0);
    if (valfuse::check_tags(target) != 0) return;
    std::vector<zymorax::ParamRow> before = target;
    valfuse::merge_rows(target, reference, false);
    for (size_t i = 0; i < target.size(); ++i) check_only_value_differs(before[i], target[i]);
}

// No control byte but tab and line end; an even number of quotes on every line that has no
// comment (a comment may quote a tag as it is).
void check_script(const std::string& script) {
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
        size_t quotes = 0;
        for (char c : line) {
            unsigned char byte = static_cast<unsigned char>(c);
            check((byte >= 0x20 && byte != 0x7f) || c == '\t');
            quotes += c == '\'';
        }
        check(line.find('%') != std::string::npos || quotes % 2 == 0);
    }
}

void check_valscribe() {
    std::vector<valscribe::ExportEntry> entries;
    valscribe::read_export_entries(scratch_file, entries);
    std::ostringstream init, param;
    valscribe::write_init_script(init, entries);
    valscribe::write_param_script(param, entries);
    check_script(init.str());
    check_script(param.str());
}

void check_kinesim(const std::string& code) {
    kinesim::CodeFacts facts;
    kinesim::ParameterFile file;
    kinesim::ModelInputs inputs;
    if (kinesim::scan_generated_code(code, facts) != 0) return;
    if (kinesim::read_parameter_file(scratch_file, file) != 0) return;
    kinesim::bind_model_inputs(file, facts, inputs);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("ZYMORAX_SYSLOG", "/dev/null", 1);
    log_sysinit(0, nullptr);
    char folder[] = "/tmp/param_file_fuzz.XXXXXX";
    if (mkdtemp(folder) == nullptr) std::abort();
    scratch_file = std::string(folder) + "/param.txt";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t split = input.find('\f');
    std::string text = input.substr(0, split);
    std::string code = split == std::string::npos ? kModelCode : input.substr(split + 1);
    FILE* out = std::fopen(scratch_file.c_str(), "wb");
    if (out == nullptr) std::abort();
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
    check_rows(text);
    check_valfuse();
    check_valscribe();
    check_kinesim(code);
    return 0;
}

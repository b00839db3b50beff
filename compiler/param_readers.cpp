// Readers of the used-parameter labels and of the parameter and constant elements.
#include <new>

#include "dae_reader.h"
#include "line_splitters.h"
#include "log.h"
#include "section_files.h"
#include "text_io.h"

namespace {

// Element indices above this are refused: every element up to the largest index gets a row in
// the parameter file, so one mistyped index must not turn into millions of rows.
constexpr int kMaxElementIndex = 1000000;

int label_line_failure(const char* message, const std::string& line) {
    if (message != nullptr) log_sys("%s", message);
    log_sys("#  in line : %s", line.c_str());
    log_sys("## Error in read_param_base.\n");
    return -1;
}

// One element line of the parameter or constant section, checked.
struct ElementLine {
    int row = 0;
    int index = 0;
    LineFields fields;
    double value = NO_VALUE;
};

// Checks an element line, its name "base[index]" and its value, and finds its label row. 0, or -1
// after logging the reason.
int resolve_element(const DaeModel& model, ElementLine& element) {
    const std::string& name = element.fields.name;
    std::string base, indexText;
    if (divide_variable(name, base, indexText) != 0) {
        log_sys("#  Inappropriate parameter: '%s'.\n", name.c_str());
        return -1;
    }
    if (indexText.empty()) {
        log_sys("#  Lack of index : '%s'.\n", name.c_str());
        return -1;
    }
    element.index = whole_number(indexText);
    if (element.index < 1) {
        log_sys("#  Inappropriate parameter: '%s' in '%s'.\n", indexText.c_str(), name.c_str());
        return -1;
    }
    if (element.index > kMaxElementIndex) {
        log_sys("#  Too large index : '%s' in '%s'. Max : %d\n", indexText.c_str(), name.c_str(),
                kMaxElementIndex);
        return -1;
    }
    element.row = find_row(model.labelRows, base);
    if (element.row < 0) {
        log_sys("#  '%s' is not registered as used parameter.\n", base.c_str());
        return -1;
    }
    bool given = false;
    if (read_number_field(element.fields, element.value, given) != 0) return -1;
    if (!given) element.value = NO_VALUE;
    return 0;
}

// First pass over one element file: checks every line, records it and widens its label.
int read_param_index(DaeModel& model, const char* fileName, std::vector<ElementLine>& lines) {
    FILE* in = open_logged(fileName, "r");
    if (in == nullptr) return -1;
    FileCloser closeIn(in);
    std::string line;
    while (zymorax::read_line(in, line)) {
        ElementLine element;
        if (divide_line(line, element.fields) != 0 || resolve_element(model, element) != 0) {
            log_sys("#  in line : %s", line.c_str());
            log_sys("## Error in read_param_index.\n");
            return -1;
        }
        ParamLabel& label = model.paramLabels[element.row];
        if (element.index > label.elementCount) label.elementCount = element.index;
        lines.push_back(std::move(element));
    }
    return 0;
}

int allocate_elements(DaeModel& model) {
    for (ParamLabel& label : model.paramLabels) {
        try {
            label.elements.assign(label.elementCount, ParamElement());
        } catch (const std::bad_alloc&) {
            log_sys("#  Can't allocate memory area for parameter '%s'. \n", label.label.c_str());
            return -1;
        }
    }
    return 0;
}

// Second pass: a later line for the same element replaces an earlier one.
void store_elements(DaeModel& model, const std::vector<ElementLine>& lines) {
    for (const ElementLine& line : lines) {
        ParamElement& element = model.paramLabels[line.row].elements[line.index - 1];
        element.tag = line.fields.tail;
        element.value = line.value;
    }
}

}  // namespace

int read_param_base(DaeModel& model) {
    FILE* in = open_logged(kUsedParamFile, "r");
    if (in == nullptr) return -1;
    FileCloser closeIn(in);
    std::string line;
    int row = 0;
    while (zymorax::read_line(in, line)) {
        LineFields fields;
        if (divide_line(line, fields) != 0) return label_line_failure(nullptr, line);
        if (!fields.value.empty() || !fields.tail.empty()) {
            return label_line_failure("#  Inappropriate line.\n", line);
        }
        if (fields.name.empty()) return label_line_failure("#  Lack of label.\n", line);
        if (++row >= model.paramLabelCount) {
            return label_line_failure("#  Too many parameter labels. Why??\n", line);
        }
        model.paramLabels[row].label = fields.name;
    }
    model.paramLabels[0].label = "constantPlayer";
    model.labelRows =
        index_first_rows(model.paramLabels, [](const ParamLabel& label) { return label.label; });
    return 0;
}

int read_param(DaeModel& model) {
    std::vector<ElementLine> lines;
    int result = read_param_index(model, kParamFile, lines);
    if (result == 0 && model.constantCount > 0) {
        result = read_param_index(model, kConstFile, lines);
    }
    if (result == 0) result = allocate_elements(model);
    if (result != 0) {
        log_sys("## Error in read_param.\n");
        return -1;
    }
    store_elements(model, lines);
    return 0;
}

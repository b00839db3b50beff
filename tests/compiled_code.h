// Helpers for the tests that compile symcode's C output with the system C compiler and call it:
// the parameter record the generated code reads, the layout the parameter file describes, the
// DAE files to cover, and shared objects loaded for the life of a test.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace compiled_code {

// The layout the generated code expects (sim/kine.h): val[i][k], both from 1.
struct Parameter {
    double** val;
};

// What the parameter file tells about the model and the arrays its code reads.
struct ParameterLayout {
    int variableCount = 0;
    int algebraicCount = 0;
    std::vector<std::string> labels;  // PARAM_NAME order: val[1], val[2], ...
    std::vector<int> elementCounts;   // per label: the largest PARAM index
    int usedConstants = 0;            // highest constantPlayer index not marked "Not Used!!"

    // val index of a label (from 1), or 0 when the label is not declared.
    int slot_of(const std::string& label) const;
};

ParameterLayout read_layout(const std::string& paramFile);

// Random positive values for every element of every label, laid out as the generated code
// reads them; arrays[i][k] is element k of the label in slot i.
struct ParameterValues {
    std::vector<std::vector<double>> arrays;
    std::vector<double*> pointers;
    Parameter record{nullptr};

    ParameterValues(const std::vector<int>& elementCounts, std::mt19937& random);
    ParameterValues(const ParameterValues&) = delete;
    ParameterValues& operator=(const ParameterValues&) = delete;
};

// The DAE files with variables under the given source folders (searched recursively), sorted.
std::vector<std::string> dae_files(const std::vector<std::string>& folders);

// Compiles C sources in `dir` into a shared object against sim/kine.h; the compiler's error
// text, or "" on success.
std::string compile_shared(const std::string& dir, const std::vector<std::string>& sources,
                           const std::string& output, int maxVarNum);

// A loaded shared object, closed when the object goes away.
class SharedObject {
  public:
    SharedObject() = default;
    ~SharedObject();
    SharedObject(const SharedObject&) = delete;
    SharedObject& operator=(const SharedObject&) = delete;

    // "" on success, else the loader's message.
    std::string open(const std::string& path);
    void* symbol(const char* name) const;

  private:
    void* handle_ = nullptr;
};

}  // namespace compiled_code

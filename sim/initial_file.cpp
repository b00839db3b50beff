#include "initial_file.h"

#include <cctype>
#include <fstream>

#include "log.h"
#include "text_io.h"

namespace kinesim {

int read_initial_file(const std::string& path, std::vector<InitialFormulaText>& formulas) {
    formulas.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        log_sys("Cannot open the initial-values file %s.\n", path.c_str());
        return -1;
    }
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        std::string content = zymorax::trim(text);
        if (content.empty() || content[0] == '#') continue;
        size_t equals = content.find('=');
        InitialFormulaText formula{number, "", ""};
        if (equals != std::string::npos) {
            formula.target = zymorax::trim(content.substr(0, equals));
            formula.math = zymorax::trim(content.substr(equals + 1));
        }
        if (formula.target.empty() || formula.math.empty()) {
            log_sys("%s:%d: a line reads <target> = <math>.\n", path.c_str(), number);
            return -1;
        }
        formulas.push_back(formula);
    }
    return 0;
}

int check_initial_count(const std::string& codeFile, int expected, const std::string& initialFile,
                        size_t given, const char* option) {
    if (expected <= 0 || static_cast<size_t>(expected) == given) return 0;
    if (initialFile.empty()) {
        log_sys(
            "%s: %d initial value%s of the model %s computed from its parameters, which kinelaw "
            "-I wrote to an initial-values file: give it with %s, or they would keep the "
            "parameter file's values whatever the fit changes.\n",
            codeFile.c_str(), expected, expected == 1 ? "" : "s", expected == 1 ? "is" : "are",
            option);
    } else {
        log_sys(
            "%s holds %zu formula%s, but %s says the model computes %d initial value%s: the "
            "files belong to different models.\n",
            initialFile.c_str(), given, given == 1 ? "" : "s", codeFile.c_str(), expected,
            expected == 1 ? "" : "s");
    }
    return -1;
}

std::map<std::string, std::set<int>> elements_named(const std::vector<InitialFormulaText>& formulas) {
    std::map<std::string, std::set<int>> named;
    for (const InitialFormulaText& formula : formulas) {
        const std::string& m = formula.math;
        for (size_t open = m.find('['); open != std::string::npos; open = m.find('[', open + 1)) {
            size_t begin = open;
            while (begin > 0 && (std::isalnum(static_cast<unsigned char>(m[begin - 1])) || m[begin - 1] == '_'))
                --begin;
            size_t close = m.find(']', open);
            int index = 0;
            if (close == std::string::npos ||
                !zymorax::parse_whole_number(m.substr(open + 1, close - open - 1), index)) {
                continue;  // y[tag], x[tag]: variables
            }
            named[m.substr(begin, open - begin)].insert(index);
        }
    }
    return named;
}

}  // namespace kinesim

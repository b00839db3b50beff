#include "law_dae.h"

namespace kinelaw {

std::string initial_values_text(const LawDae& dae) {
    std::string out = "# initial values of " + dae.title +
                      " computed from its values: one line per target, each after the targets "
                      "it reads (kinefit and kinesim --initial read it)\n";
    for (const DaeDefinition& formula : dae.startFormulas) {
        out += formula.name + " = " + formula.text + "\n";
    }
    return out;
}

}  // namespace kinelaw

#include "law_dae.h"

#include "format.h"
#include "own_kinetics.h"

namespace kinelaw {
namespace {

std::string value_text(const std::optional<double>& value) {
    return value ? " " + zymorax::shortest_number_text(*value) : std::string();
}

std::string count_line(const char* key, size_t count) {
    return count == 0 ? std::string() : "    " + std::string(key) + std::to_string(count) + "\n";
}

std::string model_section(const LawDae& dae) {
    const std::string events = count_line(zymorax::kEventCountKey, dae.events.size()) +
                               count_line(zymorax::kInitialCountKey, dae.startFormulas.size());
    return "== Model ==\n\nTITLE:" + dae.title + "\nINFO:" + dae.info + "\nCONVERSION TYPE\n    " +
           zymorax::kOwnKineticsLine + "\n" + events + "\n";
}

std::string constants_section(const LawDae& dae) {
    std::string out = "== Constant Players ==\n\n";
    for (std::size_t k = 0; k < dae.constants.size(); ++k) {
        const DaeValue& c = dae.constants[k];
        out += zymorax::format("constantPlayer[%zu] =%s; %s\n", k + 1, value_text(c.value).c_str(),
                               c.tag.c_str());
    }
    return out + "\n";
}

std::string variables_section(const LawDae& dae) {
    std::string out = "== Variables ==\n\n= Algebraic Equation =\n\n";
    for (const DaeVariable& v : dae.algebraicVariables) {
        out += "x[" + v.name + "] =" + value_text(v.start) + ";\n";
    }
    out += "\n= Differencial Equation =\n\n";
    for (const DaeVariable& v : dae.variables) {
        out += "y[" + v.name + "] =" + value_text(v.start) + ";\n";
    }
    return out + "\n";
}

std::string parameter_sections(const LawDae& dae) {
    std::string used = "== Used Parameters ==\n\n";
    std::string values = "== Parameters ==\n\n";
    for (const DaeLabel& label : dae.labels) {
        if (label.elements.empty()) continue;
        used += label.label + ";\n";
        values += "### " + label.label + ": " + label.meaning + "\n";
        for (std::size_t k = 0; k < label.elements.size(); ++k) {
            const DaeValue& e = label.elements[k];
            values += zymorax::format("%s[%zu] =%s; %s\n", label.label.c_str(), k + 1,
                                      value_text(e.value).c_str(), e.tag.c_str());
        }
        values += "\n";
    }
    return used + "\n" + values;
}

std::string expression_sections(const LawDae& dae) {
    std::string out = "== Temporary Expressions ==\n\n";
    for (const DaeDefinition& t : dae.temporaries) out += t.name + " = " + t.text + ";\n";
    out += "\n== Algebraic Eqs. ==\n\n";
    for (std::size_t i = 0; i < dae.algebraicEquations.size(); ++i) {
        const DaeDefinition& e = dae.algebraicEquations[i];
        if (e.name.empty()) {  // an algebraic rule
            out += zymorax::format("aeq_%zu: 0 = %s;\n", i + 1, e.text.c_str());
        } else {
            out += zymorax::format("aeq_%zu: x[%s] = %s;\n", i + 1, e.name.c_str(), e.text.c_str());
        }
    }
    out += "\n== Differencial Eqs. ==\n\n";
    for (std::size_t i = 0; i < dae.equations.size(); ++i) {
        const DaeDefinition& e = dae.equations[i];
        out += zymorax::format("deq_%zu: dydt[%s] = %s;\n", i + 1, e.name.c_str(), e.text.c_str());
    }
    return out;
}

}  // namespace

std::string dae_text(const LawDae& dae) {
    return model_section(dae) + constants_section(dae) + variables_section(dae) +
           parameter_sections(dae) + expression_sections(dae);
}

}  // namespace kinelaw

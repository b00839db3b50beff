#include "unique_names.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "methods.h"

std::vector<std::string> repeatSuffixes(const std::vector<std::string>& names) {
    std::unordered_set<std::string> taken(names.begin(), names.end());
    std::unordered_map<std::string, int> lastNumber;  // per name: 1 once it has been seen
    std::vector<std::string> suffixes(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        auto [entry, first] = lastNumber.try_emplace(names[i], 1);
        if (first) continue;
        std::string suffix;
        do {
            suffix = "_" + std::to_string(++entry->second);
        } while (!taken.insert(names[i] + suffix).second);
        suffixes[i] = std::move(suffix);
    }
    return suffixes;
}

namespace {

void makeFluxNamesUnique(ConversionContext& context) {
    std::vector<std::string> names;
    for (const Flux& flux : context.fluxes) names.push_back(flux.name);
    std::vector<std::string> suffixes = repeatSuffixes(names);
    size_t i = 0;
    for (Flux& flux : context.fluxes) flux.name += suffixes[i++];
}

// The parameter kinds in the order the DAE file lists them, each with the kind whose
// description it is written under: under TPP_RAPID ka is the binding constant and kd is left out.
std::vector<std::pair<int, int>> writtenKinds(int geneProteinMethod) {
    std::vector<std::pair<int, int>> kinds;
    if (geneProteinMethod == METHOD_TPP_RAPID) {
        kinds.emplace_back(PARAM_KA, PARAM_KB);
    } else {
        kinds.emplace_back(PARAM_KA, PARAM_KA);
        kinds.emplace_back(PARAM_KD, PARAM_KD);
    }
    for (int kind = PARAM_KX; kind < PARAMETER_KIND_COUNT; ++kind) kinds.emplace_back(kind, kind);
    return kinds;
}

void makeParameterTagsUnique(ConversionContext& context) {
    std::vector<KineticParameter*> parameters;
    std::vector<std::string> tags;
    for (auto [kind, shownKind] : writtenKinds(context.geneProteinMethod)) {
        for (KineticParameter& parameter : context.parameterLists[kind]) {
            parameters.push_back(&parameter);
            tags.push_back(parameterDescription(shownKind) + parameter.label);
        }
    }
    std::vector<std::string> suffixes = repeatSuffixes(tags);
    for (size_t i = 0; i < parameters.size(); ++i) parameters[i]->label += suffixes[i];
}

}  // namespace

void makeNamesUnique(ConversionContext& context) {
    makeFluxNamesUnique(context);
    makeParameterTagsUnique(context);
}

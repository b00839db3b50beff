// Test helpers: working models built in code, and running a conversion into DAE text.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model.h"
#include "output_info.h"
#include "vocabulary.h"

namespace zymorax::testkit {

// (species name, stoichiometry)
using Refs = std::vector<std::pair<std::string, double>>;

// Builds a Model species by species and reaction by reaction; species are named by their names.
// Species default to: compartment 1, massBalance OFF, totalAmount 2, decomposition OFF, a valid
// initial amount of 0.
class TestModel {
  public:
    explicit TestModel(std::string name = "test", std::string info = "") {
        model.name = std::move(name);
        model.modelInfo = std::move(info);
    }

    TestModel& compartment(int id, const std::string& name) {
        Compartment compartment;
        compartment.compartmentID = id;
        compartment.name = name;
        compartment.shortName = name.substr(0, 3);
        model.listOfCompartments.compartment.push_back(compartment);
        return *this;
    }

    // Adds a species; the reference is valid until the next species is added.
    Specie& species(const std::string& name, int specieClass, double initial = 0.0,
                    int compartmentID = 1) {
        Specie species;
        species.specieID = nextSpecieID++;
        species.name = name;
        species.compartment = compartmentID;
        species.specieClass = specieClass;
        species.massBalance = SWITCH_OFF;
        species.totalAmount = 2;
        species.decomposition = SWITCH_OFF;
        species.initialAmount_isValid = 1;
        species.initialAmount = initial;
        model.listOfSpecies.specie.push_back(species);
        return model.listOfSpecies.specie.back();
    }

    // Adds a complex made of `elements`.
    Specie& complex(const std::string& name, const Refs& elements, double initial = 0.0) {
        SpecieRefList list = refs(elements);
        Specie& made = species(name, CLASS_COMPLEX, initial);
        made.listOfElements.push_back(list);
        return made;
    }

    Specie& get(const std::string& name) {
        for (Specie& species : model.listOfSpecies.specie) {
            if (species.name == name) return species;
        }
        throw std::runtime_error("no species " + name);
    }

    int id(const std::string& name) { return get(name).specieID; }

    SpecieRefList refs(const Refs& entries) {
        SpecieRefList list;
        for (const auto& [name, stoichiometry] : entries) {
            SpecieRef ref;
            ref.specieID = id(name);
            ref.name = name;
            ref.compartment = get(name).compartment;
            ref.stoichiometry = stoichiometry;
            list.ref.push_back(ref);
        }
        return list;
    }

    // Adds a reaction to the layer (created on first use); empty lists stay absent. The
    // reference is valid until the next reaction is added.
    Reaction& reaction(int layer, int reactionType, const Refs& reactants, const Refs& products,
                       const Refs& modifiers = {}, const std::string& modifierComplex = "") {
        Reaction reaction;
        reaction.reactionID = nextReactionID++;
        reaction.reactionType = reactionType;
        if (!reactants.empty()) reaction.listOfReactants.push_back(refs(reactants));
        if (!products.empty()) reaction.listOfProducts.push_back(refs(products));
        if (!modifiers.empty()) reaction.listOfModifiers.push_back(refs(modifiers));
        if (!modifierComplex.empty())
            reaction.modifierComplex.push_back(refs({{modifierComplex, 1.0}}));
        ReactionLayer& target = layerOf(layer);
        target.reaction.push_back(reaction);
        return target.reaction.back();
    }

    ReactionLayer& layerOf(int layer) {
        for (ReactionLayer& existing : model.listOfReactions) {
            if (existing.layer == layer) return existing;
        }
        model.listOfReactions.push_back(ReactionLayer{});
        model.listOfReactions.back().layer = layer;
        return model.listOfReactions.back();
    }

    Model model;
    int nextSpecieID = 1;
    int nextReactionID = 1;
};

// Marks every modifier of `reaction` as acting through its total amount.
inline void setTotalModifiers(Reaction& reaction) {
    for (SpecieRef& ref : reaction.listOfModifiers.front().ref) ref.isTotal = 1;
}

// Writes `info` in `mode` into a string (through a temporary file, so that the real writer runs).
inline std::string writeToString(const OutputInfo& info, int mode) {
    FILE* file = std::tmpfile();
    if (file == nullptr) throw std::runtime_error("tmpfile failed");
    int result = writeOutputFile(info, file, mode);
    std::string text;
    std::rewind(file);
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);
    if (result != 0) throw std::runtime_error("writeOutputFile failed");
    return text;
}

// The outcome of converting a model with two methods.
struct Conversion {
    int result = -1;
    OutputInfo info;
    std::string dae;  // written only when the conversion succeeded
    std::string usage;
};

inline Conversion convert(Model& model, int geneProteinMethod, int metabolicMethod) {
    Conversion conversion;
    conversion.info.geneProteinMethod = geneProteinMethod;
    conversion.info.metabolicMethod = metabolicMethod;
    conversion.result = MakeOutputInfo(model, conversion.info);
    if (conversion.result == 0) {
        conversion.usage = writeToString(conversion.info, OUTPUT_USAGE);
        conversion.dae = writeToString(conversion.info, OUTPUT_DAE);
    }
    return conversion;
}

// Lines of `text` that start with `prefix`.
inline std::vector<std::string> linesStartingWith(const std::string& text,
                                                  const std::string& prefix) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The DAE line of the differential equation of `displayName` ("A.cyt"), or "" when none.
inline std::string differentialLine(const std::string& dae, const std::string& displayName) {
    for (const std::string& line : linesStartingWith(dae, "deq_")) {
        if (line.find(": dydt[" + displayName + "] =") != std::string::npos) return line;
    }
    return std::string();
}

// The right-hand side of that line: the text after " =" and before the closing ";".
inline std::string differentialTerms(const std::string& dae, const std::string& displayName) {
    std::string line = differentialLine(dae, displayName);
    size_t equals = line.find(" =");
    if (equals == std::string::npos || line.empty() || line.back() != ';') return std::string();
    return line.substr(equals + 2, line.size() - equals - 3);
}

// A model with the single compartment 1, "cytosol" (short name "cyt").
inline TestModel cytosol(const std::string& title = "test") {
    TestModel t(title);
    t.compartment(1, "cytosol");
    return t;
}

}  // namespace zymorax::testkit

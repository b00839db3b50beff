// Test helpers: models built in code (also such as no model file can hold), hand-filled equation
// sets, and running a conversion (or only its CMA stage) into DAE text and log lines.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "cma.h"
#include "context_builder.h"
#include "methods.h"
#include "model.h"
#include "output_info.h"
#include "test_support.h"
#include "vocabulary.h"

namespace zymorax::testkit {

// (species name, stoichiometry or exponent)
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
        model.listOfCompartments.compartment.push_back(
            Compartment{id, name, name.substr(0, 3), 0.0});
        return *this;
    }

    // Adds a species; the reference is valid until the next species is added.
    Specie& species(const std::string& name, int specieClass, double initial = 0.0,
                    int compartmentID = 1) {
        Specie& species = model.listOfSpecies.specie.emplace_back();
        species.specieID = nextSpecieID++;
        species.name = name;
        species.compartment = compartmentID;
        species.specieClass = specieClass;
        species.massBalance = SWITCH_OFF;
        species.totalAmount = 2;
        species.decomposition = SWITCH_OFF;
        species.initialAmount_isValid = 1;
        species.initialAmount = initial;
        return species;
    }

    // Adds species of one class with the defaults.
    TestModel& all(int specieClass, const std::vector<std::string>& names) {
        for (const std::string& name : names) species(name, specieClass);
        return *this;
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

    SpecieRefList refs(const Refs& entries) {
        SpecieRefList list;
        for (const auto& [name, stoichiometry] : entries) {
            SpecieRef& ref = list.ref.emplace_back();
            ref.specieID = get(name).specieID;
            ref.name = name;
            ref.compartment = get(name).compartment;
            ref.stoichiometry = stoichiometry;
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
        for (ReactionLayer& existing : model.listOfReactions) {
            if (existing.layer == layer) return existing.reaction.emplace_back(reaction);
        }
        model.listOfReactions.emplace_back().layer = layer;
        return model.listOfReactions.back().reaction.emplace_back(reaction);
    }

    Model model;
    int nextSpecieID = 1;
    int nextReactionID = 1;
};

// A model with the single compartment 1, "cytosol" (short name "cyt").
inline TestModel cytosol(const std::string& title = "test") {
    TestModel t(title);
    t.compartment(1, "cytosol");
    return t;
}

// Writes `info` in `mode` into a string (through a temporary file, so that the real writer runs).
inline std::string writeToString(const OutputInfo& info, int mode) {
    FILE* file = std::tmpfile();
    if (file == nullptr) throw std::runtime_error("tmpfile failed");
    int result = writeOutputFile(info, file, mode);
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
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
    std::string log;  // what the conversion logged
};

inline Conversion convert(Model& model, int geneProteinMethod, int metabolicMethod) {
    LogCapture log;
    Conversion conversion;
    conversion.info.geneProteinMethod = geneProteinMethod;
    conversion.info.metabolicMethod = metabolicMethod;
    conversion.result = MakeOutputInfo(model, conversion.info);
    if (conversion.result == 0) {
        conversion.usage = writeToString(conversion.info, OUTPUT_USAGE);
        conversion.dae = writeToString(conversion.info, OUTPUT_DAE);
    }
    conversion.log = log.take();
    return conversion;
}

// The log of a conversion of a copy of `model` that must fail.
inline std::string failureLog(Model model, int geneProteinMethod, int metabolicMethod) {
    Conversion conversion = convert(model, geneProteinMethod, metabolicMethod);
    EXPECT_EQ(conversion.result, -1);
    return conversion.log;
}

// Lines of `text` that start with `prefix`.
inline std::vector<std::string> linesStartingWith(const std::string& text,
                                                  const std::string& prefix) {
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
        end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
    }
    return lines;
}

// A context whose kinds and terms a test sets by hand.
struct HandBuilt {
    HandBuilt(const TestModel& model, int geneProteinMethod, int metabolicMethod = METHOD_NONE)
        : t(model), context(createConversionContext(t.model, geneProteinMethod, metabolicMethod)) {}

    int index(const std::string& name) const {
        for (int i = 0; i < context->playerCount; ++i) {
            if (context->players[i].name == name) return i;
        }
        throw std::runtime_error("no player " + name);
    }
    Player& player(const std::string& name) { return context->players[index(name)]; }
    Player& total(const std::string& name) { return context->totalPlayers[index(name)]; }
    std::vector<Term>& terms(const std::string& name) {
        return context->equations[index(name)].terms;
    }
    std::vector<Term>& totalTerms(const std::string& name) {
        return context->totalEquations[index(name)].terms;
    }

    Term term(double coefficient, int kind, int number, const Refs& factors = {}) {
        Term made;
        made.coefficient = coefficient;
        made.parameterKind = kind;
        made.parameterNumber = number;
        for (const auto& [name, exponent] : factors)
            made.factors.push_back(TermFactor{&player(name), exponent});
        return made;
    }
    // Appends a term to the equation of `owner`.
    Term& add(const std::string& owner, double coefficient, int kind = PARAM_NONE, int number = 0,
              const Refs& factors = {}) {
        return terms(owner).emplace_back(term(coefficient, kind, number, factors));
    }
    // Gives each named player `kind`.
    void kinds(int kind, const std::vector<std::string>& names) {
        for (const std::string& name : names) player(name).kind = kind;
    }

    TestModel t;
    std::shared_ptr<ConversionContext> context;
};

// Runs only the CMA stage, so that its classifications and terms can be seen before the later
// stages and without the element-list check of a whole conversion.
struct CmaStage : HandBuilt {
    explicit CmaStage(const TestModel& model, int method = METHOD_CMA) : HandBuilt(model, method) {
        LogCapture capture;
        result = classifyReaction_CMA(*context, t.model);
        log = capture.take();
    }
    int result = -1;
    std::string log;
};

// The line the CMA stage adds for a failed first reaction of `reactionType`.
inline std::string cmaReactionFailed(const std::string& reactionType) {
    return "reacReactions_CMA: reaction conversion failed.(reactionID=1,reactionType=" +
           reactionType + ")\n";
}

}  // namespace zymorax::testkit

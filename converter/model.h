// The converter's working model: what the model loader builds from the parsed records and every
// later step of rxnconv reads. Numbers are doubles, lists are vectors (an empty vector is an
// absent list), and the transcription reactions of one gene are already merged.
#pragma once

#include <string>
#include <vector>

struct Compartment {
    int compartmentID = 0;
    std::string name;       // at most 255 bytes
    std::string shortName;  // the first three bytes of name
    double volume = 0.0;
};

struct CompartmentList {
    std::vector<Compartment> compartment;
    int numberOfCompartments() const { return static_cast<int>(compartment.size()); }
};

struct SpecieRef {
    int specieID = 0;
    std::string name;
    int compartment = 0;
    double stoichiometry = 0.0;
    int modifierType = 0;  // modifiers only
    int isTotal = 0;       // modifiers only
};

struct SpecieRefList {
    std::vector<SpecieRef> ref;
    int count() const { return static_cast<int>(ref.size()); }
};

struct Specie {
    int specieID = 0;
    std::string name;
    int compartment = 0;  // compartmentID
    int specieClass = 0;
    int massBalance = 0;
    int totalAmount = 0;
    int decomposition = 0;
    int initialAmount_isValid = 0;
    double initialAmount = 0.0;
    std::vector<SpecieRefList> listOfElements;  // the components of a complex
};

struct SpecieList {
    std::vector<Specie> specie;
    int numberOfSpecies() const { return static_cast<int>(specie.size()); }
};

struct Reaction {
    int reactionID = 0;
    int groupID = 0;
    int reactionType = 0;
    int isConvertible = 0;
    std::string modifierReactionEquation;  // display text; grows when reactions are merged
    std::vector<SpecieRefList> listOfReactants;
    std::vector<SpecieRefList> listOfProducts;
    std::vector<SpecieRefList> listOfModifiers;
    std::vector<SpecieRefList> modifierComplex;  // each list holds one reference
};

struct ReactionLayer {
    int layer = 0;  // 1 and 2 Gene-Protein, 3 Metabolic
    std::vector<Reaction> reaction;
    int numberOfReactions() const { return static_cast<int>(reaction.size()); }
};

struct Model {
    std::string name;       // at most 255 bytes
    std::string modelInfo;  // at most 1023 bytes
    CompartmentList listOfCompartments;
    SpecieList listOfSpecies;
    std::vector<ReactionLayer> listOfReactions;
};

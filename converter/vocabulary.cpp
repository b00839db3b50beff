#include "vocabulary.h"

namespace {

const char* const kReactionTypeNames[REACTION_TYPE_COUNT] = {
    "none",
    "binding",
    "binding_with_stoichiometric_changes",
    "homo_association_or_modification",
    "homo_association_or_modification_with_stoichiometric_changes",
    "elimination",
    "elimination_with_stoichiometric_changes",
    "reversible_conversion",
    "irreversible_conversion",
    "reversible_conversion_regarding_multicomponent",
    "irreversible_conversion_regarding_multicomponent",
    "transport",
    "option_transport",
    "transcription",
    "translation",
    "degradation",
};

const char* const kSpecieClassNames[SPECIE_CLASS_COUNT] = {
    "none",         "DNA_gene",   "DNA_promoter",   "DNA_enhancer",
    "DNA_others",   "RNA",        "protein",        "metabolite",
    "environmental_factor", "ion_signal", "complex / modifier_complex", "modified",
    "small_molecule", "text_option", "others",
};

}  // namespace

const char* reactionTypeName(int reactionType) {
    if (reactionType < 0 || reactionType >= REACTION_TYPE_COUNT) return "";
    return kReactionTypeNames[reactionType];
}

const char* specieClassName(int specieClass) {
    if (specieClass < 0 || specieClass >= SPECIE_CLASS_COUNT) return "";
    return kSpecieClassNames[specieClass];
}

// The integer codes the model records carry, and the names rxnconv prints for them.
#pragma once

// reactionType
enum ReactionType {
    REACTION_NONE = 0,
    REACTION_BINDING = 1,
    REACTION_BINDING_WITH_STOICHIOMETRIC_CHANGES = 2,
    REACTION_HOMO_ASSOCIATION_OR_MODIFICATION = 3,
    REACTION_HOMO_ASSOCIATION_OR_MODIFICATION_WITH_STOICHIOMETRIC_CHANGES = 4,
    REACTION_ELIMINATION = 5,
    REACTION_ELIMINATION_WITH_STOICHIOMETRIC_CHANGES = 6,
    REACTION_REVERSIBLE_CONVERSION = 7,
    REACTION_IRREVERSIBLE_CONVERSION = 8,
    REACTION_REVERSIBLE_CONVERSION_REGARDING_MULTICOMPONENT = 9,
    REACTION_IRREVERSIBLE_CONVERSION_REGARDING_MULTICOMPONENT = 10,
    REACTION_TRANSPORT = 11,
    REACTION_OPTION_TRANSPORT = 12,
    REACTION_TRANSCRIPTION = 13,
    REACTION_TRANSLATION = 14,
    REACTION_DEGRADATION = 15,
    REACTION_TYPE_COUNT = 16,
};

// specieClass
enum SpecieClass {
    CLASS_NONE = 0,
    CLASS_DNA_GENE = 1,
    CLASS_DNA_PROMOTER = 2,
    CLASS_DNA_ENHANCER = 3,
    CLASS_DNA_OTHERS = 4,
    CLASS_RNA = 5,
    CLASS_PROTEIN = 6,
    CLASS_METABOLITE = 7,
    CLASS_ENVIRONMENTAL_FACTOR = 8,
    CLASS_ION_SIGNAL = 9,
    CLASS_COMPLEX = 10,
    CLASS_MODIFIED = 11,
    CLASS_SMALL_MOLECULE = 12,
    CLASS_TEXT_OPTION = 13,
    CLASS_OTHERS = 14,
    SPECIE_CLASS_COUNT = 15,
};

// layer of a reaction list
enum Layer { LAYER_GENE_PROTEIN_1 = 1, LAYER_GENE_PROTEIN_2 = 2, LAYER_METABOLIC = 3 };

// massBalance and decomposition
enum Switch { SWITCH_ON = 1, SWITCH_OFF = 2 };

// isConvertible: a reaction marked so yields no terms and is not listed.
constexpr int NOT_CONVERTIBLE = 2;

// modifierType
enum ModifierType { MODIFIER_ENZYME = 1, MODIFIER_OCCUPIED = 2, MODIFIER_FREE = 3 };

// result of a parse
constexpr int PARSE_FAILED = 2;

// Name of a reaction type or species class as messages print it ("" outside the table).
const char* reactionTypeName(int reactionType);
const char* specieClassName(int specieClass);

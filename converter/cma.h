// CMA, the mass-action conversion with explicit complexes: the dispatcher that sorts reactions by
// type and modifiers, the converters, the term builder and the balance checks of binding steps.
#pragma once

#include "equation_set.h"
#include "model.h"
#include "reaction_lists.h"

// Roles of a reference list within a reaction.
enum ReferenceRole {
    ROLE_REACTANT = 1,
    ROLE_PRODUCT = 2,
    ROLE_MODIFIER = 3,
    ROLE_MODIFIER_COMPLEX = 4
};

// Direction of a term: the step consumes (coefficient -stoichiometry) or produces (+).
enum TermSign { SIGN_CONSUMED = 1, SIGN_PRODUCED = 2 };

// A reaction's lists, resolved to players.
struct CmaReaction {
    const Reaction* reaction = nullptr;
    PlayerList reactants;
    PlayerList products;
    PlayerList modifiers;
    PlayerList modifierComplex;  // at most the first entry's one reference
};

// Converts every reaction of the layers whose method is CMA or a TPP method. 0, or -1 after the
// first failed reaction (the caller adds "readReactions_CMA failed.\n").
int classifyReaction_CMA(ConversionContext& context, const Model& model);

// The converters for reactions with modifiers, reversible and irreversible reactions.
int convertReaction_CMA_enzymatic(ConversionContext& context, const CmaReaction& reaction,
                                  int method);
int convertReaction_CMA_reversible(ConversionContext& context, const CmaReaction& reaction,
                                   int method);
int convertReaction_CMA_irreversible(ConversionContext& context, const CmaReaction& reaction,
                                     int method);

// One (list, role) pair of a step; an absent list has list == nullptr.
struct StepList {
    const PlayerList* list = nullptr;
    int role = 0;
};

// One elementary step with `parameter`: L1 and L2 consumed, R1 and R2 produced; binding steps
// (ka) then check the stoichiometric balance of L1 + L2 against R1.
int convertStep_CMA(ConversionContext& context, const KineticParameter& parameter, int reactionType,
                    int method, StepList l1, StepList l2, StepList r1, StepList r2);

// Classifies the players of `list` and appends to each one's equation the mass-action term of
// the step: sign * stoichiometry * parameter * (players of L1, L2 to their stoichiometries).
int convertPlayer_CMA(ConversionContext& context, const KineticParameter& parameter,
                      const PlayerList& list, int sign, int role, const PlayerList& l1,
                      const PlayerList* l2, int reactionType, int method);

// Binding balance at species level: 0 balanced, -1 not balanced, -2 the right side does not hold
// exactly one reference (logged).
int checkStoichiometricDiscordance(ConversionContext& context, const PlayerList& l1,
                                   const PlayerList* l2, const PlayerList* right);

// Binding balance at monomer level (complexes on the left taken apart). 0, or -1 after logging.
int checkStoichiometricDiscordance2(ConversionContext& context, const PlayerList& l1,
                                    const PlayerList* l2, const PlayerList& right);

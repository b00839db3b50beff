// GMA (power-law) and MM (saturating) conversion of the Metabolic layer: checks of reactions and
// players, total-enzyme expressions, and one named flux per reaction.
#pragma once

#include "equation_set.h"
#include "model.h"
#include "reaction_lists.h"

// Roles passed to checkPlayer_GMA.
enum GmaRole { GMA_REACTANT = 1, GMA_PRODUCT = 2, GMA_MODIFIER = 3 };

// Runs the whole GMA/MM stage over the layers whose method is GMA or MM, then numbers the
// constants that are still without a number. 0, or -1 after logging (the caller adds
// "ReadReactions_GMA failed.\n").
int checkReactions_GMA(ConversionContext& context, const Model& model);

// Checks a reaction's type and classifies its players. 0, or -1 after logging.
int checkReaction_GMA(ConversionContext& context, const Reaction& reaction);

// Marks and classifies the player of one reference. 0, or -1 after logging.
int checkPlayer_GMA(ConversionContext& context, const SpecieRef& reference, int role);

// Checks the reactants and products of GMA/MM reactions, turns players that occur only as
// modifiers into constants, and builds the total-enzyme expressions. 0, or -1 after logging.
int createTotalEnzymeEq(ConversionContext& context);

// How many units of species `specieID` one `complex` holds (first match, nested complexes of
// two or more elements followed); 0 when none.
double enzymeMultiplicity(ConversionContext& context, const Player& complex, int specieID);

// A reaction's lists, resolved to players.
struct GmaReaction {
    PlayerList modifiers;
    PlayerList reactants;
    PlayerList products;
};

// Builds the flux of `reaction` by `method` (GMA or MM), appends it to the context's fluxes and
// adds its terms to the reactants' and products' equations. 0, or -1 after logging.
int buildFlux(ConversionContext& context, const GmaReaction& reaction, int method);

// The decay flux of `player`: a reaction with the player as its only reactant.
void addDecompositionFlux(ConversionContext& context, Player& player, int method);

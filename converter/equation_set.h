// The equation set that every conversion method fills: one player and one equation per species
// (plus a total-amount twin of each), additive terms, numbered kinetic parameters and the
// temporary expressions (fluxes, total enzymes) that terms refer to.
//
// Records are plain structs. Lists the conversions only append to are vectors; records that
// other records point at (fluxes, total-enzyme equations) live in deques so the pointers stay
// valid. Everything is owned by the ConversionContext, which the OutputInfo keeps alive.
#pragma once

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model.h"

enum PlayerKind {
    PLAYER_NONE = 0,  // a total twin that no conversion has given a kind
    PLAYER_CONSTANT = 1,
    PLAYER_ALGEBRAIC_ZERO = 2,
    PLAYER_ALGEBRAIC_TOTAL = 3,
    PLAYER_DIFFERENTIAL = 4,
    PLAYER_DIFFERENTIAL_FLUX = 5,
    PLAYER_UNCLASSIFIED = 6,
};

enum ParameterKind {
    PARAM_NONE = 0,
    PARAM_KA = 1,
    PARAM_KD = 2,
    PARAM_KX = 3,
    PARAM_KB = 4,
    PARAM_KP = 5,
    PARAM_KPD = 6,
    PARAM_KM = 7,
    PARAM_KMD = 8,
    PARAM_KTR = 9,
    PARAM_KXG = 10,
    PARAM_F = 11,
    PARAM_Q = 12,
    PARAM_KMICH = 13,
    PARAMETER_KIND_COUNT = 14,
};

// Symbol ("ka") and description ("binding_association_rate_constant") of a parameter kind;
// those of NONE outside the table.
const char* parameterSymbol(int kind);
const char* parameterDescription(int kind);

struct Player;

// A piece of a temporary expression: literal text, or the symbol of a player. Player symbols
// are rendered only when the conversion is complete, so that a player that a later stage turns
// into a constant is written as that constant everywhere.
struct ExpressionPart {
    std::string text;
    const Player* player = nullptr;
    const char* prefix = "";  // "" or "T" (the total of the player)
};

using SymbolicText = std::vector<ExpressionPart>;

struct TotalEnzymeEq {
    int used = 0;      // written only when a flux refers to it
    std::string name;  // "T_<name>.<short name>"
    std::string text;  // the total-amount expression, rendered from `parts`
    SymbolicText parts;
};

struct Flux {
    std::string name;
    std::string text;  // the rate expression, rendered from `parts`
    SymbolicText parts;
};

struct KineticParameter {
    std::string label;  // written right after the description
    int number = 0;     // 1-based within its kind
    int kind = PARAM_NONE;
    int specieID = 0;  // set for per-species (decay) parameters only
};

// One species as it takes part in equations.
struct Player {
    int kind = PLAYER_UNCLASSIFIED;
    int number = 0;  // constantPlayer number; 0 while none is given
    int specieID = 0;
    std::string name;
    int compartmentID = 0;
    std::string compartmentShortName;
    int specieClass = 0;
    int massBalance = 0;
    int totalAmount = 0;
    int decomposition = 0;
    int initialAmountValid = 0;
    double initialAmount = 0.0;
    int elementCount = 0;             // == elements.size()
    std::vector<SpecieRef> elements;  // components of a complex
    int reactantOrProduct = 0;        // reactant or product of a GMA/MM reaction
    int totalModifier = 0;            // GMA/MM modifier acting through its total amount
    TotalEnzymeEq* totalEnzyme = nullptr;
};

struct TermFactor {
    Player* player = nullptr;
    double exponent = 1.0;
};

struct PlayerLink {
    Player* player = nullptr;
    double value = 1.0;
    int modifierType = 0;
};

// One additive term: coefficient * parameter * factors, or coefficient * flux.
struct Term {
    double coefficient = 0.0;  // a zero coefficient is never written
    int parameterKind = PARAM_NONE;
    int parameterNumber = 0;
    double parameterExponent = 1.0;  // printed for the binding constant only
    std::vector<TermFactor> factors;
    const Flux* expression = nullptr;
    std::vector<PlayerLink> ratioNumerators;
    std::vector<PlayerLink> ratioDenominators;  // total players
    std::vector<PlayerLink> complementNumerators;
    std::vector<PlayerLink> complementDenominators;  // total players
    std::optional<PlayerLink> tailPlayer;            // set on regulated transcription terms
};

struct PlayerEquation {
    Player* player = nullptr;
    std::vector<Term> terms;  // in the order the conversions added them
    int pairNumber = 0;       // equilibrium pair of a complex (TPP), 0 = none
};

// The working record of one conversion run. Players, equations and their twins are sized once
// and never resized, so pointers into them stay valid.
struct ConversionContext {
    int geneProteinMethod = 0;
    int metabolicMethod = 0;
    int constantCount = 0;  // the last constantPlayer number handed out
    int playerCount = 0;
    std::vector<Player> players;  // species order
    std::vector<PlayerEquation> equations;
    std::vector<Player> totalPlayers;
    std::vector<PlayerEquation> totalEquations;
    std::array<int, PARAMETER_KIND_COUNT> parameterCounts{};
    // Per kind in registration order, so parameter n of a kind is entry n - 1.
    std::array<std::deque<KineticParameter>, PARAMETER_KIND_COUNT> parameterLists;
    std::deque<TotalEnzymeEq> totalEnzymes;
    std::deque<Flux> fluxes;
    const SpecieList* speciesList = nullptr;
    const CompartmentList* compartmentList = nullptr;

    // First player index of each specieID, built once with the players.
    std::unordered_map<int, int> playerIndexBySpecieID;
    // Decay parameters already registered, by (kind, specieID).
    std::unordered_map<long long, const KineticParameter*> registeredParameters;

    ConversionContext() = default;
    ConversionContext(const ConversionContext&) = delete;
    ConversionContext& operator=(const ConversionContext&) = delete;
};

// Index of the first player whose specieID is `specieID`, or -1 when none has it.
int findPlayerIndex(const ConversionContext& context, int specieID);

// The first player whose specieID is `specieID`, or null.
Player* findPlayer(ConversionContext& context, int specieID);

// Hands out the next number of `kind`, appends the parameter to its list and returns it.
KineticParameter& newParameter(ConversionContext& context, int kind, std::string label);

// Gives a constant player without a number the next constantPlayer number.
void numberConstant(ConversionContext& context, Player& player);

// The equation of a player of `context` (a player or a total twin).
PlayerEquation& equationOf(ConversionContext& context, const Player& player);

// The method a reaction layer is converted by: the Gene-Protein method for layers 1 and 2, the
// Metabolic method for layer 3, none for any other layer value.
int layerMethod(const ConversionContext& context, int layer);

// Symbol of a player in expressions: "constantPlayer[n]", "x[<prefix><name>.<short>]",
// "y[<prefix><name>.<short>]"; empty for a player of no written kind.
std::string playerSymbol(const Player& player, const char* prefix);

// The text of `parts` with each player part replaced by the player's current symbol.
std::string renderText(const SymbolicText& parts);

// The first player part of `parts` whose player has no symbol, or null.
const ExpressionPart* findUnwrittenPlayer(const SymbolicText& parts);

// Numbers, in player order and then total-player order, every constant that has no number yet.
void numberConstants(ConversionContext& context);

// True for the kinds whose players appear in the written equations.
inline bool isWrittenKind(int kind) {
    return kind >= PLAYER_CONSTANT && kind <= PLAYER_DIFFERENTIAL_FLUX;
}

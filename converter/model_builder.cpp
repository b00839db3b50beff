#include "model_builder.h"

#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "format.h"
#include "vocabulary.h"

namespace {

// Names and the model information were held in buffers of 256 and 1024 bytes that had to stay
// terminated, so the longest usable texts are one byte shorter.
constexpr size_t kNameLimit = 255;
constexpr size_t kModelInfoLimit = 1023;
// Joined display texts were formatted into a scratch buffer of 262144 bytes.
constexpr size_t kScratchLimit = 262143;

// A fixed text field holds at most `width` bytes and needs no terminator.
template <size_t width>
std::string fieldText(const char (&field)[width], size_t limit = width) {
    return std::string(field, strnlen(field, limit < width ? limit : width));
}

// Numbers arrive as text; a text that is not a number reads as 0.0.
template <size_t width>
double fieldNumber(const char (&field)[width]) {
    double value = 0.0;
    if (sscanf(fieldText(field).c_str(), "%lE", &value) != 1) value = 0.0;
    return value;
}

// Species and modifier references share their first four fields.
template <typename Reference>
SpecieRef makeRef(const Reference& source) {
    SpecieRef ref;
    ref.specieID = source.specieID;
    ref.name = fieldText(source.name, kNameLimit);
    ref.compartment = source.compartment;
    ref.stoichiometry = fieldNumber(source.stoichiometry);
    return ref;
}

SpecieRef makeModifierRef(const JModifierSpecieReference_t& source) {
    SpecieRef ref = makeRef(source);
    ref.modifierType = source.modifierType;
    ref.isTotal = source.isTotal;
    return ref;
}

// Builds `count` lists from an array of list records, each with its own element count.
template <typename ListRecord, typename Convert>
std::vector<SpecieRefList> makeLists(int count, const ListRecord* lists, int ListRecord::*size,
                                     Convert convert) {
    std::vector<SpecieRefList> result;
    if (count < 1 || lists == nullptr) return result;
    result.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        int elements = lists[i].*size;
        for (int k = 0; k < elements; ++k) result[i].ref.push_back(convert(lists[i], k));
    }
    return result;
}

std::vector<SpecieRefList> makeRefLists(int count, const JListOfReactants_t* lists) {
    return makeLists(count, lists, &JListOfReactants_t::numberOfReactants,
                     [](const JListOfReactants_t& list, int k) { return makeRef(list.specieReference[k]); });
}

std::vector<SpecieRefList> makeRefLists(int count, const JListOfProducts_t* lists) {
    return makeLists(count, lists, &JListOfProducts_t::numberOfProducts,
                     [](const JListOfProducts_t& list, int k) { return makeRef(list.specieReference[k]); });
}

std::vector<SpecieRefList> makeRefLists(int count, const JListOfElements_t* lists) {
    return makeLists(count, lists, &JListOfElements_t::numberOfElements,
                     [](const JListOfElements_t& list, int k) { return makeRef(list.specieReference[k]); });
}

std::vector<SpecieRefList> makeRefLists(int count, const JListOfModifiers_t* lists) {
    return makeLists(count, lists, &JListOfModifiers_t::numberOfModifiers,
                     [](const JListOfModifiers_t& list, int k) {
                         return makeModifierRef(list.modifierSpecieReference[k]);
                     });
}

std::vector<SpecieRefList> makeComplexLists(int count, const JModifierComplex_t* complexes) {
    std::vector<SpecieRefList> result;
    if (count < 1 || complexes == nullptr) return result;
    for (int i = 0; i < count; ++i) result.push_back(SpecieRefList{{makeRef(complexes[i].specieReference)}});
    return result;
}

Compartment makeCompartment(const JCompartment_t& source) {
    Compartment compartment;
    compartment.compartmentID = source.compartmentID;
    compartment.name = fieldText(source.name, kNameLimit);
    compartment.shortName = compartment.name.substr(0, 3);
    compartment.volume = fieldNumber(source.volume);
    return compartment;
}

Specie makeSpecie(const JSpecie_t& source) {
    Specie specie;
    specie.specieID = source.specieID;
    specie.name = fieldText(source.name, kNameLimit);
    specie.compartment = source.compartment;
    const JSpecieAttribute_t& attribute = source.specieAttribute;
    specie.specieClass = attribute.specieClass;
    specie.massBalance = attribute.massBalance;
    specie.totalAmount = attribute.totalAmount;
    specie.decomposition = attribute.decomposition;
    specie.initialAmount_isValid = attribute.initialAmount_isValid;
    specie.initialAmount = fieldNumber(attribute.initialAmount);
    specie.listOfElements = makeRefLists(source.listOfElements_n, source.listOfElements);
    return specie;
}

Reaction makeReaction(const JReaction_t& source) {
    Reaction reaction;
    reaction.reactionID = source.reactionID;
    reaction.groupID = source.groupID;
    reaction.reactionType = source.reactionType;
    reaction.isConvertible = source.isConvertible;
    reaction.modifierReactionEquation = fieldText(source.modifierReactionEquation);
    reaction.listOfReactants = makeRefLists(source.listOfReactants_n, source.listOfReactants);
    reaction.listOfProducts = makeRefLists(source.listOfProducts_n, source.listOfProducts);
    reaction.listOfModifiers = makeRefLists(source.listOfModifiers_n, source.listOfModifiers);
    reaction.modifierComplex = makeComplexLists(source.modifierComplex_n, source.modifierComplex);
    return reaction;
}

ReactionLayer makeLayer(const JListOfReactions_t& source) {
    ReactionLayer layer;
    layer.layer = source.layer;
    if (source.reaction != nullptr) {
        for (int i = 0; i < source.numberOfReactions; ++i) layer.reaction.push_back(makeReaction(source.reaction[i]));
    }
    mergeTranscriptions(layer);
    return layer;
}

// Moves the regulators and the display text of `later` into `first`. When `first` has no
// modifier list it gains one, so that no regulator is lost.
void absorbTranscription(Reaction& first, Reaction& later) {
    later.reactionType = REACTION_NONE;
    if (!later.listOfModifiers.empty()) {
        if (first.listOfModifiers.empty()) first.listOfModifiers.emplace_back();
        std::vector<SpecieRef>& target = first.listOfModifiers[0].ref;
        const std::vector<SpecieRef>& added = later.listOfModifiers[0].ref;
        target.insert(target.end(), added.begin(), added.end());
    }
    std::string joined = zymorax::format("%s</br>\n            %s", first.modifierReactionEquation.c_str(),
                                         later.modifierReactionEquation.c_str());
    if (joined.size() > kScratchLimit) joined.resize(kScratchLimit);
    first.modifierReactionEquation = std::move(joined);
}

}  // namespace

void mergeTranscriptions(ReactionLayer& layer) {
    // The first transcription of each group absorbs the later ones, in reaction order.
    std::vector<Reaction>& reactions = layer.reaction;
    std::unordered_map<int, size_t> firstOfGroup;
    for (size_t i = 0; i < reactions.size(); ++i) {
        if (reactions[i].reactionType != REACTION_TRANSCRIPTION) continue;
        auto [first, isFirst] = firstOfGroup.emplace(reactions[i].groupID, i);
        if (!isFirst) absorbTranscription(reactions[first->second], reactions[i]);
    }
    std::vector<Reaction> kept;
    for (Reaction& reaction : reactions) {
        if (reaction.reactionType != REACTION_NONE) kept.push_back(std::move(reaction));
    }
    reactions = std::move(kept);
}

void buildModel(const JModel_t& source, Model& model) {
    model.name = fieldText(source.name, kNameLimit);
    model.modelInfo = fieldText(source.modelInfo, kModelInfoLimit);
    const JListOfCompartments_t& compartments = source.listOfCompartments;
    for (int i = 0; compartments.compartment != nullptr && i < compartments.numberOfCompartments; ++i) {
        model.listOfCompartments.compartment.push_back(makeCompartment(compartments.compartment[i]));
    }
    const JListOfSpecies_t& species = source.listOfSpecies;
    for (int i = 0; species.specie != nullptr && i < species.numberOfSpecies; ++i) {
        model.listOfSpecies.specie.push_back(makeSpecie(species.specie[i]));
    }
    for (int i = 0; source.listOfReactions != nullptr && i < source.listOfReactions_n; ++i) {
        model.listOfReactions.push_back(makeLayer(source.listOfReactions[i]));
    }
}

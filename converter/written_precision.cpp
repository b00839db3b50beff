#include "written_precision.h"

#include <cmath>
#include <cstdlib>

#include "format.h"
#include "log.h"

namespace {

constexpr double kMattersAbove = 1e-12;

// The value as the DAE file writes it, read back; the relative change, 0 for a whole text.
double relativeRounding(double value, std::string& written) {
    written = zymorax::format("%g", value);
    double readBack = std::strtod(written.c_str(), nullptr);
    if (value == 0.0) return std::fabs(readBack);
    return std::fabs(readBack - value) / std::fabs(value);
}

void noteList(const Reaction& reaction, const std::vector<SpecieRefList>& lists, const char* role) {
    for (const SpecieRefList& list : lists) {
        for (const SpecieRef& ref : list.ref) {
            std::string written;
            if (relativeRounding(ref.stoichiometry, written) <= kMattersAbove) continue;
            log_sys("loadModel: the stoichiometry %.17g of the %s specieID=%d in reactionID=%d is "
                    "written as %s in the DAE file.\n",
                    ref.stoichiometry, role, ref.specieID, reaction.reactionID, written.c_str());
        }
    }
}

}  // namespace

void noteRoundedStoichiometries(const Model& model) {
    for (const ReactionLayer& layer : model.listOfReactions) {
        for (const Reaction& reaction : layer.reaction) {
            noteList(reaction, reaction.listOfReactants, "reactant");
            noteList(reaction, reaction.listOfProducts, "product");
        }
    }
}

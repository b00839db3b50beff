#include "tpp_monomer.h"

#include <cmath>

#include "context_builder.h"
#include "log.h"

namespace {

// One unit of the element's own species: `stoichiometry` of it.
void addOwnUnits(std::unordered_map<int, double>& bySpecie, double absent, int specieID,
                 double stoichiometry) {
    bySpecie.try_emplace(specieID, absent).first->second += stoichiometry;
}

int failHaveThisMonomer() {
    log_sys("## Error!! in haveThisMonomer.\n");
    return -1;
}

std::vector<int> playersOfKind(const ConversionContext& context, int kind) {
    std::vector<int> indices;
    for (int i = 0; i < context.playerCount; ++i) {
        if (context.players[i].kind == kind) indices.push_back(i);
    }
    return indices;
}

}  // namespace

MonomerContents::MonomerContents(const ConversionContext& context)
    : context_(context), memo_(context.playerCount) {}

// Taking a complex apart adds, per element in order, the same terms in the same order as the
// element-by-element sum does for each species, so every value is the one that sum gives. A
// species an element does not hold gets that element's `absent` value: adding it is skipped
// when it is an exact zero, which leaves every sum unchanged.
const MonomerContents::Content* MonomerContents::contentOf(int complex, int depth) {
    if (memo_[complex]) return memo_[complex].get();
    const Player& player = context_.players[complex];
    if (player.elements.empty()) {
        log_sys("## This is not a complex.\n");
        failHaveThisMonomer();
        return nullptr;
    }
    if (depth > kMaxComplexNesting) {
        log_sys("#  Complex '%s.%s(specieID=%d)' is nested deeper than %d levels.\n",
                player.name.c_str(), player.compartmentShortName.c_str(), player.specieID,
                kMaxComplexNesting);
        failHaveThisMonomer();
        return nullptr;
    }
    auto content = std::make_unique<Content>();
    auto& bySpecie = content->bySpecie;
    for (const SpecieRef& element : player.elements) {
        const double stoichiometry = element.stoichiometry;
        int child = findPlayerIndex(context_, element.specieID);
        if (child < 0) {
            log_sys("#  Element (specieID=%d) of complex '%s.%s(specieID=%d)' matches no species.\n",
                    element.specieID, player.name.c_str(), player.compartmentShortName.c_str(),
                    player.specieID);
            failHaveThisMonomer();
            return nullptr;
        }
        addOwnUnits(bySpecie, content->absent, element.specieID, stoichiometry);
        if (context_.players[child].elements.empty()) continue;
        const Content* inner = contentOf(child, depth + 1);
        if (inner == nullptr) {
            failHaveThisMonomer();
            return nullptr;
        }
        const double innerAbsent = inner->absent * stoichiometry;
        if (!(std::isfinite(stoichiometry) && inner->absent == 0.0)) {
            for (auto& [specieID, value] : bySpecie) {
                if (inner->bySpecie.count(specieID) == 0) value += innerAbsent;
            }
        }
        for (const auto& [specieID, value] : inner->bySpecie) {
            bySpecie.try_emplace(specieID, content->absent).first->second += value * stoichiometry;
        }
        content->absent += innerAbsent;
    }
    memo_[complex] = std::move(content);
    return memo_[complex].get();
}

double MonomerContents::valueIn(const Content& content, int specieID) const {
    auto found = content.bySpecie.find(specieID);
    return found == content.bySpecie.end() ? content.absent : found->second;
}

double MonomerContents::of(int monomer, int complex) {
    const Content* content = contentOf(complex, 0);
    if (content == nullptr) return -1.0;
    return valueIn(*content, context_.players[monomer].specieID);
}

bool MonomerContents::heldWithNegativeContent(const std::vector<int>& complexes) const {
    for (int complex : complexes) {
        for (const auto& [specieID, value] : memo_[complex]->bySpecie) {
            if (value < 0.0 && monomersBySpecie_.count(specieID) != 0) return true;
        }
    }
    return false;
}

void MonomerContents::collectShares(const std::vector<int>& complexes) {
    shares_.assign(context_.playerCount, {});
    for (int complex : complexes) {
        for (const auto& [specieID, value] : memo_[complex]->bySpecie) {
            if (!(value > 0.0)) continue;
            auto monomers = monomersBySpecie_.find(specieID);
            if (monomers == monomersBySpecie_.end()) continue;
            for (int monomer : monomers->second) shares_[monomer].push_back(Share{complex, value});
        }
    }
}

// The pairs are taken monomer by monomer, so the first monomer meets every complex first: a
// complex that cannot be taken apart fails there, whichever monomer comes next. After that only
// a negative content can fail, and every such pair reports the same line.
int MonomerContents::evaluateAll(const char* step) {
    if (evaluated_) return 0;
    const std::vector<int> monomers = playersOfKind(context_, PLAYER_ALGEBRAIC_TOTAL);
    const std::vector<int> complexes = playersOfKind(context_, PLAYER_ALGEBRAIC_ZERO);
    monomersBySpecie_.clear();
    for (int monomer : monomers) {
        monomersBySpecie_[context_.players[monomer].specieID].push_back(monomer);
    }
    bool failed = false;
    if (!monomers.empty()) {
        for (int complex : complexes) {
            failed = of(monomers.front(), complex) < 0.0;
            if (failed) break;
        }
        failed = failed || heldWithNegativeContent(complexes);
    }
    if (failed) {
        log_sys("## Error!! in %s.\n", step);
        return -1;
    }
    collectShares(monomers.empty() ? std::vector<int>() : complexes);
    evaluated_ = true;
    return 0;
}

const std::vector<MonomerContents::Share>& MonomerContents::sharesOf(int monomer) const {
    static const std::vector<Share> kNone;
    if (monomer < 0 || static_cast<size_t>(monomer) >= shares_.size()) return kNone;
    return shares_[monomer];
}

double haveThisMonomer(MonomerContents& contents, int monomer, int complex) {
    return contents.of(monomer, complex);
}

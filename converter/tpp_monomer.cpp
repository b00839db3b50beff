#include "tpp_monomer.h"

#include <cmath>

#include "context_builder.h"
#include "format.h"
#include "log.h"

namespace {

const char kErrorLine[] = "## Error!! in haveThisMonomer.\n";

void logErrorLines(int count) {
    for (int i = 0; i < count; ++i) log_sys("%s", kErrorLine);
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

const MonomerContents::Content& MonomerContents::contentOf(int complex, int depth) {
    if (!memo_[complex]) {
        auto content = std::make_unique<Content>();
        takeApart(complex, depth, *content);
        memo_[complex] = std::move(content);
    }
    return *memo_[complex];
}

// Element by element, every species' entry receives the same additions in the same order as
// the element-by-element sum for that species, and fails where that sum would stop.
void MonomerContents::takeApart(int complex, int depth, Content& content) {
    const Player& player = context_.players[complex];
    if (player.elements.empty()) {
        content.brokenLines = {"## This is not a complex.\n", kErrorLine};
        return;
    }
    if (depth > kMaxComplexNesting) {  // unreachable once the element lists were checked
        content.brokenLines = {
            zymorax::format("#  Complex '%s.%s(specieID=%d)' is nested deeper than %d levels.\n",
                            player.name.c_str(), player.compartmentShortName.c_str(),
                            player.specieID, kMaxComplexNesting),
            kErrorLine};
        return;
    }
    for (const SpecieRef& element : player.elements) {
        const int child = findPlayerIndex(context_, element.specieID);
        if (child < 0) {
            content.brokenLines = {
                zymorax::format(
                    "#  Element (specieID=%d) of complex '%s.%s(specieID=%d)' matches no "
                    "species.\n",
                    element.specieID, player.name.c_str(), player.compartmentShortName.c_str(),
                    player.specieID),
                kErrorLine};
            return;
        }
        Entry& own = entryOf(content, element.specieID);
        if (own.failedLevels == 0) own.value += element.stoichiometry;
        if (context_.players[child].elements.empty()) continue;
        const Content& inner = contentOf(child, depth + 1);
        addNested(content, inner, element.stoichiometry);
        if (!inner.brokenLines.empty()) {
            content.brokenLines = inner.brokenLines;
            content.brokenLines.push_back(kErrorLine);
            return;
        }
    }
}

MonomerContents::Entry& MonomerContents::entryOf(Content& content, int specieID) {
    // A species met for the first time has summed the absent values so far.
    return content.bySpecie.try_emplace(specieID, Entry{content.absent, 0}).first->second;
}

// `stoichiometry` times the nested complex's content. Adding its absent value to the species it
// does not hold is skipped when that adds an exact zero, which changes no sum.
void MonomerContents::addNested(Content& content, const Content& inner, double stoichiometry) {
    if (!(std::isfinite(stoichiometry) && inner.absent == 0.0)) {
        const double added = inner.absent * stoichiometry;
        for (auto& [specieID, entry] : content.bySpecie) {
            if (entry.failedLevels == 0 && inner.bySpecie.count(specieID) == 0) {
                entry.value += added;
            }
        }
    }
    for (const auto& [specieID, innerEntry] : inner.bySpecie) {
        Entry& entry = entryOf(content, specieID);
        if (entry.failedLevels > 0) continue;  // that species' sum stopped earlier
        if (innerEntry.failedLevels > 0) {
            entry.failedLevels = innerEntry.failedLevels + 1;
        } else if (inner.brokenLines.empty() && innerEntry.value < 0.0) {
            entry.failedLevels = 1;  // a negative nested content is an error one level up
        } else {
            entry.value += innerEntry.value * stoichiometry;
        }
    }
    content.absent += inner.absent * stoichiometry;
}

double MonomerContents::of(int monomer, int complex) {
    const Content& content = contentOf(complex, 0);
    auto found = content.bySpecie.find(context_.players[monomer].specieID);
    if (found != content.bySpecie.end() && found->second.failedLevels > 0) {
        logErrorLines(found->second.failedLevels);
        return -1.0;
    }
    if (!content.brokenLines.empty()) {
        for (const std::string& line : content.brokenLines) log_sys("%s", line.c_str());
        return -1.0;
    }
    return found != content.bySpecie.end() ? found->second.value : content.absent;
}

MonomerContents::FailingPair MonomerContents::firstFailingPair(
    const std::vector<int>& complexes) const {
    FailingPair first;
    for (int complex : complexes) {
        for (const auto& [specieID, entry] : memo_[complex]->bySpecie) {
            if (entry.failedLevels == 0 && !(entry.value < 0.0)) continue;
            auto monomers = monomersBySpecie_.find(specieID);
            if (monomers == monomersBySpecie_.end()) continue;
            // Complexes come in index order, so only a lower monomer can come first.
            int monomer = monomers->second.front();
            if (first.monomer < 0 || monomer < first.monomer) first = {monomer, complex, entry};
        }
    }
    return first;
}

void MonomerContents::collectShares(const std::vector<int>& complexes) {
    shares_.assign(context_.playerCount, {});
    for (int complex : complexes) {
        for (const auto& [specieID, entry] : memo_[complex]->bySpecie) {
            if (entry.failedLevels > 0 || !(entry.value > 0.0)) continue;
            auto monomers = monomersBySpecie_.find(specieID);
            if (monomers == monomersBySpecie_.end()) continue;
            for (int monomer : monomers->second) {
                shares_[monomer].push_back(Share{complex, entry.value});
            }
        }
    }
}

// The pairs are evaluated monomer by monomer, so the first monomer meets every complex first:
// a complex that cannot be taken apart fails there unless that monomer fails earlier. After
// that only a monomer's own entries can fail.
int MonomerContents::evaluateAll(const char* step) {
    if (evaluated_) return 0;
    const std::vector<int> monomers = playersOfKind(context_, PLAYER_ALGEBRAIC_TOTAL);
    const std::vector<int> complexes = playersOfKind(context_, PLAYER_ALGEBRAIC_ZERO);
    monomersBySpecie_.clear();
    for (int monomer : monomers) {
        monomersBySpecie_[context_.players[monomer].specieID].push_back(monomer);
    }
    if (!monomers.empty()) {
        for (int complex : complexes) {
            if (of(monomers.front(), complex) < 0.0) {
                log_sys("## Error!! in %s.\n", step);
                return -1;
            }
        }
        const FailingPair failing = firstFailingPair(complexes);
        if (failing.monomer >= 0) {
            logErrorLines(failing.entry.failedLevels);
            log_sys("## Error!! in %s.\n", step);
            return -1;
        }
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

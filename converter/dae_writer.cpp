// writeOutputFile: the usage file (model, constants, variables and parameters) and the DAE file
// (the same, then the temporary expressions and the equations).
#include <cerrno>
#include <cstring>
#include <unordered_map>

#include "format.h"
#include "log.h"
#include "methods.h"
#include "output_info.h"
#include "term_text.h"

namespace {

// Writes whole texts and remembers the first failed write; nothing is written after it.
class OutputWriter {
  public:
    explicit OutputWriter(FILE* out) : out_(out) {}

    void put(const std::string& text) {
        if (error_ != 0) return;
        errno = 0;
        if (!zymorax::print(out_, "%s", text.c_str())) error_ = errno != 0 ? errno : EIO;
    }

    void finish() {
        if (error_ == 0 && std::fflush(out_) != 0) error_ = errno != 0 ? errno : EIO;
    }

    int error() const { return error_; }

  private:
    FILE* out_;
    int error_ = 0;
};

bool isRapidEquilibrium(const OutputInfo& info) {
    return info.geneProteinMethod == METHOD_TPP_RAPID;
}

void writeModel(OutputWriter& out, const OutputInfo& info) {
    out.put("== Model ==\n\n");
    out.put(zymorax::format("TITLE:%s\n", info.modelName.c_str()));
    out.put(zymorax::format("INFO:%s\n", info.modelInfo.c_str()));
    out.put("CONVERSION TYPE\n");
    out.put(zymorax::format("    GENE-PROTEIN:%s\n", methodName(info.geneProteinMethod)));
    out.put(zymorax::format("    METABOLIC:%s\n", methodName(info.metabolicMethod)));
    out.put("\n");
}

std::string constantLine(const Player& player, const char* prefix) {
    const char* name = player.name.c_str();
    const char* shortName = player.compartmentShortName.c_str();
    if (player.initialAmountValid == 1) {
        return zymorax::format("constantPlayer[%d] = %g; %s%s.%s\n", player.number,
                               player.initialAmount, prefix, name, shortName);
    }
    return zymorax::format("constantPlayer[%d] = ; %s%s.%s\n", player.number, prefix, name,
                           shortName);
}

// Constants by number 1, 2, 3 ..., players before totals; the first missing number ends them.
void writeConstants(OutputWriter& out, const OutputInfo& info) {
    std::unordered_map<int, std::pair<const Player*, const char*>> byNumber;
    for (const Player* player : info.constantPlayers)
        byNumber.emplace(player->number, std::make_pair(player, ""));
    for (const Player* twin : info.constantTotals)
        byNumber.emplace(twin->number, std::make_pair(twin, "T"));
    out.put("== Constant Players ==\n\n");
    for (int number = 1;; ++number) {
        auto found = byNumber.find(number);
        if (found == byNumber.end()) break;
        out.put(constantLine(*found->second.first, found->second.second));
    }
    out.put("\n");
}

void writeVariables(OutputWriter& out, const std::vector<const Player*>& players,
                    const char* letter, const char* prefix) {
    for (const Player* player : players) {
        const char* name = player->name.c_str();
        const char* shortName = player->compartmentShortName.c_str();
        if (player->initialAmountValid == 1) {
            out.put(zymorax::format("%s[%s%s.%s] = %g;\n", letter, prefix, name, shortName,
                                    player->initialAmount));
        } else {
            out.put(zymorax::format("%s[%s%s.%s] = ;\n", letter, prefix, name, shortName));
        }
    }
}

void writeVariableSection(OutputWriter& out, const OutputInfo& info) {
    out.put("== Variables ==\n\n");
    out.put("= Algebraic Equation =\n\n");
    writeVariables(out, info.algebraicTotalVars, "x", "");
    writeVariables(out, info.algebraicZeroVars, "x", "");
    out.put("\n");
    out.put("= Differencial Equation =\n\n");
    writeVariables(out, info.differentialVars, "y", "");
    writeVariables(out, info.fluxVars, "y", "");
    writeVariables(out, info.differentialTotals, "y", "T");
    out.put("\n");
}

// The parameter kinds in the order symcode numbers their arrays: under TPP_RAPID the ka list is
// the binding constant Kb and kd is not written at all.
void writeUsedParameters(OutputWriter& out, const OutputInfo& info) {
    out.put("== Used Parameters ==\n\n");
    const auto& counts = info.parameterCounts;
    if (!isRapidEquilibrium(info)) {
        if (counts[PARAM_KA] > 0) out.put(zymorax::format("%s;\n", parameterSymbol(PARAM_KA)));
        if (counts[PARAM_KD] > 0) out.put(zymorax::format("%s;\n", parameterSymbol(PARAM_KD)));
    } else if (counts[PARAM_KA] > 0) {
        out.put(zymorax::format("%s;\n", parameterSymbol(PARAM_KB)));
    }
    for (int kind = PARAM_KX; kind < PARAMETER_KIND_COUNT; ++kind) {
        if (counts[kind] > 0) out.put(zymorax::format("%s;\n", parameterSymbol(kind)));
    }
    out.put("\n");
}

void writeParameterBlock(OutputWriter& out, const OutputInfo& info, int listKind, int shownKind) {
    if (info.parameterCounts[listKind] <= 0) return;
    const char* symbol = parameterSymbol(shownKind);
    const char* description = parameterDescription(shownKind);
    out.put(zymorax::format("### %s: %s\n", symbol, description));
    for (const KineticParameter& parameter : info.parameterLists[listKind]) {
        out.put(zymorax::format("%s[%d] = ; %s%s\n", symbol, parameter.number, description,
                                parameter.label.c_str()));
    }
    out.put("\n");
}

void writeParameters(OutputWriter& out, const OutputInfo& info) {
    out.put("== Parameters ==\n\n");
    if (!isRapidEquilibrium(info)) {
        writeParameterBlock(out, info, PARAM_KA, PARAM_KA);
        writeParameterBlock(out, info, PARAM_KD, PARAM_KD);
    } else {
        writeParameterBlock(out, info, PARAM_KA, PARAM_KB);
    }
    for (int kind = PARAM_KX; kind < PARAMETER_KIND_COUNT; ++kind) {
        writeParameterBlock(out, info, kind, kind);
    }
    out.put("\n");
}

void writeTemporaryExpressions(OutputWriter& out, const OutputInfo& info) {
    out.put("== Temporary Expressions ==\n\n");
    if (!info.totalEnzymes.empty()) {
        out.put("= Total enzyme =\n");
        for (const TotalEnzymeEq* equation : info.totalEnzymes) {
            if (!equation->used) continue;
            out.put(zymorax::format("%s = %s;\n", equation->name.c_str(), equation->text.c_str()));
        }
        out.put("\n");
    }
    if (!info.fluxes.empty()) {
        out.put("= Flux =\n");
        for (const Flux* flux : info.fluxes) {
            out.put(zymorax::format("%s = %s;\n", flux->name.c_str(), flux->text.c_str()));
        }
        out.put("\n");
    }
}

// Head of the algebraic equation of a total: the total's constant when it is one, else its y.
std::string totalAlgebraicHead(int number, const PlayerEquation& equation,
                               const std::unordered_map<int, int>& constantTotalBySpecieID) {
    const Player& player = *equation.player;
    auto constant = constantTotalBySpecieID.find(player.specieID);
    if (constant != constantTotalBySpecieID.end()) {
        return zymorax::format("aeq_%d: constantPlayer[%d] =", number, constant->second);
    }
    return zymorax::format("aeq_%d: y[T%s.%s] =", number, player.name.c_str(),
                           player.compartmentShortName.c_str());
}

void writeAlgebraicEquations(OutputWriter& out, const OutputInfo& info) {
    std::unordered_map<int, int> constantTotalBySpecieID;
    for (const Player* twin : info.constantTotals)
        constantTotalBySpecieID.emplace(twin->specieID, twin->number);
    const bool rapid = isRapidEquilibrium(info);
    int number = 1;
    out.put("== Algebraic Eqs. ==\n\n");
    for (const PlayerEquation* equation : info.totalAlgebraicEqs) {
        if (!hasWrittenTerm(*equation)) continue;
        out.put(totalAlgebraicHead(number++, *equation, constantTotalBySpecieID) +
                equationTermsText(*equation, rapid) + ";\n");
    }
    for (const PlayerEquation* equation : info.zeroAlgebraicEqs) {
        if (!hasWrittenTerm(*equation)) continue;
        out.put(zymorax::format("aeq_%d: ", number++) + equationTermsText(*equation, rapid) +
                " = 0;\n");
    }
    out.put("\n");
}

void writeDifferentialEquations(OutputWriter& out,
                                const std::vector<const PlayerEquation*>& equations,
                                const char* prefix, bool rapid, int& number) {
    for (const PlayerEquation* equation : equations) {
        if (!hasWrittenTerm(*equation)) continue;
        const Player& player = *equation->player;
        out.put(zymorax::format("deq_%d: dydt[%s%s.%s] =", number++, prefix, player.name.c_str(),
                                player.compartmentShortName.c_str()) +
                equationTermsText(*equation, rapid) + ";\n");
    }
}

void writeEquations(OutputWriter& out, const OutputInfo& info) {
    writeAlgebraicEquations(out, info);
    out.put("== Differencial Eqs. ==\n\n");
    int number = 1;
    writeDifferentialEquations(out, info.differentialEqs, "", isRapidEquilibrium(info), number);
    writeDifferentialEquations(out, info.totalDifferentialEqs, "T", isRapidEquilibrium(info),
                               number);
}

}  // namespace

int writeOutputFile(const OutputInfo& info, FILE* out, int mode) {
    const char* file = mode == OUTPUT_USAGE ? "usage" : "DAE";
    if (mode != OUTPUT_USAGE && mode != OUTPUT_DAE) {
        log_sys("writeOutputFile: invalid output mode %d.\n", mode);
        return -1;
    }
    if (out == nullptr) {
        log_sys("writeOutputFile: the %s file is not open.\n", file);
        return -1;
    }
    OutputWriter writer(out);
    writeModel(writer, info);
    writeConstants(writer, info);
    writeVariableSection(writer, info);
    writeUsedParameters(writer, info);
    writeParameters(writer, info);
    if (mode == OUTPUT_DAE) {
        writeTemporaryExpressions(writer, info);
        writeEquations(writer, info);
    }
    writer.finish();
    if (writer.error() != 0) {
        log_sys("writeOutputFile: write error on the %s file (%s).\n", file,
                std::strerror(writer.error()));
        return -1;
    }
    return 0;
}

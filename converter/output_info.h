// The run context of convert mode: what MakeOutputInfo gathers from a conversion and what the
// writer prints into the usage file and the DAE file.
#pragma once

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "equation_set.h"
#include "model.h"

struct OutputInfo {
    std::string modelName;
    std::string modelInfo;
    int geneProteinMethod = 0;  // set from -g
    int metabolicMethod = 0;    // set from -m

    // Players by kind, each in species order.
    std::vector<const Player*> constantPlayers;
    std::vector<const Player*> constantTotals;
    std::vector<const Player*> algebraicTotalVars;
    std::vector<const Player*> algebraicZeroVars;
    std::vector<const Player*> differentialVars;
    std::vector<const Player*> fluxVars;
    std::vector<const Player*> differentialTotals;

    std::array<int, PARAMETER_KIND_COUNT> parameterCounts{};
    // Per kind in registration order (parameter n is entry n - 1).
    std::array<std::vector<KineticParameter>, PARAMETER_KIND_COUNT> parameterLists;

    std::vector<const TotalEnzymeEq*> totalEnzymes;
    std::vector<const Flux*> fluxes;

    // Equations, each list in species order.
    std::vector<const PlayerEquation*> totalAlgebraicEqs;
    std::vector<const PlayerEquation*> zeroAlgebraicEqs;
    std::vector<const PlayerEquation*> differentialEqs;
    std::vector<const PlayerEquation*> totalDifferentialEqs;

    // Owns every record the lists above point at.
    std::shared_ptr<const ConversionContext> equationSet;
};

// Converts the model by the two methods set in `info` and gathers the result into `info`.
// 0, or -1 after logging the failing stage (the caller adds "MakeOutputInfo failed.\n").
int MakeOutputInfo(Model& model, OutputInfo& info);

enum OutputFileMode { OUTPUT_USAGE = 1, OUTPUT_DAE = 2 };

// Writes the usage file (mode 1) or the DAE file (mode 2) of a gathered `info` to `out` and
// flushes it. 0, or -1 after logging a line that names the failed write.
int writeOutputFile(const OutputInfo& info, FILE* out, int mode);

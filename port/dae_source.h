// A DAE file as the export sees it: read with symcode's reader, every expression parsed into a
// tree of its own (temporary expressions stay names, where symcode substitutes them), every name
// resolved and marked used, and the variables numbered as symcode numbers them.
#pragma once

#include <string>
#include <vector>

#include "dae_model.h"

namespace kineport {

// The Model section.
struct DaeHeader {
    std::string title;        // "TITLE:..."
    std::string info;         // "INFO:..."
    std::string geneProtein;  // "GENE-PROTEIN:...", the method of the Gene-Protein layer
    std::string metabolic;    // "METABOLIC:..."
    int eventCount = 0;       // "EVENTS:<n>" of kinelaw's files: the events file holds n events
};

struct DaeSource {
    std::string path;  // as given
    DaeModel model;
    DaeHeader header;
    std::vector<ExprNode*> temporaryTrees;  // by row of model.temporaries
    std::vector<ExprNode*> equationTrees;   // by row of model.equations
};

// Reads the file at `path`; symcode's work files go to a private folder that is removed again.
// 0, or -1 after logging (symcode's reader lines, then one line naming the file).
int read_dae_source(const std::string& path, DaeSource& source);

// Where row `row` of the equations stands, for messages: "the differential equation of A.cyt",
// "algebraic equation 2".
std::string equation_place(const DaeModel& model, int row);

}  // namespace kineport

// What the generated C code reads and writes, found by scanning its text: which label each
// p->val[i] binds, which elements of each label it reads, and the y, fvec and fjac indices.
// kinesim checks these against the parameter file before the code is compiled, so that a
// parameter file of another model is refused instead of read out of bounds.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kinesim {

// A power pow(y[variable], exponent) whose exponent is not a whole number written out: a power
// law, undefined for a negative base.
struct PowerTerm {
    int variable = 0;      // from 1
    int row = 0;           // the fvec row it stands in, 0 when outside usr_fvec
    std::string exponent;  // as written
    std::string label;     // the exponent when it is label[element], else ""
    int element = 0;
};

struct CodeFacts {
    std::map<int, std::string> bindings;            // i -> label of "double *label = p->val[i];"
    std::map<std::string, std::set<int>> elements;  // label -> element indices read
    std::set<int> fvecRows;                         // k of every fvec[k]
    int largestVariable = 0;                        // largest n of y[n] and of fjac[.][n]
    int largestJacobianRow = 0;                     // largest i of fjac[i][.]
    std::set<std::pair<int, int>> jacobianEntries;  // (i, n) of every fjac[i][n]
    std::vector<PowerTerm> powerTerms;              // in usr_fvec first, in the order written
    int eventCount = 0;        // "EVENTS:<n>" of the header comment: events kinelaw -E wrote
    int initialCount = 0;      // "INITIAL:<n>": initial values kinelaw -I wrote as formulas
    bool ownKinetics = false;  // the header comment says KINETICS:SBML: a model's own math
};

// Scans C source text (comments skipped). 0, or -1 after logging when a label is bound to two
// slots or a slot to two labels.
int scan_generated_code(const std::string& text, CodeFacts& facts);

}  // namespace kinesim

// Benchmark (not a test): converts generated networks of 1,000, 10,000 and 100,000 species with
// CMA (both layers), with TPP_RAPID (the CMA network with its binding partners mass-balanced)
// and with GMA (Metabolic layer, enzymes bound in the Gene-Protein layer and acting through
// their totals), writing the DAE file to /dev/null.
//
//   build/bin/convert_bench [species ...]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "methods.h"
#include "output_info.h"
#include "vocabulary.h"

namespace {

class NetworkBuilder {
  public:
    NetworkBuilder() {
        Compartment cytosol;
        cytosol.compartmentID = 1;
        cytosol.name = "cytosol";
        cytosol.shortName = "cyt";
        model.listOfCompartments.compartment.push_back(cytosol);
        model.listOfReactions.resize(2);
        model.listOfReactions[0].layer = LAYER_GENE_PROTEIN_1;
        model.listOfReactions[1].layer = LAYER_METABOLIC;
    }

    int species(const std::string& name, int specieClass, bool decays,
                std::vector<std::pair<int, double>> elements = {}) {
        Specie specie;
        specie.specieID = static_cast<int>(model.listOfSpecies.specie.size()) + 1;
        specie.name = name;
        specie.compartment = 1;
        specie.specieClass = specieClass;
        specie.massBalance = SWITCH_OFF;
        specie.totalAmount = 2;
        specie.decomposition = decays ? SWITCH_ON : SWITCH_OFF;
        specie.initialAmount_isValid = 1;
        specie.initialAmount = 1.0;
        if (!elements.empty()) specie.listOfElements.push_back(refs(elements));
        model.listOfSpecies.specie.push_back(specie);
        return specie.specieID;
    }

    SpecieRefList refs(const std::vector<std::pair<int, double>>& entries, int isTotal = 0) {
        SpecieRefList list;
        for (const auto& [id, stoichiometry] : entries) {
            SpecieRef ref;
            ref.specieID = id;
            ref.stoichiometry = stoichiometry;
            ref.isTotal = isTotal;
            list.ref.push_back(ref);
        }
        return list;
    }

    void reaction(int layerIndex, int type, const std::vector<std::pair<int, double>>& reactants,
                  const std::vector<std::pair<int, double>>& products,
                  const std::vector<std::pair<int, double>>& modifiers = {}, int complex = 0,
                  int isTotal = 0) {
        Reaction r;
        r.reactionID = ++reactionCount;
        r.reactionType = type;
        r.listOfReactants.push_back(refs(reactants));
        if (!products.empty()) r.listOfProducts.push_back(refs(products));
        if (!modifiers.empty()) r.listOfModifiers.push_back(refs(modifiers, isTotal));
        if (complex != 0) r.modifierComplex.push_back(refs({{complex, 1.0}}));
        model.listOfReactions[layerIndex].reaction.push_back(std::move(r));
    }

    Model model;
    int reactionCount = 0;
};

// Units of five species: A + B <=> AB, B -> P catalysed by A through AB, m -> A (translation),
// P -> next unit's B; A, AB and m decay.
Model cmaNetwork(int speciesCount) {
    NetworkBuilder b;
    int previousProduct = 0;
    for (int k = 0; k < speciesCount / 5; ++k) {
        std::string n = std::to_string(k);
        int a = b.species("A" + n, CLASS_PROTEIN, true);
        int bb = b.species("B" + n, CLASS_PROTEIN, false);
        int ab = b.species("AB" + n, CLASS_COMPLEX, true, {{a, 1.0}, {bb, 1.0}});
        int p = b.species("P" + n, CLASS_PROTEIN, false);
        int m = b.species("m" + n, CLASS_RNA, true);
        b.reaction(0, REACTION_BINDING, {{a, 1.0}, {bb, 1.0}}, {{ab, 1.0}});
        b.reaction(0, REACTION_IRREVERSIBLE_CONVERSION, {{bb, 1.0}}, {{p, 1.0}}, {{a, 1.0}}, ab);
        b.reaction(0, REACTION_TRANSLATION, {{m, 1.0}}, {{a, 1.0}});
        if (previousProduct != 0)
            b.reaction(0, REACTION_IRREVERSIBLE_CONVERSION, {{previousProduct, 1.0}}, {{bb, 1.0}});
        previousProduct = p;
    }
    return b.model;
}

// The CMA network with A and B mass-balanced: under a TPP method every A and B gets a total.
Model tppNetwork(int speciesCount) {
    Model model = cmaNetwork(speciesCount);
    for (Specie& species : model.listOfSpecies.specie) {
        if (species.name[0] == 'A' && species.name[1] != 'B') species.massBalance = SWITCH_ON;
        if (species.name[0] == 'B') species.massBalance = SWITCH_ON;
    }
    return model;
}

// Units of five species: E + I <=> EI (Gene-Protein layer); X -> Y catalysed by the total of E,
// Y -> next unit's X (Metabolic layer); X decays.
Model gmaNetwork(int speciesCount) {
    NetworkBuilder b;
    int previousY = 0;
    for (int k = 0; k < speciesCount / 5; ++k) {
        std::string n = std::to_string(k);
        int e = b.species("E" + n, CLASS_PROTEIN, false);
        int i = b.species("I" + n, CLASS_PROTEIN, false);
        int ei = b.species("EI" + n, CLASS_COMPLEX, false, {{e, 1.0}, {i, 1.0}});
        int x = b.species("X" + n, CLASS_METABOLITE, true);
        int y = b.species("Y" + n, CLASS_METABOLITE, false);
        b.reaction(0, REACTION_BINDING, {{e, 1.0}, {i, 1.0}}, {{ei, 1.0}});
        b.reaction(1, REACTION_IRREVERSIBLE_CONVERSION, {{x, 1.0}}, {{y, 1.0}}, {{e, 1.0}}, 0, 1);
        if (previousY != 0)
            b.reaction(1, REACTION_IRREVERSIBLE_CONVERSION, {{previousY, 1.0}}, {{x, 1.0}});
        previousY = y;
    }
    return b.model;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool run(const char* label, Model model, int geneProtein, int metabolic) {
    OutputInfo info;
    info.geneProteinMethod = geneProtein;
    info.metabolicMethod = metabolic;
    auto start = std::chrono::steady_clock::now();
    if (MakeOutputInfo(model, info) != 0) return false;
    double convertSeconds = secondsSince(start);
    FILE* sink = std::fopen("/dev/null", "w");
    if (sink == nullptr) return false;
    start = std::chrono::steady_clock::now();
    int written = writeOutputFile(info, sink, OUTPUT_DAE);
    double writeSeconds = secondsSince(start);
    std::fclose(sink);
    if (written != 0) return false;
    std::printf("%-4s %8d species %8zu equations  convert %8.3f s  write %8.3f s\n", label,
                model.listOfSpecies.numberOfSpecies(),
                info.differentialEqs.size() + info.totalAlgebraicEqs.size() +
                    info.zeroAlgebraicEqs.size() + info.totalDifferentialEqs.size(),
                convertSeconds, writeSeconds);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {1000, 10000, 100000};
    for (int size : sizes) {
        if (!run("CMA", cmaNetwork(size), METHOD_CMA, METHOD_CMA)) return 1;
        if (!run("TPP", tppNetwork(size), METHOD_TPP_RAPID, METHOD_NONE)) return 1;
        if (!run("GMA", gmaNetwork(size), METHOD_CMA, METHOD_GMA)) return 1;
    }
    return 0;
}

// Whole conversions compared byte for byte with expected DAE files. The files under testdata/
// were written by hand from the file templates (binding, enzyme with decay, pathway, the TPP
// networks and regulated transcription) or checked line by line against them (the method
// combinations of the mixed network).
#include <gtest/gtest.h>

#include <cstdlib>

#include "test_model_builder.h"

namespace zymorax::testkit {
namespace {

const std::string kTestdata = source_dir() + "/converter/testdata/";

Model bindingModel() {
    TestModel t("binding", "A and B bind reversibly");
    t.compartment(1, "cytosol");
    t.species("A", CLASS_PROTEIN, 1);
    t.species("B", CLASS_PROTEIN, 2);
    t.complex("A:B", {{"A", 1}, {"B", 1}}).initialAmount_isValid = 2;
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A", 1}, {"B", 1}}, {{"A:B", 1}});
    return t.model;
}

Model enzymeDecayModel() {
    TestModel t("enzyme with decay",
                "E converts S to P through ES; P and ES decay; P is translated from m");
    t.compartment(1, "cytosol");
    t.species("S", CLASS_PROTEIN, 10);
    t.species("P", CLASS_PROTEIN, 0).decomposition = SWITCH_ON;
    t.species("E", CLASS_PROTEIN, 0.00001);
    Specie& complex = t.complex("ES", {{"S", 1}, {"E", 1}});
    complex.decomposition = SWITCH_ON;
    complex.initialAmount_isValid = 2;
    t.species("m", CLASS_RNA, 0.5);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 1}}, {{"P", 1}},
               {{"E", 1}}, "ES");
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSLATION, {{"m", 1}}, {{"P", 1}});
    return t.model;
}

Model pathwayModel() {
    TestModel t("pathway", "Glc -> G6P by total HK, 2 G6P -> F6P by PGI; HK binds I");
    t.compartment(1, "cytosol");
    t.species("Glc", CLASS_METABOLITE, 5);
    t.species("G6P", CLASS_METABOLITE, 0);
    t.species("F6P", CLASS_METABOLITE, 0);
    t.species("HK", CLASS_PROTEIN, 0.1);
    t.species("I", CLASS_PROTEIN, 1);
    t.complex("HK:I", {{"HK", 1}, {"I", 1}}).initialAmount_isValid = 2;
    t.species("PGI", CLASS_PROTEIN, 0.2);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"HK", 1}, {"I", 1}}, {{"HK:I", 1}});
    setTotalModifiers(t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"Glc", 1}},
                                 {{"G6P", 1}}, {{"HK", 1}}));
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"G6P", 2}}, {{"F6P", 1}},
               {{"PGI", 1}});
    return t.model;
}

void expectFiles(Model model, int geneProtein, int metabolic, const std::string& file) {
    SCOPED_TRACE(file);
    Conversion conversion = convert(model, geneProtein, metabolic);
    ASSERT_EQ(conversion.result, 0);
    std::string dae = read_file(kTestdata + file);
    ASSERT_FALSE(dae.empty());
    EXPECT_EQ(conversion.dae, dae);
    // The usage file is the DAE file cut before the temporary expressions.
    EXPECT_EQ(conversion.usage, dae.substr(0, dae.find("== Temporary Expressions ==\n")));
}

// A + B <=> A:B with A mass-balanced: the binding cancels in A's total, which is left a
// constant without a value, as the complex has none.
Model tppBindingModel() {
    TestModel t("binding", "A and B bind reversibly; A is mass-balanced");
    t.compartment(1, "cytosol");
    t.species("A", CLASS_PROTEIN, 1).massBalance = SWITCH_ON;
    t.species("B", CLASS_PROTEIN, 2);
    t.complex("A:B", {{"A", 1}, {"B", 1}}).initialAmount_isValid = 2;
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A", 1}, {"B", 1}}, {{"A:B", 1}});
    return t.model;
}

// A dimer of two A units counts twice in A's total and its initial amount; its decay releases
// both units, so A's total changes only by translation.
Model dimerModel() {
    TestModel t("dimer", "two A units form A2, which decays; A is translated from m");
    t.compartment(1, "cytosol");
    t.species("A", CLASS_PROTEIN, 1).massBalance = SWITCH_ON;
    t.complex("A2", {{"A", 2}}, 0.5).decomposition = SWITCH_ON;
    t.species("m", CLASS_RNA, 3);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_HOMO_ASSOCIATION_OR_MODIFICATION, {{"A", 2}},
               {{"A2", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSLATION, {{"m", 1}}, {{"A", 1}});
    return t.model;
}

// Eliminating the pair of A:B:C leaves A:B with its own pair, eliminated on the next pass.
Model chainModel() {
    TestModel t("chain", "A binds B, A:B binds C; A is mass-balanced");
    t.compartment(1, "cytosol");
    t.species("A", CLASS_PROTEIN, 1).massBalance = SWITCH_ON;
    t.species("B", CLASS_PROTEIN, 2);
    t.species("C", CLASS_PROTEIN, 3);
    t.complex("A:B", {{"A", 1}, {"B", 1}}, 0.25);
    t.complex("A:B:C", {{"A:B", 1}, {"C", 1}}, 0.125);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A", 1}, {"B", 1}}, {{"A:B", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A:B", 1}, {"C", 1}}, {{"A:B:C", 1}});
    return t.model;
}

// g is transcribed to r at km times the occupied fraction of the promoter (TF:P over the total
// of P) times the free fraction of the enhancer (one minus Rep:E over the total of E).
Model regulatedModel() {
    TestModel t(
        "regulated",
        "TF on the promoter activates transcription of g, Rep on the enhancer represses it");
    t.compartment(1, "nucleus");
    t.species("g", CLASS_DNA_GENE, 1);
    t.species("r", CLASS_RNA, 0).decomposition = SWITCH_ON;
    t.species("P", CLASS_DNA_PROMOTER, 1).massBalance = SWITCH_ON;
    t.species("TF", CLASS_PROTEIN, 2);
    t.complex("TF:P", {{"TF", 1}, {"P", 1}});
    t.species("E", CLASS_DNA_ENHANCER, 1).massBalance = SWITCH_ON;
    t.species("Rep", CLASS_PROTEIN, 0.5);
    t.complex("Rep:E", {{"Rep", 1}, {"E", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"TF", 1}, {"P", 1}}, {{"TF:P", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"Rep", 1}, {"E", 1}}, {{"Rep:E", 1}});
    Reaction& transcription = t.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSCRIPTION, {{"g", 1}},
                                         {{"r", 1}}, {{"TF:P", 1}, {"Rep:E", 1}});
    transcription.listOfModifiers[0].ref[0].modifierType = MODIFIER_OCCUPIED;
    transcription.listOfModifiers[0].ref[1].modifierType = MODIFIER_FREE;
    return t.model;
}

std::string methodFile(const std::string& stem, int method) {
    return stem + "_" + methodName(method) + ".dae";
}

// Binding, enzyme with decay and the pathway under the methods of their file names; the TPP
// networks under each TPP method, regulated transcription under every CMA-family method.
TEST(HandWrittenGoldenFiles, WholeConversionsMatchByteForByte) {
    expectFiles(bindingModel(), METHOD_CMA, METHOD_NONE, "binding_cma.dae");
    expectFiles(enzymeDecayModel(), METHOD_CMA, METHOD_NONE, "enzyme_decay_cma.dae");
    expectFiles(pathwayModel(), METHOD_CMA, METHOD_GMA, "pathway_cma_gma.dae");
    expectFiles(pathwayModel(), METHOD_CMA, METHOD_MM, "pathway_cma_mm.dae");
    for (int method : {METHOD_TPP_STEADYSTATE_1, METHOD_TPP_STEADYSTATE_2, METHOD_TPP_RAPID}) {
        expectFiles(tppBindingModel(), method, METHOD_NONE, methodFile("tpp_binding", method));
        expectFiles(dimerModel(), method, METHOD_NONE, methodFile("tpp_dimer", method));
        expectFiles(chainModel(), method, METHOD_NONE, methodFile("tpp_chain", method));
    }
    for (int method :
         {METHOD_CMA, METHOD_TPP_STEADYSTATE_1, METHOD_TPP_STEADYSTATE_2, METHOD_TPP_RAPID}) {
        expectFiles(regulatedModel(), method, METHOD_NONE, methodFile("regulated", method));
    }
}

// Both layers: transcription, translation, a binding and an enzymatic step with decay in the
// Gene-Protein layer; in the Metabolic layer a pathway whose first enzyme acts through its total
// amount, with a constant cofactor, a reversible step, a dimerising step and a degradation.
// The enzyme-substrate complexes are there for the CMA conversion of the Metabolic layer.
Model mixedModel() {
    TestModel t("mixed", "gene expression feeding a small pathway");
    t.compartment(1, "cytosol").compartment(2, "nucleus");
    t.species("g", CLASS_DNA_GENE, 1, 2);
    t.species("m", CLASS_RNA, 0, 2).decomposition = SWITCH_ON;
    t.species("P", CLASS_PROTEIN, 0).decomposition = SWITCH_ON;
    t.species("Inh", CLASS_PROTEIN, 2.5);
    t.complex("P:Inh", {{"P", 1}, {"Inh", 1}}).decomposition = SWITCH_ON;
    t.species("X", CLASS_PROTEIN, 1);
    t.species("Xp", CLASS_PROTEIN, 0);
    t.complex("P:X", {{"P", 1}, {"X", 1}}).initialAmount_isValid = 2;
    t.species("Glc", CLASS_METABOLITE, 5);
    Specie& atp = t.species("ATP", CLASS_METABOLITE, 3);
    atp.totalAmount = 1;
    t.species("G6P", CLASS_METABOLITE, 0);
    t.species("F6P", CLASS_METABOLITE, 0);
    t.species("FBP", CLASS_METABOLITE, 0).decomposition = SWITCH_ON;
    t.species("PFK", CLASS_PROTEIN, 0.04);
    t.complex("P:Glc:ATP", {{"P", 1}, {"Glc", 1}, {"ATP", 1}}).initialAmount_isValid = 2;
    t.complex("PFK:F6P2", {{"PFK", 1}, {"F6P", 2}}).initialAmount_isValid = 2;
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSCRIPTION, {{"g", 1}}, {{"m", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSLATION, {{"m", 1}}, {{"P", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"P", 1}, {"Inh", 1}}, {{"P:Inh", 1}});
    t.reaction(LAYER_GENE_PROTEIN_2, REACTION_IRREVERSIBLE_CONVERSION, {{"X", 1}}, {{"Xp", 1}},
               {{"P", 1}}, "P:X");
    setTotalModifiers(t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION,
                                 {{"Glc", 1}, {"ATP", 1}}, {{"G6P", 1}}, {{"P", 1}}, "P:Glc:ATP"));
    t.reaction(LAYER_METABOLIC, REACTION_REVERSIBLE_CONVERSION, {{"G6P", 1}}, {{"F6P", 1}});
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"F6P", 2}}, {{"FBP", 1}},
               {{"PFK", 1}}, "PFK:F6P2");
    t.reaction(LAYER_METABOLIC, REACTION_DEGRADATION, {{"FBP", 1}}, {});
    return t.model;
}

// Every method combination the command line accepts, TPP methods aside.
TEST(MethodCombinationGoldenFiles, MixedNetwork) {
    const std::pair<int, int> combinations[] = {
        {METHOD_CMA, METHOD_NONE}, {METHOD_CMA, METHOD_CMA},  {METHOD_CMA, METHOD_GMA},
        {METHOD_CMA, METHOD_MM},   {METHOD_NONE, METHOD_CMA}, {METHOD_NONE, METHOD_GMA},
        {METHOD_NONE, METHOD_MM},
    };
    for (const auto& [geneProtein, metabolic] : combinations) {
        std::string file =
            std::string("mixed_") + methodName(geneProtein) + "_" + methodName(metabolic) + ".dae";
        if (std::getenv("ZYMORAX_WRITE_GOLDEN") != nullptr) {
            Model model = mixedModel();
            Conversion conversion = convert(model, geneProtein, metabolic);
            ASSERT_EQ(conversion.result, 0) << file;
            write_file(kTestdata + file, conversion.dae);
            continue;
        }
        expectFiles(mixedModel(), geneProtein, metabolic, file);
    }
}

}  // namespace
}  // namespace zymorax::testkit

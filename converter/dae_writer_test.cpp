// The usage and DAE files written from hand-built equation sets: templates, term text, section
// rules, the TPP_RAPID printing rules, references that cannot be written, and failed writes.
#include <gtest/gtest.h>

#include <cstdio>

#include "output_gathering.h"
#include "test_model_builder.h"

namespace zymorax::testkit {
namespace {

TestModel proteins(const std::vector<std::string>& names) {
    TestModel t = cytosol();
    for (const std::string& name : names) t.species(name, CLASS_PROTEIN, 1);
    return t;
}

// An equation set over proteins of initial amount 1, filled by hand and gathered like a
// conversion's.
struct WriterSet : HandBuilt {
    explicit WriterSet(const std::vector<std::string>& names)
        : HandBuilt(proteins(names), METHOD_CMA) {}

    void parameter(int kind, const std::string& label) { newParameter(*context, kind, label); }
    void constant(Player& player, int number) {
        player.kind = PLAYER_CONSTANT;
        player.number = number;
    }

    OutputInfo gather(int geneProtein = METHOD_CMA) {
        OutputInfo info;
        info.modelName = "hand";
        info.geneProteinMethod = geneProtein;
        EXPECT_EQ(checkEquationReferences(*context), 0);
        gatherOutputInfo(std::move(context), info);
        return info;
    }
    std::string write(int mode, int geneProtein = METHOD_CMA) {
        return writeToString(gather(geneProtein), mode);
    }
};

TEST(TermText, SignsCoefficientsParametersAndExponents) {
    WriterSet set({"A", "B", "C", "D"});
    set.kinds(PLAYER_DIFFERENTIAL, {"A", "C", "D"});
    set.player("B").kind = PLAYER_ALGEBRAIC_ZERO;
    set.add("A", 2, PARAM_KX, 1, {{"A", 1}});
    set.add("A", 2, PARAM_KX, 2, {{"B", 0.5}});
    set.add("A", -0.5, PARAM_KX, 3, {{"A", 1}});
    set.add("A", 0, PARAM_KX, 4, {{"A", 1}});
    set.add("A", 1, PARAM_KTR, 5, {{"A", 1}, {"B", 2}});
    set.add("A", -1, PARAM_NONE, 0, {{"A", 1}});
    set.add("A", 3, PARAM_NONE, 0, {{"B", 1}});
    set.add("A", -1e-5, PARAM_KMICH, 6);
    set.add("C", -1, PARAM_KX, 1, {{"A", 1}});  // a first term of one or minus one
    set.add("C", 1, PARAM_KX, 2, {{"A", 1}});
    set.add("D", 1, PARAM_KX, 1, {{"A", 1}});
    EXPECT_EQ(
        linesStartingWith(set.write(OUTPUT_DAE), "deq_"),
        (std::vector<std::string>{
            "deq_1: dydt[A.cyt] = 2*kx[1]*y[A.cyt] + 2*kx[2]*x[B.cyt]^0.5 - 0.5*kx[3]*y[A.cyt]"
            " + ktr[5]*y[A.cyt]*x[B.cyt]^2 - y[A.cyt] + 3*x[B.cyt] - 1e-005*Kmich[6];",
            "deq_2: dydt[C.cyt] = - kx[1]*y[A.cyt] + kx[2]*y[A.cyt];",
            "deq_3: dydt[D.cyt] = kx[1]*y[A.cyt];"}));
}

TEST(TermText, RegulatedTranscriptionWritesFractionsThenTheGene) {
    WriterSet set({"gene", "mRNA", "TF", "P1", "Rep", "P2", "Extra"});
    set.kinds(PLAYER_DIFFERENTIAL, {"gene", "mRNA", "TF", "Rep", "Extra"});
    set.constant(set.total("P1"), 1);
    set.constant(set.total("P2"), 2);
    Term& term = set.add("mRNA", 1, PARAM_KM, 1);
    term.ratioNumerators = {{&set.player("TF"), 1.0, MODIFIER_OCCUPIED},
                            {&set.player("Extra"), 1.0, 2}};
    term.ratioDenominators = {{&set.total("P1"), 1.0, MODIFIER_OCCUPIED}};  // shorter list ends
    term.complementNumerators = {{&set.player("Rep"), 1.0, MODIFIER_FREE}};
    term.complementDenominators = {{&set.total("P2"), 1.0, MODIFIER_FREE}};
    term.tailPlayer = PlayerLink{&set.player("gene"), 1.0, 0};
    EXPECT_EQ(linesStartingWith(set.write(OUTPUT_DAE), "deq_"),
              std::vector<std::string>{"deq_1: dydt[mRNA.cyt] = km[1]*(y[TF.cyt]/constantPlayer[1])"
                                       "*(1 - y[Rep.cyt]/constantPlayer[2])*y[gene.cyt];"});
}

// Equations without non-zero terms are skipped and take no number; every variable is still
// declared.
TEST(DaeSections, EquationsWithoutNonZeroTermsAreSkipped) {
    WriterSet set({"A", "B", "C", "D"});
    set.kinds(PLAYER_DIFFERENTIAL, {"A", "B", "C", "D"});
    set.add("A", 1, PARAM_KX, 1, {{"A", 1}});
    set.add("B", 0, PARAM_KX, 1, {{"A", 1}});
    set.add("C", 1, PARAM_KX, 1, {{"A", 1}});
    std::string dae = set.write(OUTPUT_DAE);
    EXPECT_EQ(section(dae, "== Differencial Eqs. ==", ""),
              "== Differencial Eqs. ==\n\n"
              "deq_1: dydt[A.cyt] = kx[1]*y[A.cyt];\n"
              "deq_2: dydt[C.cyt] = kx[1]*y[A.cyt];\n");
    EXPECT_NE(dae.find("y[B.cyt] = 1;\ny[C.cyt] = 1;\ny[D.cyt] = 1;\n"), std::string::npos);
}

TEST(DaeSections, ConstantsStopAtTheFirstMissingNumber) {
    WriterSet set({"A", "B", "C", "D"});
    set.constant(set.player("A"), 4);
    set.constant(set.player("B"), 1);
    set.player("B").initialAmount = 1e6;
    set.constant(set.total("C"), 2);
    set.total("C").initialAmountValid = 2;
    set.constant(set.player("D"), 5);
    set.player("D").initialAmountValid = 0;
    EXPECT_EQ(section(set.write(OUTPUT_USAGE), "== Constant Players ==", "== Variables =="),
              "== Constant Players ==\n\n"
              "constantPlayer[1] = 1e+006; B.cyt\n"
              "constantPlayer[2] = ; TC.cyt\n\n");
}

TEST(DaeSections, VariablesByListWithTotalsPrefixed) {
    WriterSet set({"Z", "M", "V", "F"});
    set.player("Z").kind = PLAYER_ALGEBRAIC_ZERO;
    set.player("Z").initialAmountValid = 2;
    set.player("M").kind = PLAYER_ALGEBRAIC_TOTAL;
    set.player("M").initialAmount = 0.000123456789;
    set.total("M").kind = PLAYER_DIFFERENTIAL;
    set.total("M").initialAmountValid = 1;
    set.total("M").initialAmount = 3;
    set.player("V").kind = PLAYER_DIFFERENTIAL;
    set.player("F").kind = PLAYER_DIFFERENTIAL_FLUX;
    set.player("F").initialAmount = 123456789;
    EXPECT_EQ(section(set.write(OUTPUT_USAGE), "== Variables ==", "== Used Parameters =="),
              "== Variables ==\n\n"
              "= Algebraic Equation =\n\n"
              "x[M.cyt] = 0.000123457;\n"
              "x[Z.cyt] = ;\n\n"
              "= Differencial Equation =\n\n"
              "y[V.cyt] = 1;\n"
              "y[F.cyt] = 1.23457e+008;\n"
              "y[TM.cyt] = 3;\n\n");
}

// Under TPP_RAPID ka is written as Kb with its exponent, kd is dropped; other methods write ka
// and ignore the exponent.
TEST(DaeSections, RapidEquilibriumWritesKaAsKbAndDropsKd) {
    WriterSet set({"A", "B", "AB", "A2"});
    set.kinds(PLAYER_DIFFERENTIAL, {"A", "B"});
    set.kinds(PLAYER_ALGEBRAIC_ZERO, {"AB", "A2"});
    set.parameter(PARAM_KA, "_A.cyt_B.cyt");
    set.parameter(PARAM_KA, "_A.cyt");
    set.parameter(PARAM_KD, "_A.cyt_B.cyt");
    set.parameter(PARAM_KD, "_A.cyt");
    set.parameter(PARAM_KPD, "_A.cyt");
    set.add("AB", 1, PARAM_KA, 1, {{"A", 1}, {"B", 1}});
    set.add("AB", -1, PARAM_KD, 1, {{"AB", 1}});
    set.add("A2", 1, PARAM_KA, 2, {{"A", 2}}).parameterExponent = 2;
    set.add("A2", -1, PARAM_KD, 2, {{"A2", 1}});
    set.add("A", -1, PARAM_KA, 1, {{"A", 1}, {"B", 1}}).parameterExponent = 3;
    set.add("A", -1, PARAM_KPD, 1, {{"A", 1}});
    set.add("B", 1, PARAM_KD, 1, {{"AB", 1}});
    std::string dae = set.write(OUTPUT_DAE, METHOD_TPP_RAPID);
    EXPECT_EQ(section(dae, "== Used Parameters ==", "== Temporary Expressions =="),
              "== Used Parameters ==\n\n"
              "Kb;\nkpd;\n\n"
              "== Parameters ==\n\n"
              "### Kb: binding_constant\n"
              "Kb[1] = ; binding_constant_A.cyt_B.cyt\n"
              "Kb[2] = ; binding_constant_A.cyt\n\n"
              "### kpd: decomposition_rate_constant\n"
              "kpd[1] = ; decomposition_rate_constant_A.cyt\n\n\n");
    EXPECT_EQ(linesStartingWith(dae, "aeq_"),
              (std::vector<std::string>{"aeq_1:  Kb[1]*y[A.cyt]*y[B.cyt] - x[AB.cyt] = 0;",
                                        "aeq_2:  Kb[2]^2*y[A.cyt]^2 - x[A2.cyt] = 0;"}));
    EXPECT_EQ(linesStartingWith(dae, "deq_"),
              (std::vector<std::string>{
                  "deq_1: dydt[A.cyt] = - Kb[1]^3*y[A.cyt]*y[B.cyt] - kpd[1]*y[A.cyt];",
                  "deq_2: dydt[B.cyt] = x[AB.cyt];"}));
    WriterSet steady({"A", "A2"});
    steady.kinds(PLAYER_DIFFERENTIAL, {"A", "A2"});
    steady.add("A2", 1, PARAM_KA, 1, {{"A", 2}}).parameterExponent = 2;
    EXPECT_EQ(linesStartingWith(steady.write(OUTPUT_DAE, METHOD_TPP_STEADYSTATE_2), "deq_"),
              std::vector<std::string>{"deq_1: dydt[A2.cyt] = ka[1]*y[A.cyt]^2;"});
}

std::string unwritten(const std::string& what, const std::string& player) {
    return "checkEquationReferences: " + what + " refers to '" + player +
           "', which is not a variable of the model.\n";
}

// Terms, fractions and fluxes that refer to a player of no written kind are refused; a term of
// coefficient zero and an unused total are never written, so they may.
TEST(WrittenReferences, UnwritablePlayersAreRefused) {
    WriterSet term({"A", "Ghost"});
    term.player("A").kind = PLAYER_DIFFERENTIAL;
    term.add("A", 0, PARAM_KX, 1, {{"Ghost", 1}});
    EXPECT_EQ(checkEquationReferences(*term.context), 0);
    term.add("A", 1, PARAM_KX, 1, {{"Ghost", 1}});

    WriterSet fraction({"gene", "mRNA", "TF"});
    fraction.kinds(PLAYER_DIFFERENTIAL, {"gene", "mRNA", "TF"});
    Term& regulated = fraction.add("mRNA", 1, PARAM_KM, 1);
    regulated.ratioNumerators = {{&fraction.player("TF"), 1.0, MODIFIER_OCCUPIED}};
    regulated.ratioDenominators = {{&fraction.total("TF"), 1.0, MODIFIER_OCCUPIED}};
    regulated.tailPlayer = PlayerLink{&fraction.player("gene"), 1.0, 0};

    WriterSet flux({"A", "Ghost"});
    flux.context->totalEnzymes.emplace_back().parts.push_back({"", &flux.player("Ghost"), ""});
    EXPECT_EQ(checkEquationReferences(*flux.context), 0);
    Flux& written = flux.context->fluxes.emplace_back();
    written.name = "flux_A.cyt_to";
    written.parts = {{"Q[1]*", nullptr, ""}, {"", &flux.player("Ghost"), ""}};

    LogCapture log;
    EXPECT_EQ(checkEquationReferences(*term.context), -1);
    EXPECT_EQ(checkEquationReferences(*fraction.context), -1);
    EXPECT_EQ(checkEquationReferences(*flux.context), -1);
    EXPECT_EQ(
        log.take(),
        unwritten("a term of the equation of 'A.cyt(specieID=1)'", "Ghost.cyt(specieID=2)") +
            unwritten("a term of the equation of 'mRNA.cyt(specieID=2)'", "TF.cyt(specieID=3)") +
            unwritten("flux 'flux_A.cyt_to'", "Ghost.cyt(specieID=2)"));
}

TEST(WriteErrors, FailedWritesAreReportedAndNotTakenForSuccess) {
    WriterSet set({"A"});
    OutputInfo info = set.gather();
    FILE* full = std::fopen("/dev/full", "w");
    FILE* readOnly = std::fopen("/dev/null", "r");
    ASSERT_NE(full, nullptr);
    ASSERT_NE(readOnly, nullptr);
    LogCapture log;
    EXPECT_EQ(writeOutputFile(info, full, OUTPUT_DAE), -1);
    EXPECT_EQ(writeOutputFile(info, readOnly, OUTPUT_USAGE), -1);
    EXPECT_EQ(writeOutputFile(info, nullptr, OUTPUT_DAE), -1);
    EXPECT_EQ(writeOutputFile(info, stdout, 3), -1);
    EXPECT_EQ(log.take(),
              "writeOutputFile: write error on the DAE file (No space left on device).\n"
              "writeOutputFile: write error on the usage file (Bad file descriptor).\n"
              "writeOutputFile: the DAE file is not open.\n"
              "writeOutputFile: invalid output mode 3.\n");
    std::fclose(full);
    std::fclose(readOnly);
}

}  // namespace
}  // namespace zymorax::testkit

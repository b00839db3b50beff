// The usage and DAE files written from hand-built equation sets: templates, term text, section
// rules, the TPP_RAPID printing rules, references that cannot be written, and failed writes.
#include <gtest/gtest.h>

#include <cstdio>

#include "context_builder.h"
#include "methods.h"
#include "output_gathering.h"
#include "test_model_builder.h"
#include "test_support.h"

namespace zymorax::testkit {
namespace {

// An equation set filled by hand, gathered like a conversion's.
class HandBuiltSet {
  public:
    explicit HandBuiltSet(const std::vector<std::string>& names) {
        t.compartment(1, "cytosol");
        for (const std::string& name : names) t.species(name, CLASS_PROTEIN, 1);
        context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    }

    int index(const std::string& name) const {
        for (int i = 0; i < context->playerCount; ++i) {
            if (context->players[i].name == name) return i;
        }
        throw std::runtime_error("no player " + name);
    }
    Player& player(const std::string& name) { return context->players[index(name)]; }
    Player& total(const std::string& name) { return context->totalPlayers[index(name)]; }

    Term& term(PlayerEquation& equation, double coefficient, int kind = PARAM_NONE, int number = 0,
               const std::vector<std::pair<std::string, double>>& factors = {}) {
        Term term;
        term.coefficient = coefficient;
        term.parameterKind = kind;
        term.parameterNumber = number;
        for (const auto& [name, exponent] : factors)
            term.factors.push_back({&player(name), exponent});
        equation.terms.push_back(term);
        return equation.terms.back();
    }
    Term& term(const std::string& owner, double coefficient, int kind = PARAM_NONE, int number = 0,
               const std::vector<std::pair<std::string, double>>& factors = {}) {
        return term(context->equations[index(owner)], coefficient, kind, number, factors);
    }

    void parameter(int kind, const std::string& label) { newParameter(*context, kind, label); }

    OutputInfo gather(int geneProtein = METHOD_CMA, int metabolic = METHOD_NONE) {
        OutputInfo info;
        info.modelName = "hand";
        info.modelInfo = "built";
        info.geneProteinMethod = geneProtein;
        info.metabolicMethod = metabolic;
        EXPECT_EQ(checkEquationReferences(*context), 0);
        gatherOutputInfo(std::move(context), info);
        return info;
    }

    TestModel t;
    std::shared_ptr<ConversionContext> context;
};

std::string section(const std::string& text, const std::string& head, const std::string& next) {
    size_t start = text.find(head);
    size_t end = next.empty() ? text.size() : text.find(next, start);
    return start == std::string::npos ? "<no section>" : text.substr(start, end - start);
}

TEST(TermText, SignsCoefficientsParametersAndExponents) {
    HandBuiltSet set({"A", "B"});
    set.player("A").kind = PLAYER_DIFFERENTIAL;
    set.player("B").kind = PLAYER_ALGEBRAIC_ZERO;
    set.term("A", 2, PARAM_KX, 1, {{"A", 1}});
    set.term("A", 2, PARAM_KX, 2, {{"B", 0.5}});
    set.term("A", -0.5, PARAM_KX, 3, {{"A", 1}});
    set.term("A", 0, PARAM_KX, 4, {{"A", 1}});
    set.term("A", 1, PARAM_KTR, 5, {{"A", 1}, {"B", 2}});
    set.term("A", -1, PARAM_NONE, 0, {{"A", 1}});
    set.term("A", 3, PARAM_NONE, 0, {{"B", 1}});
    set.term("A", -1e-5, PARAM_KMICH, 6);
    OutputInfo info = set.gather();
    EXPECT_EQ(
        linesStartingWith(writeToString(info, OUTPUT_DAE), "deq_"),
        std::vector<std::string>{
            "deq_1: dydt[A.cyt] = 2*kx[1]*y[A.cyt] + 2*kx[2]*x[B.cyt]^0.5 - 0.5*kx[3]*y[A.cyt]"
            " + ktr[5]*y[A.cyt]*x[B.cyt]^2 - y[A.cyt] + 3*x[B.cyt] - 1e-005*Kmich[6];"});
}

TEST(TermText, AFirstTermOfOneOrMinusOne) {
    HandBuiltSet set({"A", "B"});
    set.player("A").kind = PLAYER_DIFFERENTIAL;
    set.player("B").kind = PLAYER_DIFFERENTIAL;
    set.term("A", 1, PARAM_KX, 1, {{"A", 1}});
    set.term("B", -1, PARAM_KX, 1, {{"A", 1}});
    set.term("B", 1, PARAM_KX, 2, {{"A", 1}});
    OutputInfo info = set.gather();
    EXPECT_EQ(
        linesStartingWith(writeToString(info, OUTPUT_DAE), "deq_"),
        (std::vector<std::string>{"deq_1: dydt[A.cyt] = kx[1]*y[A.cyt];",
                                  "deq_2: dydt[B.cyt] = - kx[1]*y[A.cyt] + kx[2]*y[A.cyt];"}));
}

TEST(TermText, RegulatedTranscriptionWritesFractionsThenTheGene) {
    HandBuiltSet set({"gene", "mRNA", "TF", "P1", "Rep", "P2", "Extra"});
    for (const char* name : {"gene", "mRNA", "TF", "Rep", "Extra"})
        set.player(name).kind = PLAYER_DIFFERENTIAL;
    set.total("P1").kind = PLAYER_CONSTANT;
    set.total("P1").number = 1;
    set.total("P2").kind = PLAYER_CONSTANT;
    set.total("P2").number = 2;
    Term& term = set.term("mRNA", 1, PARAM_KM, 1);
    term.ratioNumerators = {{&set.player("TF"), 1.0, MODIFIER_OCCUPIED},
                            {&set.player("Extra"), 1.0, 2}};
    term.ratioDenominators = {
        {&set.total("P1"), 1.0, MODIFIER_OCCUPIED}};  // shorter list ends pairs
    term.complementNumerators = {{&set.player("Rep"), 1.0, MODIFIER_FREE}};
    term.complementDenominators = {{&set.total("P2"), 1.0, MODIFIER_FREE}};
    term.tailPlayer = PlayerLink{&set.player("gene"), 1.0, 0};
    OutputInfo info = set.gather();
    EXPECT_EQ(linesStartingWith(writeToString(info, OUTPUT_DAE), "deq_"),
              std::vector<std::string>{"deq_1: dydt[mRNA.cyt] = km[1]*(y[TF.cyt]/constantPlayer[1])"
                                       "*(1 - y[Rep.cyt]/constantPlayer[2])*y[gene.cyt];"});
}

TEST(DaeSections, EquationsWithoutNonZeroTermsAreSkippedAndTakeNoNumber) {
    HandBuiltSet set({"A", "B", "C", "D"});
    for (const char* name : {"A", "B", "C", "D"}) set.player(name).kind = PLAYER_DIFFERENTIAL;
    set.term("A", 1, PARAM_KX, 1, {{"A", 1}});
    set.term("B", 0, PARAM_KX, 1, {{"A", 1}});
    set.term("C", 1, PARAM_KX, 1, {{"A", 1}});
    OutputInfo info = set.gather();
    std::string dae = writeToString(info, OUTPUT_DAE);
    EXPECT_EQ(section(dae, "== Differencial Eqs. ==", ""),
              "== Differencial Eqs. ==\n\n"
              "deq_1: dydt[A.cyt] = kx[1]*y[A.cyt];\n"
              "deq_2: dydt[C.cyt] = kx[1]*y[A.cyt];\n");
    // Every variable is still declared.
    EXPECT_NE(dae.find("y[B.cyt] = 1;\ny[C.cyt] = 1;\ny[D.cyt] = 1;\n"), std::string::npos);
}

TEST(DaeSections, ConstantsStopAtTheFirstMissingNumber) {
    HandBuiltSet set({"A", "B", "C", "D"});
    set.player("A").kind = PLAYER_CONSTANT;
    set.player("A").number = 4;
    set.player("B").kind = PLAYER_CONSTANT;
    set.player("B").number = 1;
    set.player("B").initialAmount = 1e6;
    set.total("C").kind = PLAYER_CONSTANT;
    set.total("C").number = 2;
    set.total("C").initialAmountValid = 2;
    set.player("D").kind = PLAYER_CONSTANT;
    set.player("D").initialAmountValid = 0;
    set.player("D").number = 5;
    OutputInfo info = set.gather();
    EXPECT_EQ(
        section(writeToString(info, OUTPUT_USAGE), "== Constant Players ==", "== Variables =="),
        "== Constant Players ==\n\n"
        "constantPlayer[1] = 1e+006; B.cyt\n"
        "constantPlayer[2] = ; TC.cyt\n\n");
}

TEST(DaeSections, VariablesByListWithTotalsPrefixed) {
    HandBuiltSet set({"Z", "M", "V", "F"});
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
    OutputInfo info = set.gather();
    EXPECT_EQ(
        section(writeToString(info, OUTPUT_USAGE), "== Variables ==", "== Used Parameters =="),
        "== Variables ==\n\n"
        "= Algebraic Equation =\n\n"
        "x[M.cyt] = 0.000123457;\n"
        "x[Z.cyt] = ;\n\n"
        "= Differencial Equation =\n\n"
        "y[V.cyt] = 1;\n"
        "y[F.cyt] = 1.23457e+008;\n"
        "y[TM.cyt] = 3;\n\n");
}

TEST(DaeSections, AlgebraicEquationHeadsAndTotalDifferentialEquations) {
    HandBuiltSet set({"M", "N", "Z"});
    set.player("M").kind = PLAYER_ALGEBRAIC_TOTAL;
    set.player("N").kind = PLAYER_ALGEBRAIC_TOTAL;
    set.player("Z").kind = PLAYER_ALGEBRAIC_ZERO;
    set.total("M").kind = PLAYER_CONSTANT;
    set.total("M").number = 1;
    set.total("N").kind = PLAYER_DIFFERENTIAL;
    set.term("M", 1, PARAM_NONE, 0, {{"M", 1}});
    set.term("M", 2, PARAM_NONE, 0, {{"Z", 1}});
    set.term("N", 1, PARAM_NONE, 0, {{"N", 1}});
    set.term("Z", 1, PARAM_KA, 1, {{"M", 1}, {"N", 1}});
    set.term("Z", -1, PARAM_KD, 1, {{"Z", 1}});
    set.term(set.context->totalEquations[set.index("N")], -1, PARAM_KX, 1, {{"Z", 1}});
    set.term(set.context->totalEquations[set.index("M")], 0, PARAM_KX, 2, {{"Z", 1}});
    OutputInfo info = set.gather();
    EXPECT_EQ(section(writeToString(info, OUTPUT_DAE), "== Algebraic Eqs. ==", ""),
              "== Algebraic Eqs. ==\n\n"
              "aeq_1: constantPlayer[1] = x[M.cyt] + 2*x[Z.cyt];\n"
              "aeq_2: y[TN.cyt] = x[N.cyt];\n"
              "aeq_3:  ka[1]*x[M.cyt]*x[N.cyt] - kd[1]*x[Z.cyt] = 0;\n\n"
              "== Differencial Eqs. ==\n\n"
              "deq_1: dydt[TN.cyt] = - kx[1]*x[Z.cyt];\n");
}

TEST(DaeSections, ParametersInKindOrderAndRegistrationOrder) {
    HandBuiltSet set({"A"});
    set.parameter(PARAM_KX, "_first");
    set.parameter(PARAM_KX, "_second");
    set.parameter(PARAM_KA, "_A.cyt");
    set.parameter(PARAM_KMICH, "(A.cyt)_A.cyt_MM");
    OutputInfo info = set.gather();
    std::string usage = writeToString(info, OUTPUT_USAGE);
    EXPECT_EQ(section(usage, "== Used Parameters ==", ""),
              "== Used Parameters ==\n\n"
              "ka;\nkx;\nKmich;\n\n"
              "== Parameters ==\n\n"
              "### ka: binding_association_rate_constant\n"
              "ka[1] = ; binding_association_rate_constant_A.cyt\n\n"
              "### kx: reaction_rate_constant\n"
              "kx[1] = ; reaction_rate_constant_first\n"
              "kx[2] = ; reaction_rate_constant_second\n\n"
              "### Kmich: Michaelis_constant\n"
              "Kmich[1] = ; Michaelis_constant(A.cyt)_A.cyt_MM\n\n\n");
}

TEST(DaeSections, RapidEquilibriumWritesKaAsKbAndDropsKd) {
    HandBuiltSet set({"A", "B", "AB", "A2"});
    for (const char* name : {"A", "B"}) set.player(name).kind = PLAYER_DIFFERENTIAL;
    set.player("AB").kind = PLAYER_ALGEBRAIC_ZERO;
    set.player("A2").kind = PLAYER_ALGEBRAIC_ZERO;
    set.parameter(PARAM_KA, "_A.cyt_B.cyt");
    set.parameter(PARAM_KA, "_A.cyt");
    set.parameter(PARAM_KD, "_A.cyt_B.cyt");
    set.parameter(PARAM_KD, "_A.cyt");
    set.parameter(PARAM_KPD, "_A.cyt");
    set.term("AB", 1, PARAM_KA, 1, {{"A", 1}, {"B", 1}});
    set.term("AB", -1, PARAM_KD, 1, {{"AB", 1}});
    set.term("A2", 1, PARAM_KA, 2, {{"A", 2}}).parameterExponent = 2;
    set.term("A2", -1, PARAM_KD, 2, {{"A2", 1}});
    set.term("A", -1, PARAM_KA, 1, {{"A", 1}, {"B", 1}}).parameterExponent = 3;
    set.term("A", -1, PARAM_KPD, 1, {{"A", 1}});
    set.term("B", 1, PARAM_KD, 1, {{"AB", 1}});
    OutputInfo rapid = set.gather(METHOD_TPP_RAPID, METHOD_NONE);
    std::string dae = writeToString(rapid, OUTPUT_DAE);
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
}

TEST(DaeSections, OtherMethodsIgnoreTheParameterExponent) {
    HandBuiltSet set({"A", "A2"});
    set.player("A").kind = PLAYER_DIFFERENTIAL;
    set.player("A2").kind = PLAYER_DIFFERENTIAL;
    set.term("A2", 1, PARAM_KA, 1, {{"A", 2}}).parameterExponent = 2;
    OutputInfo info = set.gather(METHOD_TPP_STEADYSTATE_2, METHOD_NONE);
    EXPECT_EQ(linesStartingWith(writeToString(info, OUTPUT_DAE), "deq_"),
              std::vector<std::string>{"deq_1: dydt[A2.cyt] = ka[1]*y[A.cyt]^2;"});
}

TEST(DaeSections, TemporaryExpressionsWriteUsedTotalsAndEveryFlux) {
    HandBuiltSet set({"E", "S"});
    set.player("E").kind = PLAYER_DIFFERENTIAL;
    set.player("S").kind = PLAYER_DIFFERENTIAL_FLUX;
    TotalEnzymeEq& unused = set.context->totalEnzymes.emplace_back();
    unused.name = "T_X.cyt";
    unused.parts.push_back({"", &set.player("S"), ""});
    TotalEnzymeEq& used = set.context->totalEnzymes.emplace_back();
    used.name = "T_E.cyt";
    used.used = 1;
    used.parts = {{"", &set.player("E"), ""}, {" + 2*", nullptr, ""}, {"", &set.player("S"), ""}};
    Flux& flux = set.context->fluxes.emplace_back();
    flux.name = "flux_S.cyt_to";
    flux.parts = {{"kxg[1]*", nullptr, ""}, {"", &set.player("S"), ""}};
    OutputInfo info = set.gather();
    std::string dae = writeToString(info, OUTPUT_DAE);
    EXPECT_EQ(section(dae, "== Temporary Expressions ==", "== Algebraic Eqs. =="),
              "== Temporary Expressions ==\n\n"
              "= Total enzyme =\n"
              "T_E.cyt = y[E.cyt] + 2*y[S.cyt];\n\n"
              "= Flux =\n"
              "flux_S.cyt_to = kxg[1]*y[S.cyt];\n\n");
    EXPECT_EQ(writeToString(info, OUTPUT_USAGE),
              dae.substr(0, dae.find("== Temporary Expressions ==")));
}

TEST(WrittenReferences, ATermOnAnUnclassifiedPlayerIsRejected) {
    HandBuiltSet set({"A", "Ghost"});
    set.player("A").kind = PLAYER_DIFFERENTIAL;
    set.term("A", 0, PARAM_KX, 1, {{"Ghost", 1}});  // never written, so harmless
    EXPECT_EQ(checkEquationReferences(*set.context), 0);
    set.term("A", 1, PARAM_KX, 1, {{"Ghost", 1}});
    LogCapture log;
    EXPECT_EQ(checkEquationReferences(*set.context), -1);
    EXPECT_EQ(log.take(),
              "checkEquationReferences: a term of the equation of 'A.cyt(specieID=1)' refers to "
              "'Ghost.cyt(specieID=2)', which is not a variable of the model.\n");
}

TEST(WrittenReferences, ATotalWithoutKindInAFractionIsRejected) {
    HandBuiltSet set({"gene", "mRNA", "TF"});
    for (const char* name : {"gene", "mRNA", "TF"}) set.player(name).kind = PLAYER_DIFFERENTIAL;
    Term& term = set.term("mRNA", 1, PARAM_KM, 1);
    term.ratioNumerators = {{&set.player("TF"), 1.0, MODIFIER_OCCUPIED}};
    term.ratioDenominators = {{&set.total("TF"), 1.0, MODIFIER_OCCUPIED}};
    term.tailPlayer = PlayerLink{&set.player("gene"), 1.0, 0};
    LogCapture log;
    EXPECT_EQ(checkEquationReferences(*set.context), -1);
    EXPECT_EQ(log.take(),
              "checkEquationReferences: a term of the equation of 'mRNA.cyt(specieID=2)' refers to "
              "'TF.cyt(specieID=3)', which is not a variable of the model.\n");
}

TEST(WrittenReferences, AFluxOnAnUnclassifiedPlayerIsRejectedButAnUnusedTotalIsNot) {
    HandBuiltSet set({"A", "Ghost"});
    TotalEnzymeEq& unused = set.context->totalEnzymes.emplace_back();
    unused.name = "T_A.cyt";
    unused.parts.push_back({"", &set.player("Ghost"), ""});
    EXPECT_EQ(checkEquationReferences(*set.context), 0);
    Flux& flux = set.context->fluxes.emplace_back();
    flux.name = "flux_A.cyt_to";
    flux.parts = {{"Q[1]*", nullptr, ""}, {"", &set.player("Ghost"), ""}};
    LogCapture log;
    EXPECT_EQ(checkEquationReferences(*set.context), -1);
    EXPECT_EQ(log.take(),
              "checkEquationReferences: flux 'flux_A.cyt_to' refers to "
              "'Ghost.cyt(specieID=2)', which is not a variable of the model.\n");
}

TEST(WriteErrors, AFullDiskIsReportedAndNotTakenForSuccess) {
    HandBuiltSet set({"A"});
    OutputInfo info = set.gather();
    FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    LogCapture log;
    EXPECT_EQ(writeOutputFile(info, full, OUTPUT_DAE), -1);
    EXPECT_EQ(log.take(),
              "writeOutputFile: write error on the DAE file (No space left on device).\n");
    std::fclose(full);
}

TEST(WriteErrors, AStreamThatCannotBeWrittenIsReported) {
    HandBuiltSet set({"A"});
    OutputInfo info = set.gather();
    FILE* readOnly = std::fopen("/dev/null", "r");
    ASSERT_NE(readOnly, nullptr);
    LogCapture log;
    EXPECT_EQ(writeOutputFile(info, readOnly, OUTPUT_USAGE), -1);
    EXPECT_EQ(log.take(),
              "writeOutputFile: write error on the usage file (Bad file descriptor).\n");
    std::fclose(readOnly);
    EXPECT_EQ(writeOutputFile(info, nullptr, OUTPUT_DAE), -1);
    EXPECT_EQ(log.take(), "writeOutputFile: the DAE file is not open.\n");
    EXPECT_EQ(writeOutputFile(info, stdout, 3), -1);
    EXPECT_EQ(log.take(), "writeOutputFile: invalid output mode 3.\n");
}

}  // namespace
}  // namespace zymorax::testkit

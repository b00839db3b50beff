#include "model_origins.h"

#include <gtest/gtest.h>

// Each number a line names gets its description once, in line order; numbers without one are
// passed over.
TEST(ModelOrigins, NoteNamesEachDescribedNumberOnceInLineOrder) {
    setModelOrigins("S4 SBML species 'E'\nS7 SBML species 'S' named 'substrate'\nR2 SBML reaction 'r2'\n"
                    "X9 not a description\n");
    EXPECT_EQ(originNote("element (specieID=7) of complex 'E:S.cel(specieID=4)' (specieID=7)"),
              "  specieID=7: SBML species 'S' named 'substrate'; specieID=4: SBML species 'E'\n");
    EXPECT_EQ(originNote("failed.(reactionID=2,reactionType=binding) specieID=5"),
              "  reactionID=2: SBML reaction 'r2'\n");
    EXPECT_EQ(originNote("checkReactions_GMA: failed."), "");
    EXPECT_EQ(originNote("specieID=12345678901234"), "");
    setModelOrigins("");
    EXPECT_EQ(originNote("(reactionID=2)"), "");
}

// Releasing records: every owned block, through arrays and embedded records, exactly once.
#include <gtest/gtest.h>

#include <cstdlib>

#include "heap_tracker.h"
#include "records.h"
#include "test_jvm.h"
#include "test_numbers.h"
#include "zymorax_formula.h"

namespace {

namespace heap = bridge_test::heap_tracker;
using bridge_test::catalogue;

// Allocates zero-filled records the way the bridge does, and has the tracker watch them.
template <typename T>
T* allocate(size_t count = 1) {
    auto* block = static_cast<T*>(std::calloc(count, sizeof(T)));
    heap::watch(block);
    return block;
}

class FreeRecord : public ::testing::Test {
protected:
    void SetUp() override { tracking_ = heap::start(); }
    void TearDown() override { heap::stop(); }

    // Every watched block has been freed (checked where the allocator can be watched).
    void expect_all_released() {
        if (tracking_) {
            EXPECT_EQ(heap::live_blocks(), 0u);
        }
    }

    bool tracking_ = false;
};

TEST_F(FreeRecord, TrackerSeesBlocks) {
    if (!heap::available()) GTEST_SKIP() << "the sanitizer's allocator is in charge";
    ASSERT_TRUE(tracking_);
    void* block = allocate<JReaction_t>();
    EXPECT_EQ(heap::live_blocks(), 1u);
    std::free(block);
    EXPECT_EQ(heap::live_blocks(), 0u);
}

TEST_F(FreeRecord, ReactionWithNestedLists) {
    auto* reaction = allocate<JReaction_t>();
    reaction->listOfReactants_n = 2;
    reaction->listOfReactants = allocate<JListOfReactants_t>(2);
    reaction->listOfReactants[0].numberOfReactants = 3;
    reaction->listOfReactants[0].specieReference = allocate<JSpecieReference_t>(3);
    reaction->listOfReactants[1].numberOfReactants = 1;
    reaction->listOfReactants[1].specieReference = allocate<JSpecieReference_t>(1);
    reaction->listOfModifiers_n = 1;
    reaction->listOfModifiers = allocate<JListOfModifiers_t>(1);
    reaction->listOfModifiers[0].numberOfModifiers = 1;
    reaction->listOfModifiers[0].modifierSpecieReference = allocate<JModifierSpecieReference_t>();
    reaction->modifierComplex_n = 2;
    reaction->modifierComplex = allocate<JModifierComplex_t>(2);
    if (tracking_) {
        EXPECT_EQ(heap::live_blocks(), 7u);
    }
    EXPECT_EQ(JU_free(catalogue("JReaction"), reaction), 0);
    expect_all_released();
}

TEST_F(FreeRecord, BlocksInsideEmbeddedRecords) {
    auto* pack = allocate<JModelPack_t>();
    JModel_t& model = pack->model;
    model.listOfCompartments.numberOfCompartments = 2;
    model.listOfCompartments.compartment = allocate<JCompartment_t>(2);
    model.listOfSpecies.numberOfSpecies = 1;
    model.listOfSpecies.specie = allocate<JSpecie_t>(1);
    model.listOfSpecies.specie[0].listOfElements_n = 1;
    model.listOfSpecies.specie[0].listOfElements = allocate<JListOfElements_t>(1);
    model.listOfSpecies.specie[0].listOfElements[0].numberOfElements = 2;
    model.listOfSpecies.specie[0].listOfElements[0].specieReference =
        allocate<JSpecieReference_t>(2);
    EXPECT_EQ(JU_free(catalogue("JModelPack"), pack), 0);
    expect_all_released();
}

TEST_F(FreeRecord, ZeroCountOrNoBlockReleasesNothingMore) {
    auto* list = allocate<JListOfReactions_t>();
    list->numberOfReactions = 4;  // count without a block
    EXPECT_EQ(JU_free(catalogue("JListOfReactions"), list), 0);
    expect_all_released();
}

TEST_F(FreeRecord, FailedLookupStillReleasesTheRecord) {
    MemberDescriptor refs[] = {bridge_test::kNumbersMembers[13]};
    refs[0].countField = "refs_count";  // no such member
    ClassDescriptor broken = bridge_test::numbers_with(refs);
    EXPECT_EQ(JU_free(&broken, allocate<bridge_test::Numbers_t>()), -1);
    expect_all_released();

    EXPECT_EQ(JU_free(nullptr, allocate<JReaction_t>()), -1);
    expect_all_released();
    EXPECT_EQ(JU_free(catalogue("JReaction"), nullptr), 0);
}

}  // namespace

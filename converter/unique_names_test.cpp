#include "unique_names.h"

#include <gtest/gtest.h>

#include <set>

// A repeat takes the smallest suffix that no name of the list has, so a name that already reads
// like a suffixed one keeps its text and every result differs from every other.
TEST(RepeatSuffixes, RepeatsTakeSuffixesThatNoOtherNameHas) {
    const std::vector<std::string> names = {"a", "b", "a", "a_2", "a", "a_3_2", "a_3", "b", "a_3"};
    const std::vector<std::string> suffixes = repeatSuffixes(names);
    EXPECT_EQ(suffixes, (std::vector<std::string>{"", "", "_4", "", "_5", "", "", "_2", "_3"}));
    std::set<std::string> results;
    for (size_t i = 0; i < names.size(); ++i) results.insert(names[i] + suffixes[i]);
    EXPECT_EQ(results.size(), names.size());
}

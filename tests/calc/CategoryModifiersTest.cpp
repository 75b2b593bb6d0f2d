#include "FoeStats.h"

#include <gtest/gtest.h>

namespace {

TEST(CategoryModifiers, EqualAddsNothingButMix)
{
    EXPECT_EQ(CategoryModifiers(3), (FoeStats{0, 0, 0, 0, 0, 0, 0, 15}));
}

TEST(CategoryModifiers, DamMovesHalfAsFarBelowEqualAndFullyAbove)
{
    EXPECT_EQ(CategoryModifiers(0)[Init], -6);
    EXPECT_EQ(CategoryModifiers(0)[Dam], -3);
    EXPECT_EQ(CategoryModifiers(6)[Init], 6);
    EXPECT_EQ(CategoryModifiers(6)[Dam], 6);
}

TEST(CategoryModifiers, MixClimbsUnevenly)
{
    const int expected[kCategoryCount] = {3, 5, 7, 15, 20, 30, 40};
    for (ThreatCategory c = 0; c < kCategoryCount; ++c)
        EXPECT_EQ(CategoryModifiers(c)[Mix], expected[c]) << kCategoryCaptions[c];
}

TEST(CategoryModifiers, EveryStatisticRisesWithTheCategory)
{
    for (ThreatCategory c = 1; c < kCategoryCount; ++c)
        for (int slot = Init; slot <= Res; ++slot)
            EXPECT_GT(CategoryModifiers(c)[slot], CategoryModifiers(c - 1)[slot])
                << kCategoryCaptions[c] << " " << kStatNames[slot];
}

}  // namespace

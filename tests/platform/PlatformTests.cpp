#include "platform/Random.h"

#include <gtest/gtest.h>

TEST(Random15, StaysInFifteenBitsAndRepeatsForASeed)
{
    seedRandom15(1234);
    int maxSeen = 0;
    std::vector<int> first;
    for (int i = 0; i < 100000; ++i) {
        int v = random15();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, RANDOM15_MAX);
        maxSeen = std::max(maxSeen, v);
        if (i < 10)
            first.push_back(v);
    }
    EXPECT_GT(maxSeen, 32000);
    seedRandom15(1234);
    for (int v : first)
        EXPECT_EQ(v, random15());
}

#include "platform/AssetPath.h"
#include "platform/Random.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testing_support;

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

TEST(AssetPath, FindsEitherLetterCaseOfAFolder)
{
    TempDir dir;
    writeFile(dir.file("3D/BossLevel1/hull.png"), "x");
    EXPECT_EQ(resolveAssetPath(dir.file("3D/BossLevel1/hull.png")), dir.file("3D/BossLevel1/hull.png"));
    EXPECT_EQ(resolveAssetPath(dir.file("3D/bossLevel1/hull.png")), dir.file("3D/BossLevel1/hull.png"));
    EXPECT_TRUE(assetExists(dir.file("3d/BOSSLEVEL1/HULL.PNG")));
    // Nothing matches: the path comes back unchanged.
    EXPECT_EQ(resolveAssetPath(dir.file("3D/other/hull.png")), dir.file("3D/other/hull.png"));
    EXPECT_FALSE(assetExists(dir.file("3D/BossLevel1")));
}

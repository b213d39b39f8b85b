#include "engine/Engine.h"

#include <gtest/gtest.h>

// Loading a real texture needs a display; a missing file never reaches the GPU.
TEST(TextureCache, MissingFileGivesNullAndOneEntryAndIsRetried)
{
    Engine e;
    EXPECT_EQ(e.getTexture("no/such/file.png"), nullptr);
    EXPECT_EQ(e.getTexture("no/such/file.png"), nullptr);
    EXPECT_EQ(e.textureCacheSize(), 1u);
    EXPECT_TRUE(e.textureCacheHasEntry("no/such/file.png"));
}

TEST(EngineContext, StartsWithTheGameDefaults)
{
    Engine e;
    EXPECT_EQ(e.sceneId, 15);
    EXPECT_EQ(e.frameTime, 0.f);
    EXPECT_EQ(e.difficulty, DIFFICULTY_NORMAL);
    EXPECT_FALSE(e.cheatLives);
    EXPECT_FALSE(e.cheatLaser);
    EXPECT_EQ(e.startLevel, 0);
    EXPECT_EQ(e.menuPage, 25);
    EXPECT_TRUE(e.menuInputReleased);
    EXPECT_FALSE(e.paused);
    EXPECT_FLOAT_EQ(e.worldLighting, 3.5f);
    EXPECT_EQ(e.boss3D, nullptr);
    EXPECT_FLOAT_EQ(e.lightPosition.x, 1e8f);
    EXPECT_FLOAT_EQ(e.lightPosition.y, -75000.f);
    EXPECT_FLOAT_EQ(e.lightPosition.z, 25000.f);
}

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

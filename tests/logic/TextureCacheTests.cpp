#include "engine/Engine.h"

#include <gtest/gtest.h>

// Loading a real texture needs a display; a missing file never reaches the GPU.
TEST(TextureCache, MissingFileGivesNullAndOneEntryAndIsRetried)
{
    Engine e;
    EXPECT_EQ(e.textures.getTexture("no/such/file.png"), nullptr);
    EXPECT_EQ(e.textures.getTexture("no/such/file.png"), nullptr);
    EXPECT_EQ(e.textures.size(), 1u);
    EXPECT_TRUE(e.textures.hasEntry("no/such/file.png"));
}

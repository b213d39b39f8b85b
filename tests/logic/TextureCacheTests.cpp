#include "engine/Engine.h"

#include <gtest/gtest.h>

// Loading a real texture needs a display; a missing file never reaches the GPU.
// A texture the game needs is reported once with its path; a model's optional map stays quiet.
TEST(TextureCache, MissingFileGivesNullAndOneEntryAndIsRetriedAndReportedOnce)
{
    Engine e;
    testing::internal::CaptureStderr();
    EXPECT_EQ(e.textures.getTexture("no/such/file.png"), nullptr);
    EXPECT_EQ(e.textures.getTexture("no/such/file.png"), nullptr);
    EXPECT_EQ(e.textures.getOptionalTexture("no/such/model_NM.png", TextureUse::Scene), nullptr);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors, "Orbyndel: no/such/file.png: texture missing\n");
    EXPECT_EQ(e.textures.size(), 2u);
    EXPECT_TRUE(e.textures.hasEntry("no/such/file.png"));
}

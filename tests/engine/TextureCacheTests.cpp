#include "engine/Engine.h"
#include "engine/ModelCache.h"
#include "engine/SceneChange.h"
#include "support/TestSupport.h"

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

// Entering the credits preloads the menu's hangar, whose models may or may not have
// their own colour sheet: the preload tells nothing of what it does not find, and the
// game says once what it needs and misses when it asks for it itself.
TEST(TextureCache, APreloadTellsNothingAndTheGameSaysOnceWhatItNeedsAndMisses)
{
    testing_support::TempDir dir;
    const std::string ownSheet = dir.file("Hangar/Desk_Base.png"), sharedSheet = dir.file("Hangar/Colour.png");
    const std::string model = dir.file("Hangar/Desk"), picture = dir.file("Menu/Game.png");
    testing::internal::CaptureStderr();
    ScenePreloader preloader;
    ASSERT_TRUE(preloader.start(PreloadJob{{dir.file("Scene/next.txt")}, {ownSheet, sharedSheet}, {model}, {picture}}));
    preloader.wait();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    testing::internal::CaptureStderr();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(engine().textures.getOptionalTexture(ownSheet, TextureUse::Scene), nullptr);
        EXPECT_EQ(engine().textures.getTexture(sharedSheet, TextureUse::Scene), nullptr);
        EXPECT_EQ(engine().textures.getTexture(picture), nullptr);
        EXPECT_EQ(loadObjModel(model), nullptr);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing_support::occurrences(said, sharedSheet + ": texture missing"), 1) << said;
    EXPECT_EQ(testing_support::occurrences(said, picture + ": texture missing"), 1) << said;
    EXPECT_EQ(testing_support::occurrences(said, "Hangar/Desk.obj: missing"), 1) << said;
    EXPECT_EQ(testing_support::occurrences(said, "Desk_Base"), 0) << said;
}

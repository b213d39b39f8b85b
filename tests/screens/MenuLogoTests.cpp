#include "screens/LogoSequence.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace {
// Runs the sequence at 100 frames per second until `seconds` have passed,
// recording when each stage began.
struct LogoRun {
    testing_support::SyntheticInput input;
    LogoSequence logos{true};
    float time = 0.f;
    std::map<int, float> stageStart{{0, 0.f}};

    void run(float seconds, bool skipHeld = false)
    {
        for (float end = time + seconds; time < end - 1e-4f;) {
            input.clock.advance(0.01f);
            time += 0.01f;
            if (logos.update(skipHeld))
                stageStart[logos.stage()] = time;
        }
    }
};
} // namespace

TEST(MenuLogo, EachPictureFadesAndHoldsForItsTimes)
{
    LogoRun r;
    r.logos.update(false);
    EXPECT_EQ(r.logos.alpha(), 255) << "the studio logo starts at full strength";
    r.run(0.5f);
    EXPECT_EQ(r.logos.stage(), logo_stage::STUDIO);
    EXPECT_NEAR(r.logos.alpha(), 127, 3);
    r.run(2.5f);
    ASSERT_EQ(r.logos.stage(), logo_stage::SCHOOL);
    EXPECT_EQ(r.logos.phase(), LogoSequence::HOLDING);
    EXPECT_EQ(r.logos.alpha(), 255) << "a logo faded in holds at full strength";
    r.run(27.5f);
    EXPECT_TRUE(r.logos.finished());
    // Studio: 1 s fade out. School and product: 1 + 3 + 1 s. Scenario: 1 + 8.5 + 1 s.
    EXPECT_NEAR(r.stageStart[1], 1.f, 0.05f);
    EXPECT_NEAR(r.stageStart[2] - r.stageStart[1], 5.f, 0.05f);
    EXPECT_NEAR(r.stageStart[3] - r.stageStart[2], 10.5f, 0.05f);
    EXPECT_NEAR(r.stageStart[4] - r.stageStart[3], 5.f, 0.05f);
}

// A tap per logo through to the menu: MenuRun and FullRun.
TEST(MenuLogo, SkipCutsThePictureOncePerPress)
{
    LogoRun r;
    r.run(3.f);
    ASSERT_EQ(r.logos.stage(), logo_stage::SCHOOL);
    r.run(0.01f, true);
    EXPECT_EQ(r.logos.stage(), logo_stage::SCENARIO);
    EXPECT_EQ(r.logos.phase(), LogoSequence::FADING_IN);
    EXPECT_EQ(r.logos.alpha(), 0);
    r.run(5.f, true);
    EXPECT_EQ(r.logos.stage(), logo_stage::SCENARIO) << "a held Skip advances only once";
}

TEST(MenuLogo, SkipHeldFromTheStartAdvancesOneStageThenTheTimesRun)
{
    LogoRun r;
    r.run(2.f, true);
    EXPECT_EQ(r.logos.stage(), logo_stage::SCHOOL);
    r.run(30.f, true);
    EXPECT_TRUE(r.logos.finished());
    EXPECT_NEAR(r.stageStart[2] - r.stageStart[1], 5.f, 0.05f);
}

#include <gtest/gtest.h>

#include "engine/Level3Background.h"
#include "support/TestSupport.h"


using namespace testing_support;

namespace {

// Mean absolute difference of the red, green and blue channels over a sampled grid.
double pictureDifference(const sf::Image& a, const sf::Image& b)
{
    double sum = 0;
    int n = 0;
    for (unsigned y = 5; y < a.getSize().y; y += 37)
        for (unsigned x = 5; x < a.getSize().x; x += 41) {
            sf::Color p = a.getPixel(x, y), q = b.getPixel(x, y);
            sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
            ++n;
        }
    return sum / (3.0 * n);
}

struct Level3BackgroundFixture : ::testing::Test {
    void SetUp() override
    {
        openTestWindow(window);
        background.window = &window;
        background.frameTime = &frameTime;
        ASSERT_TRUE(background.load());
    }
    sf::Image frame(const std::string& name, float seconds)
    {
        window.clear(sf::Color::Black);
        background.drawFrame(seconds);
        sf::Image shot = screenshot(window, name);
        window.display();
        return shot;
    }
    // Variant `index` on show, the next one after it.
    void show(int index)
    {
        background.actualIndex = index;
        background.nextIndex = (index + 1) % 3;
    }
    sf::RenderWindow window;
    float frameTime = 0.f;
    Level3Background background;
};

} // namespace

TEST_F(Level3BackgroundFixture, DistinctMovingVariantsCrossFadeInTurnAndAreMadeAgainOnceGivenBack)
{
    // Each variant is a full picture of its own (not a frame left over from the clear) that moves with time.
    const sf::Image first = frame("level3_fade_start", 10.f);
    EXPECT_NE(first.getPixel(960, 540), first.getPixel(40, 40));
    EXPECT_GT(pictureDifference(first, frame("level3_background_variant0_later", 12.f)), 2.0);
    show(1);
    const sf::Image target = frame("level3_fade_target", 10.f);
    show(2);
    const sf::Image third = frame("level3_background_variant2", 10.f);
    EXPECT_GT(pictureDifference(first, target), 8.0);
    EXPECT_GT(pictureDifference(target, third), 8.0);
    EXPECT_GT(pictureDifference(third, first), 8.0);

    // Pictures given back when the game left level 3 are made again when next shown.
    show(0);
    background.releasePictures();
    EXPECT_LT(pictureDifference(first, frame("level3_after_release", 10.f)), 0.5);

    // A fade begins on the picture on show, the same way up.
    background.startSwitch();
    EXPECT_LT(pictureDifference(first, frame("level3_fade_begins", 10.f)), 0.5);
    frameTime = 0.5f;
    const sf::Image middle = frame("level3_fade_middle", 10.f);
    EXPECT_TRUE(background.isSwitching);
    EXPECT_FLOAT_EQ(background.transTime, 0.5f);
    // Halfway: different from both ends, and closer to each than they are to each other.
    const double toStart = pictureDifference(middle, first), toTarget = pictureDifference(middle, target);
    const double ends = pictureDifference(first, target);
    EXPECT_GT(toStart, 2.0);
    EXPECT_GT(toTarget, 2.0);
    EXPECT_LT(toStart, ends);
    EXPECT_LT(toTarget, ends);

    const sf::Image done = frame("level3_fade_done", 10.f);
    EXPECT_FALSE(background.isSwitching);
    EXPECT_EQ(background.actualIndex, 1);
    EXPECT_EQ(background.nextIndex, 2);
    EXPECT_FLOAT_EQ(background.transTime, 0.f);
    // The picture after the fade is the next variant, the same way up as before it.
    EXPECT_LT(pictureDifference(done, target), 1.0);

    // From the third variant the fade wraps to the first.
    show(2);
    background.startSwitch();
    frameTime = 0.6f;
    frame("level3_fade_wrap_a", 10.f);
    frame("level3_fade_wrap_b", 10.f);
    EXPECT_EQ(background.actualIndex, 0);
    EXPECT_EQ(background.nextIndex, 1);

    background.startSwitch();
    background.resetToFirst();
    EXPECT_EQ(background.actualIndex, 0);
    EXPECT_EQ(background.nextIndex, 1);
    EXPECT_FLOAT_EQ(Level3Background::shaderTime(70.f), 10.f);
}

TEST_F(Level3BackgroundFixture, MissingShadersAndTexturesLeaveAnInertBackground)
{
    TempDir empty;
    Level3Background inert;
    frameTime = 0.02f;
    inert.window = &window;
    inert.frameTime = &frameTime;
    {
        InDirectory inEmpty(empty.path);
        EXPECT_FALSE(inert.load());
    }

    window.clear(sf::Color(10, 20, 30));
    inert.startSwitch();
    inert.drawFrame(5.f);
    sf::Image shot = screenshot(window, "level3_background_missing");
    window.display();
    EXPECT_EQ(shot.getPixel(960, 540), sf::Color(10, 20, 30));
}

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
    sf::RenderWindow window;
    float frameTime = 0.f;
    Level3Background background;
};

} // namespace

TEST_F(Level3BackgroundFixture, EachVariantIsAFullDistinctPictureThatMovesWithTime)
{
    sf::Image first = frame("level3_background_variant0", 30.f);
    // Not a white frame left over from the clear: the tunnel is mostly dark.
    sf::Color centre = first.getPixel(960, 540), corner = first.getPixel(40, 40);
    EXPECT_NE(centre, corner);

    sf::Image later = frame("level3_background_variant0_later", 32.f);
    EXPECT_GT(pictureDifference(first, later), 2.0);

    background.actualIndex = 1;
    background.nextIndex = 2;
    sf::Image second = frame("level3_background_variant1", 30.f);
    background.actualIndex = 2;
    background.nextIndex = 0;
    sf::Image third = frame("level3_background_variant2", 30.f);
    EXPECT_GT(pictureDifference(first, second), 8.0);
    EXPECT_GT(pictureDifference(second, third), 8.0);
    EXPECT_GT(pictureDifference(third, first), 8.0);
}

TEST_F(Level3BackgroundFixture, CrossFadeBlendsIntoTheNextVariantAndAdvancesTheIndices)
{
    sf::Image start = frame("level3_fade_start", 10.f);
    background.actualIndex = 1;
    background.nextIndex = 2;
    sf::Image target = frame("level3_fade_target", 10.f);
    background.actualIndex = 0;
    background.nextIndex = 1;

    background.startSwitch();
    frameTime = 0.5f;
    sf::Image middle = frame("level3_fade_middle", 10.f);
    EXPECT_TRUE(background.isSwitching);
    EXPECT_FLOAT_EQ(background.transTime, 0.5f);
    // Halfway: different from both ends, and closer to each than they are to each other.
    double toStart = pictureDifference(middle, start), toTarget = pictureDifference(middle, target);
    double ends = pictureDifference(start, target);
    EXPECT_GT(toStart, 2.0);
    EXPECT_GT(toTarget, 2.0);
    EXPECT_LT(toStart, ends);
    EXPECT_LT(toTarget, ends);

    sf::Image done = frame("level3_fade_done", 10.f);
    EXPECT_FALSE(background.isSwitching);
    EXPECT_EQ(background.actualIndex, 1);
    EXPECT_EQ(background.nextIndex, 2);
    EXPECT_FLOAT_EQ(background.transTime, 0.f);
    // The picture after the fade is the next variant, the same way up as before it.
    EXPECT_LT(pictureDifference(done, target), 1.0);

    // From the third variant the fade wraps to the first.
    background.actualIndex = 2;
    background.nextIndex = 0;
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

TEST(Level3BackgroundFiles, MissingShadersAndTexturesLeaveAnInertBackground)
{
    sf::RenderWindow window;
    openTestWindow(window);
    TempDir empty;
    Level3Background background;
    float frameTime = 0.02f;
    background.window = &window;
    background.frameTime = &frameTime;
    {
        InDirectory inEmpty(empty.path);
        EXPECT_FALSE(background.load());
    }

    window.clear(sf::Color(10, 20, 30));
    background.startSwitch();
    background.drawFrame(5.f);
    sf::Image shot = screenshot(window, "level3_background_missing");
    window.display();
    EXPECT_EQ(shot.getPixel(960, 540), sf::Color(10, 20, 30));
}

// Fades, transitions, continue countdowns, HUD gauges and tally boards, without a window.
#include "audio/SoundManager.h"
#include "app/Startup.h"
#include "engine/Engine.h"
#include "play/ContinueScreen.h"
#include "play/HudBlock.h"
#include "play/Player2D.h"
#include "play/Scoreboard.h"
#include "play/ScreenFade.h"
#include "play/TextManager.h"
#include "play/Transitions.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {
constexpr float DT = 1.f / 60.f;
}

// How a fade darkens the screen over its length: OverlayGl's half-way fade.
TEST(OverlayFade, ZeroOrBrokenDurationsEndAtOnceWithTheirEndColour)
{
    for (float length : {0.f, -1.f, std::nanf("")}) {
        ScreenFade instant(sf::Color::Black, true, length);
        EXPECT_TRUE(instant.done);
        EXPECT_EQ(instant.alpha(), 255);
        instant.update(0.1f);
        EXPECT_EQ(instant.alpha(), 255);
        ScreenFade clear(sf::Color::Black, false, length);
        EXPECT_EQ(clear.alpha(), 0);
    }
}

TEST(OverlayTransitions, TheWarningRunsItsRowsTheFlashItsFramesAndTransitionsEndOnePerFrame)
{
    // A ship flying out goes up at 600 px/s until it is 2000 px above the screen.
    PlayerOutUp out({960.f, 880.f});
    int frames = 0;
    while (!out.update(DT) && frames < 1000)
        ++frames;
    EXPECT_LE(out.position.y, -2000.f);
    EXPECT_NEAR(frames, (2880.f / 600.f) / DT, 2.f);

    // The banner shows row 0, then row 1, each for about a second, and ends in its fifth pass.
    WarningTransition warning({960.f, 540.f});
    std::vector<float> rows;
    float t = 0.f;
    while (!warning.update(DT)) {
        t += DT;
        if (rows.empty() || rows.back() != warning.frame.top)
            rows.push_back(warning.frame.top);
        ASSERT_LT(t, 5.f);
    }
    EXPECT_NEAR(t, 4.7f, 2 * DT);
    EXPECT_EQ(rows.size(), 5u);

    // The 2D-to-3D flash plays its 19 frames once, left to right, over about a second.
    Player2D3DTransition flash({960.f, 540.f});
    std::vector<float> lefts;
    for (t = 0.f; !flash.update(DT); t += DT) {
        if (lefts.empty() || lefts.back() != flash.frame.left)
            lefts.push_back(flash.frame.left);
        ASSERT_LT(t, 2.f);
    }
    EXPECT_NEAR(t, 1.f, 2 * DT);
    ASSERT_EQ(lefts.size(), 19u);
    EXPECT_EQ(lefts.back(), 18 * Player2D3DTransition::FRAME_SIZE);

    // Two transitions ending together end on two frames, the last one first.
    TransitionManager manager(engine().textures);
    auto owned = std::make_unique<PlayerInUp>(sf::Vector2f(0.f, 100.f), sf::Vector2f(0.f, 99.f));
    const PlayerInUp* first = owned.get();
    manager.add(std::move(owned));
    manager.add(std::make_unique<PlayerInUp>(sf::Vector2f(0.f, 100.f), sf::Vector2f(0.f, 99.f)));
    EXPECT_FALSE(manager.allowsInput());
    manager.update(0.1f);
    ASSERT_EQ(manager.transitions.size(), 1u);
    EXPECT_EQ(manager.transitions[0].get(), first);
    manager.update(0.1f);
    EXPECT_TRUE(manager.transitions.empty());

    manager.add(std::make_unique<Player2D3DTransition>(sf::Vector2f(0.f, 0.f)));
    manager.add(std::make_unique<WarningTransition>(sf::Vector2f(0.f, 0.f)));
    EXPECT_FALSE(manager.allowsInput());
    manager.inputAllowed = 1;
    EXPECT_TRUE(manager.allowsInput());
    manager.clear();
    EXPECT_TRUE(manager.allowsInput());
}

TEST(OverlayContinue, CountsTenDownToOneAndALongStallShowsTheRightNumber)
{
    // Each picture stands for the whole seconds left: 10 first, 1 in the last second.
    ContinueScreen screen(engine().textures);
    screen.countingDown = 1;
    std::vector<int> shown{screen.textureIndex};
    float t = 0.f;
    for (bool gaveUp = false; !gaveUp && t < 20.f; t += 0.02f) {
        gaveUp = screen.tick(0.02f);
        if (!gaveUp && shown.back() != screen.textureIndex) {
            shown.push_back(screen.textureIndex);
            EXPECT_NEAR(t, 10.f - screen.textureIndex - 1, 0.03f);
        }
    }
    EXPECT_EQ(shown, (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_NEAR(t, 10.f, 0.03f);

    // A long stall jumps straight to the right number and never below the first picture.
    ContinueScreen stalled(engine().textures);
    stalled.countingDown = 1;
    stalled.tick(6.5f);
    EXPECT_EQ(stalled.textureIndex, 3);
    EXPECT_TRUE(stalled.tick(50.f));
    EXPECT_TRUE(stalled.gaveUp);
    EXPECT_FALSE(stalled.countingDown);
    EXPECT_EQ(stalled.textureIndex, 9);
    EXPECT_FLOAT_EQ(stalled.countdown, 10.f);
}

// A block not handed a ship (yet) keeps still through the frames' updates.
TEST(OverlayHud, ABlockWithoutAShipUpdatesWithoutOne)
{
    HudBlock block(engine().textures);
    const float needle = block.needleAngle;
    for (int frame = 0; frame < 3; ++frame) {
        block.pushNeedle(1.f / 60.f);
        block.updateSpeedometer(1.f / 60.f);
        block.updateFlash(1.f / 60.f);
        block.updateLives(1.f / 60.f);
    }
    EXPECT_EQ(block.needleAngle, needle);
}

TEST(OverlayHud, LaserBarFlashesWhenFullAndPlaysItsSoundOncePerFilling)
{
    // 228 px for a full gauge, by whole points.
    EXPECT_EQ(HudBlock::laserFillHeight(20.f), 45);
    EXPECT_EQ(HudBlock::laserFillHeight(99.9f), 225);
    EXPECT_EQ(HudBlock::laserFillHeight(100.f), 228);
    EXPECT_EQ(HudBlock::laserFillHeight(250.f), 228); // never taller than the bar
    EXPECT_EQ(HudBlock::laserFillHeight(-5.f), 0);
    EXPECT_EQ(HudBlock::laserFillHeight(std::nanf("")), 0);

    Player2D ship(0, engine().run, engine().textures);
    HudBlock block(engine().textures);
    block.init(&ship, 1);
    SoundManager& sounds = soundManager();
    auto maxLaserPlays = [&]() {
        int n = 0;
        for (int v = 0; v < SoundManager::VOICE_COUNT; ++v)
            n += sounds.voiceEffect[static_cast<size_t>(v)] == SFX_MAX_LASER;
        return n;
    };
    sounds.voiceEffect.fill(-1);

    ship.gauge = 99.9f;
    block.updateFlash(DT);
    EXPECT_EQ(block.laserFill.getColor(), sf::Color::White);
    EXPECT_EQ(maxLaserPlays(), 0);

    ship.gauge = 100.f;
    int dimmed = 0; // frames drawn at the flash's low alpha
    for (int k = 0; k < 60; ++k) {
        block.updateFlash(1.f / 60.f);
        dimmed += block.laserFill.getColor().a == 150;
    }
    EXPECT_GT(dimmed, 20);
    EXPECT_LT(dimmed, 40);
    EXPECT_EQ(maxLaserPlays(), 1);

    ship.gauge = 80.f;
    block.updateFlash(DT);
    EXPECT_EQ(block.laserFill.getColor(), sf::Color::White);
    ship.gauge = 100.f;
    block.updateFlash(DT);
    EXPECT_EQ(maxLaserPlays(), 2);
}

TEST(OverlayScoreboard, CreditsTheTimerBonusRevealsKillsAndResetsTallies)
{
    Player2D ship(0, engine().run, engine().textures);
    ship.timeBonus = 1234.9f;
    ship.bossScore = 5678.6;
    ship.baseCount = 7;
    ship.goldenCount = 2;
    ship.gauge = 87.f;
    for (int k = 0; k < 400; ++k)
        ship.killedTypes.push_back(k % 24);
    std::vector<PlayerScore> scores{{1000u, 50u}};
    std::vector<std::unique_ptr<TextManager>> counters;
    counters.push_back(std::make_unique<TextManager>(engine().textures));
    TextManager& counter = *counters[0];
    counter.addText(TextRequest{TEXT_COUNTER, {20.f, 85.f}, 0, "000001000", 1, 0, 0});
    {
        Scoreboard board(&ship, scores, counters, engine().textures);
        EXPECT_EQ(scores[0].score, 2234u);
        EXPECT_EQ(scores[0].lifePoints, 1284u);
        EXPECT_EQ(counter.text(), "000002234");
        const char* expected[5] = {"2234", "7", "2", "5678", "1234"};
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(board.texts[static_cast<size_t>(k)].getString().toAnsiString(), expected[k]);

        for (int k = 0; k < 360; ++k)
            board.revealNext();
        EXPECT_EQ(board.shownIcons, 360);
        board.revealNext(); // the grid is full: its first row goes
        EXPECT_EQ(board.shownIcons, 341);
        EXPECT_EQ(ship.killedTypes.size(), 380u);
        EXPECT_EQ(ship.killedTypes.front(), 20 % 24);
        for (int k = 0; k < 500; ++k)
            board.revealNext();
        EXPECT_LE(board.shownIcons, Scoreboard::GRID_CAPACITY);
        EXPECT_EQ(board.shownIcons, static_cast<int>(ship.killedTypes.size()));
    }
    EXPECT_TRUE(ship.killedTypes.empty());
    EXPECT_EQ(ship.goldenCount, 0);
    EXPECT_EQ(ship.baseCount, 0);
    EXPECT_EQ(ship.bossScore, 0.0);
    EXPECT_EQ(ship.timeBonus, 0.f);
    EXPECT_EQ(ship.gauge, 20.f);

    // Nothing killed, a negative or broken bonus, a player slot without a score: nothing wraps or crashes.
    Player2D second(1, engine().run, engine().textures);
    second.timeBonus = -300.f;
    std::vector<PlayerScore> two{{10u, 10u}, {5u, 5u}};
    std::vector<std::unique_ptr<TextManager>> noCounters(2);
    {
        Scoreboard right(&second, 1, two, noCounters, engine().textures);
        EXPECT_EQ(two[1].score, 5u);
        EXPECT_EQ(right.texts[4].getString().toAnsiString(), "-300");
        right.revealNext();
        EXPECT_EQ(right.shownIcons, 0);
    }
    second.timeBonus = std::nanf("");
    std::vector<PlayerScore> one{{10u, 10u}};
    Scoreboard missing(&second, 1, one, noCounters, engine().textures);
    EXPECT_EQ(one[0].score, 10u);
    EXPECT_EQ(missing.texts[4].getString().toAnsiString(), "0");
}

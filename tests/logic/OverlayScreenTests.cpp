// Fades, transitions, continue countdowns, HUD gauges and tally boards, without a window.
#include "app/SoundManager.h"
#include "app/Startup.h"
#include "platform/Random.h"
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

TEST(OverlayFade, AlphaRunsOverTheDurationAndZeroDurationsEndAtOnce)
{
    ScreenFade out(sf::Color::Black, false, 2.f);
    ScreenFade in(sf::Color::Black, true, 2.f);
    EXPECT_EQ(out.alpha(), 255);
    EXPECT_EQ(in.alpha(), 0);
    out.update(0.5f);
    in.update(0.5f);
    EXPECT_EQ(out.alpha(), 191);
    EXPECT_EQ(in.alpha(), 64);
    EXPECT_FALSE(out.done);
    out.update(1.5f);
    in.update(2.f);
    EXPECT_EQ(out.alpha(), 0);
    EXPECT_EQ(in.alpha(), 255);
    EXPECT_TRUE(out.done && in.done);
    EXPECT_EQ(in.rectangle.getSize(), sf::Vector2f(1920.f, 1080.f));

    // No duration: the fade is over at once with its end colour, never a division by zero.
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

TEST(OverlayTransitions, MovesRowsTypesAndOneEndPerFrame)
{
    PlayerInUp in({960.f, 1480.f}, {960.f, 880.f});
    bool ended = false;
    for (int k = 0; k < 400 && !ended; ++k) {
        ended = in.update(0.07f);
        EXPECT_GE(in.position.y, 880.f);
    }
    EXPECT_TRUE(ended);
    EXPECT_FLOAT_EQ(in.position.y, 880.f);

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
    EXPECT_EQ(rows, (std::vector<float>{0.f, 413.f, 0.f, 413.f, 0.f}));
    EXPECT_EQ(warning.frame.width, 880.f);

    Player2D3DTransition flash({500.f, 500.f});
    int flashFrames = 0;
    while (!flash.update(DT))
        ++flashFrames;
    EXPECT_NEAR(flashFrames, 60, 1);
    EXPECT_EQ(flash.frame.left, 18 * 330.f);

    // Two transitions ending together end on two frames, the last one first.
    TransitionManager manager;
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

TEST(OverlayContinue, ALongStallShowsTheRightNumberAndGivesUpWhole)
{
    // A long stall jumps straight to the right number and never below the first picture.
    ContinueScreen stalled;
    stalled.countingDown = 1;
    stalled.tick(6.5f);
    EXPECT_EQ(stalled.textureIndex, 3);
    EXPECT_TRUE(stalled.tick(50.f));
    EXPECT_TRUE(stalled.gaveUp);
    EXPECT_FALSE(stalled.countingDown);
    EXPECT_EQ(stalled.textureIndex, 9);
    EXPECT_FLOAT_EQ(stalled.countdown, 10.f);
}

TEST(OverlayHud, LaserBarFlashesWhenFullAndPlaysItsSoundOncePerFilling)
{
    EXPECT_EQ(HudBlock::laserFillHeight(99.9f), 225);
    EXPECT_EQ(HudBlock::laserFillHeight(100.f), 228);
    EXPECT_EQ(HudBlock::laserFillHeight(20.f), 45);
    EXPECT_EQ(HudBlock::laserFillHeight(250.f), 228); // never taller than the bar
    EXPECT_EQ(HudBlock::laserFillHeight(-5.f), 0);
    EXPECT_EQ(HudBlock::laserFillHeight(std::nanf("")), 0);

    Player2D ship(0);
    HudBlock block;
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
    std::vector<sf::Uint8> alphas;
    for (int k = 0; k < 60; ++k) {
        block.updateFlash(1.f / 60.f);
        if (alphas.empty() || alphas.back() != block.laserFill.getColor().a)
            alphas.push_back(block.laserFill.getColor().a);
    }
    EXPECT_GE(alphas.size(), 8u); // toggles about every 0.1 s (each 7th frame at 60 Hz)
    for (sf::Uint8 a : alphas)
        EXPECT_TRUE(a == 255 || a == 150);
    EXPECT_EQ(maxLaserPlays(), 1);

    ship.gauge = 80.f;
    block.updateFlash(DT);
    EXPECT_EQ(block.laserFill.getColor(), sf::Color::White);
    ship.gauge = 100.f;
    block.updateFlash(DT);
    EXPECT_EQ(maxLaserPlays(), 2);
}

TEST(OverlayHud, NeedleSettlesByModeAndSpeedAndLivesShowAtOnce)
{
    seedRandom15(3);
    Player2D ship(1);
    ship.lives = 3;
    HudBlock block;
    block.init(&ship, 2);
    EXPECT_EQ(block.lives->text(), "03");
    EXPECT_EQ(block.lives->counterHeads().front()->next->current, 3);
    EXPECT_FLOAT_EQ(block.lives->counterHeads().front()->tiles[0].getPosition().x, 1845.f);
    EXPECT_EQ(block.speedometer.getTextureRect(), sf::IntRect(75, 0, 75, 58));

    ship.mode = WEAPON_NORMAL;
    ship.speed = 720;
    block.needleAngle = 175.f;
    block.updateSpeedometer(DT);
    EXPECT_GE(block.needleAngle, 161.f);
    EXPECT_LE(block.needleAngle, 164.f);

    block.needleAngle = 190.f;
    block.updateSpeedometer(DT);
    EXPECT_NEAR(block.needleAngle, 190.f - 1040.f * DT, 1e-3f);
    for (int k = 0; k < 10; ++k)
        block.updateSpeedometer(DT);
    EXPECT_LE(block.needleAngle, 181.f);

    ship.mode = WEAPON_CHARGING;
    block.needleAngle = 200.f;
    for (int k = 0; k < 30; ++k) {
        block.updateSpeedometer(DT);
        EXPECT_LE(block.needleAngle, 200.f);
    }
    EXPECT_GE(block.needleAngle, 11.f);
    EXPECT_LE(block.needleAngle, 14.f);

    ship.mode = WEAPON_NORMAL;
    ship.moving = 0;
    for (int k = 0; k < 200; ++k) {
        block.pushNeedle(DT);
        block.updateSpeedometer(DT);
    }
    EXPECT_FLOAT_EQ(block.needleAngle, HudBlock::NEEDLE_FLOOR);

    EXPECT_EQ(HudBlock::speedometerFrameLeft(WEAPON_LASER, 960), 0);
    EXPECT_EQ(HudBlock::speedometerFrameLeft(WEAPON_NORMAL, 480), 75);
    EXPECT_EQ(HudBlock::speedometerFrameLeft(WEAPON_NORMAL, 960), 225);
    EXPECT_EQ(HudBlock::speedometerFrameLeft(WEAPON_NORMAL, 500), -1);

    // A ship with more than 99 lives still shows digits from the strip.
    ship.lives = 120;
    for (int k = 0; k < 120; ++k)
        block.updateLives(DT);
    EXPECT_EQ(block.lives->text(), "120");
}

TEST(OverlayScoreboard, CreditsTheTimerBonusRevealsKillsAndResetsTallies)
{
    Player2D ship(0);
    ship.timeBonus = 1234.9f;
    ship.bossScore = 5678.6;
    ship.baseCount = 7;
    ship.goldenCount = 2;
    ship.gauge = 87.f;
    for (int k = 0; k < 400; ++k)
        ship.killedTypes.push_back(k % 24);
    std::vector<PlayerScore> scores{{1000u, 50u}};
    std::vector<std::unique_ptr<TextManager>> counters;
    counters.push_back(std::make_unique<TextManager>());
    TextManager& counter = *counters[0];
    counter.addText(TextRequest{TEXT_COUNTER, {20.f, 85.f}, 0, "000001000", 1, 0, 0});
    {
        Scoreboard board(&ship, scores, counters);
        EXPECT_EQ(scores[0].score, 2234u);
        EXPECT_EQ(scores[0].lifePoints, 1284u);
        EXPECT_EQ(counter.text(), "000002234");
        const char* expected[5] = {"2234", "7", "2", "5678", "1234"};
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(board.texts[static_cast<size_t>(k)].getString().toAnsiString(), expected[k]);

        for (int k = 0; k < 360; ++k)
            board.revealNext();
        EXPECT_EQ(board.shownIcons, 360);
        EXPECT_EQ(ship.killedTypes.size(), 400u);
        board.revealNext(); // the grid is full: its first row goes
        EXPECT_EQ(board.shownIcons, 341);
        EXPECT_EQ(ship.killedTypes.size(), 380u);
        EXPECT_EQ(ship.killedTypes.front(), 20 % 24);
        for (int k = 0; k < 500; ++k) {
            board.revealNext();
            EXPECT_LE(board.shownIcons, Scoreboard::GRID_CAPACITY);
            EXPECT_LE(board.shownIcons, static_cast<int>(ship.killedTypes.size()));
        }
        EXPECT_EQ(board.shownIcons, static_cast<int>(ship.killedTypes.size()));
    }
    EXPECT_TRUE(ship.killedTypes.empty());
    EXPECT_EQ(ship.goldenCount, 0);
    EXPECT_EQ(ship.baseCount, 0);
    EXPECT_EQ(ship.bossScore, 0.0);
    EXPECT_EQ(ship.timeBonus, 0.f);
    EXPECT_EQ(ship.gauge, 20.f);

    // Nothing killed, a negative or broken bonus, a player slot without a score: nothing wraps or crashes.
    Player2D second(1);
    second.timeBonus = -300.f;
    std::vector<PlayerScore> two{{10u, 10u}, {5u, 5u}};
    std::vector<std::unique_ptr<TextManager>> noCounters(2);
    {
        Scoreboard right(&second, 1, two, noCounters);
        EXPECT_EQ(two[1].score, 5u);
        EXPECT_EQ(right.texts[4].getString().toAnsiString(), "-300");
        right.revealNext();
        EXPECT_EQ(right.shownIcons, 0);
    }
    second.timeBonus = std::nanf("");
    std::vector<PlayerScore> one{{10u, 10u}};
    Scoreboard missing(&second, 1, one, noCounters);
    EXPECT_EQ(one[0].score, 10u);
    EXPECT_EQ(missing.texts[4].getString().toAnsiString(), "0");
    EXPECT_EQ(Scoreboard::iconFile(19), nullptr);
    EXPECT_STREQ(Scoreboard::iconFile(3), "Centipede5.png");
}

// The overlays drawn for real: two HUD blocks, tally boards mid-tally, a
// continue countdown, a fade over play, the WARNING banner with its letters and popups.
#include "engine/Engine.h"
#include "play/ContinueScreen.h"
#include "play/HudBlock.h"
#include "play/Player2D.h"
#include "play/Scoreboard.h"
#include "play/ScreenFade.h"
#include "play/TextManager.h"
#include "play/Transitions.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
constexpr float DT = 1.f / 60.f;
const sf::Color BACKDROP(20, 30, 60);

using OverlayGl = EngineWindowTest;
} // namespace

TEST_F(OverlayGl, TwoHudBlocksWithCountersGaugesAndBorders)
{
    Player2D one(0, engine().run, engine().textures), two(1, engine().run, engine().textures);
    one.gauge = 100.f;
    one.lives = 3;
    one.speed = 480;
    two.gauge = 60.f;
    two.lives = 2;
    two.speed = 960;
    two.moving = 1;
    HudBlock blocks[2]{HudBlock(engine().textures), HudBlock(engine().textures)};
    blocks[0].init(&one, 1);
    blocks[1].init(&two, 2);
    TextManager counters[2]{TextManager(engine().textures), TextManager(engine().textures)};
    counters[0].addText(TextRequest{TEXT_COUNTER, {20.f, 85.f}, 0, "000000000", 1, 0, 0});
    counters[1].addText(TextRequest{TEXT_COUNTER, {1700.f, 85.f}, 0, "000000000", 1, 0, 0});
    counters[0].setScoreText("001234567");
    counters[1].setScoreText("000098765");
    for (int k = 0; k < 40; ++k)
        for (int i = 0; i < 2; ++i) {
            counters[i].update(DT, false);
            blocks[i].pushNeedle(DT);
            blocks[i].updateSpeedometer(DT);
            blocks[i].updateFlash(DT);
            blocks[i].updateLives(DT);
        }
    counters[0].update(0.005f, false); // catch a digit mid-flip

    window.clear(BACKDROP);
    blocks[1].drawBorders(window); // player 2's block has no border
    const sf::Image bare = screenshot(window, "overlay_hud_no_border_p2");
    EXPECT_LT(coverage(bare, {1800, 0, 120, 1080}, BACKDROP), 0.01f);

    window.clear(BACKDROP);
    blocks[0].drawBorders(window);
    for (int i = 0; i < 2; ++i) {
        blocks[i].drawBars(window, i + 1);
        counters[i].draw(window);
    }
    const sf::Image shot = screenshot(window, "overlay_hud_two_players");
    window.display();
    EXPECT_GT(coverage(shot, {1800, 0, 120, 1080}, BACKDROP), 0.1f);   // right border
    EXPECT_GT(coverage(shot, {20, 70, 190, 30}, BACKDROP), 0.5f);      // player 1 score digits
    EXPECT_GT(coverage(shot, {1700, 70, 190, 30}, BACKDROP), 0.5f);    // player 2 score digits
    EXPECT_GT(coverage(shot, {101, 540, 35, 200}, BACKDROP), 0.8f);    // player 1's full bar
    // Player 2's bar is 60 % full: 136 px up from its bottom edge at 757.
    EXPECT_LT(luminance(shot.getPixel(1798, 600)), 33.f);
    EXPECT_GT(luminance(shot.getPixel(1798, 700)), 83.f);
}

TEST_F(OverlayGl, TallyBoardsMidTallyAndTheSingleBoard)
{
    Player2D one(0, engine().run, engine().textures), two(1, engine().run, engine().textures);
    one.timeBonus = 43210.f;
    one.bossScore = 120500.0;
    one.baseCount = 31;
    one.goldenCount = 4;
    two.timeBonus = 43210.f;
    two.baseCount = 12;
    for (int k = 0; k < 150; ++k) {
        one.killedTypes.push_back((k * 7) % 24);
        two.killedTypes.push_back((k * 5) % 19);
    }
    one.killedTypes.push_back(99); // a type the board has no icon for
    std::vector<PlayerScore> scores{{2500000u, 0u}, {800000u, 0u}};
    std::vector<std::unique_ptr<TextManager>> counters;
    counters.push_back(std::make_unique<TextManager>(engine().textures));
    counters.push_back(std::make_unique<TextManager>(engine().textures));
    {
        Scoreboard left(&one, 0, scores, counters, engine().textures);
        Scoreboard right(&two, 1, scores, counters, engine().textures);
        for (int k = 0; k < 90; ++k) {
            left.revealNext();
            right.revealNext();
        }
        window.clear(BACKDROP);
        left.draw(window);
        right.draw(window);
        const sf::Image shot = screenshot(window, "overlay_scoreboards_mid_tally");
        window.display();
        EXPECT_EQ(shot.getPixel(100, 500), sf::Color::Black);   // the blackout
        EXPECT_GT(coverage(shot, {340, 360, 420, 80}, sf::Color::Black), 0.3f); // first rows of icons
        EXPECT_GT(coverage(shot, {470, 190, 160, 40}, sf::Color::Black), 0.1f); // the score
        // A kill not revealed yet shows nothing: another kind in its place changes no pixel.
        std::vector<int>& kills = one.killedTypes;
        ASSERT_LT(static_cast<size_t>(left.shownIcons), kills.size());
        kills[static_cast<size_t>(left.shownIcons)] = (kills[static_cast<size_t>(left.shownIcons)] + 1) % 19;
        window.clear(BACKDROP);
        left.draw(window);
        right.draw(window);
        EXPECT_EQ(pixelsStandingOut(screenshot(window, "overlay_scoreboards_mid_tally_again"), shot, {0, 0, 1920, 1080}, 10.f), 0);
        window.display();
        // The first kind has its icon too: a kill of no kind in its place leaves a gap.
        ASSERT_EQ(kills[0], 0);
        kills[0] = 99;
        window.clear(BACKDROP);
        left.draw(window);
        right.draw(window);
        EXPECT_GT(pixelsStandingOut(screenshot(window, "overlay_scoreboards_first_icon_gone"), shot, {0, 0, 1920, 1080}, 10.f), 100);
        window.display();
        kills[0] = 0;
        // The right board stands where its texts are: the left one's layout 720 px across.
        EXPECT_EQ(right.background.getPosition() - left.background.getPosition(), sf::Vector2f(720.f, 0.f));
        EXPECT_EQ(right.texts[0].getPosition() - left.texts[0].getPosition(), sf::Vector2f(720.f, 0.f));
        // Every line of the tally is written on the board's picture.
        const sf::FloatRect board = left.background.getGlobalBounds();
        for (const sf::Text& text : left.texts)
            EXPECT_TRUE(board.contains(text.getPosition())) << text.getString().toAnsiString();
    }
    {
        for (int k = 0; k < 100; ++k)
            one.killedTypes.push_back(k % 19);
        Scoreboard single(&one, scores, counters, engine().textures);
        for (int k = 0; k < 100; ++k)
            single.revealNext();
        window.clear(BACKDROP);
        single.drawSingle(window);
        const sf::Image shot = screenshot(window, "overlay_scoreboard_single");
        window.display();
        const float left = single.background.getPosition().x;
        EXPECT_NEAR(left + single.background.getLocalBounds().width / 2.f, 960.f, 1.f);
        EXPECT_GT(coverage(shot, {static_cast<int>(left) + 40, 360, 400, 80}, sf::Color::Black), 0.3f);
        // Below the icons the board's own picture shows, not the blackout.
        EXPECT_GT(coverage(shot, {static_cast<int>(left) + 40, 620, 400, 80}, sf::Color::Black), 0.9f);
    }
}

TEST_F(OverlayGl, ContinueCountdownFadeAndWarningBanner)
{
    ContinueScreen screen(engine().textures);
    screen.sprite.setPosition(10.f, 85.f);
    screen.countingDown = 1;
    window.clear(BACKDROP);
    screen.draw(window); // binds the pictures
    for (int k = 0; k < 390; ++k)
        screen.tick(DT);
    window.clear(BACKDROP);
    screen.draw(window);
    const sf::Image countdown = screenshot(window, "overlay_continue_countdown");
    window.display();
    EXPECT_GT(coverage(countdown, {10, 85, 220, 300}, BACKDROP), 0.8f);

    // A fade half way over a bright field darkens it evenly.
    ScreenFade fade(sf::Color::Black, false, 2.f);
    fade.update(1.f);
    sf::RectangleShape field({1920.f, 1080.f});
    field.setFillColor(sf::Color(200, 200, 200));
    window.clear();
    window.draw(field);
    window.draw(fade.rectangle);
    const sf::Image faded = screenshot(window, "overlay_fade_half");
    window.display();
    EXPECT_NEAR(faded.getPixel(960, 540).r, 200 - 200 * 127 / 255, 3);

    // The banner on its second row with the WARNING letters and two popups.
    TransitionManager transitions(engine().textures);
    transitions.add(std::make_unique<WarningTransition>(sf::Vector2f(960.f, 540.f)));
    for (int k = 0; k < 75; ++k)
        transitions.update(DT);
    TextManager texts(engine().textures);
    texts.addText(TextRequest{TEXT_WARNING, {860.f, 820.f}, 0, "", 0, 0, 0});
    texts.addText(TextRequest{TEXT_POPUP, {400.f, 300.f}, 0, "", 0, 0, 0});
    texts.addText(TextRequest{TEXT_POPUP, {410.f, 310.f}, 0, "", 0, 0, 0}); // overlaps: dropped
    texts.addText(TextRequest{TEXT_POPUP, {1400.f, 300.f}, 0, "", 0, 0, 0});
    EXPECT_EQ(texts.nodeCount(), 9);
    for (int k = 0; k < 90; ++k)
        texts.update(DT, false);
    window.clear(BACKDROP);
    transitions.draw(window);
    texts.drawTexts(window);
    const sf::Image banner = screenshot(window, "overlay_warning_banner");
    window.display();
    EXPECT_GT(coverage(banner, {600, 400, 720, 280}, BACKDROP), 0.7f);
    EXPECT_GT(coverage(banner, {860, 820, 200, 120}, BACKDROP), 0.05f);
    EXPECT_GT(coverage(banner, {400, 300, 80, 50}, BACKDROP), 0.05f);
    for (int k = 0; k < 40; ++k)
        texts.update(DT, false);
    EXPECT_EQ(texts.nodeCount(), 7); // the popups are gone after 2 s
}

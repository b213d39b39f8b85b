// Whole frames of play driven in-process with synthetic keys and pads.
#include "app/MainLoop.h"
#include "engine/Engine.h"
#include "engine/Scenes.h"
#include "enemies/EnemyTypes.h"
#include "gameplay/GameBindings.h"
#include "gameplay/GameState.h"
#include "play/Laser.h"
#include "play/Shield.h"
#include "support/GameFixtures.h"
#include "support/VirtualPads.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>

using namespace testing_support;

namespace {

constexpr float FRAME = 1.f / 60.f;

// Level 1 has two sequences: ladybugs flying down the middle, then a finish.
const char* const LEVEL_INDEX = "NB_LEVELS 1\nNB_SEQUENCE 1 2";
const char* const LADYBUG_SEQUENCE =
    "UP\n"
    "SPAWNER1 POSITION 960 120 DIRECTION 270 SPAWN_TIMER 0.2 DELAY_TIMER 0.4 NB_MAX_ENEMY 6 PATTERN_ID 7\n";
const char* const EMPTY_SEQUENCE = "UP\n";

class GameStatePlay : public GameWindowTest {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        writeFile(levels.file("LevelsData.txt"), LEVEL_INDEX);
        writeFile(levels.file("LEVEL_1_SEQUENCE_1.txt"), LADYBUG_SEQUENCE);
        writeFile(levels.file("LEVEL_1_SEQUENCE_2.txt"), EMPTY_SEQUENCE);
    }

    // A story game past its opening camera path: scene 2, first sequence loaded.
    GameState& startGame(int pads = 1)
    {
        for (int i = 0; i < pads; ++i)
            in.pads.connected[i] = true;
        game = std::make_unique<GameState>(GameMode::Story, servicesOf(engine()), levels.path + "/");
        for (int i = 1; i < pads; ++i)
            game->joystickConnected(static_cast<unsigned>(i));
        engine().world.cameraPath().markEnded();
        game->update(FRAME);
        // Skip the level's opening flash, which holds input back for a second.
        game->transitions.clear();
        for (int i = 0; i < game->playerCount(); ++i)
            game->players[i]->position = {760.f + 400.f * i, 900.f};
        return *game;
    }

    // Aims pad i straight up with the right stick, which also fires.
    void aimUpAndShoot(int padIndex) { in.pads.states[padIndex].thumbRY = 32000; }
};

TEST_F(GameStatePlay, PauseFreezesTheWorldUntilResumedAndQuitLeaves)
{
    GameState& g = startGame();
    aimUpAndShoot(0);
    frames(10);
    holdKey(sf::Keyboard::Escape);
    ASSERT_TRUE(engine().run.paused);
    const size_t shotCount = g.shots->bullets.size();
    const sf::Vector2f firstShot = g.shots->bullets.front().position;
    const float clock = g.spawner.clock;
    frames(30);
    EXPECT_EQ(g.shots->bullets.size(), shotCount);
    EXPECT_EQ(g.shots->bullets.front().position, firstShot);
    EXPECT_FLOAT_EQ(g.spawner.clock, clock);
    EXPECT_EQ(shot("gameplay_paused").getSize().x, 1920u);

    // Resume (pad A) unpauses; the rest of that frame is still skipped.
    in.pads.states[0].buttons = pad::A;
    EXPECT_EQ(frames(1), StateCode::Stay);
    in.pads.states[0].buttons = 0;
    EXPECT_FALSE(engine().run.paused);
    EXPECT_FLOAT_EQ(g.spawner.clock, clock);
    frames(1);
    EXPECT_GT(g.spawner.clock, clock);

    holdKey(sf::Keyboard::Escape);
    EXPECT_EQ(holdKey(sf::Keyboard::BackSpace), StateCode::MenuNoLogo);
    EXPECT_FALSE(engine().run.paused);
}

TEST_F(GameStatePlay, TheLaserKeyRaisesTheShieldOnlyWithEnoughGaugeAndFiresTheLevelsWay)
{
    Player2D& ship = *startGame().players[0];
    ship.gauge = 19.9f;
    in.keyboard.press(sf::Keyboard::L);
    frames(2);
    EXPECT_EQ(ship.mode, WeaponMode::Normal) << "19.9 is not enough for the shield";
    ship.gauge = 60.f;
    frames(31);
    ASSERT_EQ(ship.mode, WeaponMode::Charging);
    EXPECT_GT(ship.shield->radius, 50.f);

    // Release: the laser fires straight up in an upward level.
    in.keyboard.release(sf::Keyboard::L);
    frames(1);
    ASSERT_EQ(ship.mode, WeaponMode::Laser);
    EXPECT_FLOAT_EQ(ship.laser->angle, -90.f);
}

TEST_F(GameStatePlay, TwoPlayersShareTheKeyboardEarnLivesAndBonusesAndOneOutOfLivesIsLeftAlone)
{
    GameState& g = startGame(2);
    ASSERT_EQ(g.playerCount(), 2);
    g.joystickConnected(3);
    EXPECT_EQ(g.playerCount(), 2) << "a further pad adds nobody";
    Player2D& one = *g.players[0];
    Player2D& two = *g.players[1];

    const sf::Vector2f p0 = one.position, p1 = two.position;
    holdKey(sf::Keyboard::Z, 10);
    EXPECT_LT(one.position.y, p0.y - 50.f);
    EXPECT_LT(two.position.y, p1.y - 50.f);

    // Only pad 1 shoots: every shot belongs to player 2.
    aimUpAndShoot(1);
    frames(12);
    in.pads.states[1] = {};
    ASSERT_FALSE(g.shots->bullets.empty());
    const auto anglesShot = [&g] {
        std::set<float> angles;
        for (const Bullet& b : g.shots->bullets) {
            EXPECT_EQ(b.owner, 1);
            angles.insert(b.angle);
        }
        return angles.size();
    };
    EXPECT_EQ(anglesShot(), 1u) << "twin shots go the way the ship aims";
    // With the fan bonus running its volleys spread.
    two.startFanShot(2.f);
    g.shots->bullets.clear();
    aimUpAndShoot(1);
    frames(12);
    in.pads.states[1] = {};
    EXPECT_GE(anglesShot(), 3u);

    // Holding C while a key event arrives fills player 1's gauge.
    in.keyboard.press(sf::Keyboard::C);
    g.checkKeys(sf::Event::KeyEvent{sf::Keyboard::A, false, false, false, false});
    in.keyboard.release(sf::Keyboard::C);
    EXPECT_FLOAT_EQ(one.gauge, 100.f);

    // Normal difficulty: past 5,000,000 life points one life, 1 point kept; never above 99.
    g.award(0, 5000001u);
    const int lives = one.lives;
    frames(1);
    EXPECT_EQ(one.lives, lives + 1);
    EXPECT_EQ(g.scores[0].lifePoints, 1u);
    EXPECT_EQ(g.scores[0].score, 5000001u);
    one.lives = 99;
    g.award(0, 5000001u);
    frames(1);
    EXPECT_EQ(one.lives, 99);
    // Easy pays a life past 1,000,000 points, hard past 10,000,000; the threshold itself is not past it.
    for (auto [difficulty, threshold] : {std::pair{Difficulty::Easy, 1000000u}, std::pair{Difficulty::Normal, 5000000u},
                                         std::pair{Difficulty::Hard, 10000000u}}) {
        engine().run.difficulty = difficulty;
        one.lives = 3;
        g.scores[0].lifePoints = 0;
        g.award(0, threshold);
        frames(1);
        EXPECT_EQ(one.lives, 3) << "difficulty " << static_cast<int>(difficulty);
        g.award(0, 1u);
        frames(1);
        EXPECT_EQ(one.lives, 4) << "difficulty " << static_cast<int>(difficulty);
    }
    engine().run.difficulty = Difficulty::Normal;

    // Bonuses leaving the field: x = -25 goes, x = -15 stays, x = 1925 goes.
    g.bonuses->bonuses.clear();
    for (float x : {-25.f, -15.f, 1925.f})
        g.bonuses->spawn({x, 500.f}, {x, 400.f}, BONUS_BASE); // drifting up
    frames(1);
    ASSERT_EQ(g.bonuses->bonuses.size(), 1u);
    EXPECT_NEAR(g.bonuses->bonuses[0]->position.x, -15.f, 1.f);
    g.bonuses->bonuses.clear();

    // Player 2's last life goes: it is out at once and its pad stops rumbling.
    two.lives = 1;
    two.gauge = 60.f;
    in.pads.states[1].rightTrigger = 255; // the laser trigger raises the shield
    frames(2);
    ASSERT_GT(in.pads.vibrations[1].leftMotor, 0);
    two.destroyShield();
    two.mode = WeaponMode::Normal;
    const auto enemyBulletAt = [&g](sf::Vector2f at) {
        Bullet bullet;
        bullet.position = at;
        bullet.type = 2;
        bullet.animation = g.enemies.enemyBullets->typeAnimations[2];
        g.enemies.enemyBullets->bullets.push_back(bullet);
    };
    enemyBulletAt(two.position);
    g.collideEnemyBulletsWithPlayers();
    EXPECT_EQ(two.lives, 0);
    EXPECT_FALSE(g.isLive(1));
    EXPECT_EQ(in.pads.vibrations[1].leftMotor, 0);
    const int calls = in.pads.vibrationCalls;
    frames(5);
    in.pads.states[1] = {};
    EXPECT_EQ(in.pads.vibrations[1].leftMotor, 0);
    EXPECT_TRUE(g.isLive(0));
    EXPECT_GT(in.pads.vibrationCalls, calls) << "player 1 still gets its rumble";

    // A bonus 150 px from a live ship is drawn to it; one near the ship that is out is not.
    g.bonuses->spawn(one.position + sf::Vector2f(0.f, -150.f), one.position, BONUS_BASE);
    g.bonuses->spawn(two.position + sf::Vector2f(0.f, -150.f), two.position, BONUS_BASE);
    g.collectBonuses();
    EXPECT_TRUE(g.bonuses->bonuses[0]->attracted);
    EXPECT_FALSE(g.bonuses->bonuses[1]->attracted);

    // A bonus on the ship is collected once and scores its points.
    const uint32_t before = g.scores[0].score;
    g.bonuses->spawn(one.position, one.position, BONUS_GOLDEN);
    g.collectBonuses();
    EXPECT_EQ(g.scores[0].score, before + 10000u);
    EXPECT_EQ(one.goldenCount, 1);

    // Out, player 2 no longer moves, shoots or gets hit (past its hit phase, only being out stops it).
    two.invulnerable = 0;
    two.blinking = 0;
    g.shots->bullets.clear();
    g.enemies.enemyBullets->bullets.clear();
    const sf::Vector2f out = two.position;
    in.keyboard.press(sf::Keyboard::Q);
    aimUpAndShoot(1);
    frames(10);
    in.keyboard.release(sf::Keyboard::Q);
    in.pads.states[1] = {};
    EXPECT_EQ(two.position, out);
    EXPECT_TRUE(g.shots->bullets.empty());
    enemyBulletAt(out);
    g.collideEnemyBulletsWithPlayers();
    EXPECT_EQ(two.lives, 0);
    EXPECT_EQ(g.enemies.enemyBullets->bullets.size(), 1u);

    // A hit ship holds its fire while it explodes.
    one.hit();
    aimUpAndShoot(0);
    frames(10);
    in.pads.states[0] = {};
    EXPECT_TRUE(g.shots->bullets.empty());
}

// The same games on SDL's virtual pads, pumped once per frame as the main loop does.
class GameOnSdlPads : public GameStatePlay {
protected:
    void padFrames(int n)
    {
        for (int i = 0; i < n; ++i) {
            pad::pump();
            frames(1);
        }
    }
    MotorSpeeds lastRumble(const VirtualPad& pad) const { return pad.rumbles.empty() ? MotorSpeeds{} : pad.rumbles.back(); }

    SdlPadsInstalled sdl;
};

TEST_F(GameOnSdlPads, APadPluggedInMidGameAddsPlayerTwoWhoStaysWhenItIsUnplugged)
{
    VirtualPad first;
    pad::pump(); // plugged in before the game
    startGame();
    ASSERT_EQ(game->playerCount(), 1);
    MainLoop loop(window, StateFactory{}, std::move(game));
    std::deque<sf::Event> noEvents;
    feedEvents(loop, noEvents);
    loop.render3D = nullptr;
    GameState& g = *static_cast<GameState*>(loop.currentState());

    VirtualPad second(false); // a pad without rumble
    second.hold(SDL_CONTROLLER_BUTTON_A);
    loop.runFrame();
    ASSERT_EQ(g.playerCount(), 2);
    EXPECT_TRUE(isActionPressed(g.playBindings(), game_action::SHOOT, 1));
    EXPECT_FALSE(isActionPressed(g.playBindings(), game_action::SHOOT, 0));

    // Player 2 raises its shield from its own pad: the rumble is refused and play goes on.
    g.players[1]->gauge = 60.f;
    second.hold(SDL_CONTROLLER_BUTTON_A, false);
    second.pull(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    for (int i = 0; i < 5; ++i)
        loop.runFrame();
    EXPECT_EQ(g.players[1]->mode, WeaponMode::Charging);
    EXPECT_FALSE(pad::setVibration(1, 20000, 20000));

    // (Which slot each pad keeps is SdlPads'.)
    testing::internal::CaptureStdout();
    second.unplug();
    loop.runFrame();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "La Manette numéro : 1\n");
    EXPECT_FALSE(pad::isConnected(1));
    EXPECT_EQ(g.playerCount(), 2) << "player 2 stays in the game";
}

TEST_F(GameOnSdlPads, TheGamesRumbleReachesThePadAndStopsWhenItShould)
{
    VirtualPad pad;
    pad::pump();
    GameState& g = startGame();
    Player2D& ship = *g.players[0];

    // The charging shield holds both motors at 20000.
    ship.gauge = 60.f;
    pad.pull(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    padFrames(10);
    ASSERT_EQ(ship.mode, WeaponMode::Charging);
    EXPECT_EQ(lastRumble(pad), (MotorSpeeds{20000, 20000}));

    // Pause stops it at once; resuming brings it back.
    pad.hold(SDL_CONTROLLER_BUTTON_START);
    padFrames(1);
    pad.hold(SDL_CONTROLLER_BUTTON_START, false);
    ASSERT_TRUE(engine().run.paused);
    EXPECT_EQ(lastRumble(pad), (MotorSpeeds{0, 0}));
    pad.hold(SDL_CONTROLLER_BUTTON_A);
    padFrames(1);
    pad.hold(SDL_CONTROLLER_BUTTON_A, false);
    padFrames(1);
    ASSERT_FALSE(engine().run.paused);
    EXPECT_EQ(lastRumble(pad), (MotorSpeeds{20000, 20000}));

    // The laser starts near 65000 and fades, both motors together, to a stop as it ends.
    pad.pull(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
    padFrames(2);
    ASSERT_EQ(ship.mode, WeaponMode::Laser);
    const size_t laserStart = pad.rumbles.size() - 1;
    for (int i = 0; i < 60 * 20 && ship.laser; ++i)
        padFrames(1);
    ASSERT_EQ(ship.laser, nullptr);
    padFrames(1);
    ASSERT_GT(pad.rumbles.size(), laserStart + 10);
    EXPECT_GT(pad.rumbles[laserStart].low, 60000);
    for (size_t i = laserStart; i + 1 < pad.rumbles.size(); ++i) {
        EXPECT_EQ(pad.rumbles[i].low, pad.rumbles[i].high);
        EXPECT_LT(pad.rumbles[i + 1].low, pad.rumbles[i].low);
    }
    EXPECT_EQ(lastRumble(pad), (MotorSpeeds{0, 0}));

    // A revive gives one full jolt and stops it.
    g.continueScreens[0].countingDown = 1;
    padFrames(1);
    const size_t beforeRevive = pad.rumbles.size();
    pad.hold(SDL_CONTROLLER_BUTTON_A);
    padFrames(1);
    EXPECT_EQ(std::vector<MotorSpeeds>(pad.rumbles.begin() + beforeRevive, pad.rumbles.end()),
              (std::vector<MotorSpeeds>{{65000, 65000}, {0, 0}}));
}

TEST_F(GameStatePlay, TheShipIsDrawnWhereItFliesAndLeftOutOfTheScenesWithoutShips)
{
    GameState& g = startGame();
    const sf::Vector2f left(560.f, 900.f), right(1360.f, 900.f); // both out of the ladybugs' way
    const auto around = [](sf::Vector2f p) { return sf::IntRect(int(p.x) - 100, int(p.y) - 100, 200, 200); };
    g.players[0]->position = left;
    const sf::Image atLeft = shot("gameplay_ship_left");
    g.players[0]->position = right;
    const sf::Image atRight = shot("gameplay_ship_right");
    EXPECT_GT(pixelsStandingOut(atLeft, atRight, around(left), 40.f), 400) << "the ship shows where it flies";
    EXPECT_GT(pixelsStandingOut(atRight, atLeft, around(right), 40.f), 400);

    engine().world.enterScene(scene::DIVE); // the dive between two parts of level 1: no ships
    const sf::Image inTheDive = shot("gameplay_ship_in_the_dive");
    EXPECT_GT(pixelsStandingOut(atRight, inTheDive, around(right), 40.f), 400) << "no ship in the dive";
}

TEST_F(GameStatePlay, APlayerWhoGaveUpKeepsItsFinalScoreInView)
{
    // Either player gives up; the other plays on. Player 1's score place is in
    // the left margin, player 2's 1680 px to its right.
    const sf::IntRect playerOnesPlace(8, 35, 220, 80);
    for (const int quitter : {0, 1}) {
        SCOPED_TRACE(quitter);
        GameState& g = startGame(2);
        const int other = 1 - quitter;
        g.players[other]->position = {quitter == 0 ? 1500.f : 420.f, 900.f}; // out of the ladybugs' way
        g.award(0, 4321);
        g.award(1, 4321);
        g.players[quitter]->lives = 0;
        g.continueScreens[quitter].countingDown = 1;
        frames(60 * 11);
        ASSERT_TRUE(g.continueScreens[quitter].gaveUp);
        ASSERT_TRUE(g.isLive(other));
        ASSERT_EQ(g.scores[other].score, 4321u);

        // The quitter's score panel and digits show what the other's show.
        const sf::Image picture = shot("gameplay_player_gave_up_" + std::to_string(quitter + 1));
        sf::IntRect quitterPlace = playerOnesPlace, otherPlace = playerOnesPlace;
        (quitter == 0 ? otherPlace : quitterPlace).left += 1680;
        EXPECT_GT(coverage(picture, quitterPlace, sf::Color(20, 30, 60)), 0.5f);
        sf::Image othersPlace;
        othersPlace.create(1920, 1080);
        othersPlace.copy(picture, static_cast<unsigned>(quitterPlace.left), 0,
                         {otherPlace.left, 0, otherPlace.width, 1080});
        EXPECT_LT(pixelsStandingOut(picture, othersPlace, quitterPlace, 1.f),
                  quitterPlace.width * quitterPlace.height / 20);
    }
}

} // namespace

// Whole runs of the level flow in-process: level 1 from the intro to the
// corridor, levels 2 to 4 to the credits, continues, revives and the game
// over, with synthetic keys, fixed frame times and screenshots.
#include "audio/SoundManager.h"
#include "app/Startup.h"
#include "bosses/Boss.h"
#include "engine/Engine.h"
#include "engine/SceneChange.h"
#include "gameplay/GameState.h"
#include "play/Scoreboard.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>
#include <memory>

using namespace testing_support;

namespace {

// Four levels of 4, 1, 3 and 2 sequences.
const char* const LEVEL_INDEX = "NB_LEVELS 4\nNB_SEQUENCE 1 4\nNB_SEQUENCE 2 1\nNB_SEQUENCE 3 3\nNB_SEQUENCE 4 2";

bool humming(LoopedEffect effect) { return soundManager().loop(effect).getStatus() == sf::SoundSource::Playing; }

std::string finishAt(float seconds)
{
    return "SPAWNER1 POSITION 960 540 DIRECTION 0 SPAWN_TIMER " + std::to_string(seconds) +
           " DELAY_TIMER 0 NB_MAX_ENEMY 1 PATTERN_ID 16\n";
}

class LevelFlow : public GameWindowTest {
protected:
    // Every sequence ends `seconds` in.
    void writeLevels(float seconds = 0.5f)
    {
        writeFile(levels.file("LevelsData.txt"), LEVEL_INDEX);
        const int counts[4] = {4, 1, 3, 2};
        for (int level = 1; level <= 4; ++level)
            for (int s = 1; s <= counts[level - 1]; ++s)
                writeFile(levels.file("LEVEL_" + std::to_string(level) + "_SEQUENCE_" + std::to_string(s) + ".txt"),
                          std::string(level == 2 ? "RIGHT\n" : "UP\n") + finishAt(seconds));
    }

    GameState& start(int startLevel, int players = 1, const std::string& folder = "")
    {
        engine().run.startLevel = startLevel;
        game = std::make_unique<GameState>(GameMode::Story, servicesOf(engine()), folder.empty() ? levels.path + "/" : folder);
        for (int i = 1; i < players; ++i) {
            in.pads.connected[i] = true;
            game->joystickConnected(static_cast<unsigned>(i));
        }
        return *game;
    }

    // The camera path of the current scene ends.
    void pathEnds()
    {
        engine().world.cameraPath().markEnded();
        frames(1);
    }

    void pressRevive() { holdKey(sf::Keyboard::U); }

    int countTransitions(int type) const
    {
        int n = 0;
        for (const std::unique_ptr<Transitions>& t : game->transitions.transitions)
            n += t->getType() == type;
        return n;
    }

    // The boss falls as when a hit pass reports it defeated.
    void defeatBoss()
    {
        ASSERT_FALSE(game->bosses.bosses.empty());
        game->bosses.bosses.erase(game->bosses.bosses.begin());
    }

    // Explosions, then the level's fade, then the tallies.
    void explodeFadeAndTally()
    {
        ASSERT_TRUE(until([&] { return !game->explosions().finished; }, 3));
        ASSERT_TRUE(until([&] { return game->screenFade() && game->screenFade()->fadeIn; }, 60 * 8));
        EXPECT_EQ(game->scoreboard(0), nullptr);
        ASSERT_TRUE(until([&] { return game->scoreboard(0) != nullptr; }, 60 * 4));
    }
};

TEST_F(LevelFlow, LevelOneRunsFromTheIntroThroughItsBossToTheCorridorAndTheFlyOutEndsALaser)
{
    writeLevels(4.f);
    const int sequenceFrames = 60 * 5;
    GameState& g = start(0);
    Player2D& ship = *g.players[0];
    ASSERT_EQ(engine().world.sceneId(), scene::INTRO);
    frames(30);
    EXPECT_EQ(engine().world.sceneId(), scene::INTRO); // the intro waits for its camera path

    pathEnds();
    ASSERT_EQ(engine().world.sceneId(), scene::OPEN_SPACE);
    EXPECT_EQ(g.sequenceIndex(), 0);
    EXPECT_EQ(countTransitions(TRANSITION_PLAYER_2D3D), 1); // the ship turns from its 3D model into play

    ASSERT_TRUE(until([] { return engine().world.sceneId() == scene::ASTEROIDS; }, sequenceFrames));
    EXPECT_EQ(g.sequenceIndex(), 1);
    ship.gauge = 100.f;
    holdKey(sf::Keyboard::L, 60 * 2);
    frames(10);
    ASSERT_EQ(ship.mode, WeaponMode::Laser); // fires for charge + 1 s, past the fly-out
    ASSERT_TRUE(humming(LOOP_LASER_ACTIVE));

    // Its sequence ends while the path runs: the ships fly out, the laser ends silent, the scene stays.
    ASSERT_TRUE(until([&] { return countTransitions(TRANSITION_PLAYER_OUT_UP) == 1; }, sequenceFrames));
    EXPECT_EQ(ship.mode, WeaponMode::Normal);
    EXPECT_EQ(ship.laser, nullptr);
    EXPECT_FALSE(humming(LOOP_LASER_ACTIVE));
    EXPECT_FALSE(humming(LOOP_CHARGE_LASER));
    EXPECT_EQ(engine().world.sceneId(), scene::ASTEROIDS);
    const float y0 = ship.position.y;
    frames(20);
    EXPECT_LT(ship.position.y, y0 - 150.f);

    pathEnds();
    ASSERT_EQ(engine().world.sceneId(), scene::DIVE);
    pathEnds();
    ASSERT_EQ(engine().world.sceneId(), scene::GAS_GIANT);
    EXPECT_EQ(g.sequenceIndex(), 2);
    frames(1); // the ships fly back in from below the screen
    EXPECT_GT(ship.position.y, 1080.f);
    ASSERT_TRUE(until([&] { return countTransitions(TRANSITION_PLAYER_IN_UP) == 0; }, 60 * 5));
    EXPECT_NEAR(ship.position.y, 880.f, 4.f);
    EXPECT_NEAR(ship.position.x, 960.f, 0.5f);

    ASSERT_TRUE(until([] { return engine().world.sceneId() == scene::APPROACH; }, sequenceFrames));
    EXPECT_EQ(g.sequenceIndex(), 3);
    ASSERT_TRUE(until([&] { return countTransitions(TRANSITION_WARNING) == 1; }, sequenceFrames));

    pathEnds();
    ASSERT_EQ(engine().world.sceneId(), scene::TOWER);
    ASSERT_EQ(g.bosses.bosses.size(), 1u);
    EXPECT_EQ(g.bosses.bosses.front()->getType(), BossType::Icarus);
    EXPECT_TRUE(ship.bossLevel);

    // The boss falls; the board waits for REVIVE, then level 2 starts at the left of the corridor.
    frames(10);
    ship.killedTypes.insert(ship.killedTypes.end(), {1, 2, 3});
    const float bonusAtTheFall = ship.timeBonus;
    ASSERT_GT(bonusAtTheFall, 1000.f);
    defeatBoss();
    frames(2);
    EXPECT_EQ(ship.timeBonus, bonusAtTheFall) << "the tally pays the time left when the boss fell";
    explodeFadeAndTally();
    EXPECT_FALSE(ship.bossLevel);
    frames(90);
    EXPECT_EQ(g.scoreboard(0)->shownIcons, static_cast<int>(ship.killedTypes.size())); // every kill shown
    EXPECT_EQ(engine().world.sceneId(), scene::TOWER);
    pressRevive();
    EXPECT_EQ(engine().world.sceneId(), scene::CORRIDOR);
    EXPECT_EQ(g.sequenceIndex(), 4);
    EXPECT_EQ(g.scoreboard(0), nullptr);
    EXPECT_EQ(ship.position, sf::Vector2f(440.f, 540.f));
}

TEST_F(LevelFlow, LevelsTwoToFourEndInTheCreditsWithTheScores)
{
    writeLevels();
    GameState& g = start(1, 2);
    ASSERT_EQ(engine().world.sceneId(), scene::CORRIDOR);
    ASSERT_EQ(g.sequenceIndex(), 4);
    g.award(0, 1200);
    g.award(1, 3400);

    // Player 2 out: it takes no input while its countdown runs.
    Player2D& two = *g.players[1];
    two.lives = 0;
    two.killedTypes = {1, 2, 3};
    g.continueScreens[1].countingDown = 1;
    const sf::Vector2f out = two.position;
    holdKey(sf::Keyboard::S, 60);
    EXPECT_EQ(two.position, out);
    // Revived, it comes back whole at the corridor's left, its score (not its life points) reset.
    pressRevive();
    EXPECT_TRUE(g.isLive(1));
    EXPECT_EQ(two.lives, 3);
    EXPECT_TRUE(two.killedTypes.empty());
    EXPECT_EQ(two.position, sf::Vector2f(440.f, 540.f));
    EXPECT_EQ(g.scores[1].score, 0u);
    EXPECT_EQ(g.scores[1].lifePoints, 3400u);
    EXPECT_EQ(g.scoreCounter(1).text(), "000000000");
    g.award(1, 3400);

    // The sequence ended on the first second: the fade, then a board per player.
    ASSERT_TRUE(until([&] { return g.scoreboard(0) != nullptr; }, 60 * 5));
    ASSERT_NE(g.scoreboard(1), nullptr);
    pressRevive();
    EXPECT_EQ(engine().world.sceneId(), scene::LEVEL3_START);
    EXPECT_EQ(g.sequenceIndex(), 5);
    EXPECT_EQ(g.players[0]->position, sf::Vector2f(960.f, 540.f));

    ASSERT_TRUE(until([] { return engine().world.sceneId() == scene::LEVEL3_MIDDLE; }, 120));
    EXPECT_EQ(g.sequenceIndex(), 6);
    ASSERT_TRUE(until([] { return engine().world.sceneId() == scene::LEVEL3_END; }, 120));
    EXPECT_EQ(g.sequenceIndex(), 7);
    ASSERT_TRUE(until([] { return engine().world.sceneId() == scene::ARENA; }, 180));
    EXPECT_EQ(g.sequenceIndex(), 8);
    ASSERT_EQ(g.bosses.bosses.size(), 1u);
    EXPECT_EQ(g.bosses.bosses.front()->getType(), BossType::Murzel);
    EXPECT_TRUE(g.players[0]->bossLevel && g.players[1]->bossLevel);

    // It falls during its escort sequence: the defeat still counts.
    defeatBoss();
    explodeFadeAndTally();
    EXPECT_EQ(g.sequenceIndex(), 9);
    EXPECT_TRUE(g.enemies.enemies.empty());
    EXPECT_FALSE(g.players[0]->bossLevel);
    frames(30);
    const std::vector<unsigned> expected{g.scores[0].score, g.scores[1].score};
    EXPECT_EQ(holdKey(sf::Keyboard::U), StateCode::Cinematic);
    EXPECT_EQ(g.getScores(), expected);
    EXPECT_GE(expected[0], 1200u);
    EXPECT_GE(expected[1], 3400u);
}

TEST_F(LevelFlow, EveryoneOutEndsTheGameWithExactlyTheScores)
{
    writeLevels();
    GameState& g = start(0, 2);
    g.award(0, 1200);
    g.award(1, 3400);
    for (int i = 0; i < 2; ++i) {
        g.players[i]->lives = 0;
        g.continueScreens[i].countingDown = 1;
    }
    ASSERT_TRUE(until([&] { return g.isGameOver(); }, 60 * 11));
    EXPECT_TRUE(g.enemies.enemies.empty());

    // The flow has stopped: a finished camera path changes nothing now.
    engine().world.cameraPath().markEnded();
    frames(60 * 6);
    EXPECT_EQ(engine().world.sceneId(), scene::INTRO);
    EXPECT_TRUE(until([&] { return last == StateCode::HighScores; }, 60 * 7));
    EXPECT_GT(g.gameOverSeconds(), 12.f);
    EXPECT_EQ(g.getScores(), (std::vector<unsigned>{1200u, 3400u}));
}

TEST_F(LevelFlow, MissingLevelFilesNeverStallTheFlow)
{
    // No level index and no sequence: level 3 still plays through to the final boss.
    GameState& g = start(2);
    ASSERT_EQ(engine().world.sceneId(), scene::LEVEL3_START);
    EXPECT_EQ(g.sequenceIndex(), 5);
    ASSERT_TRUE(until([] { return engine().world.sceneId() == scene::ARENA; }, 120));
    EXPECT_EQ(g.bosses.bosses.size(), 1u);
    ASSERT_TRUE(until([&] { return g.sequenceIndex() == 9; }, 10));
    ASSERT_TRUE(until([&] { return g.sequenceIndex() == 8; }, 10));

    // Garbage and truncated sequence files behave as empty ones.
    writeFile(levels.file("LevelsData.txt"), LEVEL_INDEX);
    writeFile(levels.file("LEVEL_1_SEQUENCE_1.txt"), "\x01\x02garbage SPAWNER1 POSITION 3");
    writeFile(levels.file("LEVEL_1_SEQUENCE_2.txt"), "UP\nSPAWNER1 POSITION 960 540 DIRECTION 0 SPAWN_TIMER 0.2 DELAY_TIMER 0.1 NB_MAX_ENEMY 2 PATTERN_ID 7\n");
    game.reset();
    start(0);
    pathEnds();
    ASSERT_TRUE(until([] { return engine().world.sceneId() == scene::ASTEROIDS; }, 30));
    ASSERT_TRUE(until([&] { return countTransitions(TRANSITION_PLAYER_OUT_UP) == 1; }, 60));
}

} // namespace

TEST_F(LevelFlow, ALaserChargeHeldIntoTheTallyIsPaidBackNotGrownBehindTheBoard)
{
    writeLevels();
    GameState& g = start(1); // level 2 ends after half a second: a 3 s fade, then the board
    Player2D& ship = *g.players[0];
    ship.gauge = 100.f;
    ASSERT_TRUE(until([&] { return g.screenFade() && g.screenFade()->fadeIn; }, 60 * 2));
    frames(60 * 2);
    // Two thirds into the fade the field is well on its way to black.
    EXPECT_LT(luminance(shot("level_end_fade").getPixel(960, 300)), luminance(sf::Color(20, 30, 60)) / 2.f);
    in.keyboard.press(sf::Keyboard::L); // held through the end of the fade
    frames(30);
    ASSERT_EQ(ship.mode, WeaponMode::Charging);
    ASSERT_TRUE(humming(LOOP_CHARGE_LASER));
    ASSERT_TRUE(until([&] { return g.scoreboard(0) != nullptr; }, 60 * 2));
    frames(1);
    in.keyboard.release(sf::Keyboard::L);
    frames(60 * 20);

    // The charge ended with the board up: no shield, no hum, its cost paid back.
    EXPECT_EQ(ship.mode, WeaponMode::Normal);
    EXPECT_EQ(ship.shield, nullptr);
    EXPECT_FALSE(humming(LOOP_CHARGE_LASER));
    EXPECT_GT(ship.gauge, 20.f);

    // Level 3 starts with an ordinary ship, not a long laser inside a huge shield.
    pressRevive();
    ASSERT_EQ(engine().world.sceneId(), scene::LEVEL3_START);
    frames(10);
    EXPECT_EQ(ship.mode, WeaponMode::Normal);
    EXPECT_EQ(ship.laser, nullptr);
    EXPECT_EQ(ship.shield, nullptr);
}

TEST_F(LevelFlow, APlayerJoiningMidLevelFacesTheLevelsWayAndSharesItsBossLevel)
{
    writeLevels(60.f);
    writeFile(levels.file("LEVEL_4_SEQUENCE_1.txt"), "RIGHT\n" + finishAt(60.f));
    engine().run.difficulty = static_cast<Difficulty>(99); // an unknown difficulty keeps the ship's own lives
    GameState& g = start(3);      // level 4: the final boss from the first frame
    EXPECT_EQ(g.sequenceIndex(), 8);
    EXPECT_EQ(g.players[0]->lives, Player2D(0, engine().run, engine().textures).lives);
    EXPECT_TRUE(g.players[0]->bossLevel);
    frames(60);
    in.pads.connected[1] = true;
    g.joystickConnected(1);
    ASSERT_EQ(g.playerCount(), 2);
    const Player2D& second = *g.players[1];
    EXPECT_EQ(second.facing, g.players[0]->facing);
    EXPECT_EQ(second.facing, scroll_direction::RIGHT);
    EXPECT_TRUE(second.bossLevel);
    frames(2);
    EXPECT_FLOAT_EQ(second.timeBonus, g.players[0]->timeBonus); // the boss timer's bonus too
    EXPECT_GT(second.timeBonus, 0.f);
}

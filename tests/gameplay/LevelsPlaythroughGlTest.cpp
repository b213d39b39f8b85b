// Every shipped sequence played in-process from its start to its Finish by a
// keyboard player who holds fire and sweeps the side of the field the level
// leaves behind: in a RIGHT level the ship keeps to the left and sweeps up and
// down (its shots fly right); in an UP level it keeps to the bottom and sweeps
// left and right (its shots fly up). The waves must come in from ahead or over
// the edges beside, fall to those shots in good numbers, and the sequence must
// reach its end.
#include "engine/Engine.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyTypes.h"
#include "enemies/LevelFiles.h"
#include "enemies/SpawnPattern.h"
#include "gameplay/GameState.h"
#include "platform/Random.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

using namespace testing_support;

namespace {

constexpr float FRAME = 1.f / 60.f;
constexpr int DRAW_EVERY = 12; // frames between two drawings: the run stays fast

// How the player holds the ship: on a line across the level's way, swept end to end.
struct Sweep {
    float line;         // x of the vertical line (RIGHT) or y of the horizontal one (UP)
    float from, to;     // the sweep's turning points along the line
    float period;       // seconds for one sweep there and back
};
constexpr Sweep SWEEP_RIGHT{430.f, 100.f, 980.f, 3.6f};
constexpr Sweep SWEEP_UP{880.f, 160.f, 1760.f, 5.4f};

struct ShippedSequence {
    int level;
    int sequence;
    int direction; // the way the sequence scrolls and the ship fires
    bool up() const { return direction == scroll_direction::UP; }
    const Sweep& sweep() const { return up() ? SWEEP_UP : SWEEP_RIGHT; }
    // The level's start as the menu offers it: 0 level 1, 1 level 2, 2 level 3, 3 level 4.
    int startLevel() const { return level - 1; }
    std::string name() const { return "L" + std::to_string(level) + "S" + std::to_string(sequence); }
    std::string file() const { return level_files::sequenceFileName(level, sequence); }
};

// Kinds a kill scores for; bullets, walls, fences, spitters, corals and eaters give nothing.
bool scoresOnKill(int type) { return isEnemyType(type) && enemyTypeInfo(type).killScore > 0; }
bool isBulletKind(int type) { return type >= enemy_type::BIG_BULLET && type <= enemy_type::RING_BULLET; }

// Enemies of the file that a kill scores for, and the Finish time.
struct SequencePlan {
    int direction = -1;
    int scoring = 0;
    float finish = -1.f;
};

SequencePlan planOf(const ShippedSequence& s)
{
    const SequenceFile f = readSequenceFile(s.file());
    SequencePlan plan;
    plan.direction = f.direction;
    for (const SequenceRecord& r : f.records) {
        if (r.patternId == pattern_id::FINISH)
            plan.finish = std::max(plan.finish, r.spawnTimer);
        else if (scoresOnKill(patternEnemyType(r.patternId)))
            plan.scoring += r.nbMaxEnemy;
    }
    return plan;
}

struct PlayStats {
    bool finished = false;
    float seconds = 0.f;
    int kills = 0;        // kills that scored
    int hits = 0;         // times the ship was hit
    size_t peak = 0;      // most enemies on the field at once
    uint32_t score = 0;
    std::vector<std::string> enteredBehind; // enemies first seen on the player's side of the field
};

class LevelsPlaythrough : public GameWindowTest, public ::testing::WithParamInterface<ShippedSequence> {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        engine().run.cheatLives = true; // the run is about the waves: a hit ship plays on
        seedRandom15(1234);
    }

    // A story game of the sequence's level with that sequence just loaded.
    GameState& start(const ShippedSequence& s)
    {
        engine().run.startLevel = s.startLevel();
        game = std::make_unique<GameState>(GameMode::Story, servicesOf(engine()));
        GameState& g = *game;
        if (s.level == 1) {
            // Past the launch: the opening camera path has ended.
            engine().world.cameraPath().markEnded();
            frames(1);
        }
        const int index = g.spawner.getSequenceIndex(s.level, s.sequence);
        EXPECT_GE(index, 0);
        g.spawner.loadSequence(index, [&g](int direction) { g.turnToScrollDirection(direction); });
        return g;
    }

    // Keys of a player who holds the ship on the sweep's line and runs it end to end.
    void steer(const ShippedSequence& s, const Player2D& ship, float t)
    {
        const Sweep& sweep = s.sweep();
        const float phase = std::fmod(t / sweep.period, 1.f);
        const float wave = phase < 0.5f ? phase * 2.f : 2.f - phase * 2.f;
        const float along = sweep.from + (sweep.to - sweep.from) * wave;
        const sf::Vector2f target = s.up() ? sf::Vector2f(along, sweep.line) : sf::Vector2f(sweep.line, along);
        std::set<sf::Keyboard::Key>& held = in.keyboard.held;
        held = {sf::Keyboard::Space}; // fire held all along
        if (ship.position.x > target.x + 15.f)
            held.insert(sf::Keyboard::Q);
        if (ship.position.x < target.x - 15.f)
            held.insert(sf::Keyboard::D);
        if (ship.position.y > target.y + 15.f)
            held.insert(sf::Keyboard::Z);
        if (ship.position.y < target.y - 15.f)
            held.insert(sf::Keyboard::S);
    }

    // Whether an enemy first seen at p came in on the player's side: in a RIGHT level
    // the left part of the field, in an UP level its bottom part or from below it.
    static bool onThePlayersSide(const ShippedSequence& s, sf::Vector2f p)
    {
        if (s.up())
            return p.y > 540.f && p.x > 0.f && p.x < 1920.f;
        return p.x < 900.f && p.y > 0.f && p.y < 1080.f;
    }

    // Whether the loaded sequence's Finish has yet to run. Once it has, the level flow
    // may load the next sequence (with a Finish of its own): that counts as run too.
    bool finishOutstanding(int sequence, float clockBefore) const
    {
        if (game->spawner.currentSequence != sequence || game->spawner.clock < clockBefore)
            return false;
        for (const SpawnEntry& e : game->spawner.pending)
            if (e.pattern == pattern_id::FINISH)
                return true;
        for (const SpawnPattern& p : game->spawnPatterns)
            if (p.pattern == pattern_id::FINISH)
                return true;
        return false;
    }

    // Plays until the sequence's Finish has run (or the time limit), drawing every few
    // frames (the drawing code runs as in play).
    PlayStats play(const ShippedSequence& s, float limit)
    {
        GameState& g = *game;
        PlayStats stats;
        std::set<const Enemy*> known;
        uint8_t wasInvulnerable = 0;
        const int sequence = g.spawner.currentSequence;
        const int frameLimit = static_cast<int>(limit / FRAME);
        for (int f = 0; f < frameLimit && !stats.finished; ++f) {
            Player2D& ship = *g.players[0];
            steer(s, ship, f * FRAME);
            const float clockBefore = g.spawner.clock;
            frames(1);
            stats.seconds = (f + 1) * FRAME;
            stats.finished = !finishOutstanding(sequence, clockBefore);

            std::set<const Enemy*> now;
            for (const std::unique_ptr<Enemy>& owned : g.enemies.enemies) {
                const Enemy* e = owned.get();
                now.insert(e);
                if (known.count(e) || isBulletKind(e->getType()))
                    continue;
                const sf::Vector2f p = e->position;
                if (onThePlayersSide(s, p))
                    stats.enteredBehind.push_back("type " + std::to_string(e->getType()) + " at (" +
                                                  std::to_string(static_cast<int>(p.x)) + ", " +
                                                  std::to_string(static_cast<int>(p.y)) + ") at " +
                                                  std::to_string(stats.seconds) + " s");
            }
            known.swap(now);
            stats.peak = std::max(stats.peak, g.enemies.enemies.size());
            if (ship.invulnerable && !wasInvulnerable)
                ++stats.hits;
            wasInvulnerable = ship.invulnerable;
            if (f % DRAW_EVERY == 0) {
                window.clear(sf::Color(12, 16, 34));
                g.draw(window);
                window.display();
            }
        }
        for (int type : g.players[0]->killedTypes)
            stats.kills += scoresOnKill(type);
        stats.score = g.scores[0].score;
        return stats;
    }
};

TEST_P(LevelsPlaythrough, AKeyboardPlayerSweepingItsSideShootsTheWavesToTheFinish)
{
    // Earlier tests of the same process may have asked for textures in other folders.
    const std::vector<std::string> missingBefore = engine().textures.missingTextures();
    const ShippedSequence s = GetParam();
    const SequencePlan plan = planOf(s);
    ASSERT_GT(plan.finish, 0.f);
    EXPECT_EQ(plan.direction, s.direction) << "the way the ship shoots";
    ASSERT_GT(plan.scoring, 0);

    GameState& g = start(s);
    EXPECT_EQ(g.scrollDirection(), s.direction);
    const PlayStats stats = play(s, plan.finish + 2.f);

    std::printf("[ %s ] %.1f s, %d of %d scoring enemies killed, score %u, %d hits taken, at most %zu enemies\n",
                s.name().c_str(), stats.seconds, stats.kills, plan.scoring, stats.score, stats.hits, stats.peak);
    EXPECT_TRUE(stats.finished) << "the Finish ran";
    EXPECT_NEAR(stats.seconds, plan.finish, 0.1f);
    EXPECT_GT(stats.score, 0u);
    // A player who only sweeps and fires brings down most of every sequence ...
    EXPECT_GE(stats.kills * 2, plan.scoring) << "kills " << stats.kills << " of " << plan.scoring;
    // ... the field gets busy, yet a player who does nothing but sweep is seldom hit ...
    EXPECT_GE(stats.peak, 8u);
    EXPECT_LE(stats.hits * 5.f, stats.seconds) << stats.hits << " hits";
    // ... and nothing but bullets comes in on the player's side.
    EXPECT_TRUE(stats.enteredBehind.empty()) << stats.enteredBehind.size() << " enemies, first "
                                             << (stats.enteredBehind.empty() ? "" : stats.enteredBehind.front());
    // Every texture the sequence needed (its enemies, bullets, pick-ups, scenes) is in the tree.
    EXPECT_EQ(engine().textures.missingTextures(), missingBefore);
}

// Level 1 climbs (its boss waits at the top); the others fly right.
constexpr int UP = scroll_direction::UP;
constexpr int RIGHT = scroll_direction::RIGHT;
INSTANTIATE_TEST_SUITE_P(Shipped, LevelsPlaythrough,
                         ::testing::Values(ShippedSequence{1, 1, UP}, ShippedSequence{1, 2, UP},
                                           ShippedSequence{1, 3, UP}, ShippedSequence{1, 4, UP},
                                           ShippedSequence{2, 1, RIGHT}, ShippedSequence{3, 1, RIGHT},
                                           ShippedSequence{3, 2, RIGHT}, ShippedSequence{3, 3, RIGHT},
                                           ShippedSequence{4, 1, RIGHT}, ShippedSequence{4, 2, RIGHT}),
                         [](const ::testing::TestParamInfo<ShippedSequence>& sequence) { return sequence.param.name(); });

} // namespace

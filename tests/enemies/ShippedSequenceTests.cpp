// The shipped level content run through the real spawner, spawn patterns and enemy
// manager, with a ship parked where a player holds it: every enemy a sequence makes
// must be on screen long enough to be seen before it leaves, and none may vanish on
// its first frame.
#include "enemies/Enemy.h"
#include "enemies/EnemyManager.h"
#include "enemies/Spawner.h"
#include "engine/Engine.h"
#include "platform/Random.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <list>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr float FRAME = 1.f / 60.f;
constexpr float SETTLE_TIME = 30.f; // after the Finish, for the last waves to fly off
const sf::FloatRect SCREEN(0.f, 0.f, 1920.f, 1080.f);
constexpr int SEEN_FRAMES = 15; // a quarter second with its centre on screen

// Where a player keeps the ship: behind the way the level scrolls.
sf::Vector2f parkedShip(int direction)
{
    return direction == scroll_direction::UP ? sf::Vector2f(960.f, 880.f) : sf::Vector2f(430.f, 540.f);
}

struct Tracked {
    int type = 0;
    sf::Vector2f start;
    float born = 0.f;
    int updates = 0;  // enemy-manager updates it has lived through
    int framesOnScreen = 0;
    bool seen() const { return framesOnScreen >= SEEN_FRAMES; }
};

std::string describe(const Tracked& t)
{
    char text[96];
    std::snprintf(text, sizeof text, "type %d made at (%.0f, %.0f) at %.2f s", t.type, t.start.x, t.start.y, t.born);
    return text;
}

struct SequenceRun {
    std::vector<std::string> removedAtOnce; // removed by their first update
    std::vector<std::string> neverSeen;     // left (or were still there at the end) before being seen
    int made = 0;
    bool finished = false;
};

// Plays one sequence in the game's order (enemies, then the spawner and its patterns)
// until its Finish has run and the field has emptied, or SETTLE_TIME after it.
SequenceRun runSequence(Spawner& spawner, int index)
{
    SequenceRun run;
    int direction = scroll_direction::RIGHT;
    EXPECT_TRUE(spawner.loadSequence(index, [&](int d) { direction = d; })) << spawner.sequenceNames[index];
    const std::vector<sf::Vector2f> ship{parkedShip(direction)};
    EnemyManager manager(engine().textures);
    std::list<SpawnPattern> running;
    std::map<const Enemy*, Tracked> alive;
    float clock = 0.f, settled = 0.f;
    while (settled < SETTLE_TIME && !(run.finished && manager.enemies.empty() && running.empty())) {
        manager.update(FRAME, ship);
        std::map<const Enemy*, Tracked> still;
        for (const auto& owned : manager.enemies) {
            auto it = alive.find(owned.get());
            if (it == alive.end())
                continue;
            Tracked t = it->second;
            ++t.updates;
            t.framesOnScreen += SCREEN.contains(owned->position);
            still.emplace(owned.get(), t);
            alive.erase(it);
        }
        for (const auto& [enemy, t] : alive) { // removed by this update
            if (t.updates == 0)
                run.removedAtOnce.push_back(describe(t));
            else if (!t.seen())
                run.neverSeen.push_back(describe(t));
        }
        alive.swap(still);

        clock += FRAME;
        spawner.update(FRAME, running);
        run.finished = updateSpawnPatterns(running, FRAME, manager, ship) || run.finished;
        for (const auto& owned : manager.enemies)
            if (!alive.count(owned.get())) {
                alive.emplace(owned.get(), Tracked{owned->getType(), owned->position, clock});
                ++run.made;
            }
        if (run.finished)
            settled += FRAME;
    }
    for (const auto& [enemy, t] : alive)
        if (!t.seen())
            run.neverSeen.push_back(describe(t));
    return run;
}

std::string firstOf(const std::vector<std::string>& list) { return list.empty() ? "" : list.front(); }

} // namespace

TEST(ShippedSequences, EveryEnemyIsOnScreenLongEnoughToBeSeenBeforeItLeaves)
{
    seedRandom15(77);
    Spawner spawner;
    ASSERT_GE(spawner.totalSequences, 10);
    for (int index = 0; index < spawner.totalSequences; ++index) {
        const SequenceRun run = runSequence(spawner, index);
        const std::string& name = spawner.sequenceNames[index];
        EXPECT_TRUE(run.finished) << name;
        EXPECT_GT(run.made, 10) << name;
        EXPECT_TRUE(run.removedAtOnce.empty())
            << name << ": " << run.removedAtOnce.size() << " removed on their first frame, first " << firstOf(run.removedAtOnce);
        EXPECT_TRUE(run.neverSeen.empty())
            << name << ": " << run.neverSeen.size() << " never on screen, first " << firstOf(run.neverSeen);
    }
}

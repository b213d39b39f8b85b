// One frame of 300 enemies of the flying kinds, firing into the enemy bullet manager,
// and the spawn patterns that release a wave.
#include "enemies/EnemyManager.h"
#include "enemies/SpawnPattern.h"
#include "engine/Engine.h"
#include "platform/Random.h"
#include "play/BulletManager.h"

#include <benchmark/benchmark.h>

namespace {

const int FLYING_KINDS[] = {enemy_type::BEE,         enemy_type::SIDE_BEE,    enemy_type::BIG_LADYBUG,
                            enemy_type::DRAGONFLY,   enemy_type::LITTLE_LADYBUG, enemy_type::EXPONENTIAL,
                            enemy_type::SNAIL,       enemy_type::SINUSOIDAL_BULLET};

// 300 enemies spread over the field, all entered so that the shooters fire.
void fillField(EnemyManager& m)
{
    seedRandom15(5);
    for (int i = 0; i < 300; ++i) {
        EnemyData d;
        d.type = FLYING_KINDS[i % 8];
        d.start = {300.f + static_cast<float>(random15() % 1300), 100.f + static_cast<float>(random15() % 800)};
        d.angle = d.type == enemy_type::EXPONENTIAL ? 355 : random15() % 360;
        d.lag = static_cast<float>(random15() % 7);
        m.spawnEnemy(d, {});
    }
}

} // namespace

static void EnemiesUpdate300WithBullets(benchmark::State& state)
{
    const std::vector<sf::Vector2f> players{{800.f, 900.f}, {1100.f, 900.f}};
    EnemyManager m(engine().textures);
    fillField(m);
    for (auto _ : state) {
        if (m.enemies.size() < 250) {
            state.PauseTiming();
            m.enemies.clear();
            m.enemyBullets->bullets.clear();
            fillField(m);
            state.ResumeTiming();
        }
        m.update(1.f / 60.f, players);
        benchmark::DoNotOptimize(m.enemyBullets->bullets.size());
    }
    state.counters["enemies"] = static_cast<double>(m.enemies.size());
    state.counters["bullets"] = static_cast<double>(m.enemyBullets->bullets.size());
}
BENCHMARK(EnemiesUpdate300WithBullets);

static void SpawnPatternsReleaseAWave(benchmark::State& state)
{
    EnemyManager m(engine().textures);
    for (auto _ : state) {
        std::list<SpawnPattern> running;
        SpawnPattern ring;
        ring.pattern = pattern_id::BULLET_CIRCLE;
        ring.count = 64;
        running.push_back(ring);
        SpawnPattern army = ring;
        army.pattern = pattern_id::BULLET_ARMY;
        running.push_back(army);
        updateSpawnPatterns(running, 0.02f, m, {{960.f, 900.f}});
        m.enemies.clear();
    }
}
BENCHMARK(SpawnPatternsReleaseAWave);

namespace {

// A field of `count` enemies (made directly, past the manager's cap) in which every
// other one has just left, so that half of them go in one update: what a hostile
// sequence file made before the cap.
void fillHalfLeaving(EnemyManager& m, int count)
{
    for (int i = 0; i < count; ++i) {
        EnemyData d;
        d.type = enemy_type::LITTLE_LADYBUG;
        d.start = i % 2 ? sf::Vector2f(960.f, 540.f) : sf::Vector2f(-5000.f, -5000.f);
        d.angle = 90;
        m.enemies.push_back(createEnemy(d, m));
    }
}

template <class Update>
void halfLeaving(benchmark::State& state, Update update)
{
    const std::vector<sf::Vector2f> players{{960.f, 900.f}};
    EnemyManager m(engine().textures);
    for (auto _ : state) {
        state.PauseTiming();
        m.enemies.clear();
        fillHalfLeaving(m, static_cast<int>(state.range(0)));
        state.ResumeTiming();
        update(m, players);
        benchmark::DoNotOptimize(m.enemies.size());
    }
    state.counters["left"] = static_cast<double>(m.enemies.size());
}

} // namespace

// The manager's update: leavers destroyed at once, the list closed up in one pass.
static void EnemiesUpdateHalfLeaving(benchmark::State& state)
{
    halfLeaving(state, [](EnemyManager& m, const std::vector<sf::Vector2f>& players) {
        m.update(1.f / 60.f, players);
    });
}
BENCHMARK(EnemiesUpdateHalfLeaving)->Arg(EnemyManager::MAX_LIVE_ENEMIES)->Arg(50000)->Unit(benchmark::kMillisecond);

// Baseline: the same walk erasing each leaver on the spot (the list moves once per leaver).
static void EnemiesUpdateHalfLeavingEraseEachBaseline(benchmark::State& state)
{
    halfLeaving(state, [](EnemyManager& m, const std::vector<sf::Vector2f>& players) {
        for (int i = static_cast<int>(m.enemies.size()) - 1; i >= 0; --i)
            if (m.enemies[i]->update(1.f / 60.f, m.enemyBullets.get(), players, i))
                m.enemies.erase(m.enemies.begin() + i);
        m.enemyBullets->update(1.f / 60.f);
    });
}
BENCHMARK(EnemiesUpdateHalfLeavingEraseEachBaseline)
    ->Arg(EnemyManager::MAX_LIVE_ENEMIES)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond);

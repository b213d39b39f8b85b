// One frame of 300 enemies of the flying kinds, firing into the enemy bullet manager,
// and the spawn patterns that release a wave.
#include "enemies/EnemyManager.h"
#include "enemies/SpawnPattern.h"
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
    EnemyManager m;
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
    EnemyManager m;
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

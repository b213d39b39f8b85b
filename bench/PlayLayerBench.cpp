// The play layer's per-frame work at the game's largest loads: 1000 players'
// shots, 500 enemy bullets and 5000 particles should update well under 4 ms;
// drawn on a window of the game's size (with 3000 particles), the main thread's
// CPU per frame is printed against a bare clear+display frame of that window,
// alternated in the same run.
#include "BenchClock.h"
#include "engine/Engine.h"
#include "platform/Random.h"
#include "play/BulletManager.h"
#include "play/Entity2D.h"
#include "play/ParticleSystem.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <benchmark/benchmark.h>

namespace {
constexpr float DT = 1.f / 60.f;

// n bullets of the given type and pattern spread over the field.
void fill(BulletManager& m, int n, int type, int pattern)
{
    Entity2D e;
    e.bulletType = type;
    e.bulletPattern = pattern;
    e.setShootPointCount(1);
    e.shootPoints[0].active = 1;
    for (int i = 0; i < n; ++i) {
        e.shootPoints[0].x = 240.f + (i * 37) % 1440;
        e.shootPoints[0].y = static_cast<float>((i * 53) % 1080);
        e.shootPoints[0].angle = static_cast<float>(i % 360);
        e.angle = static_cast<float>((i * 7) % 360);
        m.spawn(e, 0);
    }
}

void fillParticles(ParticleSystem& ps, int n)
{
    const int kinds[] = {PARTICLE_EXPLOSION, PARTICLE_SHOOTING_STAR, PARTICLE_ENERGY, PARTICLE_SMOKE,
                         PARTICLE_BIG_EXPLOSION, PARTICLE_BOSS_DAMAGE};
    for (int i = 0; i < n; ++i)
        ps.spawn(ParticleSpawn{kinds[i % 6], 960.f, 540.f, 0.05f, 1000, 0.f, 6.28f}, 0);
}
} // namespace

static void PlayBulletUpdate(benchmark::State& state)
{
    BulletManager shots(engine().textures);
    BulletManager enemyBullets(engine().textures);
    for (auto _ : state) {
        state.PauseTiming();
        shots.bullets.clear();
        enemyBullets.bullets.clear();
        fill(shots, 1000, BulletManager::PLAYER_SHOT_TYPE, BULLET_STRAIGHT);
        for (int pattern = 0; pattern < 5; ++pattern)
            fill(enemyBullets, 100, pattern + 1, pattern);
        state.ResumeTiming();
        shots.update(DT);
        enemyBullets.update(DT);
        benchmark::DoNotOptimize(shots.bullets.front().position);
    }
}
BENCHMARK(PlayBulletUpdate)->Unit(benchmark::kMicrosecond);

static void PlayParticleUpdate(benchmark::State& state)
{
    seedRandom15(1);
    ParticleSystem ps(engine().textures);
    for (auto _ : state) {
        state.PauseTiming();
        ps.clear();
        fillParticles(ps, 5000);
        state.ResumeTiming();
        ps.update(DT);
        benchmark::DoNotOptimize(ps.count());
    }
}
BENCHMARK(PlayParticleUpdate)->Unit(benchmark::kMicrosecond);

static void PlayParticleSpawnBurst(benchmark::State& state)
{
    seedRandom15(2);
    ParticleSystem ps(engine().textures);
    for (auto _ : state) {
        fillParticles(ps, 1000);
        ps.clear();
    }
}
BENCHMARK(PlayParticleSpawnBurst)->Unit(benchmark::kMicrosecond);

static void PlayLayerDrawnAtLargestLoads(benchmark::State& state)
{
    using namespace bench_clock;
    if (!displayAvailable()) {
        state.SkipWithError("needs a display");
        return;
    }
    sf::RenderWindow window(sf::VideoMode(1920, 1080), "play layer", sf::Style::None, sf::ContextSettings(0, 0, 6));
    BulletManager shots(engine().textures), enemyBullets(engine().textures);
    fill(shots, 1000, BulletManager::PLAYER_SHOT_TYPE, BULLET_STRAIGHT);
    for (int pattern = 0; pattern < 5; ++pattern)
        fill(enemyBullets, 100, pattern + 1, pattern);
    seedRandom15(3);
    ParticleSystem particles(engine().textures);
    const int kinds[] = {PARTICLE_EXPLOSION, PARTICLE_SHOOTING_STAR, PARTICLE_ENERGY, PARTICLE_SMOKE,
                         PARTICLE_BIG_EXPLOSION, PARTICLE_BOSS_DAMAGE};
    for (int i = 0; i < 3000; ++i)
        particles.spawn(ParticleSpawn{kinds[(i / 50) % 6], 200.f + (i * 29) % 1500, 100.f + (i * 17) % 900, 0.05f, 1000, 0.f,
                                      6.28f},
                        0);
    double layerMs = 0, bareMs = 0;
    int frames = 0;
    for (auto _ : state) {
        double start = threadCpuMs();
        window.clear();
        shots.draw(window, false);
        enemyBullets.draw(window, false);
        particles.draw(window);
        window.display();
        layerMs += threadCpuMs() - start;
        start = threadCpuMs();
        window.clear();
        window.display();
        bareMs += threadCpuMs() - start;
        ++frames;
    }
    state.counters["layer_ms"] = layerMs / frames;
    state.counters["bare_ms"] = bareMs / frames;
    state.counters["layer_x_bare"] = bareMs > 0 ? layerMs / bareMs : 0;
}
BENCHMARK(PlayLayerDrawnAtLargestLoads)->Unit(benchmark::kMillisecond)->Iterations(60);

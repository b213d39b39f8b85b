// One frame of play at a heavy moment: two ships, 300 enemies, 1000 shots,
// 500 enemy bullets and 5000 particles. The update is timed (goal: under 4 ms
// on one core); the draw is timed and its GL draw calls are counted.
#include "BenchClock.h"
#include "GlCounters.h"
#include "engine/Engine.h"
#include "engine/Scenes.h"
#include "enemies/EnemyTypes.h"
#include "gameplay/GameState.h"
#include "platform/GamePad.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/Window/Context.hpp>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

using bench_clock::displayAvailable;

// Fills the state with the heavy moment. Shots fly below the enemies so that
// every shot is tested against every enemy without ending the search early.
void fillHeavyMoment(GameState& game)
{
    game.enemies.enemies.clear();
    game.enemies.enemyBullets->bullets.clear();
    game.shots->bullets.clear();
    game.particles.clear();
    const std::vector<sf::Vector2f> players = {game.players[0]->position, game.players[1]->position};
    for (int i = 0; i < 300; ++i) {
        EnemyData data;
        data.type = enemy_type::LITTLE_LADYBUG;
        data.start = {320.f + 43.f * (i % 30), 80.f + 40.f * (i / 30)};
        data.target = data.start + sf::Vector2f(0.f, 100.f);
        data.angle = 90;
        game.enemies.spawnEnemy(data, players);
    }
    for (int i = 0; i < 1000; ++i) {
        Bullet b;
        b.type = BulletManager::PLAYER_SHOT_TYPE;
        b.owner = i % 2;
        b.angle = -90.f;
        b.position = b.origin = {300.f + 1.3f * i, 560.f + 0.2f * (i % 100)};
        b.speed = BulletManager::speedForType(b.type);
        b.animation = game.shots->typeAnimations.size() > 13 ? game.shots->typeAnimations[13] : Animation{};
        game.shots->bullets.push_back(b);
    }
    for (int i = 0; i < 500; ++i) {
        Bullet b;
        b.type = 2;
        b.angle = 90.f;
        b.position = b.origin = {300.f + 2.6f * i, 600.f + 0.3f * (i % 50)};
        b.speed = BulletManager::speedForType(b.type);
        game.enemies.enemyBullets->bullets.push_back(b);
    }
    for (int i = 0; i < 5000; ++i) {
        ParticleSpawn p;
        p.kind = PARTICLE_SMOKE;
        p.x = 300.f + (i % 100) * 13.f;
        p.y = 200.f + (i / 100) * 15.f;
        game.particles.spawn(p, 0);
    }
}

struct BenchWorld {
    BenchWorld()
    {
        pad::setBackend(&pads);
        pads.connected[0] = pads.connected[1] = true;
        Engine& eng = engine();
        eng.run = RunSettings{};
        eng.world.cameraPath().watchForEnd();
        game = std::make_unique<GameState>(GameMode::Story, servicesOf(engine()), "bench-no-levels/");
        game->joystickConnected(1);
        eng.world.enterScene(scene::OPEN_SPACE);
        game->players[0]->position = {700.f, 950.f};
        game->players[1]->position = {1200.f, 950.f};
    }
    ~BenchWorld()
    {
        game.reset();
        pad::setBackend(nullptr);
    }
    pad::FakePadBackend pads;
    std::unique_ptr<GameState> game;
};

void GameplayUpdateHeavyFrame(benchmark::State& state)
{
    if (!displayAvailable()) {
        state.SkipWithError("needs an X display (textures and the sound device): run under xvfb-run");
        return;
    }
    sf::Context context;
    BenchWorld world;
    for (auto _ : state) {
        state.PauseTiming();
        fillHeavyMoment(*world.game);
        state.ResumeTiming();
        benchmark::DoNotOptimize(world.game->update(1.f / 60.f));
    }
    state.counters["enemies"] = static_cast<double>(world.game->enemies.enemies.size());
    state.counters["shots"] = static_cast<double>(world.game->shots->bullets.size());
    state.counters["particles"] = world.game->particles.count();
}
BENCHMARK(GameplayUpdateHeavyFrame)->Unit(benchmark::kMillisecond);

void GameplayDrawHeavyFrame(benchmark::State& state)
{
    if (!displayAvailable()) {
        state.SkipWithError("needs an X display: run under xvfb-run");
        return;
    }
    BenchWorld world;
    sf::RenderTexture target;
    if (!target.create(1920, 1080)) {
        state.SkipWithError("could not create a 1920 x 1080 render texture");
        return;
    }
    fillHeavyMoment(*world.game);
    world.game->update(1.f / 60.f);
    long calls = 0;
    for (auto _ : state) {
        target.clear();
        const long before = glDrawCallCount();
        world.game->drawLayer(target);
        glFinish();
        calls = glDrawCallCount() - before;
    }
    state.counters["draw_calls"] = static_cast<double>(calls);
}
BENCHMARK(GameplayDrawHeavyFrame)->Unit(benchmark::kMillisecond);

} // namespace

// The picture of every shipped scene at fixed moments, on a fixed clock with
// seeded random numbers, so that two builds can be compared pixel for pixel
// (run under xvfb-run). ORBYNDEL_PICTURES_DIR names the folder the pictures
// are written to (default "scene-pictures"); with ORBYNDEL_PICTURES_BASE
// naming the folder of another build's pictures, each picture is compared
// with its twin there and the pixels apart are printed.
#include "BenchClock.h"
#include "app/MainLoop.h"
#include "app/Startup.h"
#include "engine/Engine.h"
#include "engine/Level3Background.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"
#include "gameplay/GameState.h"
#include "platform/Input.h"
#include "platform/Random.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

struct PictureScene {
    const char* name;
    int sceneId;
    int startLevel; // -1: no game state
};
const PictureScene PICTURE_SCENES[] = {
    {"menu", scene::MAIN_MENU, -1},       {"level1", scene::INTRO, 0},        {"level2", scene::CORRIDOR, 1},
    {"level3", scene::LEVEL3_START, 2},   {"level4", scene::ARENA, 3},        {"hangar", scene::HANGAR, -1},
    {"scene2", scene::OPEN_SPACE, -1},    {"scene3", scene::ASTEROIDS, -1},   {"scene4", scene::DIVE, -1},
    {"scene5", scene::GAS_GIANT, -1},     {"scene6", scene::APPROACH, -1},    {"boss7", scene::TOWER, -1},
    {"scene10", scene::ICE_PLANET, -1},   {"scene12", scene::LEVEL3_MIDDLE, -1}, {"scene13", scene::LEVEL3_END, -1},
    {"credits", scene::CREDITS, -1},      {"moon", scene::MOON, -1},
};
// The frames after which a scene's picture is taken.
const int SHOT_FRAMES[] = {20, 90};

std::unique_ptr<MainState> stateFor(const PictureScene& scene)
{
    if (scene::isMenu(scene.sceneId))
        return defaultStateFactory().menuWithoutLogos();
    if (scene.startLevel >= 0) {
        engine().run.startLevel = scene.startLevel;
        return std::make_unique<GameState>(GameMode::Story, servicesOf(engine()));
    }
    changeScene(scene.sceneId, 0.f);
    return std::make_unique<IdleState>();
}

// The frame as the loop draws it, drawn again without stepping the game, and captured before display.
sf::Image drawnPicture(sf::RenderWindow& window, MainLoop& loop, float seconds)
{
    window.clear(sf::Color::Black);
    Engine& e = engine();
    if (!scene::drawsShaderBackground(e.world.sceneId()))
        e.render3D();
    else if (e.world.level3Background())
        e.world.level3Background()->drawFrame(seconds);
    loop.currentState()->draw(window);
    sf::Texture texture;
    texture.create(window.getSize().x, window.getSize().y);
    texture.update(window);
    window.display();
    return texture.copyToImage();
}

long pixelsApart(const sf::Image& a, const sf::Image& b)
{
    if (a.getSize() != b.getSize())
        return -1;
    long apart = 0;
    for (unsigned y = 0; y < a.getSize().y; ++y)
        for (unsigned x = 0; x < a.getSize().x; ++x)
            apart += a.getPixel(x, y) != b.getPixel(x, y);
    return apart;
}

void ScenePictures(benchmark::State& state)
{
    if (!bench_clock::displayAvailable()) {
        state.SkipWithError("needs an X display: run under xvfb-run -a -s \"-screen 0 1920x1080x24\"");
        return;
    }
    const char* dirSetting = std::getenv("ORBYNDEL_PICTURES_DIR");
    const char* base = std::getenv("ORBYNDEL_PICTURES_BASE");
    const std::filesystem::path dir = dirSetting ? dirSetting : "scene-pictures";
    std::filesystem::create_directories(dir);
    static timing::FakeTimeSource clock; // before the engine exists: its clocks read this one
    timing::setTimeSource(&clock);
    static input::FakeKeyboard keyboard;
    input::setKeyboard(&keyboard);
    static sf::RenderWindow* window = new sf::RenderWindow(); // lives until the process ends, like the engine
    game_window::open(*window);
    startGame();
    engine().renderer.window = window;
    static Level3Background background;
    background.window = window;
    background.frameTime = &engine().timing.frameTime;
    background.load();
    engine().world.attachLevel3Background(&background);
    long worst = 0;
    for (auto _ : state) {
        for (const PictureScene& scene : PICTURE_SCENES) {
            seedRandom15(2024);
            engine().timing.gameClock = PlayClock();
            engine().timing.frameClock.restart();
            auto loop = std::make_unique<MainLoop>(*window, StateFactory{}, stateFor(scene));
            loop->pollEvent = [](sf::Event&) { return false; };
            scenePreloader().wait();
            int frame = 0;
            for (int shot : SHOT_FRAMES) {
                for (; frame < shot; ++frame) {
                    clock.advance(1.f / 60.f);
                    loop->runFrame();
                }
                scenePreloader().wait();
                const float seconds = engine().timing.gameClock.getElapsedTime().asSeconds();
                const sf::Image picture = drawnPicture(*window, *loop, seconds);
                const std::string file = std::string(scene.name) + "-" + std::to_string(shot) + ".png";
                picture.saveToFile((dir / file).string());
                sf::Image twin;
                if (base && twin.loadFromFile((std::filesystem::path(base) / file).string())) {
                    const long apart = pixelsApart(picture, twin);
                    std::printf("%-16s %10ld pixels apart\n", file.c_str(), apart);
                    worst = std::max(worst, apart < 0 ? 1L << 30 : apart);
                }
            }
            loop.reset();
            scenePreloader().wait();
        }
        std::fflush(stdout);
    }
    state.counters["worst_pixels_apart"] = static_cast<double>(worst);
}
BENCHMARK(ScenePictures)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

// The game's real frame in the real window (run under xvfb-run): per shipped
// scene, main-thread CPU per frame against a bare clear-and-display frame,
// keyboard round trips to the X server and GL draw calls per frame, and the
// worst frame (main-thread CPU) around each scene change; peak memory at the menu and back from
// levels 1 to 4 against a bare window, each in a child process; and the OBJ
// reader on a generated 1M-triangle file.
#include "GlCounters.h"
#include "app/MainLoop.h"
#include "app/Startup.h"
#include "engine/Engine.h"
#include "engine/Level3Background.h"
#include "engine/ObjLoader.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"
#include "gameplay/GameState.h"
#include "platform/Input.h"

#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <unistd.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool displayAvailable()
{
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// "VmHWM" or "VmRSS" of this process, in MB.
double statusMb(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0)
            return std::atof(line.c_str() + std::strlen(key) + 1) / 1024.0;
    return 0.0;
}

// The game as main() sets it up, in one window for the whole program.
struct GameWindow {
    GameWindow()
    {
        game_window::open(window);
        startGame();
        engine().renderer.window = &window;
        background.window = &window;
        background.frameTime = &engine().timing.frameTime;
        background.load();
        engine().world.level3Background = &background;
        window.setVerticalSyncEnabled(true);
        window.setFramerateLimit(60);
    }
    sf::RenderWindow window;
    Level3Background background;
};

GameWindow& gameWindow()
{
    static GameWindow* game = new GameWindow(); // lives until the process ends
    return *game;
}

struct FrameFigures {
    double cpuMs = 0, keyQueries = 0, drawCalls = 0, worstChangeMs = 0;
};

// What a scene id is shown with: the game state for levels 1 to 4 (by the
// menu's start level), the main menu for 15, the 3D scene alone otherwise.
// Each change is measured as the game makes it: from the scene shown before it
// in the game (-1: none; the menu as after the credits), whose preload has had the
// time the game gives it (the seconds that scene lasts).
struct SceneCase {
    const char* label;
    int sceneId;
    int startLevel;         // -1: no game state
    int previousSceneId;    // -1: none
    int lastSceneId = -1;   // a fileless scene shown between the previous one and this one
};
const SceneCase SCENES[] = {
    {"menu (15)", scene::MAIN_MENU, -1, scene::MAIN_MENU, scene::CREDITS}, // the game starts at the menu
    {"level 1 (1)", scene::INTRO, 0, scene::MAIN_MENU},
    {"level 2 (8)", scene::CORRIDOR, 1, scene::APPROACH, scene::TOWER},
    {"level 3 (11)", scene::LEVEL3_START, 2, scene::CORRIDOR},
    {"level 4 (9)", scene::ARENA, 3, scene::LEVEL3_END},
    {"hangar (0)", scene::HANGAR, -1, scene::MAIN_MENU}, // the game never shows it: its models and textures are the menu's
    {"scene 2", scene::OPEN_SPACE, -1, scene::INTRO},
    {"scene 3", scene::ASTEROIDS, -1, scene::OPEN_SPACE},
    {"scene 4", scene::DIVE, -1, scene::ASTEROIDS},
    {"scene 5", scene::GAS_GIANT, -1, scene::DIVE},
    {"scene 6", scene::APPROACH, -1, scene::GAS_GIANT},
    {"boss (7)", scene::TOWER, -1, scene::APPROACH},
    {"scene 10", scene::ICE_PLANET, -1, scene::ARENA},
    {"scene 12", scene::LEVEL3_MIDDLE, -1, scene::LEVEL3_START},
    {"scene 13", scene::LEVEL3_END, -1, scene::LEVEL3_MIDDLE},
    {"credits (14)", scene::CREDITS, -1, scene::ICE_PLANET},
    {"moon (16)", scene::MOON, -1, -1},
};

std::unique_ptr<MainState> enterScene(int sceneId, int startLevel)
{
    if (scene::isMenu(sceneId))
        return defaultStateFactory().menuWithoutLogos();
    if (startLevel >= 0) {
        engine().run.startLevel = startLevel;
        return std::make_unique<GameState>(game_mode::STORY);
    }
    changeScene(sceneId, 0.f);
    return std::make_unique<IdleState>(); // the 3D scene alone
}

constexpr int WARM_FRAMES = 8;
// ORBYNDEL_BENCH_FRAMES measures more frames (to profile one scene past its loading).
int measuredFrames()
{
    const char* frames = std::getenv("ORBYNDEL_BENCH_FRAMES");
    return std::max(30, frames ? std::atoi(frames) : 0);
}
constexpr int CHANGE_FRAMES = 4; // frames counted as "around the change"

std::unique_ptr<MainLoop> startLoop(std::unique_ptr<MainState> state)
{
    auto loop = std::make_unique<MainLoop>(gameWindow().window, StateFactory{}, std::move(state));
    loop->pollEvent = [](sf::Event&) { return false; };
    return loop;
}

// The scene before `scene` in the game, run until its preload is done.
std::unique_ptr<MainLoop> leadIn(const SceneCase& scene)
{
    if (scene.previousSceneId < 0)
        return nullptr;
    if (scene.startLevel >= 0)
        engine().run.startLevel = scene.startLevel; // the menu's choice
    std::unique_ptr<MainLoop> loop;
    for (int id : {scene.previousSceneId, scene.lastSceneId}) {
        if (id < 0)
            continue;
        loop.reset();
        loop = startLoop(enterScene(id, -1));
        if (scene::isMenu(id) && scene.startLevel >= 0)
            engine().menu.menuPage = menu_page::PLAY; // a game starts from the play page
        for (int frame = 0; frame < WARM_FRAMES; ++frame)
            loop->runFrame();
        scenePreloader().wait();
    }
    return loop;
}

FrameFigures measureScene(const SceneCase& scene)
{
    FrameFigures figures;
    std::unique_ptr<MainLoop> before = leadIn(scene);
    // The change itself (the old state going, the new one made) counts in the
    // first frame around it (main-thread time).
    double changeStart = threadCpuMs();
    before.reset();
    std::unique_ptr<MainLoop> loop = startLoop(enterScene(scene.sceneId, scene.startLevel));
    for (int frame = 0; frame < WARM_FRAMES; ++frame) {
        loop->runFrame();
        if (frame < CHANGE_FRAMES) {
            const double now = threadCpuMs();
            figures.worstChangeMs = std::max(figures.worstChangeMs, now - changeStart);
            changeStart = now;
        }
    }
    const int frames = measuredFrames();
    const double cpu = threadCpuMs();
    const long queries = input::keyboardServerQueries();
    const long draws = glDrawCallCount();
    for (int frame = 0; frame < frames; ++frame)
        loop->runFrame();
    figures.cpuMs = (threadCpuMs() - cpu) / frames;
    figures.keyQueries = static_cast<double>(input::keyboardServerQueries() - queries) / frames;
    figures.drawCalls = static_cast<double>(glDrawCallCount() - draws) / frames;
    return figures;
}

double bareFrameCpuMs()
{
    sf::RenderWindow& window = gameWindow().window;
    for (int frame = 0; frame < WARM_FRAMES; ++frame) {
        window.clear();
        window.display();
    }
    const int frames = measuredFrames();
    const double cpu = threadCpuMs();
    for (int frame = 0; frame < frames; ++frame) {
        window.clear();
        window.display();
    }
    return (threadCpuMs() - cpu) / frames;
}

void FrameInEveryScene(benchmark::State& state)
{
    if (!displayAvailable()) {
        state.SkipWithError("needs an X display: run under xvfb-run -a -s \"-screen 0 1920x1080x24\"");
        return;
    }
    for (auto _ : state) {
        const double bare = bareFrameCpuMs();
        std::printf("\n%-14s %9s %7s %10s %8s %12s\n", "scene", "cpu ms", "x bare", "X queries", "draws",
                    "change ms");
        std::printf("%-14s %9.3f %7.2f %10s %8s %12s\n", "bare frame", bare, 1.0, "-", "-", "-");
        double worstRatio = 0, worstQueries = 0, worstChange = 0;
        const char* only = std::getenv("ORBYNDEL_BENCH_SCENE"); // profile one scene: a part of its label
        for (const SceneCase& scene : SCENES) {
            if (only && !std::strstr(scene.label, only))
                continue;
            const FrameFigures f = measureScene(scene);
            std::printf("%-14s %9.3f %7.2f %10.1f %8.1f %12.1f\n", scene.label, f.cpuMs, f.cpuMs / bare,
                        f.keyQueries, f.drawCalls, f.worstChangeMs);
            worstRatio = std::max(worstRatio, f.cpuMs / bare);
            worstQueries = std::max(worstQueries, f.keyQueries);
            worstChange = std::max(worstChange, f.worstChangeMs);
        }
        std::fflush(stdout);
        state.counters["bare_cpu_ms"] = bare;
        state.counters["worst_cpu_x_bare"] = worstRatio;
        state.counters["worst_X_queries/frame"] = worstQueries;
        state.counters["worst_change_ms"] = worstChange;
    }
}
BENCHMARK(FrameInEveryScene)->Iterations(1)->Unit(benchmark::kSecond);

// ---- memory, each measured in a child process of its own ----

constexpr const char* CHILD_MODE = "ORBYNDEL_BENCH_MEMORY";

void runFrames(MainLoop& loop, int frames)
{
    for (int i = 0; i < frames; ++i)
        loop.runFrame();
}

// The game: the menu, then levels 1 to 4, then the menu again.
void gameMemoryChild()
{
    GameWindow& game = gameWindow();
    MainLoop loop(game.window, defaultStateFactory(), defaultStateFactory().menuWithoutLogos());
    loop.pollEvent = [](sf::Event&) { return false; };
    runFrames(loop, 60);
    const double menuPeak = statusMb("VmHWM:");
    const double menuRss = statusMb("VmRSS:");
    for (int level = 0; level < 4; ++level) {
        engine().run.startLevel = level;
        loop.applyCode(state_code::GAME_STORY);
        runFrames(loop, 60);
    }
    loop.applyCode(state_code::MENU_NO_LOGO);
    runFrames(loop, 60);
    std::printf("%f %f %f %f\n", menuPeak, menuRss, statusMb("VmHWM:"), statusMb("VmRSS:"));
}

// The same window with clear and display only.
void bareMemoryChild()
{
    sf::RenderWindow window;
    game_window::open(window);
    window.setFramerateLimit(60);
    for (int i = 0; i < 60; ++i) {
        window.clear();
        window.display();
    }
    std::printf("%f %f 0 0\n", statusMb("VmHWM:"), statusMb("VmRSS:"));
}

// Run in a child (CHILD_MODE set): measures and prints one line of figures.
void MemoryChild(benchmark::State& state)
{
    const char* mode = std::getenv(CHILD_MODE);
    for (auto _ : state) {
        if (!mode || !displayAvailable())
            continue; // only meaningful in a child started by PeakMemory
        if (std::strcmp(mode, "game") == 0)
            gameMemoryChild();
        else
            bareMemoryChild();
        std::fflush(stdout);
        std::_Exit(0);
    }
}
BENCHMARK(MemoryChild)->Iterations(1);

std::vector<double> childFigures(const char* mode)
{
    const std::string command = std::string(CHILD_MODE) + "=" + mode + " /proc/" + std::to_string(getpid())
        + "/exe --benchmark_filter=MemoryChild 2>/dev/null";
    std::vector<double> figures(4, 0.0);
    if (FILE* child = popen(command.c_str(), "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, child)) {
            std::istringstream words(line);
            std::vector<double> read(4, 0.0);
            if (words >> read[0] >> read[1] >> read[2] >> read[3])
                figures = read;
        }
        pclose(child);
    }
    return figures;
}

void PeakMemory(benchmark::State& state)
{
    if (!displayAvailable()) {
        state.SkipWithError("needs an X display: run under xvfb-run");
        return;
    }
    for (auto _ : state) {
        const std::vector<double> bare = childFigures("bare");
        const std::vector<double> game = childFigures("game");
        std::printf("\n%-34s %10s %8s\n", "memory", "MB", "x bare");
        std::printf("%-34s %10.1f %8.2f\n", "bare window, peak", bare[0], 1.0);
        std::printf("%-34s %10.1f %8.2f\n", "menu, peak", game[0], game[0] / bare[0]);
        std::printf("%-34s %10.1f %8.2f\n", "menu, resident", game[1], game[1] / bare[0]);
        std::printf("%-34s %10.1f %8.2f\n", "after levels 1-4, peak", game[2], game[2] / bare[0]);
        std::printf("%-34s %10.1f %8.2f\n", "back at the menu, resident", game[3], game[3] / bare[0]);
        std::fflush(stdout);
        state.counters["bare_peak_MB"] = bare[0];
        state.counters["menu_peak_x_bare"] = game[0] / bare[0];
        state.counters["menu_back_rss_x_first"] = game[1] > 0 ? game[3] / game[1] : 0.0;
    }
}
BENCHMARK(PeakMemory)->Iterations(1)->Unit(benchmark::kSecond);

// ---- the OBJ reader ----

std::string generatedObj(int triangles)
{
    std::string text;
    text.reserve(static_cast<size_t>(triangles) * 100);
    char line[256];
    const int grid = 708; // 708 x 708 quads: just over a million triangles
    for (int y = 0; y <= grid; ++y)
        for (int x = 0; x <= grid; ++x) {
            std::snprintf(line, sizeof line, "v %.6f %.6f %.6f\nvt %.6f %.6f\nvn 0.000000 0.000000 1.000000\n",
                          x * 0.01, y * 0.01, 0.001 * ((x * 7 + y * 13) % 100), x / double(grid), y / double(grid));
            text += line;
        }
    int made = 0;
    for (int y = 0; y < grid && made < triangles; ++y)
        for (int x = 0; x < grid && made < triangles; ++x, made += 2) {
            const int a = y * (grid + 1) + x + 1, b = a + 1, c = a + grid + 1, d = c + 1;
            std::snprintf(line, sizeof line, "f %d/%d/%d %d/%d/%d %d/%d/%d\nf %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a,
                          b, b, b, d, d, d, a, a, a, d, d, d, c, c, c);
            text += line;
        }
    return text;
}

void ObjParseMillionTriangles(benchmark::State& state)
{
    static const std::string text = generatedObj(1000000);
    size_t triangles = 0;
    for (auto _ : state) {
        std::istringstream in(text);
        triangles = readObjGeometry(in).triangles.size();
        benchmark::DoNotOptimize(triangles);
    }
    state.counters["triangles"] = static_cast<double>(triangles);
    state.counters["triangles/s"] = benchmark::Counter(static_cast<double>(triangles) * state.iterations(),
                                                       benchmark::Counter::kIsRate);
}
BENCHMARK(ObjParseMillionTriangles)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

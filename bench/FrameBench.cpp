// The game's real frame in the real window (run under xvfb-run): per shipped
// scene, the game's frames, the floor (the same frame's triangles drawn again
// by plain SFML, bench/FrameReplay.h) and a bare clear-and-display frame, in
// alternating blocks so that all three meet the same machine: CPU per frame of
// the main thread and of the whole process, frames per second, program and
// texture binds, draw calls and keyboard round trips to the X server per
// frame, the worst frame (main-thread CPU) around each scene change, and where
// the pixels go; peak memory at the menu and back from levels 1 to 4 against a
// bare window, each in a child process; and the OBJ reader on a generated
// 1M-triangle file.
#include "BenchClock.h"
#include "FrameReplay.h"
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
#include "screens/MenuScreen.h"

#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <unistd.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace bench_clock;

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
        engine().world.attachLevel3Background(&background);
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
        return std::make_unique<GameState>(GameMode::Story, servicesOf(engine()));
    }
    changeScene(sceneId, 0.f);
    return std::make_unique<IdleState>(); // the 3D scene alone
}

constexpr int WARM_FRAMES = 8;
constexpr int BLOCK_FRAMES = 10; // frames of one kind in a row
// Game frames measured per scene, in blocks of BLOCK_FRAMES (ORBYNDEL_BENCH_FRAMES: more,
// to profile one scene past its loading).
int measuredFrames()
{
    const char* frames = std::getenv("ORBYNDEL_BENCH_FRAMES");
    return std::max(3 * BLOCK_FRAMES, frames ? std::atoi(frames) : 8 * BLOCK_FRAMES);
}
constexpr int CHANGE_FRAMES = 4; // frames counted as "around the change"

// The game's frame step, with the part of the frame each draw comes from told to the recorder.
void renderWorldFrameInPhases(sf::RenderWindow& window)
{
    frame_recorder::setPhase(frame_phase::WORLD);
    renderWorldFrame(window);
    frame_recorder::setPhase(frame_phase::STATE_DRAW);
}

std::unique_ptr<MainLoop> startLoop(std::unique_ptr<MainState> state)
{
    auto loop = std::make_unique<MainLoop>(gameWindow().window, StateFactory{}, std::move(state));
    loop->pollEvent = [](sf::Event&) { return false; };
    loop->render3D = renderWorldFrameInPhases;
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

// ---- one block of frames of one kind ----

// Per frame: CPU of the main thread, CPU of the whole process (every thread:
// the software driver's rasterisers, the projection's helpers), and the rate.
struct FrameCost {
    double mainMs = 0, allMs = 0, fps = 0;
};

template <class Frame>
FrameCost timeFrames(int frames, Frame&& frame)
{
    const double main = threadCpuMs(), all = processCpuMs(), wall = wallMs();
    for (int i = 0; i < frames; ++i)
        frame();
    const double seconds = (wallMs() - wall) / 1e3;
    return {(threadCpuMs() - main) / frames, (processCpuMs() - all) / frames, seconds > 0 ? frames / seconds : 0.0};
}

void bareFrame()
{
    sf::RenderWindow& window = gameWindow().window;
    window.clear();
    window.display();
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// ---- where the pixels go ----

constexpr double SCREEN_PIXELS = 1920.0 * 1080.0;

struct PixelShare {
    std::string what;
    double screens = 0;
};

struct PixelReport {
    double windowScreens = 0, textureScreens = 0; // overlaps counted
    int draws = 0, skipped = 0;
    std::vector<std::string> drawLines; // the largest draws
    std::vector<PixelShare> meshes;     // the largest meshes, as the 3D pipeline hands them over
};

// Names for GL objects the game made: textures by the first mesh drawn with
// them (or their role), programs by shader.
struct GlNames {
    std::map<unsigned, std::string> textures;
    std::map<unsigned, std::string> programs;

    std::string texture(unsigned name, const RecordedFrame& frame) const
    {
        if (name == 0)
            return "-";
        const auto known = textures.find(name);
        if (known != textures.end())
            return known->second;
        const auto recorded = frame.textures.find(name);
        if (recorded != frame.textures.end())
            return std::to_string(recorded->second.width) + "x" + std::to_string(recorded->second.height);
        return "texture " + std::to_string(name);
    }
    std::string program(unsigned name) const
    {
        if (name == 0)
            return "-";
        const auto known = programs.find(name);
        return known != programs.end() ? known->second : "program " + std::to_string(name);
    }
};

void nameTexture(GlNames& names, const sf::Texture* texture, const std::string& what)
{
    if (texture && texture->getNativeHandle())
        names.textures.emplace(texture->getNativeHandle(), what);
}

void nameProgram(GlNames& names, const sf::Shader* shader, const std::string& what)
{
    if (shader && shader->getNativeHandle())
        names.programs.emplace(shader->getNativeHandle(), what);
}

GlNames gameGlNames()
{
    GlNames names;
    Engine& e = engine();
    nameProgram(names, e.renderer.drawingShader(), "drawing");
    nameProgram(names, e.renderer.sharedShader("Shader/MovingLightShader.frag"), "glow");
    nameProgram(names, e.renderer.sharedShader("Shader/shaderBossSpace.frag"), "boss space");
    nameProgram(names, menuScreen().backgroundShader.get(), "menu backdrop");
    nameProgram(names, &gameWindow().background.combinedShader, "tunnel");
    nameProgram(names, &gameWindow().background.interpolationShader, "tunnel blend");
    nameTexture(names, &menuScreen().target->getTexture(), "menu page");
    nameTexture(names, &menuScreen().highScoreBoard, "high-score board");
    nameTexture(names, e.renderer.spaceTexture, "3D/space.png");
    for (const auto* picture : {gameWindow().background.renderTexture.get(), gameWindow().background.nextPicture.get()})
        if (picture)
            nameTexture(names, &picture->getTexture(), "tunnel picture");
    for (const Batch* batch : e.renderer.pipeline.batches())
        nameTexture(names, batch->texture, "texture of " + batch->mesh->name());
    return names;
}

std::string blendingName(const sf::BlendMode& blending)
{
    if (blending == sf::BlendAlpha)
        return "alpha";
    if (blending == sf::BlendAdd)
        return "add";
    if (blending == sf::BlendNone)
        return "none";
    if (blending == sf::BlendMultiply)
        return "multiply";
    if (blending == sf::BlendMode(sf::BlendMode::One, sf::BlendMode::One))
        return "one+one";
    return "other";
}

std::string targetName(const RecordedTarget& target)
{
    if (target.framebuffer == 0)
        return "window";
    return std::to_string(target.width) + "x" + std::to_string(target.height);
}

// The last part of a long name, which tells it apart.
std::string tail(const std::string& text, size_t width)
{
    return text.size() <= width ? text : "~" + text.substr(text.size() - (width - 1));
}

constexpr size_t LISTED = 8; // draws and meshes listed per scene

// The meshes a draw call drew (the 3D pipeline hands over one batch of
// triangles per mesh, and draws batches alike in one call): batches known by
// the place of their first corner (to a quarter pixel).
class BatchFinder {
public:
    BatchFinder()
    {
        if (scene::drawsShaderBackground(engine().world.sceneId()))
            return; // the batches are an earlier frame's
        for (const Batch* batch : engine().renderer.pipeline.batches())
            if (!batch->vertices.empty())
                firstCorners_.emplace(key(batch->vertices.front().position), batch->mesh->name());
    }
    // "mesh" or "mesh +n" (n other meshes); empty when the draw holds none.
    std::string meshesOf(const RecordedDraw& draw) const
    {
        std::vector<std::string> names;
        for (size_t i = 0; i < draw.vertices.size(); i += 3) {
            const auto found = firstCorners_.equal_range(key(draw.vertices[i].position));
            for (auto it = found.first; it != found.second; ++it)
                if (std::find(names.begin(), names.end(), it->second) == names.end())
                    names.push_back(it->second);
        }
        if (names.empty())
            return "";
        return names.size() == 1 ? names[0] : names[0] + " +" + std::to_string(names.size() - 1);
    }

private:
    static std::pair<long, long> key(const sf::Vector2f& p)
    {
        return {std::lround(p.x * 4.f), std::lround(p.y * 4.f)};
    }
    std::multimap<std::pair<long, long>, std::string> firstCorners_;
};

PixelReport pixelReport(const RecordedFrame& frame)
{
    PixelReport report;
    const GlNames names = gameGlNames();
    const BatchFinder batches;
    report.draws = static_cast<int>(frame.draws.size());
    report.skipped = frame.skippedDraws;
    std::vector<size_t> order;
    for (size_t i = 0; i < frame.draws.size(); ++i) {
        const RecordedDraw& draw = frame.draws[i];
        (frame.targets[draw.target].framebuffer == 0 ? report.windowScreens : report.textureScreens) +=
            draw.pixels / SCREEN_PIXELS;
        order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return frame.draws[a].pixels > frame.draws[b].pixels; });
    for (size_t k = 0; k < order.size() && k < LISTED; ++k) {
        const RecordedDraw& draw = frame.draws[order[k]];
        std::string what = batches.meshesOf(draw);
        if (what.empty())
            what = names.texture(draw.texture, frame);
        char line[256];
        std::snprintf(line, sizeof line, "  %4zu %-6s %-9s %-34s %-13s %-8s %6zu %7.3f", order[k],
                      frame_phase::NAMES[draw.phase], targetName(frame.targets[draw.target]).c_str(),
                      tail(what, 34).c_str(), names.program(draw.program).c_str(),
                      blendingName(draw.blending).c_str(), draw.vertices.size() / 3, draw.pixels / SCREEN_PIXELS);
        report.drawLines.push_back(line);
    }
    if (scene::drawsShaderBackground(engine().world.sceneId()))
        return report; // no 3D pipeline in this frame
    std::map<std::string, double> meshes;
    for (const Batch* batch : engine().renderer.pipeline.batches())
        meshes[batch->mesh->name()] +=
            coveredPixels(std::vector<sf::Vertex>(batch->vertices.begin(), batch->vertices.end()), 1920, 1080)
            / SCREEN_PIXELS;
    for (const auto& [name, screens] : meshes)
        report.meshes.push_back({name, screens});
    std::stable_sort(report.meshes.begin(), report.meshes.end(),
                     [](const PixelShare& a, const PixelShare& b) { return a.screens > b.screens; });
    if (report.meshes.size() > LISTED)
        report.meshes.resize(LISTED);
    return report;
}

void printPixelReport(const char* label, const PixelReport& report)
{
    std::printf("\n%-14s %.2f screens per frame: window %.2f, render textures %.2f; %d draws (%d not replayed)\n", label,
                report.windowScreens + report.textureScreens, report.windowScreens, report.textureScreens,
                report.draws, report.skipped);
    std::printf("  %4s %-6s %-9s %-34s %-13s %-8s %6s %7s\n", "draw", "part", "target", "meshes (or texture)", "shader", "blend",
                "tris", "screens");
    for (const std::string& line : report.drawLines)
        std::printf("%s\n", line.c_str());
    for (const PixelShare& mesh : report.meshes)
        std::printf("  mesh %-62s %7.3f\n", tail(mesh.what, 62).c_str(), mesh.screens);
}

// ---- one scene: the game's frames, the floor and the bare frame side by side ----

struct SceneFigures {
    FrameCost bare, floor, game; // medians of the rounds
    // Medians of each round's ratios (main thread, then every thread).
    double gameOverBare = 0, floorOverBare = 0, gameOverFloor = 0;
    double allGameOverBare = 0, allFloorOverBare = 0, allGameOverFloor = 0;
    double programBinds = 0, textureBinds = 0, drawCalls = 0, floorDraws = 0, keyQueries = 0, facesJudged = 0;
    double worstChangeMs = 0;
    PixelReport pixels;
};

struct Rounds {
    enum Kind { GAME, FLOOR, BARE, KINDS };
    std::vector<FrameCost> cost[KINDS];

    FrameCost median(Kind kind) const
    {
        std::vector<double> main, all, fps;
        for (const FrameCost& c : cost[kind]) {
            main.push_back(c.mainMs);
            all.push_back(c.allMs);
            fps.push_back(c.fps);
        }
        return {::median(main), ::median(all), ::median(fps)};
    }
    double medianRatio(Kind over, Kind under, double FrameCost::*field) const
    {
        std::vector<double> ratios;
        for (size_t r = 0; r < cost[over].size(); ++r)
            ratios.push_back(cost[over][r].*field / cost[under][r].*field);
        return ::median(ratios);
    }
};

SceneFigures measureScene(const SceneCase& scene)
{
    SceneFigures figures;
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
    scenePreloader().wait(); // the next scene's preload is no part of a frame

    sf::RenderWindow& window = gameWindow().window;
    FrameReplay floor(window);
    Rounds rounds;
    const int roundCount = measuredFrames() / BLOCK_FRAMES;
    long programs = 0, textures = 0, draws = 0, queries = 0, faces = 0;
    for (int round = 0; round < roundCount; ++round) {
        // The floor of this round is the frame the game draws now.
        frame_recorder::start(window.getSize());
        loop->runFrame();
        const RecordedFrame recorded = frame_recorder::stop();
        if (round == 0)
            figures.pixels = pixelReport(recorded);
        floor.prepare(recorded);
        floor.drawFrame();
        figures.floorDraws = static_cast<double>(floor.drawCallsPerFrame());
        // Each kind goes first in turn.
        for (int k = 0; k < Rounds::KINDS; ++k) {
            const auto kind = static_cast<Rounds::Kind>((k + round) % Rounds::KINDS);
            if (kind == Rounds::GAME) {
                const long p = glProgramBindCount(), t = glTextureBindCount(), d = glDrawCallCount();
                const long q = input::keyboardServerQueries();
                rounds.cost[kind].push_back(timeFrames(BLOCK_FRAMES, [&] {
                    loop->runFrame();
                    if (!scene::drawsShaderBackground(engine().world.sceneId())) // else no 3D pass
                        faces += static_cast<long>(engine().renderer.pipeline.facesJudged());
                }));
                programs += glProgramBindCount() - p;
                textures += glTextureBindCount() - t;
                draws += glDrawCallCount() - d;
                queries += input::keyboardServerQueries() - q;
            } else if (kind == Rounds::FLOOR) {
                rounds.cost[kind].push_back(timeFrames(BLOCK_FRAMES, [&] { floor.drawFrame(); }));
            } else {
                rounds.cost[kind].push_back(timeFrames(BLOCK_FRAMES, bareFrame));
            }
        }
    }
    const double gameFrames = static_cast<double>(roundCount) * BLOCK_FRAMES;
    figures.programBinds = programs / gameFrames;
    figures.textureBinds = textures / gameFrames;
    figures.drawCalls = draws / gameFrames;
    figures.keyQueries = queries / gameFrames;
    figures.facesJudged = faces / gameFrames;
    figures.bare = rounds.median(Rounds::BARE);
    figures.floor = rounds.median(Rounds::FLOOR);
    figures.game = rounds.median(Rounds::GAME);
    figures.gameOverBare = rounds.medianRatio(Rounds::GAME, Rounds::BARE, &FrameCost::mainMs);
    figures.floorOverBare = rounds.medianRatio(Rounds::FLOOR, Rounds::BARE, &FrameCost::mainMs);
    figures.gameOverFloor = rounds.medianRatio(Rounds::GAME, Rounds::FLOOR, &FrameCost::mainMs);
    figures.allGameOverBare = rounds.medianRatio(Rounds::GAME, Rounds::BARE, &FrameCost::allMs);
    figures.allFloorOverBare = rounds.medianRatio(Rounds::FLOOR, Rounds::BARE, &FrameCost::allMs);
    figures.allGameOverFloor = rounds.medianRatio(Rounds::GAME, Rounds::FLOOR, &FrameCost::allMs);
    return figures;
}

void printFrameTables(const std::vector<std::pair<const SceneCase*, SceneFigures>>& measured)
{
    std::printf("\nmain thread    %8s %8s %8s %9s %10s %10s\n", "bare ms", "floor ms", "game ms", "game/bare",
                "floor/bare", "game/floor");
    for (const auto& [scene, f] : measured)
        std::printf("%-14s %8.3f %8.3f %8.3f %9.2f %10.2f %10.2f\n", scene->label, f.bare.mainMs, f.floor.mainMs,
                    f.game.mainMs, f.gameOverBare, f.floorOverBare, f.gameOverFloor);
    std::printf("\nall threads    %8s %8s %8s %9s %10s %10s %8s %9s %8s\n", "bare ms", "floor ms", "game ms",
                "game/bare", "floor/bare", "game/floor", "bare fps", "floor fps", "game fps");
    for (const auto& [scene, f] : measured)
        std::printf("%-14s %8.2f %8.2f %8.2f %9.2f %10.2f %10.2f %8.1f %9.1f %8.1f\n", scene->label, f.bare.allMs,
                    f.floor.allMs, f.game.allMs, f.allGameOverBare, f.allFloorOverBare, f.allGameOverFloor,
                    f.bare.fps, f.floor.fps, f.game.fps);
    std::printf("\nper game frame %8s %8s %8s %11s %9s %9s %12s\n", "programs", "textures", "draws", "floor draws",
                "X queries", "change ms", "faces judged");
    for (const auto& [scene, f] : measured)
        std::printf("%-14s %8.1f %8.1f %8.1f %11.0f %9.1f %9.1f %12.0f\n", scene->label, f.programBinds,
                    f.textureBinds, f.drawCalls, f.floorDraws, f.keyQueries, f.worstChangeMs, f.facesJudged);
    std::printf("\nwhere the pixels go (screens of 1920x1080 per frame, overlaps counted; render textures in their "
                "own pixels)\n");
    for (const auto& [scene, f] : measured)
        printPixelReport(scene->label, f.pixels);
    std::fflush(stdout);
}

void FrameInEveryScene(benchmark::State& state)
{
    if (!displayAvailable()) {
        state.SkipWithError("needs an X display: run under xvfb-run -a -s \"-screen 0 1920x1080x24\"");
        return;
    }
    for (auto _ : state) {
        gameWindow();
        std::vector<std::pair<const SceneCase*, SceneFigures>> measured;
        const char* only = std::getenv("ORBYNDEL_BENCH_SCENE"); // profile one scene: a part of its label
        for (const SceneCase& scene : SCENES) {
            if (only && !std::strstr(scene.label, only))
                continue;
            measured.emplace_back(&scene, measureScene(scene));
            std::fprintf(stderr, "frame benchmark: %s measured\n", scene.label);
        }
        printFrameTables(measured);
        std::vector<double> bare;
        double worstRatio = 0, worstFloor = 0, worstAllFloor = 0, worstQueries = 0, worstChange = 0;
        for (const auto& [scene, f] : measured) {
            bare.push_back(f.bare.mainMs);
            worstRatio = std::max(worstRatio, f.gameOverBare);
            worstFloor = std::max(worstFloor, f.gameOverFloor);
            worstAllFloor = std::max(worstAllFloor, f.allGameOverFloor);
            worstQueries = std::max(worstQueries, f.keyQueries);
            worstChange = std::max(worstChange, f.worstChangeMs);
        }
        state.counters["bare_cpu_ms"] = median(bare);
        state.counters["worst_cpu_x_bare"] = worstRatio;
        state.counters["worst_game_x_floor"] = worstFloor;
        state.counters["worst_all_threads_game_x_floor"] = worstAllFloor;
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
        loop.applyCode(StateCode::GameStory);
        runFrames(loop, 60);
    }
    loop.applyCode(StateCode::MenuNoLogo);
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

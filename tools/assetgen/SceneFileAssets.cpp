// The scene files: where each level's backdrop objects stand and the camera
// paths that fly through them. Paths that end a part of the game (scenes 1, 3,
// 4, 6, 8 and the credits) are timed to the level they accompany; the others
// run long enough for any sequence. World units: 800 per model unit.
#include "tools/assetgen/CorridorLayout.h"
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/SceneWriter.h"
#include "tools/assetgen/SurfacePainter.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace assetgen;

namespace {

constexpr int FPS = 60;
constexpr float PI = 3.14159265f;

// Path lengths in seconds.
constexpr float INTRO_SECONDS = 8.f;          // scene 1: the launch, then level 1 starts
constexpr float LEVEL1_OPEN_SECONDS = 240.f;  // scene 2: ends with its sequence, not its path
constexpr float ASTEROIDS_SECONDS = 53.f;     // scene 3: its sequence ends at 48 s, the ships fly out, then the dive
constexpr float DIVE_SECONDS = 8.f;           // scene 4: the dive to the gas giant, no play
constexpr float GAS_GIANT_SECONDS = 240.f;    // scene 5
constexpr float APPROACH_SECONDS = 30.f;      // scene 6: sequence ends at 22 s, the warning, then the boss on the tower
constexpr float CORRIDOR_SECONDS = 190.f;     // scene 8: level 2 ends at 95 s; its tallies are up before the path ends
constexpr int ARENA_FRAMES = 4900;            // scene 9: 181 intro frames, then a loop
constexpr float CREDITS_SECONDS = 40.f;       // the staff roll (34 s) rings out, then the game moves on
constexpr float QUIET_SECONDS = 120.f;        // scenes 10 and moon

float ease(float t)
{
    t = std::clamp(t, 0.f, 1.f);
    return t * t * (3 - 2 * t);
}

Vec3 lerp(Vec3 a, Vec3 b, float t) { return a + (b - a) * t; }

int frames(float seconds) { return static_cast<int>(seconds * FPS); }

// A random rotation for tumbling rocks.
Vec3 tumble(int i, int seed) { return {hash01(i, 1, seed) * 360.f, hash01(i, 2, seed) * 360.f, hash01(i, 3, seed) * 360.f}; }

// Rocks strewn along a climb of the camera (towards -y), in front of it.
void strewRocks(SceneWriter& scene, int count, int seed, float yFrom, float yTo, float zNear, float zFar, float xSpread)
{
    for (int i = 0; i < count; ++i) {
        Vec3 p{(hash01(i, 4, seed) * 2 - 1) * xSpread, yFrom + (yTo - yFrom) * hash01(i, 5, seed),
               zNear + (zFar - zNear) * hash01(i, 6, seed)};
        scene.mesh(hash01(i, 7, seed) < 0.5f ? "Asteroid" : "AsteroidSmall", p, tumble(i, seed));
    }
}

// Camera climbing straight up the screen (vertical scrolling) with a slow sway.
std::vector<CameraPose> climb(int count, Vec3 start, float speed, float sway)
{
    std::vector<CameraPose> path;
    for (int f = 0; f < count; ++f) {
        float t = static_cast<float>(f) / FPS;
        Vec3 eye{std::sin(t * 0.11f) * sway, start.y - speed * t, start.z};
        eye.x += start.x;
        path.push_back({eye, {-4.f + std::sin(t * 0.07f) * 2.f, std::sin(t * 0.05f) * 3.f, std::sin(t * 0.09f) * 1.5f}});
    }
    return path;
}

void introScene(const Context& ctx)
{
    SceneWriter scene;
    const Vec3 planet{0, 52000, 150000};
    scene.mesh("GreenPlanet", planet);
    scene.mesh("IcePlanet", {-160000, -60000, 420000});
    const int n = frames(INTRO_SECONDS);
    std::vector<Vec3> ship;
    std::vector<CameraPose> path;
    for (int f = 0; f < n; ++f) {
        float t = static_cast<float>(f) / (n - 1);
        // The ship leaves the planet's upper atmosphere and climbs past the camera.
        Vec3 s{2500.f * std::sin(t * 2.5f), 9000.f - 16000.f * ease(t), 104000.f - 96000.f * ease(t)};
        ship.push_back(s);
        Vec3 eye = lerp(Vec3{9000, -4000, 6000}, Vec3{5000, -7000, -14000}, ease(t));
        path.push_back(lookAt(eye, lerp(s, planet, 0.35f * (1 - t))));
    }
    scene.animatedMesh("playerShip", ship);
    scene.cameraPath(path);
    scene.save(ctx.path("Scene/1.txt"));
}

void openSpaceScene(const Context& ctx)
{
    SceneWriter scene;
    scene.mesh("GreenPlanet", {90000, 40000, 260000});
    scene.mesh("RedPlanet", {-140000, -900000, 420000});
    scene.mesh("Station", {-26000, -160000, 70000});
    scene.light("StationBeacon", {-26000, -163000, 66000}, 2.f, 20000, {0.4f, 1.f, 0.6f});
    strewRocks(scene, 70, 21, -20000, -1500000, 40000, 160000, 90000);
    scene.cameraPath(climb(frames(LEVEL1_OPEN_SECONDS), {0, 0, 0}, 6000.f, 3000.f));
    scene.save(ctx.path("Scene/2.txt"));
}

void asteroidFieldScene(const Context& ctx)
{
    SceneWriter scene;
    scene.mesh("RedPlanet", {60000, -260000, 170000});
    strewRocks(scene, 110, 33, 0, -700000, 30000, 130000, 70000);
    scene.cameraPath(climb(frames(ASTEROIDS_SECONDS), {0, 0, 0}, 6500.f, 2500.f));
    scene.save(ctx.path("Scene/3.txt"));
}

void diveScene(const Context& ctx)
{
    SceneWriter scene;
    const Vec3 giant{0, 60000, 380000};
    scene.mesh("GasPlanet", giant);
    scene.mesh("GasRings", giant, {270.f, -180.f, 12.f});
    strewRocks(scene, 30, 44, 30000, -60000, 20000, 200000, 60000);
    std::vector<CameraPose> path;
    const int n = frames(DIVE_SECONDS);
    for (int f = 0; f < n; ++f) {
        float t = ease(static_cast<float>(f) / (n - 1));
        Vec3 eye = lerp(Vec3{-30000, -40000, -60000}, Vec3{0, -20000, 150000}, t);
        CameraPose pose = lookAt(eye, lerp(giant, giant + Vec3{0, -60000, 0}, t));
        pose.rotation.z = 20.f * std::sin(t * PI);
        path.push_back(pose);
    }
    scene.cameraPath(path);
    scene.save(ctx.path("Scene/4.txt"));
}

void gasGiantScene(const Context& ctx)
{
    SceneWriter scene;
    const Vec3 giant{-60000, 40000, 320000};
    scene.mesh("GasPlanet", giant);
    scene.mesh("GasRings", giant, {270.f, -180.f, 12.f});
    scene.mesh("IcePlanet", {150000, -600000, 300000});
    strewRocks(scene, 60, 55, -20000, -1300000, 40000, 150000, 90000);
    scene.cameraPath(climb(frames(GAS_GIANT_SECONDS), {0, -20000, 150000}, 5000.f, 2000.f));
    scene.save(ctx.path("Scene/5.txt"));
}

// The tower over the green planet, where the first boss rises: the scene's
// objects stand exactly where the boss's own objects appear next.
void towerObjects(SceneWriter& scene)
{
    scene.mesh("Tower", {0, -182987.25f, 368848.06f});
    scene.mesh("GreenPlanet", {0, -128214.125f, 368923.375f}, {360.f, -180.f, 90.f});
    const float xs[4] = {-9600, -5176, 5176, 9600};
    for (int i = 0; i < 4; ++i) {
        Vec3 rotation = (i == 1 || i == 2) ? Vec3{180, 0, 0} : Vec3{0, 0, 0};
        scene.mesh("Module", {xs[i], -192101.25f, 368499.06f}, rotation);
        scene.mesh("Turret", {xs[i], -192101.25f, 368399.06f}, rotation);
    }
}

void approachScene(const Context& ctx)
{
    SceneWriter scene;
    towerObjects(scene);
    strewRocks(scene, 40, 66, -100000, -400000, 300000, 600000, 140000);
    const Vec3 bossEye{0, -203338.8125f, 358765.f};
    const Vec3 tower{0, -186000, 368848};
    std::vector<CameraPose> path;
    const int n = frames(APPROACH_SECONDS);
    for (int f = 0; f < n; ++f) {
        float t = static_cast<float>(f) / (n - 1);
        // A long glide in from deep space, then the turn down onto the tower.
        float orbit = (1 - ease(t)) * 1.2f;
        Vec3 far{std::sin(orbit) * 160000.f, -230000.f - 40000.f * (1 - t), 368848.f - std::cos(orbit) * 160000.f};
        Vec3 eye = lerp(far, bossEye, ease(std::clamp((t - 0.55f) / 0.45f, 0.f, 1.f)));
        CameraPose pose = lookAt(eye, tower);
        if (t > 0.8f) {
            float k = ease((t - 0.8f) / 0.2f);
            pose.position = lerp(pose.position, bossEye, k);
            pose.rotation = lerp(pose.rotation, Vec3{70, 0, 0}, k);
        }
        path.push_back(pose);
    }
    scene.cameraPath(path);
    scene.save(ctx.path("Scene/6.txt"));
}

// The level 2 corridor: the camera slides right between wall layers that ride
// along with it (CorridorLayout.h), over two rows of invisible collision
// markers along the near ceiling's and floor's ledges: the game's wall lines.
void corridorScene(const Context& ctx)
{
    SceneWriter scene;
    const int n = frames(CORRIDOR_SECONDS);
    const float speed = 2880.f; // the near walls pass at the ground enemies' 288 px/s
    const float run = speed * CORRIDOR_SECONDS;
    std::vector<Vec3> eyes;
    for (int f = 0; f < n; ++f) {
        float t = static_cast<float>(f) / FPS;
        eyes.push_back({speed * t, 60.f * std::sin(t * 0.4f), 0});
    }
    const float shift = corridor::WALL_SHIFT * corridor::WORLD_PER_MODEL;
    for (const corridor::WallLayer& layer : corridor::WALL_LAYERS) {
        std::vector<Vec3> keys;
        for (const Vec3& eye : eyes)
            keys.push_back({std::floor(eye.x / shift) * shift, 0, layer.depth});
        scene.animatedMesh(layer.top, keys);
        scene.animatedMesh(layer.bottom, keys);
    }
    // Each row in order along the corridor, from off screen left of the start
    // to past the end, so that a marker lies beyond each edge of the screen.
    const float margin = 4 * corridor::MARKER_SPACING;
    for (float side : {1.f, -1.f})
        for (float x = -margin; x <= run + margin; x += corridor::MARKER_SPACING)
            scene.mesh(side > 0 ? "collisionBot" : "collisionTop",
                       {x, side * corridor::MARKER_HEIGHT, corridor::MARKER_DEPTH});
    const float lampHeight = (corridor::NEAR_EDGE + 0.55f) * corridor::WORLD_PER_MODEL;
    for (int k = 0; k < 24; ++k)
        scene.light("CorridorLamp", {k * 24000.f, -lampHeight, corridor::NEAR_LAYER.depth - 100.f}, 1.5f, 6000,
                    {1.f, 0.55f, 0.2f});
    std::vector<CameraPose> path;
    for (const Vec3& eye : eyes)
        path.push_back({eye, {0, 0, 0}});
    scene.cameraPath(path);
    scene.save(ctx.path("Scene/8.txt"));
}

// The second boss's arena: the head hangs on the right of the screen. Frames
// 0 to 180 swoop in; the rest loops, so it is periodic over frames 181 to the end.
void arenaScene(const Context& ctx)
{
    SceneWriter scene;
    const Vec3 head{15500, 900, 26000};
    scene.mesh("4head", head, {270.f, -180.f, 0.f});
    scene.light("HeadGlow", head + Vec3{-9000, -3500, -4000}, 2.5f, 30000, {1.f, 0.25f, 0.2f});
    std::vector<CameraPose> path;
    const int loopStart = 181, loopLength = ARENA_FRAMES - loopStart;
    for (int f = 0; f < ARENA_FRAMES; ++f) {
        Vec3 eye;
        if (f < loopStart) {
            float t = ease(static_cast<float>(f) / loopStart);
            eye = lerp(Vec3{-6000, -3000, -30000}, Vec3{0, 0, 0}, t);
        } else {
            float phase = 2 * PI * (f - loopStart) / loopLength;
            eye = {700.f * std::sin(phase * 3), 450.f * std::sin(phase * 5), 900.f * std::sin(phase * 2)};
        }
        CameraPose pose{eye, {0, 0, 0}};
        if (f >= loopStart)
            pose.rotation.z = 1.5f * std::sin(2 * PI * (f - loopStart) / loopLength * 4);
        path.push_back(pose);
    }
    scene.cameraPath(path);
    scene.save(ctx.path("Scene/9.txt"));
}

void quietScene(const Context& ctx, const std::string& file, const char* planet, Vec3 planetAt, float orbitRadius, int seed)
{
    SceneWriter scene;
    scene.mesh(planet, planetAt);
    strewRocks(scene, 25, seed, -60000, 60000, planetAt.z - 250000, planetAt.z - 60000, 120000);
    std::vector<CameraPose> path;
    const int n = frames(QUIET_SECONDS);
    for (int f = 0; f < n; ++f) {
        float a = -0.6f + 0.9f * static_cast<float>(f) / n;
        Vec3 eye{planetAt.x + std::sin(a) * orbitRadius, planetAt.y - 30000, planetAt.z - std::cos(a) * orbitRadius};
        path.push_back(lookAt(eye, planetAt + Vec3{0, -20000, 0}));
    }
    scene.cameraPath(path);
    scene.save(ctx.path(file));
}

// Credits: a slow tour past every world of the game.
void creditsScene(const Context& ctx)
{
    SceneWriter scene;
    const Vec3 stops[] = {{0, 0, 200000}, {260000, 20000, 450000}, {-200000, -30000, 800000}, {120000, 0, 1150000}};
    scene.mesh("GreenPlanet", stops[0]);
    scene.mesh("Moon", stops[1]);
    scene.mesh("GasPlanet", stops[2]);
    scene.mesh("GasRings", stops[2], {270.f, -180.f, 12.f});
    scene.mesh("IcePlanet", stops[3]);
    scene.mesh("playerShip", {3000, 1500, 20000}, {270.f, 0.f, 0.f});
    std::vector<CameraPose> path;
    const int n = frames(CREDITS_SECONDS);
    for (int f = 0; f < n; ++f) {
        float t = static_cast<float>(f) / (n - 1) * 3.f;
        int i = std::min(2, static_cast<int>(t));
        float k = ease(t - i);
        Vec3 target = lerp(stops[i], stops[i + 1], k);
        Vec3 eye = target + Vec3{-150000.f + 40000.f * std::sin(t * 2.f), -40000.f, -160000.f};
        path.push_back(lookAt(eye, target));
    }
    scene.cameraPath(path);
    scene.save(ctx.path("Scene/credits.txt"));
}

// The hangar of the menu, as a scene: the hangar's parts where the menu puts them.
void hangarScene(const Context& ctx)
{
    SceneWriter scene;
    const char* parts[] = {"HangarZone1", "HangarZone2Floor", "HangarZone2Ceiling", "HangarGate", "HangarRobot",
                           "HangarCeilingProps", "HangarTrapdoor", "HangarZone2Walls", "HangarWallProps",
                           "HangarFloorProps", "HangarMainScreen", "HangarDesk", "HangarDeskProps"};
    for (const char* part : parts)
        scene.mesh(part, {7000, 0, 0}, {0, -90, 0});
    scene.light("HangarLamp", {-6000, -15000, 0}, 1.f, 20000, {0.6f, 0.9f, 1.f});
    scene.cameraPath({{{-19000, -4000, 3300}, {0, -90, -12}}, {{-19000, -4000, 3300}, {0, -90, -12}}});
    scene.save(ctx.path("Scene/hangar.txt"));
}

// Read only by the preload before the boss: the boss's models, so their textures are cached.
void bossPreloadScene(const Context& ctx)
{
    SceneWriter scene;
    towerObjects(scene);
    scene.save(ctx.path("Scene/boss.txt"));
}

} // namespace

REGISTER_ASSETS(scene_files)
{
    introScene(ctx);
    openSpaceScene(ctx);
    asteroidFieldScene(ctx);
    diveScene(ctx);
    gasGiantScene(ctx);
    approachScene(ctx);
    corridorScene(ctx);
    arenaScene(ctx);
    quietScene(ctx, "Scene/10.txt", "IcePlanet", {0, 0, 260000}, 200000, 77);
    quietScene(ctx, "Scene/moon.txt", "Moon", {0, 0, 200000}, 150000, 88);
    creditsScene(ctx);
    hangarScene(ctx);
    bossPreloadScene(ctx);
}

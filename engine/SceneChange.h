#pragma once
// Switching the 3D scene behind the game, and the background preload of the
// textures of the scene that normally comes next.
#include "engine/Scenes.h"

#include <array>
#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class Engine;

constexpr int SCENE_COUNT = scene::COUNT;
// Scene names by id; a scene file is "Scene/" + name + ".txt".
extern const std::array<const char*, SCENE_COUNT> sceneNames;
// The scene file of scene `id` (0 to 16; empty for any other id).
std::string sceneFilePath(int id);

// Switches to scene `id` (0 to 16; any other id is ignored) with its camera
// path started `startSeconds` in, and preloads the next scene's textures (the
// menu prepares none: it stops and forgets any preload).
void changeScene(int id, float startSeconds);
void preloadNextScene(int currentId, float startSeconds);

// The worker's body for one scene file: loads every texture and model that the
// scene file's meshes use into the engine's caches, the textures kept through
// purges until the next scene preload, and keeps the file's records for its
// load (see keepSceneFileReadAhead). Returns early when `cancel` becomes true.
void preloadSceneTextures(std::string path, const std::atomic<bool>& cancel);

// What a preload prepares, in this order: scene files whose textures and
// models are loaded, textures and models (with their maps) of a scene built in
// code, all kept through purges until the next scene preload; then textures
// loaded as shared ones (sprites, pictures). A preload tells nothing of what it
// does not find (some of it may be optional): the game says what is missing
// when it asks for it itself.
struct PreloadJob {
    std::vector<std::string> sceneFiles;
    std::vector<std::string> sceneTextures;
    std::vector<std::string> models;
    std::vector<std::string> sharedTextures;
};

// The menu's hangar is built in code by the menu screens, which the engine does
// not know: they install the scene's steps here before entering it. Without
// them the menu scene stays empty.
struct MenuSceneSteps {
    void (*build)(Engine&) = nullptr;  // on entering the scene
    void (*update)(Engine&) = nullptr; // every engine step while in it
    PreloadJob (*preload)() = nullptr; // what the hangar and the menu's first frame load
};
void installMenuSceneSteps(MenuSceneSteps steps);
const MenuSceneSteps& menuSceneSteps();

// The one preload worker: a new preload stops and joins the previous one, and
// the worker is joined before the program exits. A thread that cannot be
// started just means no preload (the textures load when the scene needs them).
class ScenePreloader {
public:
    ScenePreloader() = default;
    ScenePreloader(const ScenePreloader&) = delete;
    ScenePreloader& operator=(const ScenePreloader&) = delete;
    ~ScenePreloader();

    // Returns false when no worker could be started.
    bool start(const std::string& path);
    // Stops the running preload and starts one with `job`.
    bool start(PreloadJob job);
    // Stops the running preload and forgets what it prepared: its textures
    // become ordinary scene textures, which the next purge lets go.
    void drop();
    // Lets the running preload finish, then does `job` on the same worker.
    bool queue(PreloadJob job);
    // Lets the running worker finish and joins it.
    void wait();
    // Asks the running worker to stop early and joins it.
    void stop();
    // The first scene file of the last preload started (empty when none).
    const std::string& lastPath() const { return lastPath_; }

private:
    void run();
    bool launch();

    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::mutex mutex_; // guards jobs_ and running_
    std::deque<PreloadJob> jobs_;
    bool running_ = false;
    std::string lastPath_;
};

// The game's preloader (joined at exit).
ScenePreloader& scenePreloader();

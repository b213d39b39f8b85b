#pragma once
// Switching the 3D scene behind the game, and the background preload of the
// textures of the scene that normally comes next.
#include "engine/Scenes.h"

#include <array>
#include <atomic>
#include <string>
#include <thread>

constexpr int SCENE_COUNT = scene::COUNT;
// Scene names by id; a scene file is "Scene/" + name + ".txt".
extern const std::array<const char*, SCENE_COUNT> sceneNames;

// Switches to scene `id` (0 to 16; any other id is ignored) with its camera
// path started `startSeconds` in, and preloads the next scene's textures.
void changeScene(int id, float startSeconds);
void preloadNextScene(int currentId, float startSeconds);

// The menu's hangar is built in code by the menu screens, which the engine does
// not know: they install the scene's two steps here before entering it. Without
// them the menu scene stays empty.
struct MenuSceneSteps {
    void (*build)() = nullptr;  // on entering the scene
    void (*update)() = nullptr; // every engine step while in it
};
void installMenuSceneSteps(MenuSceneSteps steps);
const MenuSceneSteps& menuSceneSteps();
// The worker's body: loads every texture and model that the scene file's
// meshes use into the engine's caches. Returns early when `cancel` becomes true.
void preloadSceneTextures(std::string path, const std::atomic<bool>& cancel);

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
    // Lets the running worker finish and joins it.
    void wait();
    // Asks the running worker to stop early and joins it.
    void stop();
    // The file of the last preload started (empty when none).
    const std::string& lastPath() const { return lastPath_; }

private:
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::string lastPath_;
};

// The game's preloader (joined at exit).
ScenePreloader& scenePreloader();

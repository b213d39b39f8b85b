#include "engine/SceneChange.h"

#include "engine/Engine.h"
#include "engine/Level3Background.h"
#include "engine/ModelCache.h"
#include "engine/SceneFile.h"
#include "engine/Scenes.h"
#include "engine/TextParse.h"
#include "platform/AssetPath.h"

#include <fstream>
#include <system_error>

const std::array<const char*, SCENE_COUNT> sceneNames = {"hangar", "1", "2",  "3",  "4",  "5",       "6",         "7",   "8",
                                                         "9",      "10", "11", "12", "13", "credits", "MAIN_MENU", "moon"};

namespace {

// Static storage: destroyed (and so joined) when the program exits, before the
// libraries the worker uses are torn down.
ScenePreloader g_preloader;

std::string sceneFilePath(int id) { return std::string("Scene/") + sceneNames[static_cast<size_t>(id)] + ".txt"; }

} // namespace

ScenePreloader& scenePreloader() { return g_preloader; }

ScenePreloader::~ScenePreloader() { stop(); }

bool ScenePreloader::start(const std::string& path)
{
    stop();
    cancel_ = false;
    lastPath_ = path;
    try {
        worker_ = std::thread(preloadSceneTextures, path, std::cref(cancel_));
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void ScenePreloader::wait()
{
    if (worker_.joinable())
        worker_.join();
}

void ScenePreloader::stop()
{
    cancel_ = true;
    wait();
}

void preloadSceneTextures(std::string path, const std::atomic<bool>& cancel)
{
    std::ifstream in(resolveAssetPath(path), std::ios::binary);
    if (!in)
        return;
    skipByteOrderMark(in);
    WorldObjectTable table;
    std::string token;
    Engine& e = engine();
    static const char* const MAP_SUFFIXES[] = {"_NM.png", "_RN.png", "_HM.png", "_EM.png", "_NoiseM.png"};
    while (!cancel && in >> token) {
        if (token != "OBJECTTYPE" || !(in >> token) || token != "mesh")
            continue;
        std::string name;
        if (!(in >> token >> name) || name.find("NULL") != std::string::npos)
            continue;
        // The same object name the scene loader looks up ("Rock.001" is "Rock").
        const WorldObjectEntry& entry = table[objectNameOf(name)];
        if (entry.modelPath.empty() && entry.texturePath.empty())
            continue;
        e.textures.getTexture(entry.texturePath, TextureUse::Scene);
        loadObjModel(entry.modelPath);
        for (const char* suffix : MAP_SUFFIXES) {
            if (cancel)
                return;
            e.textures.getOptionalTexture(entry.modelPath + suffix, TextureUse::Scene);
        }
    }
}

namespace {
MenuSceneSteps& installedMenuSteps()
{
    static MenuSceneSteps steps;
    return steps;
}
} // namespace

void installMenuSceneSteps(MenuSceneSteps steps) { installedMenuSteps() = steps; }

const MenuSceneSteps& menuSceneSteps() { return installedMenuSteps(); }

void preloadNextScene(int currentId, float /*startSeconds*/)
{
    const int next = currentId + 1;
    if (next < 0 || next >= SCENE_COUNT)
        return;
    scenePreloader().start(next == scene::TOWER ? std::string("Scene/boss.txt") : sceneFilePath(next));
}

void changeScene(int id, float startSeconds)
{
    if (id < 0 || id >= SCENE_COUNT)
        return;
    Engine& e = engine();
    e.clearScene();
    e.world.purgeAfterRelease = true;
    e.world.worldLighting = 3.5f;
    e.world.sceneId = id;
    e.world.boss3D = nullptr;

    if (scene::isMenu(id)) {
        if (menuSceneSteps().build)
            menuSceneSteps().build();
        preloadNextScene(scene::INTRO, startSeconds);
        return;
    }
    if (id == scene::TOWER) {
        e.clearScene();
        if (e.world.camera)
            e.world.camera->rotation = {70.f, 0.f, 0.f};
        if (e.world.player3D)
            e.world.player3D->position = {0.f, -203338.8125f, 358765.f};
        return;
    }
    if (scene::drawsShaderBackground(id)) {
        if (id != scene::LEVEL3_START && e.world.level3Background)
            e.world.level3Background->startSwitch();
        return;
    }
    if (scene::hasFixedLight(id))
        e.world.lightPosition = scene::worldLightPosition(id);
    if (e.world.level3Background)
        e.world.level3Background->resetToFirst();
    loadSceneFile(e, sceneFilePath(id), id, startSeconds);
    preloadNextScene(id, startSeconds);
}

#include "engine/SceneChange.h"

#include "engine/Engine.h"
#include "engine/Level3Background.h"
#include "engine/Mesh.h"
#include "engine/ModelCache.h"
#include "engine/SceneFile.h"
#include "engine/Scenes.h"

#include <system_error>

namespace {

// Static storage: destroyed (and so joined) when the program exits, before the
// libraries the worker uses are torn down.
ScenePreloader g_preloader;

// A model and the maps its mesh looks for, for the next scene.
void preloadModel(const std::string& model, const std::atomic<bool>& cancel)
{
    loadObjModel(model, ModelUse::Preload);
    for (const char* suffix : MESH_MAP_SUFFIXES)
        if (!cancel)
            engine().textures.getOptionalTexture(model + suffix, TextureUse::NextScene);
}

} // namespace

std::string sceneFilePath(int id)
{
    const char* file = scene::sceneInfo(id).file;
    return file ? std::string("Scene/") + file + ".txt" : std::string();
}

ScenePreloader& scenePreloader() { return g_preloader; }

ScenePreloader::~ScenePreloader() { stop(); }

bool ScenePreloader::start(const std::string& path) { return start(PreloadJob{{path}, {}, {}, {}}); }

bool ScenePreloader::start(PreloadJob job)
{
    drop();
    lastPath_ = job.sceneFiles.empty() ? std::string() : job.sceneFiles.front();
    jobs_.push_back(std::move(job));
    return launch();
}

void ScenePreloader::drop()
{
    stop();
    engine().textures.forgetLastPreload();
    forgetSceneFilesReadAhead();
    lastPath_.clear();
}

bool ScenePreloader::queue(PreloadJob job)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        jobs_.push_back(std::move(job));
        if (running_)
            return true; // the running worker takes it after its current job
    }
    wait(); // a worker that has finished
    return launch();
}

bool ScenePreloader::launch()
{
    cancel_ = false;
    running_ = true;
    try {
        worker_ = std::thread(&ScenePreloader::run, this);
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> lock(mutex_);
        jobs_.clear();
        running_ = false;
        return false;
    }
    return true;
}

void ScenePreloader::run()
{
    for (;;) {
        PreloadJob job;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (jobs_.empty() || cancel_) {
                jobs_.clear();
                running_ = false;
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        for (const std::string& file : job.sceneFiles)
            preloadSceneTextures(file, cancel_);
        for (const std::string& path : job.sceneTextures)
            if (!cancel_)
                engine().textures.getOptionalTexture(path, TextureUse::NextScene);
        for (const std::string& model : job.models)
            preloadModel(model, cancel_);
        for (const std::string& path : job.sharedTextures)
            if (!cancel_)
                engine().textures.getOptionalTexture(path, TextureUse::Shared);
    }
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
    SceneFileRead read = readSceneFile(path);
    if (!read.opened)
        return;
    WorldObjectTable table;
    for (const SceneRecord& record : read.records) {
        if (cancel)
            return;
        if (record.kind != SceneRecordKind::Mesh || record.name.find("NULL") != std::string::npos)
            continue;
        // The same object name the scene loader looks up ("Rock.001" is "Rock").
        const WorldObjectEntry& entry = table[objectNameOf(record.name)];
        if (entry.modelPath.empty() && entry.texturePath.empty())
            continue;
        engine().textures.getOptionalTexture(entry.texturePath, TextureUse::NextScene);
        preloadModel(entry.modelPath, cancel);
    }
    keepSceneFileReadAhead(path, std::move(read));
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
    const int next = scene::preparedAfter(currentId);
    if (next < 0 || next >= SCENE_COUNT)
        return;
    const scene::SceneInfo& row = scene::sceneInfo(next);
    PreloadJob job = row.has(scene::rule::MENU) && menuSceneSteps().preload ? menuSceneSteps().preload() : PreloadJob{};
    job.sceneFiles.insert(job.sceneFiles.begin(),
                          row.preloadFileInstead ? std::string(row.preloadFileInstead) : sceneFilePath(next));
    // A scene that starts no preload of its own (the tower) has the one after it prepared here.
    if (row.preloadAlso >= 0)
        job.sceneFiles.push_back(sceneFilePath(row.preloadAlso));
    scenePreloader().start(std::move(job));
}

void changeScene(int id, float startSeconds)
{
    if (id < 0 || id >= SCENE_COUNT)
        return;
    Engine& e = engine();
    e.clearScene();
    e.world.enterScene(id);

    const scene::SceneInfo& row = scene::sceneInfo(id);
    if (row.has(scene::rule::MENU)) {
        if (menuSceneSteps().build)
            menuSceneSteps().build(e);
        // Browsing the menu holds nothing of a game: the play page prepares the
        // story's first scene, and each scene of it the next one.
        scenePreloader().drop();
        return;
    }
    if (row.entryPose) { // built by its boss: no file
        e.clearScene();
        e.world.turnCamera(row.entryPose->cameraRotation.vector());
        e.world.placePlayer3D(row.entryPose->player3D.vector());
        return;
    }
    if (scene::drawsShaderBackground(id)) {
        if (scene::switchesTunnelPicture(id) && e.world.level3Background())
            e.world.level3Background()->startSwitch();
        return;
    }
    if (scene::hasFixedLight(id))
        e.world.light().placeFor(id);
    if (e.world.level3Background())
        e.world.level3Background()->resetToFirst();
    loadSceneFile(e, sceneFilePath(id), id, startSeconds);
    preloadNextScene(id, startSeconds);
}

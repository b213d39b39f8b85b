#include "engine/EngineFrame.h"

#include "engine/BossParent.h"
#include "engine/Engine.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float MAX_FRAME_TIME = 0.02f;
constexpr float LIGHT_TICK_SECONDS = 0.05f;

template <typename Visit>
void forEachLiveMesh(Engine& e, Visit visit)
{
    for (SceneObjectRecord& record : e.world.sceneObjects)
        if (record.mesh)
            visit(*record.mesh);
    for (const std::unique_ptr<Mesh>& mesh : e.world.meshes)
        visit(*mesh);
    if (e.world.boss3D)
        for (const std::unique_ptr<Mesh>& mesh : e.world.boss3D->objects)
            if (mesh)
                visit(*mesh);
}

void runLightTick(Engine& e)
{
    e.world.lightTick = false;
    e.world.lightTickTimer -= e.timing.frameTime;
    if (e.world.lightTickTimer > 0.f)
        return;
    forEachLiveMesh(e, [](Mesh& mesh) { mesh.lights.clear(); });
    e.world.lightTickTimer = LIGHT_TICK_SECONDS;
    e.world.lightTick = true;
}

Mesh* findGreenPlanet(Engine& e)
{
    for (SceneObjectRecord& record : e.world.sceneObjects)
        if (record.mesh && record.mesh->is(MeshKind::GreenPlanet))
            return record.mesh.get();
    return nullptr;
}

void updatePlanetGlow(Engine& e)
{
    Mesh* planet = findGreenPlanet(e);
    if (!planet)
        return;
    LightData& light = planet->lightData;
    light.range = 75000.f;
    if (scene::planetGlowFollowsPath(e.world.sceneId)) {
        const int f = e.world.cameraFrame;
        if (f < 66)
            light.intensity = 0.f;
        else if (f <= 184)
            light.intensity = static_cast<float>(f - 65) / 25.f;
        else if (f <= 250)
            light.intensity = static_cast<float>(303 - f) / 25.f;
    } else if (scene::planetGlowGrows(e.world.sceneId)) {
        light.intensity = light.intensity < 3.5f ? light.intensity + e.timing.frameTime : 3.5f;
    } else {
        light.intensity = 3.5f;
    }
}

void playKeyframedObjects(Engine& e)
{
    for (SceneObjectRecord& record : e.world.sceneObjects) {
        if (!record.playing || !record.mesh || record.positions.empty())
            continue;
        if (record.keyIndex >= record.positions.size())
            record.keyIndex = record.forward ? 0 : record.positions.size() - 1;
        record.mesh->localPosition = record.positions[record.keyIndex];
        if (record.keyIndex < record.rotations.size())
            record.mesh->rotation = record.rotations[record.keyIndex];
        const bool leaves = record.forward ? record.keyIndex + 1 >= record.positions.size() : record.keyIndex == 0;
        if (leaves) {
            record.keyIndex = record.forward ? 0 : record.positions.size() - 1;
            record.playing = record.looping;
        } else {
            record.keyIndex = record.forward ? record.keyIndex + 1 : record.keyIndex - 1;
        }
    }
}

} // namespace

void measureFrameTime()
{
    Engine& e = engine();
    // A clock that went back (a swapped time source) gives an empty frame, never a negative one.
    e.timing.frameTime = std::clamp(e.timing.frameClock.restart().asSeconds(), 0.f, MAX_FRAME_TIME);
    // Paused, nothing moves: neither the world nor the shaders' glows and shimmers.
    e.timing.gameClock.setRunning(!e.run.paused);
}

void updateEngineFrame()
{
    Engine& e = engine();
    measureFrameTime();
    if (e.run.paused)
        return;

    if (input::isKeyPressed(sf::Keyboard::G))
        changeScene(scene::CREDITS, 0.f);

    runLightTick(e);
    e.world.lightPosition = scene::worldLightPosition(e.world.sceneId);

    for (Entity* entity : e.world.entities)
        entity->update(e);

    if (e.world.lightTick) {
        for (SceneObjectRecord& record : e.world.sceneObjects)
            if (record.mesh)
                record.mesh->lightNearbyMeshes(true, e);
        for (const std::unique_ptr<Mesh>& mesh : e.world.meshes)
            mesh->lightNearbyMeshes(true, e);
    }

    if (e.world.spaceMesh && e.world.camera) {
        e.world.spaceMesh->parentPosition = &e.world.camera->position;
        e.world.spaceMesh->position = e.world.camera->position;
    }

    if (e.world.boss3D) {
        std::vector<std::unique_ptr<Mesh>>& objects = e.world.boss3D->objects;
        objects.erase(std::remove_if(objects.begin(), objects.end(),
                                     [](const std::unique_ptr<Mesh>& mesh) { return !mesh || mesh->markedForDeletion; }),
                      objects.end());
        e.world.boss3D->update();
    }

    if (scene::hasCorridorWalls(e.world.sceneId))
        for (SceneObjectRecord& record : e.world.sceneObjects)
            if (record.mesh && record.mesh->is(MeshKind::CorridorWall))
                record.mesh->depthOffset.y = record.mesh->corridorDepth;

    updatePlanetGlow(e);

    if (scene::isMenu(e.world.sceneId) && menuSceneSteps().update)
        menuSceneSteps().update();

    if (e.world.cameraFrames.empty() && !scene::hasFixedCamera(e.world.sceneId))
        e.controlPlayer3D();
    else
        playCameraPath(e);

    if (e.world.camera) {
        const float yaw = e.world.camera->rotation.y * PI_F / 180.f;
        e.world.camera->forward = {std::cos(yaw), 0.f, -std::sin(yaw)};
    }

    playKeyframedObjects(e);
}

#include "engine/EngineFrame.h"

#include "engine/BossParent.h"
#include "engine/Engine.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float MAX_FRAME_TIME = 0.02f;

template <typename Visit>
void forEachLiveMesh(Engine& e, Visit visit)
{
    for (SceneObjectRecord& record : e.world.sceneObjects)
        if (record.mesh)
            visit(*record.mesh);
    for (const std::unique_ptr<Mesh>& mesh : e.world.meshes)
        visit(*mesh);
    if (e.world.boss3D())
        for (const std::unique_ptr<Mesh>& mesh : e.world.boss3D()->objects)
            if (mesh)
                visit(*mesh);
}

void runLightTick(Engine& e)
{
    if (e.world.light().tick(e.timing.frameTime))
        forEachLiveMesh(e, [](Mesh& mesh) { mesh.forgetLights(); });
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
    switch (scene::sceneInfo(e.world.sceneId()).planetGlow) {
    case scene::PlanetGlow::FollowsPath: {
        const int f = e.world.cameraPath().frame();
        if (f < 66)
            light.intensity = 0.f;
        else if (f <= 184)
            light.intensity = static_cast<float>(f - 65) / 25.f;
        else if (f <= 250)
            light.intensity = static_cast<float>(303 - f) / 25.f;
        break;
    }
    case scene::PlanetGlow::Grows:
        light.intensity = light.intensity < 3.5f ? light.intensity + e.timing.frameTime : 3.5f;
        break;
    case scene::PlanetGlow::Steady: light.intensity = 3.5f; break;
    }
}

void playKeyframedObjects(Engine& e)
{
    for (SceneObjectRecord& record : e.world.sceneObjects) {
        if (!record.playing || !record.mesh || record.positions.empty())
            continue;
        if (record.keyIndex >= record.positions.size())
            record.keyIndex = record.forward ? 0 : record.positions.size() - 1;
        record.mesh->moveLocalTo(record.positions[record.keyIndex]);
        if (record.keyIndex < record.rotations.size())
            record.mesh->turnTo(record.rotations[record.keyIndex]);
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
    e.world.light().placeFor(e.world.sceneId());

    for (Entity* entity : e.world.entities)
        entity->update(e);

    if (e.world.light().ticked()) {
        for (SceneObjectRecord& record : e.world.sceneObjects)
            if (record.mesh)
                record.mesh->lightNearbyMeshes(true, e);
        for (const std::unique_ptr<Mesh>& mesh : e.world.meshes)
            mesh->lightNearbyMeshes(true, e);
    }

    if (e.world.spaceBackdrop() && e.world.camera()) {
        e.world.spaceBackdrop()->followCamera(e.world.camera()->position);
    }

    if (e.world.boss3D()) {
        std::vector<std::unique_ptr<Mesh>>& objects = e.world.boss3D()->objects;
        const auto gone = [](const std::unique_ptr<Mesh>& mesh) { return !mesh || mesh->isMarkedForDeletion(); };
        objects.erase(std::remove_if(objects.begin(), objects.end(), gone), objects.end());
        e.world.boss3D()->update(e.timing.frameTime);
    }

    if (scene::hasCorridorWalls(e.world.sceneId()))
        for (SceneObjectRecord& record : e.world.sceneObjects)
            if (record.mesh && record.mesh->is(MeshKind::CorridorWall)) {
                const sf::Vector3f o = record.mesh->sortOffset();
                record.mesh->setSortOffset({o.x, record.mesh->corridorDepth(), o.z});
            }

    updatePlanetGlow(e);

    if (scene::isMenu(e.world.sceneId()) && menuSceneSteps().update)
        menuSceneSteps().update(e);

    if (e.world.cameraPath().empty() && !scene::hasFixedCamera(e.world.sceneId()))
        e.controlPlayer3D();
    else
        playCameraPath(e);

    if (e.world.camera()) {
        const float yaw = e.world.camera()->rotation.y * PI_F / 180.f;
        e.world.camera()->forward = {std::cos(yaw), 0.f, -std::sin(yaw)};
    }

    playKeyframedObjects(e);
}

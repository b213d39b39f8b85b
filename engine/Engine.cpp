#include "engine/Engine.h"

#include "engine/BossParent.h"
#include "engine/ObjLoader.h"
#include "engine/Scenes.h"

namespace {
Engine* g_engine = nullptr;
} // namespace

Engine& engine()
{
    if (!g_engine)
        g_engine = new Engine(); // lives until the process ends
    return *g_engine;
}

bool engineExists() { return g_engine != nullptr; }

Engine::Engine() = default;

void Engine::initResources()
{
    if (renderer.resourcesReady)
        return;
    renderer.resourcesReady = true;

    createPlayer();

    renderer.spaceTexture = textures.getTexture("3D/space.png");
    if (renderer.spaceTexture)
        renderer.spaceTexture->setRepeated(true);
    renderer.spaceStarTexture = textures.getTexture("3D/spacestar.png");
    world.setSpaceBackdrop(loadObjMesh(textures, renderer, "3D/space", renderer.spaceTexture, {}, false));

    renderer.noiseTexture = textures.getTexture("noise.png");

    if (sf::Texture* cross = textures.getTexture("crosshair.png")) {
        renderer.crosshair.setTexture(*cross);
        renderer.crosshair.setTextureRect(sf::IntRect(0, 0, 16, 16));
    }
    renderer.crosshair.setOrigin(8.f, 8.f);
    renderer.crosshair.setScale(3.f, 3.f);
    renderer.crosshair.setPosition(960.f, 540.f);

}

std::vector<const sf::Texture*> Engine::collectTexturesInUse() const
{
    std::vector<const sf::Texture*> used;
    auto take = [&used](const Mesh* mesh) {
        if (!mesh)
            return;
        const MeshMaps& maps = mesh->maps();
        for (const sf::Texture* t : std::initializer_list<const sf::Texture*>{maps.baseTexture, maps.triangleTexture,
                                                                              maps.normalMap, maps.roughnessMap,
                                                                              maps.heightMap, maps.emissiveMap,
                                                                              maps.noiseMap})
            if (t)
                used.push_back(t);
    };
    for (const SceneObjectRecord& record : world.sceneObjects)
        take(record.mesh.get());
    for (const std::unique_ptr<Mesh>& mesh : world.meshes)
        take(mesh.get());
    for (const Entity* entity : world.entities)
        for (const Mesh* mesh : entity->objects)
            take(mesh);
    if (world.boss3D())
        for (const std::unique_ptr<Mesh>& mesh : world.boss3D()->objects)
            take(mesh.get());
    take(world.spaceBackdrop());
    return used;
}

void Engine::purgeUnusedTextures()
{
    if (scene::keepsTexturesOnPurge(world.sceneId()))
        return;
    textures.purgeExcept(collectTexturesInUse());
}

Mesh* Engine::addMesh(std::unique_ptr<Mesh> mesh)
{
    Mesh* registered = mesh.get();
    if (mesh)
        world.meshes.push_back(std::move(mesh));
    return registered;
}

void Engine::clearScene()
{
    for (const std::unique_ptr<Mesh>& mesh : world.meshes)
        mesh->markForDeletion();
    world.cameraPath().clear();
    for (SceneObjectRecord& record : world.sceneObjects) {
        if (record.sceneId != world.sceneId())
            continue;
        if (record.mesh)
            record.mesh->markForDeletion();
        record.removePending = true;
    }
}

void Engine::createPlayer()
{
    auto newPlayer = std::make_unique<Player>();
    sf::Texture* hitbox = textures.getTexture("2D/hitbox.png");
    newPlayer->marker = loadObjMesh(textures, renderer, "2D/hitboxYarvo", hitbox, {100.f, -2500.f, 100.f}, false);
    newPlayer->addObject(newPlayer->marker.get());
    world.installPlayer(std::move(newPlayer));
}

void Engine::controlPlayer3D()
{
    if (!world.player3D() || !world.camera())
        return;
    const float yaw = world.camera()->rotation.y * PI_F / 180.f;
    const float s = 10000.f * timing.frameTime;
    const float c = std::cos(yaw) * s;
    const float n = std::sin(yaw) * s;
    sf::Vector3f& p = world.player3D()->position;
    if (input::isKeyPressed(sf::Keyboard::Z)) {
        p.z += c;
        p.x -= n;
    }
    if (input::isKeyPressed(sf::Keyboard::S)) {
        p.z -= c;
        p.x += n;
    }
    if (input::isKeyPressed(sf::Keyboard::Q)) {
        p.z -= n;
        p.x -= c;
    }
    if (input::isKeyPressed(sf::Keyboard::D)) {
        p.z += n;
        p.x += c;
    }
    if (input::isKeyPressed(sf::Keyboard::Space) && world.player3D()->state != 2 && world.player3D()->state != 3) {
        world.player3D()->state = world.player3D()->state == 4 ? 5 : 3;
        world.player3D()->clock.restart();
    }
}

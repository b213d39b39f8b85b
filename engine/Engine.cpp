#include "engine/Engine.h"

#include "engine/BossParent.h"
#include "engine/ObjLoader.h"
#include "platform/AssetPath.h"

#include <unordered_set>

namespace {
Engine* g_engine = nullptr;

// Neutral colours per texture kind: white base, flat normal, mid roughness,
// no emission, mid noise.
const sf::Color NEUTRAL_COLOURS[static_cast<size_t>(TextureSlot::Count)] = {
    sf::Color(255, 255, 255), sf::Color(128, 128, 255), sf::Color(128, 128, 128), sf::Color(0, 0, 0),
    sf::Color(128, 128, 128)};
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
    if (resourcesReady)
        return;
    resourcesReady = true;

    createPlayer();

    spaceTexture = getTexture("3D/space.png");
    if (spaceTexture)
        spaceTexture->setRepeated(true);
    spaceStarTexture = getTexture("3D/spacestar.png");
    spaceMesh.reset(loadObjMesh(*this, "3D/space", spaceTexture, {}, true, false));

    noiseTexture = getTexture("noise.png");

    if (sf::Texture* cross = getTexture("crosshair.png")) {
        crosshair.setTexture(*cross);
        crosshair.setTextureRect(sf::IntRect(0, 0, 16, 16));
    }
    crosshair.setOrigin(8.f, 8.f);
    crosshair.setScale(3.f, 3.f);
    crosshair.setPosition(960.f, 540.f);

    sf::ContextSettings settings(0, 0, 0, 1, 1);
    for (auto& buffer : lightBuffers) {
        buffer = std::make_unique<sf::RenderTexture>();
        buffer->create(1920, 1080, settings);
    }
}

sf::Texture* Engine::getTexture(const std::string& path, TextureUse use)
{
    {
        std::lock_guard<std::mutex> lock(textureMutex_);
        noteTextureUse(path, use);
        if (sf::Texture* cached = textureCache_[path].get())
            return cached;
        if (use != TextureUse::Shared && missingSceneFiles_.count(path))
            return nullptr;
    }
    // Decoded outside the lock, so that a thread asking for another texture
    // never waits for this file.
    const std::string file = resolveAssetPath(path);
    if (!assetExists(file)) {
        if (use != TextureUse::Shared) {
            std::lock_guard<std::mutex> lock(textureMutex_);
            missingSceneFiles_.insert(path);
        }
        return nullptr; // optional maps are often absent: a missing file is a quiet null
    }
    auto texture = std::make_unique<sf::Texture>();
    if (!texture->loadFromFile(file))
        return nullptr;
    std::lock_guard<std::mutex> lock(textureMutex_);
    noteTextureUse(path, use); // the purge may have run meanwhile
    std::unique_ptr<sf::Texture>& slot = textureCache_[path];
    if (!slot) // another thread may have loaded it meanwhile: the first one stays
        slot = std::move(texture);
    return slot.get();
}

void Engine::noteTextureUse(const std::string& path, TextureUse use)
{
    auto purgeable = purgeable_.emplace(path, use != TextureUse::Shared);
    if (use == TextureUse::Shared)
        purgeable.first->second = false;
    if (use == TextureUse::NextScene)
        preloaded_.insert(path);
}

void Engine::forgetLastPreload()
{
    std::lock_guard<std::mutex> lock(textureMutex_);
    preloaded_.clear();
    missingSceneFiles_.clear();
}

std::vector<const sf::Texture*> Engine::collectTexturesInUse() const
{
    std::vector<const sf::Texture*> used;
    auto take = [&used](const Mesh* mesh) {
        if (!mesh)
            return;
        for (const sf::Texture* t : {mesh->baseTexture, mesh->triangleTexture, mesh->normalMap, mesh->roughnessMap,
                                     mesh->heightMap, mesh->emissiveMap, mesh->noiseMap})
            if (t)
                used.push_back(t);
    };
    for (const SceneObjectRecord& record : sceneObjects)
        take(record.mesh.get());
    for (const Mesh* mesh : meshes)
        take(mesh);
    for (const Entity* entity : entities)
        for (const Mesh* mesh : entity->objects)
            take(mesh);
    if (boss3D)
        for (const Mesh* mesh : boss3D->objects)
            take(mesh);
    take(spaceMesh.get());
    return used;
}

void Engine::purgeUnusedTextures()
{
    if (sceneId == 7)
        return;
    const std::vector<const sf::Texture*> used = collectTexturesInUse();
    const std::unordered_set<const sf::Texture*> keep(used.begin(), used.end());
    std::lock_guard<std::mutex> lock(textureMutex_);
    for (auto it = textureCache_.begin(); it != textureCache_.end();) {
        sf::Texture* texture = it->second.get();
        const auto purgeable = purgeable_.find(it->first);
        if (texture && purgeable != purgeable_.end() && purgeable->second && !keep.count(texture)
            && !preloaded_.count(it->first) && it->first.find("space") == std::string::npos) {
            purgeable_.erase(purgeable);
            it = textureCache_.erase(it);
        } else {
            ++it;
        }
    }
}

size_t Engine::textureCacheSize()
{
    std::lock_guard<std::mutex> lock(textureMutex_);
    return textureCache_.size();
}

bool Engine::textureCacheHasEntry(const std::string& path)
{
    std::lock_guard<std::mutex> lock(textureMutex_);
    return textureCache_.count(path) != 0;
}

sf::Shader* Engine::sharedShader(const std::string& path)
{
    auto found = shaderCache_.find(path);
    if (found == shaderCache_.end()) {
        std::unique_ptr<sf::Shader> shader;
        if (sf::Shader::isAvailable()) {
            shader = std::make_unique<sf::Shader>();
            if (!shader->loadFromFile(resolveAssetPath(path), sf::Shader::Fragment))
                shader.reset();
        }
        found = shaderCache_.emplace(path, std::move(shader)).first;
    }
    return found->second.get();
}

const sf::Texture& Engine::neutralTexture(TextureSlot slot)
{
    std::unique_ptr<sf::Texture>& texture = neutralTextures_[static_cast<size_t>(slot)];
    if (!texture) {
        sf::Image pixel;
        pixel.create(1, 1, NEUTRAL_COLOURS[static_cast<size_t>(slot)]);
        texture = std::make_unique<sf::Texture>();
        texture->loadFromImage(pixel);
        texture->setRepeated(true);
    }
    return *texture;
}

void Engine::addMesh(Mesh* mesh)
{
    if (mesh)
        meshes.push_back(mesh);
}

void Engine::clearScene()
{
    for (Mesh* mesh : meshes)
        mesh->markedForDeletion = true;
    cameraFrames.clear();
    currentCameraFrame = -1;
    for (SceneObjectRecord& record : sceneObjects) {
        if (record.sceneId != sceneId)
            continue;
        if (record.mesh)
            record.mesh->markedForDeletion = true;
        record.removePending = true;
    }
}

void Engine::installPlayer(std::unique_ptr<Player> newPlayer)
{
    if (player)
        entities.erase(std::remove(entities.begin(), entities.end(), player.get()), entities.end());
    player = std::move(newPlayer);
    player3D = player.get();
    camera = player ? &player->camera : nullptr;
    if (player)
        entities.push_back(player.get());
}

void Engine::createPlayer()
{
    auto newPlayer = std::make_unique<Player>();
    sf::Texture* hitbox = getTexture("2D/hitbox.png");
    newPlayer->marker.reset(loadObjMesh(*this, "2D/hitboxYarvo", hitbox, {100.f, -2500.f, 100.f}, true, false));
    newPlayer->addObject(newPlayer->marker.get());
    installPlayer(std::move(newPlayer));
}

void Engine::controlPlayer3D()
{
    if (!player3D || !camera)
        return;
    const float yaw = camera->rotation.y * PI_F / 180.f;
    const float s = 10000.f * frameTime;
    const float c = std::cos(yaw) * s;
    const float n = std::sin(yaw) * s;
    sf::Vector3f& p = player3D->position;
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
    if (input::isKeyPressed(sf::Keyboard::Space) && player3D->state != 2 && player3D->state != 3) {
        player3D->state = player3D->state == 4 ? 5 : 3;
        player3D->clock.restart();
    }
}

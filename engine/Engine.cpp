#include "engine/Engine.h"

#include "platform/AssetPath.h"

#include <unordered_set>

namespace {
Engine* g_engine = nullptr;
}

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

    spaceTexture = getTexture("3D/space.png");
    if (spaceTexture)
        spaceTexture->setRepeated(true);
    spaceStarTexture = getTexture("3D/spacestar.png");

    noiseShader = std::make_unique<sf::Shader>();
    noiseShaderLoaded = sf::Shader::isAvailable()
        && noiseShader->loadFromFile(resolveAssetPath("Shader/NoiseShader.frag"), sf::Shader::Fragment);
    noiseTexture = getTexture("noise.png");

    if (sf::Texture* cross = getTexture("crosshair.png")) {
        crosshair.setTexture(*cross);
        crosshair.setTextureRect(sf::IntRect(0, 0, 16, 16));
    }
    crosshair.setOrigin(8.f, 8.f);
    crosshair.setScale(3.f, 3.f);
    crosshair.setPosition(960.f, 540.f);

    static const char* const POST_SHADERS[SHADER_SLOTS] = {nullptr, "PixelateShader", "ContrastShader", "NoiseShader", "greenShader"};
    for (int i = 1; i < SHADER_SLOTS; ++i) {
        shaders[i] = std::make_unique<sf::Shader>();
        shaderLoaded[i] = sf::Shader::isAvailable()
            && shaders[i]->loadFromFile(resolveAssetPath(std::string("Shader/") + POST_SHADERS[i] + ".frag"), sf::Shader::Fragment);
    }

    sf::ContextSettings settings(0, 0, 0, 1, 1);
    for (auto& rt : bigRenderTextures) {
        rt = std::make_unique<sf::RenderTexture>();
        rt->create(5760, 3240, settings);
    }
    screenRenderTexture = std::make_unique<sf::RenderTexture>();
    screenRenderTexture->create(1920, 1080, settings);
    blackImage.create(1920, 1080, sf::Color::Black);
}

sf::Texture* Engine::getTexture(const std::string& path)
{
    std::lock_guard<std::mutex> lock(textureMutex_);
    std::unique_ptr<sf::Texture>& slot = textureCache_[path];
    if (slot)
        return slot.get();
    const std::string file = resolveAssetPath(path);
    if (!assetExists(file))
        return nullptr;
    auto texture = std::make_unique<sf::Texture>();
    if (!texture->loadFromFile(file))
        return nullptr;
    slot = std::move(texture);
    return slot.get();
}

std::vector<const sf::Texture*> Engine::collectTexturesInUse() const { return {}; }

void Engine::purgeUnusedTextures()
{
    if (sceneId == 7)
        return;
    const std::vector<const sf::Texture*> used = collectTexturesInUse();
    const std::unordered_set<const sf::Texture*> keep(used.begin(), used.end());
    std::lock_guard<std::mutex> lock(textureMutex_);
    for (auto it = textureCache_.begin(); it != textureCache_.end();) {
        sf::Texture* texture = it->second.get();
        if (texture && !keep.count(texture) && it->first.find("space") == std::string::npos)
            it = textureCache_.erase(it);
        else
            ++it;
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

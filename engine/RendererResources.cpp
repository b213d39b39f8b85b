#include "engine/RendererResources.h"

#include "platform/AssetPath.h"

sf::Shader* RendererResources::sharedShader(const std::string& path)
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

namespace {
const std::string DRAWING_SHADER = "Shader/drawingShader.frag";
const std::string GLOW_SHADER = "Shader/MovingLightShader.frag";
const std::string BACKDROP_SHADER = "Shader/shaderBossSpace.frag";
} // namespace

sf::Shader* RendererResources::drawingShader() { return sharedShader(DRAWING_SHADER); }
sf::Shader* RendererResources::glowShader() { return sharedShader(GLOW_SHADER); }
sf::Shader* RendererResources::backdropShader() { return sharedShader(BACKDROP_SHADER); }

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

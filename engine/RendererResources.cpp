#include "engine/RendererResources.h"

#include "engine/TextParse.h"
#include "platform/AssetPath.h"

namespace {

// The shader's text with `defines` put after its first line (the version line).
bool loadWithDefines(sf::Shader& shader, const std::string& path, const std::string& defines)
{
    if (defines.empty())
        return shader.loadFromFile(resolveAssetPath(path), sf::Shader::Fragment);
    std::string text;
    if (!readTextFile(resolveAssetPath(path), text))
        return false;
    const size_t lineEnd = text.find('\n');
    text.insert(lineEnd == std::string::npos ? text.size() : lineEnd + 1,
                lineEnd == std::string::npos ? "\n" + defines : defines);
    return shader.loadFromMemory(text, sf::Shader::Fragment);
}

} // namespace

const std::string RendererResources::DRAWING_SHADER = "Shader/drawingShader.frag";

sf::Shader* RendererResources::sharedShader(const std::string& path, const std::string& defines)
{
    const std::string key = defines.empty() ? path : path + "\n" + defines;
    auto found = shaderCache_.find(key);
    if (found == shaderCache_.end()) {
        std::unique_ptr<sf::Shader> shader;
        if (sf::Shader::isAvailable()) {
            shader = std::make_unique<sf::Shader>();
            if (!loadWithDefines(*shader, path, defines))
                shader.reset();
        }
        found = shaderCache_.emplace(key, std::move(shader)).first;
    }
    return found->second.get();
}

namespace {
const std::string GLOW_SHADER = "Shader/MovingLightShader.frag";
const std::string BACKDROP_SHADER = "Shader/shaderBossSpace.frag";
} // namespace

sf::Shader* RendererResources::drawingShader()
{
    if (!drawingShaderLooked_) {
        drawingShader_ = sharedShader(DRAWING_SHADER);
        drawingShaderLooked_ = true;
    }
    return drawingShader_;
}
sf::Shader* RendererResources::glowShader() { return sharedShader(GLOW_SHADER); }
sf::Shader* RendererResources::backdropShader() { return sharedShader(BACKDROP_SHADER); }

#include "engine/DrawingShaderVariants.h"

#include "engine/Mesh.h"
#include "engine/RendererResources.h"
#include "engine/TextureCache.h"

namespace {

// A channel of a neutral texel as the shader reads it from the texture.
std::string channel(sf::Uint8 value) { return std::to_string(value) + ".0 / 255.0"; }

std::string texel(TextureSlot slot, int channels)
{
    const sf::Color c = TextureCache::neutralColour(slot);
    const std::string rgb[3] = {channel(c.r), channel(c.g), channel(c.b)};
    if (channels == 1)
        return "(" + rgb[0] + ")";
    std::string text = "vec" + std::to_string(channels) + "(";
    for (int i = 0; i < channels; ++i)
        text += (i ? ", " : "") + rgb[i];
    return text + ")";
}

} // namespace

unsigned DrawingShaderVariants::variantOf(const Mesh& mesh, bool notEmissive)
{
    const MeshMaps& maps = mesh.maps();
    unsigned variant = 0;
    if (!maps.normalMap && !maps.roughnessMap)
        variant |= FLAT_SURFACE;
    if (!maps.noiseMap)
        variant |= FLAT_NOISE;
    if (!maps.emissiveMap || notEmissive)
        variant |= NO_GLOW;
    if (!mesh.hasDisplacement)
        variant |= NO_WOBBLE;
    return variant;
}

std::string DrawingShaderVariants::definesOf(unsigned variant)
{
    std::string defines = "#define PLAY_VIEW\n";
    if (variant & FLAT_SURFACE)
        defines += "#define FLAT_NORMAL " + texel(TextureSlot::Normal, 3) + "\n#define FLAT_ROUGHNESS "
                   + texel(TextureSlot::Roughness, 1) + "\n";
    if (variant & FLAT_NOISE)
        defines += "#define FLAT_NOISE " + texel(TextureSlot::Noise, 2) + "\n";
    if (variant & NO_GLOW)
        defines += "#define NO_GLOW\n";
    if (variant & NO_WOBBLE)
        defines += "#define NO_WOBBLE\n";
    return defines;
}

sf::Shader* DrawingShaderVariants::forMesh(const Mesh& mesh, bool notEmissive, RendererResources& resources)
{
    const unsigned variant = variantOf(mesh, notEmissive);
    if (!tried_[variant]) {
        tried_[variant] = true;
        shaders_[variant] = resources.sharedShader(RendererResources::DRAWING_SHADER, definesOf(variant));
    }
    return shaders_[variant];
}

#pragma once
// The drawing shader as play draws it: one variant per kind of mesh, compiled
// from the same file with a few lines after its first. A mesh with neither a
// normal nor a roughness map has a flat surface whose bump and shine are
// constants, one without a noise map wobbles by a constant, one that cannot
// glow leaves the glow out, and the nearby lights are counted by the game:
// the same picture, to the last bit, for far less of the rasteriser's work on
// every pixel. (A roughness map's texel alone is not made a constant: the
// shader compiler would then regroup the shine's products and round them
// otherwise.) While a debug view is held, the whole shader draws.
#include <SFML/Graphics/Shader.hpp>
#include <array>
#include <string>

class Mesh;
class RendererResources;

class DrawingShaderVariants {
public:
    // What tells a mesh's variant apart, one bit each.
    enum Bit : unsigned { FLAT_SURFACE = 1, FLAT_NOISE = 2, NO_GLOW = 4, NO_WOBBLE = 8 };
    static constexpr unsigned COUNT = 16;

    // The bits of a mesh drawn glowing or not.
    static unsigned variantOf(const Mesh& mesh, bool notEmissive);
    // The lines a variant is compiled with.
    static std::string definesOf(unsigned variant);

    // The play variant of the drawing shader for a mesh; null when it does not
    // compile (the mesh's own shader draws then). Compiled the first time it is asked for.
    sf::Shader* forMesh(const Mesh& mesh, bool notEmissive, RendererResources& resources);

private:
    std::array<sf::Shader*, COUNT> shaders_{};
    std::array<bool, COUNT> tried_{};
};

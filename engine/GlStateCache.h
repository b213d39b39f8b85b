#pragma once
// The GL state the 3D renderer's shader draws depend on beyond what the window
// library keeps track of itself: the program in use, the textures on the units
// that the shaders' maps are read from, and the value each program last
// received for each of its uniforms. Each is changed only when it differs.
// These are the game's only raw GL calls outside the editor's GUI layer.
//
// A pass of draws into one target runs between beginPass and endPass; within
// it nothing else may draw with a shader or bind textures on units 1 and up. The window library binds the drawn texture
// itself, on unit 0, which is left active for it. A pass ends with no
// program in use, as the window library expects. Uniform values are kept from
// pass to pass: a program's uniforms change only through this cache.
#include <SFML/Graphics/Glsl.hpp>
#include <array>
#include <cstddef>
#include <memory>
#include <vector>

namespace sf {
class RenderTarget;
class Shader;
class Texture;
} // namespace sf

class GlStateCache {
public:
    // A shader with the uniforms the renderer sets, by their index in the
    // names it was registered with. Samplers get units 1, 2, ... in that order.
    class Program {
    public:
        unsigned handle() const { return handle_; }

    private:
        friend class GlStateCache;
        struct Uniform {
            int location = -1;   // -1: the shader does not read it
            int unit = 0;        // samplers: the texture unit, 0 for any other uniform
            bool known = false;  // the program has received `value`
            std::array<unsigned char, 16> value{};
        };
        unsigned handle_ = 0;
        std::vector<Uniform> uniforms_;
    };

    GlStateCache() = default;
    GlStateCache(const GlStateCache&) = delete;
    GlStateCache& operator=(const GlStateCache&) = delete;

    // The program of a loaded shader with the `count` uniforms named, the first
    // `samplers` of them textures; their locations are looked up the first time
    // (a shader is always registered with the same names). Null for a shader
    // that did not compile, or without GL 2. The cache keeps it as long as it lives.
    Program* program(const sf::Shader& shader, const char* const* names, std::size_t count, std::size_t samplers);

    // Starts a pass of draws into `target`: its context is made active and the
    // window library's own record of the GL state brought up to date (a reset
    // it would otherwise make at its next draw, after a render texture went,
    // would put no program in use in the middle of the pass); what is bound
    // is not known (others drew since the last pass). False when the target
    // cannot be drawn into.
    bool beginPass(sf::RenderTarget& target);
    // Ends a pass: no program in use, unit 0 active.
    void endPass();

    // Puts the program in use (null: none, the fixed pipeline).
    void use(Program* program);
    // Uniforms of the program in use, by index.
    void setFloat(std::size_t uniform, float value);
    void setBool(std::size_t uniform, bool value);
    void setInt(std::size_t uniform, int value);
    void setVec2(std::size_t uniform, const sf::Glsl::Vec2& value);
    void setVec3(std::size_t uniform, const sf::Glsl::Vec3& value);
    // Binds the texture on the sampler's unit.
    void setTexture(std::size_t uniform, const sf::Texture& texture);
    // Points the sampler at unit 0: it reads the texture the window library
    // binds for the draw.
    void setDrawnTexture(std::size_t uniform);
    // Leaves unit 0 active for the window library's next draw.
    void readyForDraw();

    // GL calls made so far that change what is bound or in use (for benchmarks).
    long programChanges() const { return programChanges_; }
    long textureBinds() const { return textureBinds_; }

private:
    bool loadFunctions();
    // True when the uniform's value differs from what the program last received (and records it).
    bool changes(std::size_t uniform, const void* value, std::size_t size);
    void bindOnUnit(int unit, unsigned texture);

    std::vector<std::unique_ptr<Program>> programs_; // by shader handle, never moved
    Program* current_ = nullptr; // in use, while currentKnown_
    bool currentKnown_ = false;
    static constexpr int UNITS = 16;
    std::array<unsigned, UNITS> bound_{}; // texture on each unit, while boundKnown_
    std::array<bool, UNITS> boundKnown_{};
    int activeUnit_ = 0;
    long programChanges_ = 0;
    long textureBinds_ = 0;
};

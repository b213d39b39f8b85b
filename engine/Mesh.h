#pragma once
// A textured triangle mesh of the 3D world: geometry, placement, motion,
// texture maps for the drawing shader, tags, a light description and the
// deletion mark. Meshes hold no GL objects of their own (textures belong to
// the engine's cache, the drawing shader is shared), so they can be built and
// projected without a display.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/System/Vector3.hpp>
#include <cstdint>
#include <string>
#include <vector>

namespace sf {
class Shader;
class Texture;
} // namespace sf
class Engine;
class TextureCache;

struct Material {
    sf::Vector3f Ka, Kd, Ks, Ke;
    float Ni = 0.f, d = 0.f, Ns = 0.f;
};

// A mesh with intensity above 0 is a point light.
struct LightData {
    float intensity = 0.f;
    float range = 0.f;
    sf::Color colour = sf::Color::White;
};

// A light that reached a mesh at the last light tick: where it was then, and
// its live description.
struct LightReference {
    sf::Vector3f position;
    const LightData* light = nullptr;
};

// Model-space position and normalised texture coordinates of one corner.
struct ModelVertex {
    float x = 0.f, y = 0.f, z = 0.f, u = 0.f, v = 0.f;
};

// One face as loaded. Its drawn screen positions and colours of each frame go
// to the mesh's batch.
struct Triangle {
    sf::Vertex vertices[3]; // texture coordinates in pixels of the base texture; colours as first drawn
    ModelVertex modelVertices[3];
    sf::Vector3f normal; // as the model file gives it
};

// The triangles' per-frame working set, laid out for the projection loop:
// the model-space corner coordinates as nine planes of floats (x0 of every
// triangle, then y0, ..., then z2), the drawn texture coordinates and the
// colours each corner was last given (three per triangle).
struct TriangleStreams {
    static constexpr size_t PLANES = 9;
    TriangleStreams() = default;
    explicit TriangleStreams(const std::vector<Triangle>& triangles);
    const float* plane(size_t p) const { return corners.data() + p * count; }

    size_t count = 0;
    bool opaqueColours = true; // every corner's colour as loaded has full alpha
    std::vector<float> corners;
    std::vector<sf::Vector2f> texCoords;
    std::vector<sf::Color> colours;
};

struct ScreenBounds {
    float minX = 0.f, minY = 0.f, maxX = 0.f, maxY = 0.f;
};

// The optional maps a model's mesh looks for beside its .obj, by file-name suffix:
// normal, roughness, height, emissive, noise (the order of Mesh::loadTextureMaps).
inline constexpr const char* MESH_MAP_SUFFIXES[] = {"_NM.png", "_RN.png", "_HM.png", "_EM.png", "_NoiseM.png"};

// What a mesh is to the renderer and the engine step. Decided once, when the
// mesh is made or renamed (meshKindsOf its name), or set by whoever loads it;
// the frame only reads the flags.
enum class MeshKind : std::uint16_t {
    ScrollingMap = 1 << 0,    // its sort distance drifts back with the scroll ("Map")
    Wall = 1 << 1,            // sorts behind the others, further every frame ("wall")
    CollisionTop = 1 << 2,    // an invisible marker of the top wall line ("collisionTop")
    CollisionBottom = 1 << 3, // an invisible marker of the bottom wall line ("collisionBot")
    Space = 1 << 4,           // space scenery: sorted near-first against the rest ("space")
    SpaceStar = 1 << 5,       // its back faces are dropped even where a scene draws them ("spacestar")
    Backdrop = 1 << 6,        // the space backdrop itself ("3D/space"): no uniforms, a shader in the arena
    Player = 1 << 7,          // the player's model, drawn again on top where a scene asks ("player")
    GreenPlanet = 1 << 8,     // the planet whose glow the engine step drives ("GreenPlanet")
    CorridorWall = 1 << 9,    // a corridor wall section, with its own sort depth (Mesh::corridorDepth)
};

class MeshKinds {
public:
    bool has(MeshKind kind) const { return (bits_ & static_cast<std::uint16_t>(kind)) != 0; }
    void add(MeshKind kind) { bits_ = static_cast<std::uint16_t>(bits_ | static_cast<std::uint16_t>(kind)); }
    bool operator==(const MeshKinds& other) const { return bits_ == other.bits_; }

private:
    std::uint16_t bits_ = 0;
};

// The kinds a mesh of that name is, by the parts of its name listed above.
MeshKinds meshKindsOf(const std::string& name);
// How far back a corridor wall section sorts (its depth offset's y), by its
// model name; 0 for a mesh that is not one.
float corridorWallDepth(const std::string& name);

class Mesh {
public:
    Mesh(std::vector<Triangle> triangles, const sf::Vector3f& initialPosition, std::string name, bool flag);
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    const std::string& name() const { return name_; }
    // A new name, and the kinds that go with it.
    void rename(std::string newName);
    bool is(MeshKind kind) const { return kinds.has(kind); }

    bool hasTag(const std::string& tag) const;
    // Sets the texture drawn on the triangles (and the shader's "texture"),
    // scaling the texture coordinates to its size. Null draws untextured.
    // `opaque`: every pixel of it is fully opaque (TextureCache::isOpaque).
    void setBaseTexture(const sf::Texture* texture, bool opaque = false);
    // Whatever the mesh draws is fully opaque: it hides what lies behind it.
    bool drawsOpaque() const { return baseOpaque_ && streams.opaqueColours; }
    // The five optional maps named after the model: name + "_NM.png", ... (needs a display).
    void loadTextureMaps(TextureCache& textures, const std::string& modelName);

    // Spin, parent rotation, velocity and parent position applied for one pass.
    void updateTransform(float frameTime);
    // Parent rotation and position applied to the mesh as it stands (nothing moves).
    void followParents();

    // Offers this mesh as a light to every scene and registered mesh in range.
    void lightNearbyMeshes(bool tick, Engine& engine);
    void addLightIfInRange(const sf::Vector3f& lightPosition, const LightData* light);

    std::vector<LightReference> lights;
    const sf::Vector3f* parentPosition = nullptr;
    const sf::Vector3f* parentRotation = nullptr;
    sf::Shader* shader = nullptr; // shared drawing shader, owned by the engine

    // Textures are owned by the engine's cache.
    const sf::Texture* baseTexture = nullptr;     // the shader's "texture" (swappable)
    const sf::Texture* triangleTexture = nullptr; // bound while drawing; its size scales the coordinates
    sf::Texture* noiseMap = nullptr;
    sf::Texture* normalMap = nullptr;
    sf::Texture* roughnessMap = nullptr;
    sf::Texture* heightMap = nullptr;
    sf::Texture* emissiveMap = nullptr;

    bool notEmissive = false;
    bool hasDisplacement = true;
    bool markedForDeletion = false;
    std::vector<std::string> tags;
    sf::Vector3f depthOffset;
    float flash = 0.f; // grey 0..255 overriding the lighting while non-zero
    std::string texturePath;
    ScreenBounds screenBounds;
    std::vector<Triangle> triangles; // set by the constructor; the streams below mirror it
    TriangleStreams streams;
    sf::Vector3f position;      // world position = parent position + localPosition
    sf::Vector3f worldRotation; // parent rotation + rotation
    sf::Vector3f spin;          // degrees added to rotation at every projection pass
    sf::Vector3f velocity;      // world units per second added to localPosition
    bool lit = true;
    sf::Vector3f rotation;
    sf::Vector3f localPosition;
    MeshKinds kinds;           // set with the name; a loader may add more
    float corridorDepth = 0.f; // a CorridorWall's depth offset y in the corridor
    bool flag = false;
    LightData lightData;
    float depth = 0.f;
    Material material;

private:
    std::string name_; // the model path it was loaded from, unless renamed
    bool baseOpaque_ = false;
};

// Destroys a mesh (triangles, tags, light list); textures stay in the cache.

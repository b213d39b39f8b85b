#pragma once
// A textured triangle mesh of the 3D world: geometry, placement, motion,
// texture maps for the drawing shader, its kinds, a light description and the
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
    // A sphere around every corner (model space): the centre of their box and
    // the farthest corner's distance from it; radius -1 without corners, NaN
    // when a corner is not a number.
    sf::Vector3f sphereCentre;
    float sphereRadius = -1.f;
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
// mesh is made or renamed (meshKindsOf its name), or added by whoever loads it
// (the scene loader adds what its scene's row says); the frame only reads the flags.
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
    Light = 1 << 10,          // glows, and lights reach it even when it is unlit (a scene's light, the green planet)
    NoGlow = 1 << 11,         // a scene's light that draws no glow there
    FinalBossHead = 1 << 12,  // the final boss's head ("4head")
};

class MeshKinds {
public:
    bool has(MeshKind kind) const { return (bits_ & static_cast<std::uint16_t>(kind)) != 0; }
    void add(MeshKind kind) { bits_ = static_cast<std::uint16_t>(bits_ | static_cast<std::uint16_t>(kind)); }
    bool operator==(const MeshKinds& other) const { return bits_ == other.bits_; }

private:
    std::uint16_t bits_ = 0;
};

// The kinds a mesh of that name is in every scene (the rules by name in engine/Scenes.cpp).
MeshKinds meshKindsOf(const std::string& name);

// The textures a mesh is drawn with, all owned by the engine's cache.
struct MeshMaps {
    const sf::Texture* baseTexture = nullptr;     // the shader's "texture" (swappable)
    const sf::Texture* triangleTexture = nullptr; // bound while drawing; its size scales the coordinates
    sf::Texture* noiseMap = nullptr;
    sf::Texture* normalMap = nullptr;
    sf::Texture* roughnessMap = nullptr;
    sf::Texture* heightMap = nullptr;
    sf::Texture* emissiveMap = nullptr;
};

class Mesh {
public:
    Mesh(std::vector<Triangle> triangles, const sf::Vector3f& initialPosition, std::string name, bool flag);
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    const std::string& name() const { return name_; }
    // A new name, and the kinds that go with it.
    void rename(std::string newName);
    bool is(MeshKind kind) const { return kinds_.has(kind); }
    MeshKinds kinds() const { return kinds_; }
    // A kind its name does not tell (a loader's choice).
    void addKind(MeshKind kind) { kinds_.add(kind); }
    // A CorridorWall's depth offset y in the corridor (0 for other meshes).
    float corridorDepth() const { return corridorDepth_; }
    // A corridor wall section, sorting `sortDepth` back (its scene's row says which and how far).
    void becomeCorridorWall(float sortDepth)
    {
        kinds_.add(MeshKind::CorridorWall);
        corridorDepth_ = sortDepth;
    }
    // The flag its loader gave it.
    bool flagged() const { return flag_; }

    // Sets the texture drawn on the triangles (and the shader's "texture"),
    // scaling the texture coordinates to its size. Null draws untextured.
    // `opaque`: every pixel of it is fully opaque (TextureCache::isOpaque).
    void setBaseTexture(const sf::Texture* texture, bool opaque = false);
    // Whatever the mesh draws is fully opaque: it hides what lies behind it.
    bool drawsOpaque() const { return baseOpaque_ && streams.opaqueColours; }
    // The five optional maps named after the model: name + "_NM.png", ... (needs a display).
    void loadTextureMaps(TextureCache& textures, const std::string& modelName);
    const MeshMaps& maps() const { return maps_; }
    // The drawing shader it is drawn with (shared, owned by the engine); null: the fixed pipeline.
    sf::Shader* shader() const { return shader_; }
    void useShader(sf::Shader* shader) { shader_ = shader; }

    // ---- placement and motion ----
    // World position = parent position + local position; world rotation = parent rotation + rotation.
    const sf::Vector3f& position() const { return position_; }
    const sf::Vector3f& localPosition() const { return localPosition_; }
    const sf::Vector3f& rotation() const { return rotation_; }
    const sf::Vector3f& worldRotation() const { return worldRotation_; }
    const sf::Vector3f& spin() const { return spin_; }
    const sf::Vector3f& velocity() const { return velocity_; }
    // Stands the mesh at `p` in the world and locally at once (until the parents are next applied).
    void placeAt(const sf::Vector3f& p) { position_ = localPosition_ = p; }
    // A new local position (a key or a camera-path frame): the world position follows at the next pass.
    void moveLocalTo(const sf::Vector3f& p) { localPosition_ = p; }
    void turnTo(const sf::Vector3f& r) { rotation_ = r; }
    // Degrees added to the rotation at every projection pass.
    void setSpin(const sf::Vector3f& s) { spin_ = s; }
    // World units per second added to the local position.
    void moveAt(const sf::Vector3f& v) { velocity_ = v; }
    // Moves and turns with a parent (an entity's position and rotation; null: none).
    void followParent(const sf::Vector3f* position, const sf::Vector3f* rotation)
    {
        parentPosition_ = position;
        parentRotation_ = rotation;
    }
    // Travels with the camera at `cameraPosition` (the space backdrop), from where it stands now.
    void followCamera(const sf::Vector3f& cameraPosition)
    {
        parentPosition_ = &cameraPosition;
        position_ = cameraPosition;
    }
    // Spin, parent rotation, velocity and parent position applied for one pass.
    void updateTransform(float frameTime);
    // Parent rotation and position applied to the mesh as it stands (nothing moves).
    void followParents();

    // ---- drawing order and look ----
    // Added to the position when the painter's order measures its distance.
    const sf::Vector3f& sortOffset() const { return depthOffset_; }
    void setSortOffset(const sf::Vector3f& offset) { depthOffset_ = offset; }
    // Sorts `dx` further back (scrolling maps and walls, frame by frame).
    void driftBack(float dx) { depthOffset_.x += dx; }
    // Grey 0..255 overriding the lighting while non-zero.
    float flashGrey() const { return flash_; }
    void setFlash(float grey) { flash_ = grey; }
    // Lit by its emissive map (the default).
    bool emissive() const { return !notEmissive_; }
    void setEmissive(bool on) { notEmissive_ = !on; }

    // ---- lights ----
    // Offers this mesh as a light to every scene and registered mesh in range.
    void lightNearbyMeshes(bool tick, Engine& engine);
    void addLightIfInRange(const sf::Vector3f& lightPosition, const LightData* light);
    // The lights that reached it at the last light tick.
    const std::vector<LightReference>& lightsReaching() const { return lights_; }
    void forgetLights() { lights_.clear(); }

    // Deleted at the next visible-list rebuild (scene objects and registered meshes).
    void markForDeletion() { markedForDeletion_ = true; }
    bool isMarkedForDeletion() const { return markedForDeletion_; }

    bool hasDisplacement = true;
    std::string texturePath;
    // The screen box of its corners when the pipeline last judged its faces
    // (a mesh wholly off the window is not judged: it keeps the last box).
    ScreenBounds screenBounds;
    std::vector<Triangle> triangles; // set by the constructor; the streams below mirror it
    TriangleStreams streams;
    bool lit = true;
    LightData lightData;
    float depth = 0.f;
    Material material;

private:
    std::string name_; // the model path it was loaded from, unless renamed
    bool baseOpaque_ = false;
    MeshMaps maps_;
    sf::Shader* shader_ = nullptr;
    std::vector<LightReference> lights_;
    const sf::Vector3f* parentPosition_ = nullptr;
    const sf::Vector3f* parentRotation_ = nullptr;
    bool notEmissive_ = false;
    bool markedForDeletion_ = false;
    sf::Vector3f depthOffset_;
    float flash_ = 0.f;
    sf::Vector3f position_;
    sf::Vector3f worldRotation_;
    sf::Vector3f spin_;
    sf::Vector3f velocity_;
    sf::Vector3f rotation_;
    sf::Vector3f localPosition_;
    MeshKinds kinds_;
    float corridorDepth_ = 0.f;
    bool flag_ = false;
};

// Destroys a mesh (triangles, light list); textures stay in the cache.

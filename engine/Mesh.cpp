#include "engine/Mesh.h"

#include "engine/Engine.h"
#include "engine/Math3D.h"

#include <algorithm>
#include <iterator>

namespace {

// The parts of a model name that make a mesh of a kind.
struct KindByName {
    const char* part;
    MeshKind kind;
};
const KindByName KINDS_BY_NAME[] = {
    {"Map", MeshKind::ScrollingMap},           {"wall", MeshKind::Wall},
    {"collisionTop", MeshKind::CollisionTop},  {"collisionBot", MeshKind::CollisionBottom},
    {"space", MeshKind::Space},                {"spacestar", MeshKind::SpaceStar},
    {"player", MeshKind::Player},              {"GreenPlanet", MeshKind::GreenPlanet},
};

// The corridor: how far behind the others each wall section sorts.
struct WallDepth {
    const char* modelName;
    float depthOffsetY;
};
const WallDepth CORRIDOR_WALL_DEPTHS[] = {
    {"3D/LVL2/wall/wall1", 100000.f},       {"3D/LVL2/wall/wall2", 100000.f},
    {"3D/LVL2/wall/wall1_2", 20000000.f},   {"3D/LVL2/wall/wall2_2", 20000000.f},
    {"3D/LVL2/wall/wall1_3", 300000000.f},  {"3D/LVL2/wall/wall2_3", 300000000.f},
    {"3D/LVL2/wall/wall1_4", 4000000000.f}, {"3D/LVL2/wall/wall2_4", 4000000000.f},
};

} // namespace

MeshKinds meshKindsOf(const std::string& name)
{
    MeshKinds kinds;
    for (const KindByName& rule : KINDS_BY_NAME)
        if (name.find(rule.part) != std::string::npos)
            kinds.add(rule.kind);
    if (name == "3D/space")
        kinds.add(MeshKind::Backdrop);
    if (corridorWallDepth(name) != 0.f)
        kinds.add(MeshKind::CorridorWall);
    return kinds;
}

float corridorWallDepth(const std::string& name)
{
    for (const WallDepth& wall : CORRIDOR_WALL_DEPTHS)
        if (name == wall.modelName)
            return wall.depthOffsetY;
    return 0.f;
}

Mesh::Mesh(std::vector<Triangle> tris, const sf::Vector3f& initialPosition, std::string meshName, bool meshFlag)
    : triangles(std::move(tris)), streams(triangles), position(initialPosition), localPosition(initialPosition),
      flag(meshFlag)
{
    rename(std::move(meshName));
}

void Mesh::rename(std::string newName)
{
    name_ = std::move(newName);
    kinds = meshKindsOf(name_);
    corridorDepth = corridorWallDepth(name_);
}

TriangleStreams::TriangleStreams(const std::vector<Triangle>& triangles)
    : count(triangles.size()), corners(PLANES * count), texCoords(3 * count), colours(3 * count)
{
    for (size_t i = 0; i < count; ++i) {
        const Triangle& t = triangles[i];
        for (size_t k = 0; k < 3; ++k) {
            corners[(3 * k) * count + i] = t.modelVertices[k].x;
            corners[(3 * k + 1) * count + i] = t.modelVertices[k].y;
            corners[(3 * k + 2) * count + i] = t.modelVertices[k].z;
            texCoords[3 * i + k] = t.vertices[k].texCoords;
            colours[3 * i + k] = t.vertices[k].color;
            opaqueColours = opaqueColours && t.vertices[k].color.a == 255;
        }
    }
}

bool Mesh::hasTag(const std::string& tag) const { return std::find(tags.begin(), tags.end(), tag) != tags.end(); }

void Mesh::setBaseTexture(const sf::Texture* texture, bool opaque)
{
    baseTexture = texture;
    triangleTexture = texture;
    baseOpaque_ = texture && opaque;
    const sf::Vector2u size = texture ? texture->getSize() : sf::Vector2u(1, 1);
    for (size_t i = 0; i < triangles.size(); ++i)
        for (size_t k = 0; k < 3; ++k) {
            Triangle& t = triangles[i];
            t.vertices[k].texCoords = {t.modelVertices[k].u * size.x, t.modelVertices[k].v * size.y};
            streams.texCoords[3 * i + k] = t.vertices[k].texCoords;
        }
}

void Mesh::loadTextureMaps(TextureCache& textures, const std::string& modelName)
{
    sf::Texture** const maps[] = {&normalMap, &roughnessMap, &heightMap, &emissiveMap, &noiseMap};
    static_assert(std::size(maps) == std::size(MESH_MAP_SUFFIXES));
    for (size_t i = 0; i < std::size(maps); ++i)
        *maps[i] = textures.getOptionalTexture(modelName + MESH_MAP_SUFFIXES[i], TextureUse::Scene);
    if (noiseMap)
        noiseMap->setRepeated(true);
}

void Mesh::updateTransform(float frameTime)
{
    rotation += spin;
    localPosition += velocity * frameTime;
    followParents();
}

void Mesh::followParents()
{
    worldRotation = parentRotation ? rotation + *parentRotation : rotation;
    position = parentPosition ? localPosition + *parentPosition : localPosition;
}

void Mesh::lightNearbyMeshes(bool tick, Engine& engine)
{
    if (!tick || !(lightData.intensity > 0.f))
        return;
    const sf::Vector3f p = position;
    for (SceneObjectRecord& record : engine.world.sceneObjects)
        if (record.mesh)
            record.mesh->addLightIfInRange(p, &lightData);
    for (const std::unique_ptr<Mesh>& mesh : engine.world.meshes)
        mesh->addLightIfInRange(p, &lightData);
}

void Mesh::addLightIfInRange(const sf::Vector3f& lightPosition, const LightData* light)
{
    if (!light)
        return;
    const float d = distance3(position, lightPosition);
    if (!(d <= light->range + 2000.f))
        return;
    if (lit || hasTag("light") || hasTag("Light"))
        lights.push_back({lightPosition, light});
}

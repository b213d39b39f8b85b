#include "engine/Mesh.h"

#include "engine/Engine.h"
#include "engine/Math3D.h"

#include <iterator>

Mesh::Mesh(std::vector<Triangle> tris, const sf::Vector3f& initialPosition, std::string meshName, bool meshFlag)
    : triangles(std::move(tris)), streams(triangles), position_(initialPosition), localPosition_(initialPosition),
      flag_(meshFlag)
{
    rename(std::move(meshName));
}

void Mesh::rename(std::string newName)
{
    name_ = std::move(newName);
    kinds_ = meshKindsOf(name_);
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
    if (count == 0)
        return;
    sf::Vector3f low = {triangles[0].modelVertices[0].x, triangles[0].modelVertices[0].y,
                        triangles[0].modelVertices[0].z};
    sf::Vector3f high = low;
    bool numbers = true;
    for (const Triangle& t : triangles)
        for (const auto& v : t.modelVertices) {
            numbers = numbers && std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
            low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
            high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
        }
    sphereCentre = (low + high) * 0.5f;
    double farthest = 0.0;
    for (const Triangle& t : triangles)
        for (const auto& v : t.modelVertices) {
            const double dx = v.x - sphereCentre.x, dy = v.y - sphereCentre.y, dz = v.z - sphereCentre.z;
            farthest = std::max(farthest, dx * dx + dy * dy + dz * dz);
        }
    sphereRadius = numbers ? static_cast<float>(std::sqrt(farthest)) : std::numeric_limits<float>::quiet_NaN();
}

void Mesh::setBaseTexture(const sf::Texture* texture, bool opaque)
{
    maps_.baseTexture = texture;
    maps_.triangleTexture = texture;
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
    sf::Texture** const maps[] = {&maps_.normalMap, &maps_.roughnessMap, &maps_.heightMap, &maps_.emissiveMap,
                                  &maps_.noiseMap};
    static_assert(std::size(maps) == std::size(MESH_MAP_SUFFIXES));
    for (size_t i = 0; i < std::size(maps); ++i)
        *maps[i] = textures.getOptionalTexture(modelName + MESH_MAP_SUFFIXES[i], TextureUse::Scene);
    if (maps_.noiseMap)
        maps_.noiseMap->setRepeated(true);
}

void Mesh::updateTransform(float frameTime)
{
    rotation_ += spin_;
    localPosition_ += velocity_ * frameTime;
    followParents();
}

void Mesh::followParents()
{
    worldRotation_ = parentRotation_ ? rotation_ + *parentRotation_ : rotation_;
    position_ = parentPosition_ ? localPosition_ + *parentPosition_ : localPosition_;
}

void Mesh::lightNearbyMeshes(bool tick, Engine& engine)
{
    if (!tick || !(lightData.intensity > 0.f))
        return;
    const sf::Vector3f p = position_;
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
    const float d = distance3(position_, lightPosition);
    if (!(d <= light->range + 2000.f))
        return;
    if (lit || is(MeshKind::Light))
        lights_.push_back({lightPosition, light});
}

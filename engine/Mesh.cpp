#include "engine/Mesh.h"

#include "engine/Engine.h"
#include "engine/Math3D.h"

#include <algorithm>

Mesh::Mesh(std::vector<Triangle> tris, const sf::Vector3f& initialPosition, std::string meshName, bool meshFlag)
    : triangles(std::move(tris)), position(initialPosition), localPosition(initialPosition), name(std::move(meshName)),
      flag(meshFlag)
{
}

bool Mesh::hasTag(const std::string& tag) const { return std::find(tags.begin(), tags.end(), tag) != tags.end(); }

void Mesh::setBaseTexture(sf::Texture* texture)
{
    baseTexture = texture;
    triangleTexture = texture;
    const sf::Vector2u size = texture ? texture->getSize() : sf::Vector2u(1, 1);
    for (Triangle& t : triangles)
        for (int k = 0; k < 3; ++k)
            t.vertices[k].texCoords = {t.modelVertices[k].u * size.x, t.modelVertices[k].v * size.y};
}

void Mesh::loadTextureMaps(Engine& engine, const std::string& modelName)
{
    normalMap = engine.getTexture(modelName + "_NM.png", TextureUse::Scene);
    roughnessMap = engine.getTexture(modelName + "_RN.png", TextureUse::Scene);
    heightMap = engine.getTexture(modelName + "_HM.png", TextureUse::Scene);
    emissiveMap = engine.getTexture(modelName + "_EM.png", TextureUse::Scene);
    noiseMap = engine.getTexture(modelName + "_NoiseM.png", TextureUse::Scene);
    if (noiseMap)
        noiseMap->setRepeated(true);
}

void Mesh::updateTransform(float frameTime)
{
    rotation += spin;
    worldRotation = parentRotation ? rotation + *parentRotation : rotation;
    localPosition += velocity * frameTime;
    position = parentPosition ? localPosition + *parentPosition : localPosition;
}

void Mesh::lightNearbyMeshes(bool tick, Engine& engine)
{
    if (!tick || !(lightData.intensity > 0.f))
        return;
    const sf::Vector3f p = position;
    for (SceneObjectRecord& record : engine.sceneObjects)
        if (record.mesh)
            record.mesh->addLightIfInRange(p, &lightData);
    for (Mesh* mesh : engine.meshes)
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

void deleteObject3D(Mesh* mesh) { delete mesh; }

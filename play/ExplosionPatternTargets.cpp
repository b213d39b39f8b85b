#include "play/ExplosionPatternTargets.h"

#include "engine/Engine.h"
#include "engine/Math3D.h"
#include "engine/Mesh.h"

namespace {

bool namedAs(const std::string& meshName, const std::string& name)
{
    if (meshName == name)
        return true;
    // Model paths end with the object's name ("3D/Murzel/4head").
    return meshName.size() > name.size() && meshName.compare(meshName.size() - name.size(), name.size(), name) == 0 &&
           meshName[meshName.size() - name.size() - 1] == '/';
}

} // namespace

Mesh* findSceneMesh(const std::string& name)
{
    Engine& e = engine();
    for (SceneObjectRecord& record : e.world.sceneObjects)
        if (record.mesh && !record.mesh->markedForDeletion && (record.name == name || namedAs(record.mesh->name(), name)))
            return record.mesh.get();
    for (const std::unique_ptr<Mesh>& mesh : e.world.meshes)
        if (mesh && !mesh->markedForDeletion && namedAs(mesh->name(), name))
            return mesh.get();
    return nullptr;
}

sf::Vector2f projectSceneObject(const std::string& name, sf::Vector2f fallback)
{
    const Mesh* mesh = findSceneMesh(name);
    const Camera* camera = engine().world.camera;
    if (!mesh || !camera)
        return fallback;
    return projectToScreen(*camera, mesh->position);
}

#include "play/ExplosionPatternTargets.h"

#include "engine/Engine.h"
#include "engine/Math3D.h"
#include "engine/Mesh.h"

Mesh* findSceneMesh(MeshKind kind)
{
    Engine& e = engine();
    for (SceneObjectRecord& record : e.world.sceneObjects)
        if (record.mesh && !record.mesh->isMarkedForDeletion() && record.mesh->is(kind))
            return record.mesh.get();
    for (const std::unique_ptr<Mesh>& mesh : e.world.meshes)
        if (mesh && !mesh->isMarkedForDeletion() && mesh->is(kind))
            return mesh.get();
    return nullptr;
}

sf::Vector2f projectSceneObject(MeshKind kind, sf::Vector2f fallback)
{
    const Mesh* mesh = findSceneMesh(kind);
    const Camera* camera = engine().world.camera();
    if (!mesh || !camera)
        return fallback;
    return projectToScreen(*camera, mesh->position());
}

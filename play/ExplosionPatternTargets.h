#pragma once
// Where on screen a 2D effect meets a 3D scene object: the object's mesh found
// by its kind (decided when it was loaded), and its position projected through
// the engine's camera.
#include <SFML/System/Vector2.hpp>
#include <cstdint>

class Mesh;
enum class MeshKind : std::uint16_t;

// The first mesh of that kind in the current scene (its scene objects, then the
// registered meshes; none marked for deletion); null when there is none.
Mesh* findSceneMesh(MeshKind kind);

// The screen point of that mesh's position, or `fallback` when the mesh or the
// engine's camera does not exist.
sf::Vector2f projectSceneObject(MeshKind kind, sf::Vector2f fallback);

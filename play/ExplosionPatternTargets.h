#pragma once
// Where on screen a 2D effect meets a 3D scene object: the object's mesh looked
// up by name, and its position projected through the engine's camera.
#include <SFML/System/Vector2.hpp>
#include <string>

class Mesh;

// The mesh of the current scene's object called `name` (a scene object whose
// record or mesh carries that name, or a registered mesh of that name); null
// when there is none.
Mesh* findSceneMesh(const std::string& name);

// The screen point of that object's position, or `fallback` when the object or
// the engine's camera does not exist.
sf::Vector2f projectSceneObject(const std::string& name, sf::Vector2f fallback);

#pragma once
// Scripted 3D actors: an entity has a position, a rotation and meshes that
// follow it. The only one is the 3D player, which carries the engine's camera.
#include "engine/Math3D.h"
#include "platform/Input.h"

#include <memory>
#include <vector>

class Engine;
class Mesh;

class Entity {
public:
    virtual ~Entity() = default;
    virtual void update(Engine& engine) = 0;

    // Makes the mesh follow this entity (its parent position and rotation).
    void addObject(Mesh* mesh);

    timing::Clock clock;
    sf::Vector3f position;
    sf::Vector3f rotation;
    std::vector<Mesh*> objects; // not owned
};

class Player : public Entity {
public:
    Player();
    ~Player() override;
    // Action states fall back (3 -> 2 after 0.5 s, 5 -> 4 after 0.1 s); the camera
    // follows the player; the timer runs down.
    void update(Engine& engine) override;

    int state = 0;
    Camera camera;
    float timer = 0.f;
    std::unique_ptr<Mesh> marker; // the hitbox model that follows the player
};

#include "engine/Entity.h"

#include "engine/Engine.h"
#include "engine/Mesh.h"

void Entity::addObject(Mesh* mesh)
{
    if (!mesh)
        return;
    objects.push_back(mesh);
    mesh->followParent(&position, &rotation);
}

Player::Player()
{
    position = {1000.f, -4000.f, 1000.f};
    camera.position = {0.f, 200.f, 0.f};
}

Player::~Player() = default;

void Player::update(Engine& engine)
{
    if (state == 3 && clock.getElapsedTime().asSeconds() >= 0.5f) {
        state = 2;
        clock.restart();
    } else if (state == 5 && clock.getElapsedTime().asSeconds() >= 0.1f) {
        state = 4;
        clock.restart();
    }
    camera.position = position;
    timer -= engine.timing.frameTime;
}

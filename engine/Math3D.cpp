#include "engine/Math3D.h"

EulerRotation::EulerRotation(const sf::Vector3f& degrees)
{
    const float x = degrees.x * PI_F / 180.f;
    const float y = degrees.y * PI_F / 180.f;
    const float z = degrees.z * PI_F / 180.f;
    cx = std::cos(x);
    sx = std::sin(x);
    cy = std::cos(y);
    sy = std::sin(y);
    cz = std::cos(z);
    sz = std::sin(z);
}

sf::Vector3f rotateEuler(const sf::Vector3f& v, const sf::Vector3f& degrees) { return EulerRotation(degrees).apply(v); }

sf::Vector2f projectToScreen(const Camera& camera, const sf::Vector3f& p) { return ScreenProjector(camera).project(p); }

sf::Vector3f moveTowards3D(const sf::Vector3f& from, const sf::Vector3f& to, float speed, float frameTime)
{
    const sf::Vector3f d = to - from;
    const float len = length3(d);
    if (len > 2.f)
        return d / len * frameTime * speed;
    return {};
}

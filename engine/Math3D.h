#pragma once
// The 3D math every part of the engine is built on: Euler rotation (z, then y,
// then x, degrees), the perspective projection onto the 1920 x 1080 window,
// the angle between two vectors, a constant-speed step towards a target and
// angles brought into one turn.
#include <SFML/System/Vector2.hpp>
#include <SFML/System/Vector3.hpp>
#include <cmath>

constexpr float PI_F = 3.1415927f;
constexpr double PI_D = 3.141592653589793;
constexpr float FOCAL_LENGTH = 800.f;
constexpr float SCREEN_CENTRE_X = 960.f;
constexpr float SCREEN_CENTRE_Y = 540.f;
constexpr float WINDOW_WIDTH = 1920.f;
constexpr float WINDOW_HEIGHT = 1080.f;
constexpr float MIN_DEPTH = 0.0001f;

struct Camera {
    sf::Vector3f position;
    sf::Vector3f rotation; // degrees
    sf::Vector3f forward;  // from the yaw, refreshed by the engine step
};

// The sines and cosines of three Euler angles, computed once and applied to
// many vectors. apply() gives exactly what rotateEuler gives.
struct EulerRotation {
    explicit EulerRotation(const sf::Vector3f& degrees);
    sf::Vector3f apply(const sf::Vector3f& v) const
    {
        const float x1 = cz * v.x - sz * v.y;
        const float y1 = sz * v.x + cz * v.y;
        const float z1 = v.z;
        const float x2 = cy * x1 + sy * z1;
        const float z2 = cy * z1 - sy * x1;
        const float y3 = cx * y1 - sx * z2;
        const float z3 = sx * y1 + cx * z2;
        return {x2, y3, z3};
    }
    float cx, sx, cy, sy, cz, sz;
};

// A camera's projection, prepared once for many points.
struct ScreenProjector {
    explicit ScreenProjector(const Camera& camera) : position(camera.position), rotation(camera.rotation) {}
    sf::Vector2f project(const sf::Vector3f& p) const
    {
        const sf::Vector3f r = rotation.apply(p - position);
        const float depth = r.z > 0.f ? r.z : MIN_DEPTH;
        return {r.x * FOCAL_LENGTH / depth + SCREEN_CENTRE_X, r.y * FOCAL_LENGTH / depth + SCREEN_CENTRE_Y};
    }
    sf::Vector3f position;
    EulerRotation rotation;
};

sf::Vector3f rotateEuler(const sf::Vector3f& v, const sf::Vector3f& degrees);
sf::Vector2f projectToScreen(const Camera& camera, const sf::Vector3f& p);

// Degrees, 0 to 180. The cosine is clamped to -1..1, so rounding never gives
// NaN for real vectors; a zero-length vector has no direction and gives NaN,
// which every comparison treats as false.
inline float angleBetween(const sf::Vector3f& a, const sf::Vector3f& b)
{
    const float s = a.x * b.x + a.y * b.y + a.z * b.z;
    const float la = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    const float lb = std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z);
    float c = s / (la * lb);
    if (c > 1.f)
        c = 1.f;
    else if (c < -1.f)
        c = -1.f;
    return static_cast<float>(static_cast<double>(std::acos(c) * 180.f) / PI_D);
}

// The displacement of one frame of `frameTime` seconds at `speed` towards `to`;
// zero within 2 units of it.
sf::Vector3f moveTowards3D(const sf::Vector3f& from, const sf::Vector3f& to, float speed, float frameTime);

namespace angle {
// Brings an angle in degrees into [0, 360).
inline float wrap360(float a)
{
    if (!std::isfinite(a))
        return 0.f;
    a = std::fmod(a, 360.f);
    if (a < 0.f)
        a += 360.f;
    if (a >= 360.f)
        a = 0.f;
    return a;
}

// Brings an angle in degrees into [-180, 180).
inline float wrap180(float a) { return wrap360(a + 180.f) - 180.f; }
} // namespace angle

inline float length3(const sf::Vector3f& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
inline float distance3(const sf::Vector3f& a, const sf::Vector3f& b) { return length3(a - b); }
// Unit vector; a zero vector stays zero.
inline sf::Vector3f normalised(const sf::Vector3f& v)
{
    const float len = length3(v);
    return len > 0.f ? v / len : sf::Vector3f();
}

#include "play/Shield.h"

#include "engine/Math3D.h"
#include "engine/TextureCache.h"
#include "play/ParticleSystem.h"

#include <cmath>

namespace {
constexpr float FAST_GROWTH = 300.f; // px/s up to the full radius
constexpr float SLOW_GROWTH = 12.f;  // px/s beyond it
constexpr float SHRINK_RATES[3] = {10.f, 20.f, 50.f};
constexpr int POLYGON_SIDES = 12;
} // namespace

Shield::Shield(sf::Vector2f position, int index, TextureCache& textures)
    : circle(START_RADIUS, 30), centre(position), playerIndex(index), textures_(textures)
{
    circle.setTextureRect(sf::IntRect(0, 0, 200, 200));
    circle.setOrigin(START_RADIUS, START_RADIUS);
    circle.setPosition(centre);
}

void Shield::setRadius(float r)
{
    radius = r;
    circle.setRadius(radius);
    circle.setOrigin(radius, radius);
}

void Shield::update(sf::Vector2f position, float dt, ParticleSystem* particles)
{
    centre = position;
    radius += dt * (radius < FULL_RADIUS ? FAST_GROWTH : SLOW_GROWTH);
    radiusWhole = static_cast<int>(radius);
    refresh(dt, particles);
}

void Shield::updateWhileFiring(sf::Vector2f position, float dt, ParticleSystem* particles, int stage)
{
    centre = position;
    radius -= dt * SHRINK_RATES[stage < 0 ? 0 : (stage > 2 ? 2 : stage)];
    refresh(dt, particles);
}

void Shield::refresh(float dt, ParticleSystem* particles)
{
    // A shield burnt down to nothing stays a point rather than turning inside out.
    circle.setRadius(radius > 0.f ? radius : 0.f);
    circle.setOrigin(circle.getRadius(), circle.getRadius());
    circle.setPosition(centre);
    if (particles) {
        ParticleSpawn energy;
        energy.kind = PARTICLE_ENERGY;
        energy.x = centre.x;
        energy.y = centre.y;
        energy.param = radius * 0.001f;
        energy.speed = static_cast<int>((radius - FULL_RADIUS) * 5.f + 1000.f);
        energy.minAngle = 0.f;
        energy.maxAngle = 360.f;
        for (int i = 0; i < ENERGY_PER_STEP; ++i)
            particles->spawn(energy, playerIndex);
    }
    if (animation.step(dt, frame))
        circle.setTextureRect(toTextureRect(frame));
}

Polygon Shield::polygon() const
{
    Polygon p;
    p.reserve(POLYGON_SIDES);
    for (int k = 0; k < POLYGON_SIDES; ++k) {
        const float a = k * 360.f / POLYGON_SIDES * PI_F / 180.f;
        p.emplace_back(sf::Vector2f(centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)), sf::Color::Red);
    }
    return p;
}

void Shield::draw(sf::RenderTarget& target)
{
    if (!textureBound_) {
        textureBound_ = true;
        const char* path = playerIndex == 0 ? "2D/Player/Shield.png" : "2D/Player/ShieldP2.png";
        if (sf::Texture* texture = textures_.getTexture(path))
            circle.setTexture(texture, false);
    }
    target.draw(circle);
}

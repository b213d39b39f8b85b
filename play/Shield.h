#pragma once
// The glowing disc around a ship while it charges its laser and while the
// laser fires. It grows while charging, shrinks while firing, sprays energy
// particles and hurts what it touches (as a 12-sided polygon).
#include "play/Animation.h"
#include "play/Polygon.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

class ParticleSystem;
class TextureCache;

class Shield {
public:
    static constexpr float START_RADIUS = 10.f;
    static constexpr float FULL_RADIUS = 50.f;
    static constexpr int ENERGY_PER_STEP = 20;
    // What the shield takes off whatever it touches, per frame of contact.
    static constexpr float DAMAGE = 0.5f;

    // Texture "2D/Player/Shield.png" for player index 0, "2D/Player/ShieldP2.png"
    // otherwise, from `textures` at the first draw.
    Shield(sf::Vector2f position, int playerIndex, TextureCache& textures);

    // Charging: grows 300 px/s up to 50, then 12 px/s.
    void update(sf::Vector2f position, float dt, ParticleSystem* particles);
    // Firing: shrinks 10, 20 or 50 px/s by stage 0, 1 or 2.
    void updateWhileFiring(sf::Vector2f position, float dt, ParticleSystem* particles, int stage);
    // Sets the radius and the circle's size together.
    void setRadius(float r);
    // The 12 points centre + (cos, sin)(k x 30 degrees) x radius, in red.
    Polygon polygon() const;
    void draw(sf::RenderTarget& target);

    Animation animation{0.f, 0.2f, 4, 0.f, 0.f, 200.f, 200.f, ANIMATION_LOOPED};
    sf::FloatRect frame;
    sf::CircleShape circle;
    float radius = START_RADIUS;
    int radiusWhole = static_cast<int>(START_RADIUS);
    sf::Vector2f centre;
    int playerIndex = 0;

private:
    void refresh(float dt, ParticleSystem* particles);
    TextureCache& textures_;
    bool textureBound_ = false;
};

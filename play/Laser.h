#pragma once
// The segmented beam of a player ship and of the boss: a short aim phase,
// then a chain of points running out from the emitter at 2100 px/s, each
// later point bending after the emitter's turn, cut at the play area's edge.
#include "play/Animation.h"
#include "play/Polygon.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <deque>
#include <vector>

class TextureCache;

enum LaserOwner : int { LASER_PLAYER1 = 0, LASER_PLAYER2 = 1, LASER_BOSS = 2 };
enum LaserState : int { LASER_AIMING = 0, LASER_FIRING = 1 };

// One link of the beam.
struct BeamPoint {
    sf::Vector2f left;
    sf::Vector2f right;
    sf::Vector2f centre;
    float angle = 0.f; // degrees
    int frameIndex = 0; // column 0..19 of the beam strip
};

class Laser {
public:
    static constexpr float LINK_SPEED = 2100.f;   // px/s
    static constexpr float TURN_RATE = 200.f;     // degrees per second
    static constexpr float DEAD_ZONE = 10.f;      // degrees
    static constexpr float EMITTER_OFFSET = 30.f; // px ahead of the emitter
    static constexpr int STRIP_COLUMNS = 20;
    // What the beam takes off whatever it touches, per frame of contact.
    static constexpr float DAMAGE = 1.5f;

    // The owner's pictures come from `textures` at the first draw.
    Laser(int owner, float strength, float angle, TextureCache& textures);

    // One frame: turn toward targetAngle; after 0.1 s of aiming it fires.
    // A dt of 0 or less leaves the laser as it is.
    void update(float dt, sf::Vector2f emitter, float targetAngle);
    void drawAim(sf::RenderTarget& target, sf::Vector2f emitter);
    void drawBeam(sf::RenderTarget& target);

    // Seconds of firing left.
    float remaining() const { return strength - elapsed; }
    // Half the beam's width now (follows the time left).
    float halfWidth() const;
    // Stops the beam at segment k (0 nearest the emitter): later segments and
    // their points go, and the impact shows at the new far end.
    void cutAfterSegment(size_t k);

    int owner = LASER_PLAYER1;
    int state = LASER_AIMING;
    float strength = 0.f;
    float elapsed = 0.f;
    float beamWidth = 0.f;
    std::deque<BeamPoint> points; // front at the emitter, back at the far end
    std::vector<Polygon> segments;
    Animation baseAnimation{0.f, 0.2f, 3, 0.f, 0.f, 150.f, 150.f, ANIMATION_LOOPED};
    sf::FloatRect baseFrame;
    int frameCounter = 0;
    float angle = 0.f;
    Animation beginAnimation{0.f, 0.1f, 6, 0.f, 0.f, 120.f, 90.f, ANIMATION_ONCE};
    sf::FloatRect beginFrame{0.f, 0.f, 120.f, 90.f};
    Animation impactAnimation{0.f, 0.25f, 4, 0.f, 0.f, 120.f, 174.f, ANIMATION_LOOPED};
    sf::FloatRect impactFrame{0.f, 0.f, 120.f, 174.f};
    bool impactVisible = false; // set by the collision passes when the beam touches something

    sf::Texture* stripTexture = nullptr;
    sf::Sprite baseSprite;
    sf::Sprite beginSprite;
    sf::Sprite impactSprite;

private:
    void turnToward(float dt, float target);
    BeamPoint segmentQuad(sf::Vector2f emitter) const;
    void fire(float dt, float angle, sf::Vector2f emitter);
    void updateActive(float dt, sf::Vector2f emitter, float target);
    void rebuildSegments();
    void bindTextures();
    TextureCache* textures_; // never null; a pointer keeps a laser copyable
    bool texturesBound_ = false;
};

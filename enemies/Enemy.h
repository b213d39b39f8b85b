#pragma once
// The enemy interface over the 2D entity base, and the rules every enemy kind shares:
// hit flash timer, animation step, screen entry, removal boxes, choice of the player to
// aim at and firing along a temporary heading.
#include "enemies/EnemyData.h"
#include "enemies/EnemyTypes.h"
#include "play/Animation.h"
#include "play/Entity2D.h"

#include <SFML/Graphics/Rect.hpp>
#include <cstdint>
#include <vector>

class BulletManager;

class Enemy : public Entity2D {
public:
    // How long a hit keeps the enemy drawn through the flash shader.
    static constexpr float FLASH_TIME = 0.05f;

    explicit Enemy(const EnemyData& data);

    // Moves, animates and fires; true when the enemy is to be removed.
    virtual bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) = 0;
    virtual int getType() const = 0;
    virtual int getBonusCount() const = 0;
    // Takes damage on a part (1 the body); true when the enemy, or the part, is dead.
    virtual bool takeDamage(float damage, int part);

    bool isFlashing() const { return wasHit && hitTimer < FLASH_TIME; }

    std::uint8_t hitThisFrame = 0; // set by a hit, cleared when drawn; polygon tests skip the enemy meanwhile
    Animation animation;
    sf::FloatRect frame;           // current frame rectangle in the type's sheet
    std::uint8_t wasHit = 0;
    float hitTimer = FLASH_TIME;   // seconds since the last hit
    int spawnAngle = 0;            // the descriptor's angle as given
    sf::Vector2f target;
    int killScore = 0;

protected:
    // Starts the sheet animation and shows its first frame.
    void startAnimation(float duration, int frameCount, float width, float height, int mode, float left = 0.f,
                        float top = 0.f);
    // The type's kill score, bullet type and muzzles (active, at the position).
    void applyTypeConstants(int type);
    // hitTimer += dt and the animation steps into frame.
    void stepHitTimerAndAnimation(float dt);
    void stepAnimation(float dt);

    // Fires one bullet from every active muzzle along the given heading; the course is kept.
    void fireAlong(BulletManager* bullets, float heading);
    // Places the first muzzle at the position, then fires along the heading.
    void fireFromPosition(BulletManager* bullets, float heading);
};

namespace enemy_rules {

// Index of the player to aim at: 0, or 1 when the second one is strictly nearer.
int nearerPlayer(const std::vector<sf::Vector2f>& players, sf::Vector2f from);
// Aiming kinds aim at the screen centre when nobody is in play.
void centreWhenEmpty(std::vector<sf::Vector2f>& players);
// The entry box 240 < x < 1680, 0 < y < 1080.
bool insideEntryBox(sf::Vector2f p);
// Outside the inner box (only once entered) or outside the outer box.
bool outsideRemovalBoxes(sf::Vector2f p, bool entered, float outerBottom);
// atan2 of the vector in the enemies' degrees.
float bearing(sf::Vector2f from, sf::Vector2f to);
// One step along a heading: single-precision radians or double-precision radians.
sf::Vector2f stepAlong(float heading, float distance);
sf::Vector2f stepAlongPrecise(sf::Vector2f p, float heading, float distance);

constexpr float OUTER_BOTTOM = 1380.f;
constexpr float BEE_OUTER_BOTTOM = 2220.f;

} // namespace enemy_rules

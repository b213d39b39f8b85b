#include "enemies/GroundEnemies.h"

#include "enemies/EnemyMath.h"

#include <cmath>

using namespace enemy_math;
using namespace enemy_rules;

WallEnemy::WallEnemy(const EnemyData& data) : Enemy(data)
{
    angle = 0.f;
    applyTypeConstants(enemy_type::WALL);
    // The file's direction picks the tile; a direction past the sheet wraps round it
    // rather than reading outside the texture.
    long long tile = fileDirection(data.angle) % TILE_COUNT;
    if (tile < 0)
        tile += TILE_COUNT;
    frame = sf::FloatRect(static_cast<float>(tile * TILE_SIZE), 0.f, TILE_SIZE, TILE_SIZE);
    // Catch up with the scenery for the time the pattern was late.
    hitTimer += data.lag;
    position.x -= ground::SCROLL_SPEED * data.lag;
}

bool WallEnemy::update(float dt, BulletManager*, std::vector<sf::Vector2f>, int)
{
    hitTimer += dt;
    position.x -= ground::SCROLL_SPEED * dt;
    return false;
}

TurretEnemy::TurretEnemy(const EnemyData& data) : Enemy(data)
{
    angle = static_cast<float>(data.angle);
    applyTypeConstants(enemy_type::TURRET);
    startAnimation(1.f, 1, 60.f, 60.f, ANIMATION_LOOPED);
    cannonAnimation.duration = 1.f;
    cannonAnimation.frameCount = 1;
    cannonAnimation.width = 34.f;
    cannonAnimation.height = 10.f;
    cannonAnimation.mode = ANIMATION_LOOPED;
    cannonFrame = sf::FloatRect(0.f, 0.f, 34.f, 10.f);
    cannonAngle = angle - 90.f;
    cannonPosition = position;
}

bool TurretEnemy::update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int)
{
    centreWhenEmpty(players);
    playerIndex = nearerPlayer(players, position);

    position.x -= ground::SCROLL_SPEED * dt;
    if (position.x < REMOVAL_X)
        return true;
    cannonPosition.x -= ground::SCROLL_SPEED * dt;
    hitTimer += dt;
    stepAnimation(dt);
    cannonAnimation.step(dt, cannonFrame);

    const sf::Vector2f& player = players[playerIndex];
    const float b = static_cast<float>(std::atan2(player.y - position.y, player.x - position.x) * 180.f / PI);
    cannonAngle = b;
    const float diff = wrap360(b - angle);
    if (diff > 90.f && diff < 270.f) // behind the facing: the cannon stops at the side
        cannonAngle = diff > 180.f ? angle + 270.f : angle + 90.f;

    fireTimer += dt;
    if (fireTimer > FIRE_INTERVAL) {
        fireTimer -= FIRE_INTERVAL;
        fireFromPosition(bullets, cannonAngle);
    }
    return false;
}

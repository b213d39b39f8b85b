// The collision passes of a frame, in their fixed order, and the wall lines
// of the corridor. Every pass that removes objects walks its list so that a
// removal neither skips nor revisits another object.
#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "enemies/EnemyTypes.h"
#include "engine/Math3D.h"
#include "gameplay/EnemyBoxGrid.h"
#include "gameplay/GameState.h"
#include "gameplay/WallLines.h"
#include "play/Laser.h"
#include "play/Shield.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t SHOT_HIT_POINTS = 25;
constexpr uint32_t BEAM_KILL_POINTS = 5;
constexpr float BONUS_ATTRACT_RANGE = 160.f;
// A Bruiser is open only within this many degrees of its heading.
constexpr float BRUISER_GUARD_FROM = 50.f;
constexpr float BRUISER_GUARD_TO = 310.f;

constexpr int HIT_FENCE_BEAM = 2;

bool bruiserGuards(float relativeAngle)
{
    return relativeAngle >= BRUISER_GUARD_FROM && relativeAngle <= BRUISER_GUARD_TO;
}

// Enemies that stop a laser beam where they are hit.
bool blocksBeam(int type)
{
    return type == enemy_type::BIG_LADYBUG || type == enemy_type::BRUISER || type == enemy_type::CORAL;
}

int bonusKindFor(const Player2D& player) { return player.gauge >= Player2D::GAUGE_MAX ? 1 : 0; }

} // namespace

bool GameState::enemyIsBullet(size_t index) const
{
    const int type = enemies.enemies[index]->getType();
    return type >= enemy_type::BIG_BULLET && type <= enemy_type::RING_BULLET;
}

float GameState::relativeHitAngle(size_t index, sf::Vector2f from) const
{
    const sf::FloatRect b = enemies.getBounds(static_cast<int>(index));
    const sf::Vector2f centre(b.left + b.width / 2.f, b.top + b.height / 2.f);
    float a = std::atan2(centre.y - from.y, centre.x - from.x) * 180.f / PI_F - enemies.enemies[index]->angle;
    a = std::fmod(a, 360.f);
    if (a < 0.f)
        a += 360.f;
    if (a >= 360.f) // fmod of a tiny negative value rounds up to 360
        a = 0.f;
    return a;
}

// 1. Lasers stop at the first wall line they touch.
void GameState::clipLasersOnWalls()
{
    if (wallLines.empty())
        return;
    for (int i = 0; i < playerCount_; ++i) {
        Laser* laser = players[i]->laser.get();
        if (!laser)
            continue;
        for (size_t s = 0; s < laser->segments.size(); ++s) {
            const bool touches = std::any_of(wallLines.begin(), wallLines.end(),
                                             [&](const Polygon& wall) { return polygonsIntersect(laser->segments[s], wall); });
            if (touches) {
                laser->cutAfterSegment(s);
                break;
            }
        }
    }
}

// 2. Walls swallow enemy bullets and shots.
void GameState::collideWallsWithShots()
{
    if (wallLines.empty())
        return;
    auto onWall = [this](const Bullet& b) {
        const sf::FloatRect point(b.position.x, b.position.y, 0.f, 0.f);
        return std::any_of(wallLines.begin(), wallLines.end(),
                           [&](const Polygon& wall) { return polygonIntersectsRect(wall, point); });
    };
    enemies.enemyBullets->bullets.remove_if(onWall);
    shots->bullets.remove_if(onWall);
}

// 3. Bonuses go to the first live ship that touches them, or drift toward the nearest one.
void GameState::collectBonuses()
{
    std::vector<std::unique_ptr<Bonus>>& list = bonuses->bonuses;
    for (size_t k = list.size(); k-- > 0;) {
        Bonus& bonus = *list[k];
        const sf::FloatRect box(bonus.position.x - 10.f, bonus.position.y - 10.f, 20.f, 20.f);
        int collector = -1;
        for (int i = 0; i < playerCount_ && collector < 0; ++i)
            if (isLive(i) && boxesOverlap(players[i]->hitBox, box))
                collector = i;
        if (collector >= 0) {
            const int points = bonus.collect(*players[collector]);
            award(collector, static_cast<uint32_t>(std::max(points, 0)));
            bonuses->erase(k);
            continue;
        }
        int nearest = -1;
        float best = BONUS_ATTRACT_RANGE;
        for (int i = 0; i < playerCount_; ++i) {
            if (!isLive(i))
                continue;
            const sf::Vector2f d = players[i]->position - bonus.position;
            const float distance = std::sqrt(d.x * d.x + d.y * d.y);
            if (distance <= best) { // on equal distances the later player
                best = distance;
                nearest = i;
            }
        }
        if (nearest >= 0) {
            bonus.target = players[nearest]->position;
            bonus.attracted = 1;
        }
    }
}

// 4. Shots against the boss, then against enemies.
void GameState::collideBulletsWithEnemies()
{
    bossesHitByShots();

    // Every shot meets every enemy, so each enemy's type and body box are taken
    // once (and again after a kill has moved the list): a shot that misses the
    // body box can only hit a fence's beam or a coral's eyes.
    // The grid hands each shot, highest index first, the enemies it may touch.
    std::vector<int> types;
    std::vector<sf::FloatRect> bodies;
    std::vector<bool> targets, alwaysTested;
    EnemyBoxGrid grid;
    auto survey = [&] {
        const size_t n = enemies.enemies.size();
        types.resize(n);
        bodies.resize(n);
        targets.resize(n);
        alwaysTested.resize(n);
        for (size_t e = 0; e < n; ++e) {
            const int type = types[e] = enemies.enemies[e]->getType();
            bodies[e] = enemies.getBounds(static_cast<int>(e));
            targets[e] = type < enemy_type::BIG_BULLET || type > enemy_type::RING_BULLET;
            alwaysTested[e] = type == enemy_type::ELECTRICAL_FENCE || type == enemy_type::CORAL;
        }
        grid.build(bodies, targets, alwaysTested);
    };
    survey();

    std::list<Bullet>& list = shots->bullets;
    for (auto shot = list.begin(); shot != list.end();) {
        const sf::FloatRect box = shots->hitBox(*shot);
        bool spent = false;
        for (size_t e : grid.candidates(box)) {
            const int type = types[e];
            if (!alwaysTested[e] && !boxesOverlap(bodies[e], box))
                continue;
            const int result = enemies.hitTestRect(static_cast<int>(e), box, 1);
            if (result == 0)
                continue;
            if (type == enemy_type::ELECTRICAL_FENCE && result == HIT_FENCE_BEAM)
                continue; // the beam does not stop a shot
            spent = true;
            if (type == enemy_type::BRUISER && bruiserGuards(relativeHitAngle(e, shot->position)))
                break;
            const int shooter = shot->owner;
            if (shooter < 0 || shooter >= playerCount_)
                break;
            award(shooter, SHOT_HIT_POINTS);
            soundManager().playSound(SFX_TOUCH_ENEMY);
            const int killScore = enemies.enemies[e]->killScore;
            Player2D& killer = *players[shooter];
            if (enemies.damageEnemy(static_cast<int>(e), static_cast<float>(shot->damage), particles,
                                    shot->angle - 180.f, shot->position, *bonuses, result, &killer,
                                    bonusKindFor(killer))) {
                award(shooter, static_cast<uint32_t>(std::max(killScore, 0)));
                survey();
            }
            break;
        }
        shot = spent ? list.erase(shot) : std::next(shot);
    }
}

// 5. Laser beams, segment by segment from the emitter.
void GameState::collideLaserWithEnemies()
{
    for (int i = 0; i < playerCount_; ++i) {
        Laser* laser = players[i]->laser.get();
        if (!laser)
            continue;
        for (size_t s = 0; s < laser->segments.size(); ++s) {
            bossesHitByLaser(*laser, s, i); // a boss may cut the beam and end the walk
            if (s >= laser->segments.size())
                break;
            const Polygon segment = laser->segments[s];
            const sf::Vector2f beamPoint = laser->points[s].centre;
            bool hitAny = false;
            bool blocked = false;
            for (size_t e = enemies.enemies.size(); e-- > 0;) {
                if (e >= enemies.enemies.size() || enemyIsBullet(e))
                    continue;
                const int part = enemies.hitTestPolygon(static_cast<int>(e), segment);
                if (part == 0)
                    continue;
                hitAny = true;
                Enemy& enemy = *enemies.enemies[e];
                const int type = enemy.getType();
                if (type == enemy_type::BRUISER && bruiserGuards(relativeHitAngle(e, beamPoint))) {
                    enemy.hitThisFrame = 1;
                } else if (enemies.damageEnemy(static_cast<int>(e), Laser::DAMAGE, particles, 0.f, beamPoint,
                                               *bonuses, part, players[i].get(), bonusKindFor(*players[i]))) {
                    award(i, BEAM_KILL_POINTS);
                }
                if (blocksBeam(type))
                    blocked = true;
            }
            if (blocked)
                laser->cutAfterSegment(s);
            if (hitAny)
                break;
        }
    }
}

// 6. Shields hurt whatever they touch.
void GameState::collideShieldWithEnemies()
{
    for (int i = 0; i < playerCount_; ++i) {
        Shield* shield = players[i]->shield.get();
        if (!shield)
            continue;
        const Polygon area = shield->polygon();
        bossesHitByShield(*shield, i);
        for (size_t e = enemies.enemies.size(); e-- > 0;) {
            if (e >= enemies.enemies.size() || enemyIsBullet(e))
                continue;
            const int part = enemies.hitTestPolygon(static_cast<int>(e), area);
            if (part == 0)
                continue;
            if (enemies.damageEnemy(static_cast<int>(e), Shield::DAMAGE, particles, 0.f, players[i]->position,
                                    *bonuses, part, players[i].get(), bonusKindFor(*players[i])))
                award(i, BEAM_KILL_POINTS);
        }
    }
}

// 7. Ships touching enemies (the enemies take nothing from it).
void GameState::collidePlayersWithEnemies()
{
    for (int i = playerCount_ - 1; i >= 0; --i) {
        if (!isLive(i) || !isVulnerable(i))
            continue;
        bossesHitPlayer(i);
        const size_t count = enemies.enemies.size();
        for (size_t e = 0; e < count && e < enemies.enemies.size() && isLive(i) && isVulnerable(i); ++e)
            if (enemies.hitTestRect(static_cast<int>(e), players[i]->hitBox, 0) != 0)
                hitPlayer(i);
    }
}

// 8. Enemy bullets against ships, the later ship first.
void GameState::collideEnemyBulletsWithPlayers()
{
    BulletManager& bullets = *enemies.enemyBullets;
    for (auto b = bullets.bullets.begin(); b != bullets.bullets.end();) {
        const sf::FloatRect box = bullets.hitBox(*b);
        int target = -1;
        for (int i = playerCount_ - 1; i >= 0 && target < 0; --i)
            if (isLive(i) && isVulnerable(i) && boxesOverlap(players[i]->hitBox, box))
                target = i;
        if (target >= 0) {
            hitPlayer(target);
            b = bullets.bullets.erase(b);
        } else {
            ++b;
        }
    }
}

void GameState::buildWallLines()
{
    const std::vector<sf::Vector2f> lines[] = {projectCollisionBot(services_.world), projectCollisionTop(services_.world)};
    for (const std::vector<sf::Vector2f>& line : lines)
        if (!line.empty())
            wallLines.push_back(wallPolygon(line));
    if (wallLines.empty())
        return;
    for (int i = 0; i < playerCount_; ++i) {
        if (!isLive(i) || !isVulnerable(i))
            continue;
        for (const Polygon& wall : wallLines) {
            if (polygonIntersectsRect(wall, players[i]->hitBox)) {
                hitPlayer(i);
                break;
            }
        }
    }
}

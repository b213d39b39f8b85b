#include "bosses/BodyPart.h"

#include "bosses/BossLvl1.h"
#include "enemies/EnemyData.h"
#include "enemies/EnemyManager.h"
#include "enemies/EnemyTypes.h"
#include "play/BulletManager.h"
#include "play/SpriteLoading.h"

#include <cmath>

namespace {

// Where a spawner's side bees hatch, by module, from the part's centre.
const sf::Vector2f SPAWN_OFFSETS[BossLvl1::MODULE_COUNT] = {{-40.f, -30.f}, {-25.f, -25.f}, {25.f, -25.f}, {40.f, -30.f}};
const sf::Vector2f ENEMY_TARGET{960.f, 540.f};

void releaseEnemy(EnemyManager& enemies, sf::Vector2f start, int type, const std::vector<sf::Vector2f>& players)
{
    EnemyData data;
    data.hp = 1;
    data.start = start;
    data.type = type;
    data.target = ENEMY_TARGET;
    data.angle = 90;
    data.flag = 1;
    data.lag = 0.f;
    data.players = players;
    enemies.spawnEnemy(data, players);
}

} // namespace

BodyPart::BodyPart(int hp, sf::Vector2f at)
{
    health = static_cast<float>(hp);
    position = at;
}

void BodyPart::update(float, EnemyManager&, std::vector<sf::Vector2f>, BossLvl1*) {}
void BodyPart::draw(sf::RenderTarget&) {}

sf::FloatRect BodyPart::getHitbox() const { return {position.x - 122.f, position.y - 97.f, 245.f, 195.f}; }

sf::Vector2f BodyPart::hitboxCentre() const
{
    const sf::FloatRect box = getHitbox();
    return {box.left + box.width / 2.f, box.top + box.height / 2.f};
}

void BodyPart::takeHit(float damage)
{
    wasHit = 1;
    hitTimer = 0.f;
    health -= damage;
}

HeadIcarus::HeadIcarus(int hp, sf::Vector2f at) : BodyPart(hp, at) {}

sf::FloatRect HeadIcarus::getHitbox() const { return {position.x - 187.f, position.y - 145.f, 375.f, 290.f}; }

void HeadIcarus::update(float dt, EnemyManager& enemies, std::vector<sf::Vector2f> players, BossLvl1* tower)
{
    hitTimer += dt;
    spawnTimer += dt;
    if (spawnTimer > SPAWN_INTERVAL) {
        spawnTimer -= SPAWN_INTERVAL;
        if (tower) {
            tower->doorsTriggered = true;
            spawnPending = 1;
        }
    }
    if (spawnPending && tower && tower->doorsOpen) {
        releaseEnemy(enemies, position, enemy_type::BEE, players);
        spawnPending = 0;
    }
}

ShootIcarus::ShootIcarus(int hp, sf::Vector2f at, int moduleIndex) : BodyPart(hp, at), module(moduleIndex)
{
    bulletType = BULLET_TYPE;
    bulletPattern = BULLET_STRAIGHT;
    setShootPointCount(2);
    shootPoints[0] = {at.x + 40.f, at.y, 1, 45.f};
    shootPoints[1] = {at.x - 40.f, at.y, 1, 135.f};
}

void ShootIcarus::update(float dt, EnemyManager& enemies, std::vector<sf::Vector2f> players, BossLvl1* tower)
{
    hitTimer += dt;
    shotTimer += dt;
    if (shotTimer < SHOT_INTERVAL)
        return;
    shotTimer -= SHOT_INTERVAL;
    if (tower) {
        const std::vector<sf::Vector2f> muzzles = tower->getTurretScreenPositions(module);
        for (size_t i = 0; i < muzzles.size() && i < shootPoints.size(); ++i) {
            shootPoints[i].x = muzzles[i].x;
            shootPoints[i].y = muzzles[i].y;
        }
    }
    if (players.empty() || !enemies.enemyBullets)
        return; // nobody to aim at
    const sf::Vector2f aim = players[0];
    for (ShootPoint& muzzle : shootPoints) {
        const double dx = aim.x - muzzle.x;
        const double dy = aim.y - muzzle.y;
        muzzle.angle = static_cast<float>(std::atan2(dy, dx) * 57.29577951308232);
    }
    enemies.enemyBullets->spawn(*this, 0);
}

SpawnerIcarus::SpawnerIcarus(int hp, sf::Vector2f at, int moduleIndex, TextureCache& textures)
    : BodyPart(hp, at), module(moduleIndex), textures_(textures)
{
    const bool known = moduleIndex >= 0 && moduleIndex < BossLvl1::MODULE_COUNT;
    spawnPoint = at + (known ? SPAWN_OFFSETS[moduleIndex] : sf::Vector2f());
    spawnSprite.setOrigin(53.f, 75.f);
}

void SpawnerIcarus::update(float dt, EnemyManager& enemies, std::vector<sf::Vector2f> players, BossLvl1*)
{
    hitTimer += dt;
    cycleTimer += dt;
    if (cycleTimer >= CYCLE)
        spawning = 1;
    if (!spawning)
        return;
    if (spawnAnimation.step(dt, spawnFrame))
        return;
    releaseEnemy(enemies, spawnPoint, enemy_type::SIDE_BEE, players);
    cycleTimer -= CYCLE;
    spawnAnimation.elapsed = 0.f;
    spawnFrame = {0.f, 0.f, spawnAnimation.width, spawnAnimation.height};
    spawning = 0;
}

void SpawnerIcarus::draw(sf::RenderTarget& target)
{
    if (!spawning || !active)
        return;
    if (!textureBound_) {
        textureBound_ = true;
        loadSprite(textures_, spawnSprite, TEXTURE, false);
    }
    if (!spawnSprite.getTexture())
        return;
    spawnSprite.setTextureRect(toTextureRect(spawnFrame));
    spawnSprite.setRotation(90.f);
    spawnSprite.setPosition(spawnPoint);
    target.draw(spawnSprite);
}

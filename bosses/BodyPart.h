#pragma once
// The body parts of the first boss: hit boxes over the 3D tower, which the
// boss hands them each frame (null once the tower is gone). The head releases
// bees through the tower's doors, shooters fire from their module's turret,
// spawners hatch side bees. A part of a pair owns its partner, the part that
// takes its place once it is destroyed.
#include "play/Animation.h"
#include "play/Entity2D.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <memory>
#include <vector>

class BossLvl1;
class EnemyManager;
class TextureCache;

class BodyPart : public Entity2D {
public:
    static constexpr float HIT_FLASH_TIME = 0.05f;

    BodyPart(int hp, sf::Vector2f at);

    virtual void update(float dt, EnemyManager& enemies, std::vector<sf::Vector2f> players, BossLvl1* tower);
    virtual void draw(sf::RenderTarget& target);
    virtual sf::FloatRect getHitbox() const;
    sf::Vector2f hitboxCentre() const;
    // Takes a hit of `damage`: flashes and loses hit points.
    void takeHit(float damage);

    bool active = true;
    float hitTimer = HIT_FLASH_TIME;
    bool wasHit = false;
    std::unique_ptr<BodyPart> partner;
};

class HeadIcarus : public BodyPart {
public:
    static constexpr float SPAWN_INTERVAL = 10.f;

    HeadIcarus(int hp, sf::Vector2f at);
    // Every 10 s it asks the tower to open its doors, and releases a bee once they are open.
    void update(float dt, EnemyManager& enemies, std::vector<sf::Vector2f> players, BossLvl1* tower) override;
    sf::FloatRect getHitbox() const override;

    float spawnTimer = 0.f;
    bool spawnPending = false;
};

class ShootIcarus : public BodyPart {
public:
    static constexpr float SHOT_INTERVAL = 1.5f;
    static constexpr int BULLET_TYPE = 6;

    ShootIcarus(int hp, sf::Vector2f at, int moduleIndex);
    // Every 1.5 s two shots aimed at the first player, from its module's turret
    // (from its own muzzles without a tower).
    void update(float dt, EnemyManager& enemies, std::vector<sf::Vector2f> players, BossLvl1* tower) override;

    int module = 0;
    float shotTimer = 0.f;
};

class SpawnerIcarus : public BodyPart {
public:
    static constexpr float CYCLE = 3.f;
    static constexpr const char* TEXTURE = "2D/Boss/Icarus/CreationAnim2.png";

    // The hatching pictures come from `textures` at the first drawing.
    SpawnerIcarus(int hp, sf::Vector2f at, int moduleIndex, TextureCache& textures);
    // Every 3 s a hatching animation, at whose end a side bee comes out.
    void update(float dt, EnemyManager& enemies, std::vector<sf::Vector2f> players, BossLvl1* tower) override;
    void draw(sf::RenderTarget& target) override;

    int module = 0;
    sf::Vector2f spawnPoint;
    Animation spawnAnimation{0.f, 0.3f, 12, 0.f, 0.f, 106.f, 150.f, ANIMATION_ONCE};
    sf::FloatRect spawnFrame{0.f, 0.f, 106.f, 150.f};
    sf::Sprite spawnSprite;
    bool spawning = false;
    float cycleTimer = 0.f;

private:
    TextureCache& textures_;
    bool textureBound_ = false;
};

#include "enemies/EnemyManager.h"

#include "enemies/CoralEnemy.h"
#include "enemies/ElectricalFenceEnemy.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "engine/TextureCache.h"
#include "platform/AssetPath.h"
#include "platform/Random.h"
#include "play/Bonus.h"
#include "play/BulletManager.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <algorithm>
#include <cmath>

namespace {

struct PartSpriteInfo {
    const char* path;
    bool repeated;
    sf::Vector2f origin;
    sf::Vector2i frame; // one frame of the part, its size until the texture is bound
};

const PartSpriteInfo PART_SPRITES[EnemyManager::PART_COUNT] = {
    {"2D/Enemy/Turret_Canon.png", false, {-16.f, 5.f}, {34, 10}}, // the barrel starts 16 px out from the pivot
    {"2D/Enemy/laserStart.png", true, {0.f, 0.f}, {90, 22}},
    {"2D/Enemy/laserLoop.png", true, {0.f, 0.f}, {90, 90}},
    {"2D/Enemy/CoralEye.png", false, {30.f, 30.f}, {60, 60}},
};

// The only enemies whose sheet keeps hard pixels.
bool smoothedSheet(int type) { return type != enemy_type::EATER; }

bool bigExplosion(int type)
{
    return type == enemy_type::BIG_LADYBUG || type == enemy_type::BRUISER || type == enemy_type::CORAL;
}

// Enemies wholly outside this window cannot be hit.
bool insidePlayWindow(const sf::FloatRect& box)
{
    return box.left + box.width > 290.f && box.left < 1630.f && box.top + box.height > 50.f && box.top < 1030.f;
}

constexpr float SPARK_HALF_ARC = 30.f;
constexpr float SPARK_RADIANS_PER_DEGREE = 0.017453279f;
constexpr float EXPLOSION_ARC = 2.3561928f;

} // namespace

EnemyManager::EnemyManager(TextureCache& textures)
    : enemyBullets(std::make_unique<BulletManager>(textures)), textures_(textures)
{
    for (int i = 0; i < ENEMY_TYPE_COUNT; ++i) {
        const EnemyTypeInfo& info = enemyTypeInfo(i);
        typeHitBoxes[i] = sf::FloatRect(0.f, 0.f, info.hitBoxWidth, info.hitBoxHeight);
        typeScales[i] = 1.f;
        typeHitPoints[i] = info.hitPoints;
        sf::Sprite& sprite = typeSprites[i];
        // One frame until the first drawing sets the enemy's own frame.
        sprite.setTextureRect(sf::IntRect(0, 0, info.frameWidth, info.frameHeight));
        sprite.setScale(1.f, 1.f);
        sprite.setOrigin(static_cast<float>(info.frameWidth / 2), static_cast<float>(info.frameHeight / 2));
    }
    for (int i = 0; i < PART_COUNT; ++i) {
        partSprites[i].setTextureRect(sf::IntRect({0, 0}, PART_SPRITES[i].frame));
        partSprites[i].setOrigin(PART_SPRITES[i].origin);
    }
}

EnemyManager::~EnemyManager() = default;

void EnemyManager::bindGraphics()
{
    if (graphicsBound_)
        return;
    graphicsBound_ = true;
    for (int i = 0; i < ENEMY_TYPE_COUNT; ++i)
        if (sf::Texture* texture = textures_.getTexture(std::string(SHEET_FOLDER) + enemyTypeInfo(i).sheet)) {
            texture->setSmooth(smoothedSheet(i));
            typeSprites[i].setTexture(*texture, false);
        }
    for (int i = 0; i < PART_COUNT; ++i)
        if (sf::Texture* texture = textures_.getTexture(PART_SPRITES[i].path)) {
            texture->setSmooth(true);
            texture->setRepeated(PART_SPRITES[i].repeated);
            partSprites[i].setTexture(*texture, false);
        }
    if (sf::Shader::isAvailable()) {
        auto shader = std::make_unique<sf::Shader>();
        if (shader->loadFromFile(resolveAssetPath(FLASH_SHADER), sf::Shader::Fragment)) {
            shader->setUniform("texture", sf::Shader::CurrentTexture);
            flashShader_ = std::move(shader);
        }
    }
}

void EnemyManager::update(float dt, std::vector<sf::Vector2f> players)
{
    // Walking backwards, an enemy's removal only moves enemies already updated, so
    // closing the gaps after the walk gives every enemy the same index and the same
    // neighbours as erasing it on the spot, in one pass instead of one per removal.
    bool removed = false;
    for (int i = static_cast<int>(enemies.size()) - 1; i >= 0; --i) {
        pairFencePost(i);
        if (enemies[i]->update(dt, enemyBullets.get(), players, i)) {
            enemies[i].reset();
            removed = true;
        }
    }
    if (removed)
        enemies.erase(std::remove(enemies.begin(), enemies.end(), nullptr), enemies.end());
    enemyBullets->update(dt);
}

void EnemyManager::draw(sf::RenderTarget& target, bool debug) { drawEnemies(target, debug, true); }

void EnemyManager::drawEditor(sf::RenderTarget& target) { drawEnemies(target, false, false); }

void EnemyManager::drawEnemies(sf::RenderTarget& target, bool debug, bool coralEyes)
{
    bindGraphics();
    sf::RenderStates flashing;
    flashing.shader = flashShader_.get();
    for (size_t i = 0; i < enemies.size(); ++i) {
        Enemy& e = *enemies[i];
        e.hitThisFrame = 0;
        const int type = e.getType();
        if (!isEnemyType(type))
            continue;
        sf::Sprite& sprite = typeSprites[type];
        sprite.setTextureRect(toTextureRect(e.frame));
        drawPartsUnder(target, e, flashing, coralEyes);
        sprite.setRotation(e.angle);
        sprite.setPosition(e.position);
        target.draw(sprite, e.isFlashing() ? flashing : sf::RenderStates::Default);
        if (debug)
            drawDebugOutlines(target, static_cast<int>(i));
    }
}

sf::FloatRect EnemyManager::getBounds(int index) const
{
    if (!validIndex(index))
        return {};
    const Enemy& e = *enemies[index];
    const int type = e.getType();
    if (!isEnemyType(type))
        return {};
    const sf::FloatRect g = typeSprites[type].getGlobalBounds();
    return {e.position.x - g.width / 2.f, e.position.y - g.height / 2.f, g.width, g.height};
}

sf::FloatRect EnemyManager::hitBoxAt(int index) const
{
    const Enemy& e = *enemies[index];
    const int type = e.getType();
    if (!isEnemyType(type))
        return {};
    const sf::FloatRect& box = typeHitBoxes[type];
    return {e.position.x - box.width / 2.f, e.position.y - box.height / 2.f, box.width, box.height};
}

int EnemyManager::hitTestRect(int index, const sf::FloatRect& rect, int boundsMode) const
{
    if (!validIndex(index))
        return hit_result::NONE;
    const Enemy& e = *enemies[index];
    const int type = e.getType();
    const sf::FloatRect body = boundsMode == 1 || type == enemy_type::CORAL ? getBounds(index) : hitBoxAt(index);
    if (!insidePlayWindow(body))
        return hit_result::NONE;
    if (type == enemy_type::EATER && !eaterOpen(e))
        return hit_result::NONE;
    if (boxesOverlap(rect, body))
        return hit_result::BODY;
    if (type == enemy_type::ELECTRICAL_FENCE) {
        const auto& post = static_cast<const ElectricalFenceEnemy&>(e);
        if (post.isEmitter && post.beam && boxesOverlap(rect, post.beam->getGlobalBounds()))
            return hit_result::FENCE_BEAM;
    }
    if (type == enemy_type::CORAL)
        return hitCoralEye(e, [&](const sf::FloatRect& eye) { return boxesOverlap(rect, eye); });
    return hit_result::NONE;
}

int EnemyManager::hitTestPolygon(int index, const Polygon& polygon) const
{
    if (!validIndex(index) || enemies[index]->hitThisFrame)
        return hit_result::NONE;
    const Enemy& e = *enemies[index];
    const sf::FloatRect body = getBounds(index);
    if (!insidePlayWindow(body))
        return hit_result::NONE;
    if (e.getType() == enemy_type::EATER && !eaterOpen(e))
        return hit_result::NONE;
    if (polygonIntersectsRect(polygon, body))
        return hit_result::BODY;
    if (e.getType() == enemy_type::CORAL)
        return hitCoralEye(e, [&](const sf::FloatRect& eye) { return polygonIntersectsRect(polygon, eye); });
    return hit_result::NONE;
}

void EnemyManager::spawnEnemy(EnemyData data, std::vector<sf::Vector2f> players)
{
    if (!isEnemyType(data.type) || enemies.size() >= static_cast<size_t>(MAX_LIVE_ENEMIES))
        return;
    data.hp = static_cast<int>(typeHitPoints[data.type]);
    data.players = std::move(players);
    if (std::unique_ptr<Enemy> enemy = createEnemy(data, *this))
        enemies.push_back(std::move(enemy));
}

bool EnemyManager::damageEnemy(int index, float damage, ParticleSystem& particles, float hitAngle,
                               sf::Vector2f hitPoint, BonusManager& bonuses, int part, Player2D* killer,
                               int bonusKind)
{
    if (!validIndex(index))
        return false;
    Enemy& e = *enemies[index];
    if (!e.takeDamage(damage, part)) {
        const ParticleSpawn spark{PARTICLE_SHOOTING_STAR,
                                  hitPoint.x,
                                  hitPoint.y,
                                  0.01f,
                                  1000,
                                  (hitAngle - SPARK_HALF_ARC) * SPARK_RADIANS_PER_DEGREE,
                                  (hitAngle + SPARK_HALF_ARC) * SPARK_RADIANS_PER_DEGREE};
        for (int k = 0; k < 3; ++k)
            particles.spawn(spark, 0);
        return false;
    }

    const int type = e.getType();
    if (type == enemy_type::CORAL && part >= hit_result::FIRST_CORAL_SEGMENT) {
        killCoralSegment(e, part, particles, bonuses, killer, bonusKind);
        return true;
    }
    const sf::FloatRect bounds = getBounds(index);
    const int w = static_cast<int>(bounds.width);
    const int h = static_cast<int>(bounds.height);
    // A sprite without size (no texture) explodes and drops nothing; a bound below one pixel
    // would make the drop position's modulo divide by zero.
    if (w > 0 && h > 0) {
        const bool big = bigExplosion(type);
        particles.spawn({big ? PARTICLE_BIG_EXPLOSION : PARTICLE_EXPLOSION, e.position.x, e.position.y, 0.01f, 3000,
                         0.f, EXPLOSION_ARC},
                        0);
        soundManager().playSound(big ? SFX_EXPLOSION_MEDIUM : SFX_EXPLOSION_SMALL);
        const sf::Vector2f towards = killer ? killer->position : e.position;
        for (int k = 0; k < e.getBonusCount(); ++k) {
            const int r1 = random15();
            const int r2 = random15();
            bonuses.spawn({e.position.x + static_cast<float>(r2 % w) - bounds.width / 2.f,
                           e.position.y + static_cast<float>(r1 % h) - bounds.height / 2.f},
                          towards, bonusKind);
        }
        if (killer)
            killer->countKill(type);
    }
    enemies.erase(enemies.begin() + index);
    return true;
}

void EnemyManager::killCoralSegment(Enemy& coral, int part, ParticleSystem& particles, BonusManager& bonuses,
                                    Player2D* killer, int bonusKind)
{
    auto& segments = static_cast<CoralEnemy&>(coral).segments;
    const size_t n = static_cast<size_t>(part - hit_result::FIRST_CORAL_SEGMENT);
    if (n >= segments.size())
        return;
    const sf::Vector2f p = coral.position + segments[n].offset();
    particles.spawn({PARTICLE_EXPLOSION, p.x, p.y, 0.01f, 3000, 0.f, EXPLOSION_ARC}, 0);
    soundManager().playSound(SFX_EXPLOSION_SMALL);
    const int r1 = random15();
    const int r2 = random15();
    const float w = CoralEnemy::FRAME_WIDTH;
    const float h = CoralEnemy::FRAME_HEIGHT;
    bonuses.spawn({p.x + static_cast<float>(r2 % static_cast<int>(w)) - w / 2.f,
                   p.y + static_cast<float>(r1 % static_cast<int>(h)) - h / 2.f},
                  killer ? killer->position : p, bonusKind);
    segments.erase(segments.begin() + static_cast<std::ptrdiff_t>(n));
}

#include "play/BulletManager.h"

#include "engine/Math3D.h"
#include "engine/TextParse.h"
#include "engine/TextureCache.h"
#include "platform/AssetPath.h"
#include "play/Entity2D.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <algorithm>
#include <cmath>
#include <fstream>

namespace {
constexpr float DEG_TO_RAD = PI_F / 180.f;

// Straight-line speed (px/s) by bullet type 0..13.
constexpr int TYPE_SPEEDS[BulletManager::TYPE_COUNT] = {1500, 780, 600, 600, 780, 900, 600,
                                                        600,  400, 600, 400, 600, 600, 1500};
constexpr int DEFAULT_SPEED = 1300;
} // namespace

BulletManager::BulletManager(TextureCache& textures) : BulletManager(textures, TYPE_FILE) {}

BulletManager::BulletManager(TextureCache& textures, const std::string& typeFile) : textures_(textures)
{
    readTypes(typeFile);
}

void BulletManager::readTypes(const std::string& typeFile)
{
    const std::string file = resolveAssetPath(typeFile);
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        reportUnreadableDataFile(file);
        return;
    }
    skipByteOrderMark(in);
    // Records are five tokens each; reading stops at the table's size, at the end
    // of the data, or at the first record that is incomplete or makes no sense
    // (a sheet no texture could hold among them), so the types read keep their indices.
    std::string path;
    int width = 0, height = 0, frames = 0;
    float duration = 0.f;
    while (typeCount() < TYPE_COUNT && in >> path >> width >> height >> duration >> frames) {
        if (!animation_limits::sheetFits(width, height, frames) || !(duration > 0.f))
            break;
        typePaths_.push_back(path);
        typeAnimations.push_back(Animation{0.f, duration, frames, 0.f, 0.f, static_cast<float>(width),
                                           static_cast<float>(height), ANIMATION_LOOPED});
    }
}

int BulletManager::speedForType(int type)
{
    return type >= 0 && type < TYPE_COUNT ? TYPE_SPEEDS[type] : DEFAULT_SPEED;
}

float BulletManager::hitSize(int type) const
{
    if (type < 0 || type >= typeCount())
        return 0.f;
    const Animation& a = typeAnimations[static_cast<size_t>(type)];
    return std::min(a.width, a.height);
}

sf::FloatRect BulletManager::hitBox(const Bullet& bullet) const
{
    const float side = hitSize(bullet.type);
    return sf::FloatRect(bullet.position.x - side / 2.f, bullet.position.y - side / 2.f, side, side);
}

void BulletManager::spawnFromEnemy(const Entity2D& shooter, int owner) { fire(shooter, owner, false); }

void BulletManager::spawn(const Entity2D& shooter, int owner) { fire(shooter, owner, true); }

void BulletManager::fire(const Entity2D& shooter, int owner, bool muzzleAngles)
{
    // Without the type's record there is nothing to fire.
    if (shooter.bulletType < 0 || shooter.bulletType >= typeCount())
        return;
    const int muzzles = std::min(shooter.shootPointCount, static_cast<int>(shooter.shootPoints.size()));
    for (int i = 0; i < muzzles; ++i) {
        const ShootPoint& muzzle = shooter.shootPoints[static_cast<size_t>(i)];
        if (!muzzle.active)
            continue;
        Bullet b;
        b.pattern = shooter.bulletPattern;
        b.angle = muzzleAngles ? muzzle.angle : shooter.angle;
        b.origin = b.position = sf::Vector2f(muzzle.x, muzzle.y);
        b.type = shooter.bulletType;
        b.animation = typeAnimations[static_cast<size_t>(b.type)];
        b.owner = owner;
        b.speed = speedForType(b.type);
        bullets.push_back(b);
    }
}

void BulletManager::update(float dt)
{
    for (Bullet& b : bullets) {
        b.age += dt;
        b.animation.step(dt, b.frame);
        const float a = b.angle * DEG_TO_RAD;
        const float t = b.age;
        switch (b.pattern) {
        case BULLET_STRAIGHT:
            b.position += sf::Vector2f(std::cos(a), std::sin(a)) * (b.speed * dt);
            break;
        case BULLET_SPIRAL: {
            const float h = a + 10.f * t;
            b.position = b.origin + sf::Vector2f(std::cos(h), std::sin(h)) * (200.f * t);
            break;
        }
        case BULLET_SWIRL: {
            const float h = a + 67.5f + t / 0.4f;
            b.position += sf::Vector2f(std::cos(h), std::sin(h)) * (1000.f * dt);
            break;
        }
        case BULLET_WEAVE: {
            const float forward = 100.f * dt;
            const float side = 200.f * std::sin((200.f * t - 90.f) * DEG_TO_RAD) * dt;
            b.position.x += std::cos(a) * forward - std::sin(a) * side;
            b.position.y += std::sin(a) * forward + std::cos(a) * side;
            break;
        }
        case BULLET_LOOPS: {
            const float h = t / 0.1f + a + 67.5f;
            const float forward = 1000.f * std::cos(h) * dt + 75.f * dt;
            const float side = 1000.f * std::sin(h) * dt;
            b.position.x += std::cos(a) * forward - std::sin(a) * side;
            b.position.y += std::sin(a) * forward + std::cos(a) * side;
            break;
        }
        default:
            break;
        }
    }
    bullets.remove_if([](const Bullet& b) { return b.age >= MAX_AGE; });
}

void BulletManager::bindTextures()
{
    texturesBound_ = true;
    for (size_t k = 0; k < typePaths_.size(); ++k)
        if (sf::Texture* texture = textures_.getTexture(typePaths_[k]))
            typeSprites[k].setTexture(*texture);
}

// The debug view's hit square round a bullet, in yellow.
void BulletManager::drawHitBox(sf::RenderTarget& target, const Bullet& b) const
{
    const float side = hitSize(b.type);
    sf::RectangleShape box({side, side});
    box.setFillColor(sf::Color::Transparent);
    box.setOutlineColor(sf::Color::Yellow);
    box.setOutlineThickness(-4.f);
    box.setOrigin(side / 2.f, side / 2.f);
    box.setPosition(b.position);
    target.draw(box);
}

void BulletManager::draw(sf::RenderTarget& target, bool debug)
{
    if (!texturesBound_)
        bindTextures();
    for (const Bullet& b : bullets) {
        if (b.type < 0 || b.type >= typeCount())
            continue; // only bullets of a loaded type have a sheet
        sf::Sprite& sprite = typeSprites[static_cast<size_t>(b.type)];
        sprite.setTextureRect(toTextureRect(b.frame));
        sprite.setOrigin(b.frame.width / 2.f, b.frame.height / 2.f);
        sprite.setRotation(b.angle);
        sprite.setPosition(b.position);
        batch_.draw(target, sprite);
        if (debug) {
            batch_.flush(target);
            drawHitBox(target, b);
        }
    }
    batch_.flush(target);
}

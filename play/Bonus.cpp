#include "play/Bonus.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "engine/Math3D.h"
#include "engine/TextureCache.h"
#include "play/Player2D.h"

#include <cmath>

namespace {
constexpr float DEG_TO_RAD = PI_F / 180.f;
constexpr float RAD_TO_DEG = 180.f / PI_F;

const char* const SHEETS[2] = {"2D/Bonus/Bonus.png", "2D/Bonus/Bonus2.png"};
const Animation SHEET_ANIMATIONS[2] = {
    {0.f, 1.0f, 8, 0.f, 0.f, 20.f, 20.f, ANIMATION_LOOPED},
    {0.f, 0.75f, 4, 0.f, 0.f, 20.f, 20.f, ANIMATION_LOOPED},
};
} // namespace

void Bonus::update(float dt)
{
    animation.step(dt, frame);
    if (attracted) {
        const float a = std::atan2(target.y - position.y, target.x - position.x);
        position += sf::Vector2f(std::cos(a), std::sin(a)) * (ATTRACT_SPEED * dt);
        return;
    }
    wobble = static_cast<int>(wobble + WOBBLE_RATE * dt) % 360;
    const float drift = angle * DEG_TO_RAD;
    const float turn = wobble * DEG_TO_RAD;
    position += sf::Vector2f(std::cos(drift), std::sin(drift)) * (DRIFT_SPEED * dt)
        + sf::Vector2f(std::cos(turn), std::sin(turn)) * (WOBBLE_SPEED * dt);
}

sf::FloatRect Bonus::box() const
{
    return sf::FloatRect(position.x - HALF_SIZE, position.y - HALF_SIZE, 2.f * HALF_SIZE, 2.f * HALF_SIZE);
}

int BaseBonus::collect(Player2D& player)
{
    soundManager().playSound(SFX_BONUS_P);
    player.collectBaseBonus();
    return SCORE;
}

int GoldenBonus::collect(Player2D& player)
{
    soundManager().playSound(SFX_BONUS_GOLD);
    player.collectGoldenBonus();
    return SCORE;
}

int SpecialBonus::collect(Player2D& player)
{
    player.startFanShot(FAN_SHOT_TIME);
    return SCORE;
}

BonusManager::BonusManager(TextureCache& textures) : textures_(textures)
{
    for (const Animation& a : SHEET_ANIMATIONS) {
        animations.push_back(a);
        sprites.emplace_back();
    }
}

BonusManager::~BonusManager() = default;

void BonusManager::spawn(sf::Vector2f position, sf::Vector2f target, int kind)
{
    std::unique_ptr<Bonus> b;
    if (kind == BONUS_GOLDEN)
        b = std::make_unique<GoldenBonus>();
    else if (kind == BONUS_BASE)
        b = std::make_unique<BaseBonus>();
    else
        b = std::make_unique<SpecialBonus>();
    b->angle = std::atan2(target.y - position.y, target.x - position.x) * RAD_TO_DEG;
    b->position = position;
    b->kind = kind == BONUS_GOLDEN ? 1 : 0;
    b->animation = animations[kind == BONUS_GOLDEN ? 1 : 0];
    bonuses.push_back(std::move(b));
}

void BonusManager::erase(size_t i)
{
    if (i >= bonuses.size())
        return;
    bonuses.erase(bonuses.begin() + static_cast<std::ptrdiff_t>(i));
}

void BonusManager::bindTextures()
{
    texturesBound_ = true;
    for (size_t k = 0; k < sprites.size(); ++k)
        if (sf::Texture* texture = textures_.getTexture(SHEETS[k]))
            sprites[k].setTexture(*texture);
}

void BonusManager::draw(sf::RenderTarget& target)
{
    if (!texturesBound_)
        bindTextures();
    for (const std::unique_ptr<Bonus>& b : bonuses) {
        sf::Sprite& sprite = sprites[b->kind == 1 ? 1 : 0];
        sprite.setTextureRect(toTextureRect(b->frame));
        sprite.setOrigin(b->frame.width / 2.f, b->frame.height / 2.f);
        sprite.setRotation(0.f);
        sprite.setPosition(b->position);
        target.draw(sprite);
    }
}

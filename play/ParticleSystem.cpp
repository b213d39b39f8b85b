#include "play/ParticleSystem.h"

#include "engine/Math3D.h"
#include "engine/TextureCache.h"
#include "platform/Random.h"

#include <cmath>
#include <cstdint>

namespace {
constexpr float RAD_TO_DEG = 180.f / PI_F;
constexpr float DEFAULT_LIFETIME = 2.f;
constexpr float SMOKE_RISE = 100.f;
constexpr float PLAYER_EXPLOSION_ROW = 700.f;
constexpr float PLAYER_EXPLOSION_LAST_ROW = 3.f;

struct KindInfo {
    const char* sheet; // null: not drawn
    Animation animation; // frameCount 0: the whole texture is one picture
    float scale;          // 0: set per particle
};

const KindInfo KINDS[PARTICLE_KIND_COUNT] = {
    {"2D/Particles/Explosion-Sheet.png", {0.f, 0.75f, 15, 0.f, 0.f, 120.f, 120.f, ANIMATION_ONCE}, 1.2f},
    {nullptr, {}, 0.f},
    {"2D/Particles/shootingStar.png", {}, 0.f},
    {"2D/Particles/energy.png", {}, 0.f},
    {"2D/Particles/bigExplosion.png", {0.f, 1.0f, 12, 0.f, 0.f, 110.f, 110.f, ANIMATION_ONCE}, 2.0f},
    {"2D/Particles/playerExplosion(VPCR).png", {0.f, 0.325f, 6, 0.f, 0.f, 700.f, 700.f, ANIMATION_ONCE}, 1.0f},
    {"2D/Particles/Smoke.png", {}, 1.2f},
    {"2D/Particles/bossDamage.png", {0.f, 0.5f, 6, 0.f, 0.f, 45.f, 45.f, ANIMATION_ONCE}, 1.2f},
};

bool hasSheetAnimation(int kind)
{
    return kind == PARTICLE_EXPLOSION || kind == PARTICLE_SHOOTING_STAR || kind == PARTICLE_ENERGY
        || kind == PARTICLE_BIG_EXPLOSION || kind == PARTICLE_PLAYER_EXPLOSION || kind == PARTICLE_BOSS_DAMAGE;
}

float length(sf::Vector2f v) { return std::sqrt(v.x * v.x + v.y * v.y); }

// Air drag slows the particle while it sinks a little, then it moves.
void dragAndSink(Particle& p, float dt)
{
    const float k = 1.f + 6.f * dt;
    p.velocity.x /= k;
    p.velocity.y = (p.velocity.y + 50.f * dt) / k;
    p.position += p.velocity * dt;
}
} // namespace

ParticleSystem::ParticleSystem(TextureCache& textures) : textures_(textures), nodes_(MAX_PARTICLES)
{
    free_.reserve(MAX_PARTICLES);
    for (int i = MAX_PARTICLES - 1; i >= 0; --i)
        free_.push_back(i);
    for (int k = 0; k < PARTICLE_KIND_COUNT; ++k) {
        animations[k] = KINDS[k].animation;
        if (KINDS[k].scale > 0.f)
            sprites[k].setScale(KINDS[k].scale, KINDS[k].scale);
        if (KINDS[k].animation.frameCount > 0)
            sprites[k].setOrigin(KINDS[k].animation.width / 2.f, KINDS[k].animation.height / 2.f);
    }
}

void ParticleSystem::bindTextures()
{
    texturesBound_ = true;
    for (int k = 0; k < PARTICLE_KIND_COUNT; ++k) {
        if (!KINDS[k].sheet)
            continue;
        sf::Texture* texture = textures_.getTexture(KINDS[k].sheet);
        if (!texture)
            continue;
        sprites[k].setTexture(*texture, true);
        // Whole-texture kinds turn about their centre, except the shooting star's top-left.
        if (KINDS[k].animation.frameCount == 0 && k != PARTICLE_SHOOTING_STAR)
            sprites[k].setOrigin(texture->getSize().x / 2.f, texture->getSize().y / 2.f);
    }
}

int ParticleSystem::link()
{
    const int i = free_.back();
    free_.pop_back();
    Node& n = nodes_[i];
    n.particle = Particle{};
    n.newer = NONE;
    n.older = newest_;
    if (newest_ != NONE)
        nodes_[newest_].newer = i;
    newest_ = i;
    ++count_;
    return i;
}

void ParticleSystem::unlink(int i)
{
    Node& n = nodes_[i];
    if (n.newer != NONE)
        nodes_[n.newer].older = n.older;
    else
        newest_ = n.older;
    if (n.older != NONE)
        nodes_[n.older].newer = n.newer;
    n.newer = n.older = NONE;
    free_.push_back(i);
    --count_;
}

void ParticleSystem::clear()
{
    while (newest_ != NONE)
        unlink(newest_);
}

void ParticleSystem::spawn(const ParticleSpawn& s, int flag)
{
    if (count_ >= MAX_PARTICLES || s.kind < 0 || s.kind >= PARTICLE_KIND_COUNT)
        return;
    Particle& p = nodes_[link()].particle;
    p.kind = s.kind;
    p.position = {s.x, s.y};
    if (s.kind == PARTICLE_SMOKE) {
        p.position.x += static_cast<float>(random15() % 50 - 25);
        p.position.y += static_cast<float>(random15() % 50 - 25);
    }
    if (s.kind == PARTICLE_BIG_EXPLOSION || s.kind == PARTICLE_BOSS_DAMAGE)
        p.angle = 0.f;
    else
        p.angle = s.minAngle + random15() * (s.maxAngle - s.minAngle) / RANDOM15_MAX;

    if (s.kind == PARTICLE_EMITTER || s.kind == PARTICLE_SHOOTING_STAR || s.kind == PARTICLE_ENERGY) {
        int speed = s.speed;
        if (s.kind == PARTICLE_EMITTER)
            p.interval = s.param;
        else
            speed = static_cast<int>(static_cast<int64_t>(random15()) * s.speed / RANDOM15_MAX);
        p.velocity = sf::Vector2f(std::cos(p.angle), std::sin(p.angle)) * static_cast<float>(speed);
    }

    p.lifetime = DEFAULT_LIFETIME;
    if (s.kind == PARTICLE_SHOOTING_STAR || s.kind == PARTICLE_ENERGY)
        p.lifetime = random15Unit() * 0.5f;
    else if (s.kind == PARTICLE_SMOKE)
        p.lifetime = random15Unit() * 1.5f;
    else if (s.kind == PARTICLE_PLAYER_EXPLOSION)
        p.lifetime = 0.f;

    if (s.kind == PARTICLE_ENERGY)
        p.scale = {s.param, s.param};
    if (hasSheetAnimation(s.kind))
        p.animation = animations[s.kind];
    p.flag = flag;
}

void ParticleSystem::update(float dt)
{
    // Particles spawned during the pass are linked in as the newest, ahead of
    // the walk, so they first move on the next update.
    int i = newest_;
    while (i != NONE) {
        const int older = nodes_[i].older;
        updateParticle(i, dt);
        i = older;
    }
}

void ParticleSystem::updateParticle(int i, float dt)
{
    Particle& p = nodes_[i].particle;
    p.age += dt;
    switch (p.kind) {
    case PARTICLE_EXPLOSION:
    case PARTICLE_BIG_EXPLOSION:
    case PARTICLE_BOSS_DAMAGE:
        if (!p.animation.step(dt, p.frame))
            unlink(i);
        break;
    case PARTICLE_EMITTER: {
        dragAndSink(p, dt);
        if (p.age > p.interval) {
            ParticleSpawn child;
            child.kind = PARTICLE_EXPLOSION;
            child.x = p.position.x + static_cast<float>(random15() % 40 - 20);
            child.y = p.position.y + static_cast<float>(random15() % 40 - 20);
            spawn(child, 0);
            p.childCounter += 0.05f;
        }
        if (p.childCounter > p.lifetime)
            unlink(i);
        break;
    }
    case PARTICLE_SHOOTING_STAR: {
        dragAndSink(p, dt);
        if (p.age > 0.05f)
            p.scale = {1.f, length(p.velocity) * dt};
        if (p.age > p.lifetime)
            unlink(i);
        break;
    }
    case PARTICLE_ENERGY: {
        p.velocity *= 1.f - 6.f * dt;
        p.position -= p.velocity * dt;
        if (p.age > p.lifetime)
            unlink(i);
        break;
    }
    case PARTICLE_PLAYER_EXPLOSION:
        if (!p.animation.step(dt, p.frame)) {
            if (p.lifetime >= PLAYER_EXPLOSION_LAST_ROW) {
                unlink(i);
            } else {
                p.animation.top += PLAYER_EXPLOSION_ROW;
                p.animation.elapsed = 0.f;
                p.lifetime += 1.f;
            }
        }
        break;
    case PARTICLE_SMOKE:
        p.position.y -= SMOKE_RISE * dt;
        if (p.age > p.lifetime)
            unlink(i);
        break;
    default:
        break;
    }
}

void ParticleSystem::draw(sf::RenderTarget& target)
{
    if (!texturesBound_)
        bindTextures();
    for (int i = newest_; i != NONE; i = nodes_[i].older) {
        const Particle& p = nodes_[i].particle;
        sf::Sprite& sprite = sprites[p.kind];
        switch (p.kind) {
        case PARTICLE_EXPLOSION:
        case PARTICLE_BIG_EXPLOSION:
        case PARTICLE_PLAYER_EXPLOSION:
        case PARTICLE_BOSS_DAMAGE:
            sprite.setTextureRect(toTextureRect(p.frame));
            sprite.setRotation(p.angle * RAD_TO_DEG);
            sprite.setPosition(p.position);
            batch_.draw(target, sprite);
            break;
        case PARTICLE_SHOOTING_STAR:
        case PARTICLE_ENERGY:
            sprite.setScale(p.scale);
            if (p.kind == PARTICLE_ENERGY)
                sprite.setColor(p.flag == 1 ? sf::Color::Magenta : sf::Color::Cyan);
            sprite.setRotation(p.angle * RAD_TO_DEG + 90.f);
            sprite.setPosition(p.position);
            batch_.draw(target, sprite);
            break;
        case PARTICLE_SMOKE: {
            const float left = p.lifetime > 0.f ? (p.lifetime - p.age) * 255.f / p.lifetime : 0.f;
            const int alpha = left < 0.f ? 0 : static_cast<int>(left);
            sprite.setColor(sf::Color(255, 255, 255, static_cast<sf::Uint8>(alpha > 255 ? 255 : alpha)));
            sprite.setRotation(p.angle * RAD_TO_DEG);
            sprite.setPosition(p.position);
            batch_.draw(target, sprite);
            break;
        }
        default:
            break;
        }
    }
    batch_.flush(target);
}

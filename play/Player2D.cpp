#include "play/Player2D.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "engine/Math3D.h"
#include "engine/RunSettings.h"
#include "engine/TextureCache.h"
#include "platform/AssetPath.h"
#include "play/DebugOutline.h"
#include "play/Laser.h"
#include "play/ParticleSystem.h"
#include "play/Shield.h"
#include "play/SpriteLoading.h"

#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

static_assert(2.f * PI_F == 6.2831855f, "a full turn of the ship's explosion is the same float as before");

namespace {
constexpr float DEG_TO_RAD = PI_F / 180.f;
constexpr float MUZZLE_STEP = 360.f / Player2D::MUZZLE_COUNT;
constexpr float FRONT_DISTANCE = 18.f;
constexpr float HIT_BOX_SIZE = 8.f;

const char* const SHIP_TEXTURES[2] = {"2D/Player/Player01.png", "2D/Player/Normal PlayerP2.png"};
const char* const MOVE_NAMES[4] = {"Front", "Left", "Back", "Right"};
const char* const FLAME_TEXTURES[3] = {"2D/Player/FxTirGreen.png", "2D/Player/FxTirYellow.png",
                                       "2D/Player/FxTirOrange.png"};

struct LivesByDifficulty {
    Difficulty difficulty;
    int lives;
};
constexpr LivesByDifficulty STARTING_LIVES[] = {{Difficulty::Easy, 5}, {Difficulty::Normal, 3}, {Difficulty::Hard, 2}};

// The first row whose directions are all held gives the heading.
enum Direction { UP, RIGHT, DOWN, LEFT };
struct DirectionRow {
    int first;
    int second; // -1: one direction
    float angle;
};
const DirectionRow DIRECTION_ROWS[] = {
    {UP, RIGHT, 315.f}, {RIGHT, DOWN, 45.f}, {LEFT, DOWN, 135.f}, {LEFT, UP, 225.f},
    {UP, -1, 270.f},    {RIGHT, -1, 0.f},    {DOWN, -1, 90.f},    {LEFT, -1, 180.f},
};

// Movement sprite base by the level's scroll direction (UP, DOWN, LEFT, RIGHT).
const int SPRITE_BASE[4] = {0, 2, 1, 3};

// Flame colour by ship speed: slow green, normal yellow, fast orange.
int flameIndex(int speed) { return speed == 720 ? 1 : (speed == 960 ? 2 : 0); }

// Stops the looped hum of a weapon mode that ends.
void stopHum(WeaponMode endingMode)
{
    if (endingMode == WeaponMode::Charging)
        soundManager().stopLoop(LOOP_CHARGE_LASER);
    else if (endingMode == WeaponMode::Laser)
        soundManager().stopLoop(LOOP_LASER_ACTIVE);
}

// Shrink stage of the shield from the laser's time left.
int shrinkStage(const Laser* laser)
{
    if (!laser)
        return 0;
    const float r = laser->remaining();
    return r >= 1.f ? 0 : (r >= 0.1f ? 1 : 2);
}

// Size of an image file without touching the graphics device; (0, 0) when it does not load.
sf::Vector2u imageSize(const std::string& path)
{
    sf::Image image;
    return image.loadFromFile(resolveAssetPath(path)) ? image.getSize() : sf::Vector2u();
}
} // namespace

Player2D::Player2D(int index, const RunSettings& run, TextureCache& textures, ParticleSystem* particleSystem)
    : playerIndex(index), particles(particleSystem), run_(run), textures_(textures)
{
    bulletType = 13;
    front = position + sf::Vector2f(std::cos(-90.f * DEG_TO_RAD), std::sin(-90.f * DEG_TO_RAD)) * FRONT_DISTANCE;
    setShootPointCount(MUZZLE_COUNT);
    for (int i = 0; i < MUZZLE_COUNT; ++i)
        shootPoints[static_cast<size_t>(i)].angle = MUZZLE_STEP * i;
    updateShootPoints();

    if (const int start = startingLives(run_.difficulty))
        lives = start;

    const sf::Vector2u size = imageSize(SHIP_TEXTURES[index == 1 ? 1 : 0]);
    halfSize_ = sf::Vector2f(size.x / 2.f, size.y / 2.f);
    hitBox = sf::FloatRect(position.x - 4.f, position.y - 8.f, HIT_BOX_SIZE, HIT_BOX_SIZE);
    for (sf::Sprite& s : moveSprites)
        s.setTextureRect(sf::IntRect(0, 0, 100, 100));
    for (sf::Sprite& s : effectSprites)
        s.setOrigin(19.f, 24.5f);
    currentSprite = &shipSprite;
    currentAnimation = &shipAnimation;
}

Player2D::~Player2D() = default;

void Player2D::bindTextures()
{
    texturesBound_ = true;
    const bool second = playerIndex == 1;
    loadSprite(textures_, shipSprite, SHIP_TEXTURES[second ? 1 : 0], true);
    for (int k = 0; k < 4; ++k) {
        const std::string path = std::string("2D/Player/Deplacement/") + MOVE_NAMES[k] + (second ? "P2.png" : ".png");
        if (sf::Texture* t = textures_.getTexture(path))
            moveSprites[static_cast<size_t>(k)].setTexture(*t);
    }
    for (int k = 0; k < 3; ++k)
        if (sf::Texture* t = textures_.getTexture(FLAME_TEXTURES[k]))
            effectSprites[static_cast<size_t>(k)].setTexture(*t);
}

void Player2D::update(float dt, ParticleSystem* particleSystem, ShipLayout layout)
{
    if (fireTimer > 0.f)
        fireTimer -= dt;
    specialTimer -= dt;
    if (blinking) {
        blinkTimer += dt;
        if (blinkTimer >= BLINK_TIME)
            blinking = 0;
    }
    if (invulnerable) {
        invulnerableTimer += dt;
        if (invulnerableTimer >= INVULNERABLE_TIME) {
            invulnerable = 0;
            blinking = 1;
            blinkTimer = 0.f;
        }
    }
    effectAnimation.step(dt, effectFrame);

    switch (mode) {
    case WeaponMode::Normal:
        if (!invulnerable)
            move(dt, layout);
        if (run_.cheatLaser)
            gauge = std::min(gauge + 5000.f, GAUGE_MAX);
        break;
    case WeaponMode::Charging:
        move(dt, layout);
        if (!shield) {
            // The shield went away under the charge: back to normal shots.
            destroyShield();
            break;
        }
        shield->update(position, dt, particleSystem);
        charge += 0.8f * dt;
        if (gauge <= 0.f)
            gauge = 0.f;
        else
            gauge -= 25.f * dt;
        break;
    case WeaponMode::Laser:
        move(dt, layout);
        if (shield)
            shield->updateWhileFiring(position, dt, particleSystem, shrinkStage(laser.get()));
        if (laser && laser->state == LASER_FIRING) {
            laserTime -= dt;
            charge -= dt;
        }
        // The laser ends when its time runs out, or at once if it is already gone.
        if (!laser || laserTime <= 0.f)
            stopLaser();
        break;
    default:
        break;
    }

    if (gauge == GAUGE_MAX) {
        if (!gaugeFullLatch) {
            soundManager().playSound(SFX_MAX_LASER);
            gaugeFullLatch = 1;
        }
    } else {
        gaugeFullLatch = 0;
    }
    if (run_.cheatLives)
        lives = std::min(lives + 1, MAX_LIVES);
}

float Player2D::clampStep(float step, sf::Vector2f axis) const
{
    // Shrinks the step 1 px at a time until it fits; a step that cannot fit becomes 0.
    const bool positive = step > 0.f;
    float s = step;
    while (!isInPlayArea(axis * s) && (positive ? s > 0.f : s < 0.f))
        s += positive ? -1.f : 1.f;
    return (positive ? s > 0.f : s < 0.f) ? s : 0.f;
}

void Player2D::move(float dt, ShipLayout layout)
{
    if (currentAnimation && currentSprite && currentAnimation->step(dt, frame))
        currentSprite->setTextureRect(toTextureRect(frame));

    if (moving) {
        const float length = (mode == WeaponMode::Normal ? static_cast<float>(speed) : CHARGE_SPEED) * dt;
        const float a = moveAngle * DEG_TO_RAD;
        position.x += clampStep(std::cos(a) * length, {1.f, 0.f});
        position.y += clampStep(std::sin(a) * length, {0.f, 1.f});
    }

    if (layout == ShipLayout::Open)
        hitBox = sf::FloatRect(position.x - 4.f, position.y - 8.f, HIT_BOX_SIZE, HIT_BOX_SIZE);
    else if (layout == ShipLayout::Corridor)
        hitBox = sf::FloatRect(position.x, position.y - 4.f, HIT_BOX_SIZE, HIT_BOX_SIZE);
    updateShootPoints();
}

bool Player2D::isInPlayArea(sf::Vector2f offset) const
{
    const sf::Vector2f p = position + offset;
    return p.x - halfSize_.x >= PLAY_LEFT && p.x + halfSize_.x <= PLAY_RIGHT && p.y - halfSize_.y >= PLAY_TOP
        && p.y + halfSize_.y <= PLAY_BOTTOM;
}

void Player2D::selectShootPoints(float a)
{
    constexpr int n = MUZZLE_COUNT;
    constexpr float half = 360.f / (2 * n);
    // Any heading, however many turns below zero, lands on the ring.
    const int sector = static_cast<int>((half + angle::wrap360(a)) / MUZZLE_STEP + n) % n;
    angle = MUZZLE_STEP * sector;
    for (ShootPoint& p : shootPoints)
        p.active = 0;
    if (specialTimer < 0.f) {
        shootPoints[static_cast<size_t>((sector - n / 4 + n) % n)].active = 1;
        shootPoints[static_cast<size_t>((sector + n / 4 + n) % n)].active = 1;
    } else {
        for (int k = -3; k <= 2; ++k)
            shootPoints[static_cast<size_t>((sector + k + n) % n)].active = 1;
    }
}

void Player2D::updateShootPoints()
{
    for (int i = 0; i < shootPointCount && i < static_cast<int>(shootPoints.size()); ++i) {
        const float theta = MUZZLE_STEP * i * DEG_TO_RAD;
        ShootPoint& p = shootPoints[static_cast<size_t>(i)];
        p.x = position.x + std::cos(theta) * MUZZLE_RADIUS;
        p.y = position.y + std::sin(theta) * MUZZLE_RADIUS;
    }
}

void Player2D::startLaser(float laserAngle)
{
    mode = WeaponMode::Laser;
    if (shield && shield->radius < Shield::FULL_RADIUS)
        shield->setRadius(Shield::FULL_RADIUS);
    laserTime = charge + 1.f;
    laser = std::make_unique<Laser>(playerIndex, laserTime, laserAngle, textures_);
}

void Player2D::stopLaser()
{
    stopHum(mode);
    laser.reset();
    mode = WeaponMode::Normal;
    shield.reset();
    charge = 0.f;
}

void Player2D::destroyShield()
{
    shield.reset();
    charge = 0.f;
    // A charge cannot go on without its shield.
    if (mode == WeaponMode::Charging) {
        stopHum(mode);
        mode = WeaponMode::Normal;
    }
}

int Player2D::startingLives(Difficulty difficulty)
{
    for (const LivesByDifficulty& entry : STARTING_LIVES)
        if (entry.difficulty == difficulty)
            return entry.lives;
    return 0;
}

void Player2D::steer(const std::array<bool, 4>& directionHeld)
{
    moving = 0;
    moveAngle = 0.f;
    for (const DirectionRow& row : DIRECTION_ROWS) {
        if (directionHeld[row.first] && (row.second < 0 || directionHeld[row.second])) {
            moveAngle = row.angle;
            moving = 1;
            break;
        }
    }

    int state = MOVE_IDLE;
    if (moving)
        state = moveAngle == 90.f ? 0 : (moveAngle > 90.f && moveAngle < 270.f) ? 1 : moveAngle == 270.f ? 2 : 3;
    if (state == directionState)
        return;
    directionState = state;
    if (state == MOVE_IDLE) {
        currentSprite = &shipSprite;
        currentAnimation = &shipAnimation;
    } else {
        const int base = SPRITE_BASE[std::clamp(facing, 0, 3)];
        currentSprite = &moveSprites[(base + state) % 4];
        currentAnimation = &moveAnimation;
        moveAnimation.elapsed = 0.f;
    }
}

void Player2D::raiseShield()
{
    if (mode != WeaponMode::Normal || gauge < SHIELD_COST || shield || invulnerable)
        return;
    shield = std::make_unique<Shield>(position, playerIndex, textures_);
    gauge -= SHIELD_COST;
    mode = WeaponMode::Charging;
    soundManager().playLoop(LOOP_CHARGE_LASER);
}

void Player2D::releaseCharge(float laserAngle)
{
    soundManager().stopLoop(LOOP_CHARGE_LASER);
    soundManager().playLoop(LOOP_LASER_ACTIVE);
    soundManager().playSound(SFX_LASER_SHOT);
    startLaser(laserAngle);
}

void Player2D::revive(sf::Vector2f start)
{
    const int fresh = startingLives(run_.difficulty);
    lives = fresh > 0 ? fresh : REVIVE_DEFAULT_LIVES;
    position = start;
    gauge = GAUGE_START;
    invulnerable = 0;
    invulnerableTimer = 0.f;
    blinking = 1;
    blinkTimer = 0.f;
    goldenCount = 0;
    baseCount = 0;
    bossScore = 0.0;
    killedTypes.clear();
}

void Player2D::cancelWeapons()
{
    if (charge > 0.f)
        gauge = std::min(gauge + charge * GAUGE_PER_CHARGE + GAUGE_CHARGE_BONUS, GAUGE_MAX);
    laserTime = 0.f;
    stopLaser();
}

void Player2D::hit()
{
    soundManager().playSound(SFX_DEATH);
    hitPoints -= 1;
    invulnerable = 1;
    invulnerableTimer = 0.f;
    if (hitPoints < 1) {
        lives = std::max(lives - 1, 0);
        hitPoints = 1;
        gauge = GAUGE_START;
        laser.reset();
    }
    if (particles) {
        ParticleSpawn explosion;
        explosion.kind = PARTICLE_PLAYER_EXPLOSION;
        explosion.x = position.x;
        explosion.y = position.y;
        explosion.param = 5.f;
        explosion.speed = 5;
        explosion.minAngle = 0.f;
        explosion.maxAngle = 2.f * PI_F;
        particles->spawn(explosion, 0);
    }
}

void Player2D::draw(sf::RenderTarget& target, bool debug)
{
    if (!texturesBound_)
        bindTextures();
    currentSprite->setOrigin(frame.width / 2.f, frame.height / 2.f);
    currentSprite->setPosition(position);

    sf::Sprite& flame = effectSprites[static_cast<size_t>(flameIndex(speed))];
    if (!invulnerable) {
        flame.setTextureRect(toTextureRect(effectFrame));
        switch (facing) {
        case 0:
            currentSprite->setRotation(0.f);
            flame.setRotation(0.f);
            flame.setPosition(position.x - 15.f, position.y + 25.f);
            target.draw(flame);
            flame.setPosition(position.x + 15.f, position.y + 25.f);
            target.draw(flame);
            break;
        case 1:
            currentSprite->setRotation(180.f);
            break;
        case 2:
            currentSprite->setRotation(270.f);
            break;
        case 3:
            currentSprite->setRotation(90.f);
            flame.setRotation(90.f);
            flame.setPosition(position.x - 25.f, position.y - 15.f);
            target.draw(flame);
            flame.setPosition(position.x - 25.f, position.y + 15.f);
            target.draw(flame);
            break;
        default:
            break;
        }
    }

    if (invulnerable) {
        currentSprite->setColor(sf::Color(255, 255, 255, 0));
    } else if (blinking) {
        const int k = static_cast<int>(blinkTimer * 100.f);
        currentSprite->setColor(sf::Color(255, 255, 255, k % 20 < 11 ? 100 : 255));
    } else {
        currentSprite->setColor(sf::Color::White);
    }

    if (shield)
        shield->draw(target);
    if (laser) {
        if (laser->state == LASER_AIMING)
            laser->drawAim(target, position);
        else
            laser->drawBeam(target);
    }
    target.draw(*currentSprite);

    if (debug)
        drawDebugOutline(target, hitBox, sf::Color::Green, 3.f);
}

Shot Player2D::pullTrigger(bool held)
{
    if (held && !invulnerable && fireTimer <= 0.f) {
        fireTimer = SHOT_INTERVALS[std::clamp(fireRateIndex, 0, 2)];
        if (mode == WeaponMode::Normal)
            return specialTimer >= 0.f ? Shot::Fan : Shot::Twin;
    }
    return Shot::None;
}

void Player2D::holdSpeedKeys(bool slower, bool faster)
{
    if (slower && !speedLatch) {
        speed = 480;
        speedLatch = 1;
    } else if (faster && !speedLatch) {
        speed = 960;
        speedLatch = 1;
    }
    if (!slower && !faster)
        speedLatch = 0;
    if (mode == WeaponMode::Normal)
        speed = slower ? 480 : faster ? 960 : 720;
}

void Player2D::steerLaser(float dt, bool aiming, float aimAngle)
{
    if (mode == WeaponMode::Laser && laser)
        laser->update(dt, position, aiming ? aimAngle : laser->angle);
}

void Player2D::refillGauge() { gauge = GAUGE_MAX; }

void Player2D::startFanShot(float seconds) { specialTimer = seconds; }

void Player2D::feedGauge()
{
    if (mode == WeaponMode::Normal)
        gauge = std::min(gauge + GAUGE_PER_BONUS, GAUGE_MAX);
}

void Player2D::collectBaseBonus()
{
    feedGauge();
    ++baseCount;
}

void Player2D::collectGoldenBonus()
{
    feedGauge();
    ++goldenCount;
}

void Player2D::countKill(int enemyType) { killedTypes.push_back(enemyType); }

void Player2D::dropKilledRow(int count)
{
    const auto n = static_cast<std::ptrdiff_t>(std::clamp(count, 0, static_cast<int>(killedTypes.size())));
    killedTypes.erase(killedTypes.begin(), killedTypes.begin() + n);
}

void Player2D::addBossScore(double points) { bossScore += points; }

void Player2D::creditTimeBonus(float secondsLeft) { timeBonus = secondsLeft * 1000.f; }

void Player2D::clearBossTally()
{
    bossScore = 0.0;
    timeBonus = 0.f;
}

void Player2D::endTally(float gaugeLevel)
{
    killedTypes.clear();
    goldenCount = 0;
    baseCount = 0;
    bossScore = 0.0;
    timeBonus = 0.f;
    gauge = gaugeLevel;
}

void Player2D::enterBossLevel() { bossLevel = 1; }

void Player2D::leaveBossLevel()
{
    bossLevel = 0;
    startBlinking();
}

void Player2D::clearBossLevel() { bossLevel = 0; }

void Player2D::joinBossLevelOf(const Player2D& other) { bossLevel = other.bossLevel; }

void Player2D::faceScroll(int direction) { facing = direction; }

void Player2D::startBlinking()
{
    blinking = 1;
    blinkTimer = 0.f;
}

void Player2D::gainLives(int count) { lives = std::min(lives + count, MAX_LIVES); }

void Player2D::placeHitBox(const sf::FloatRect& box) { hitBox = box; }

bool Player2D::isVulnerable() const { return mode == WeaponMode::Normal && !invulnerable && !blinking; }

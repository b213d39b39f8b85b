#include "bosses/Murzel.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "bosses/BossLvl1.h"
#include "engine/FrameTiming.h"
#include "engine/Mesh.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"
#include "play/BulletManager.h"
#include "play/DebugOutline.h"
#include "play/ExplosionPatternTargets.h"
#include "play/Laser.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/Polygon.h"
#include "play/Shield.h"
#include "play/TextManager.h"

#include <algorithm>

namespace {

const sf::Vector2f LASER_OFFSET{345.f, 150.f};
const sf::Vector2f NO_HEAD{-5000.f, -5000.f};

// The script over the arena's camera-path frames (bounds inclusive); every
// other frame hides the head.
struct CueWindow {
    int first;
    int last;
    MurzelCue cue;
};
const CueWindow SCRIPT[] = {
    {623, 721, {true, MurzelCue::KEEP_PHASE}},   {723, 961, {false, 2}},
    {1504, 1602, {true, MurzelCue::KEEP_PHASE}}, {1604, 1842, {false, 2}},
    {2114, 2212, {true, MurzelCue::KEEP_PHASE}}, {2214, 2340, {false, 2}},
    {2407, 2505, {true, MurzelCue::KEEP_PHASE}}, {2507, 2633, {false, 2}},
    {4111, 4319, {false, 2}},                    {4321, 4419, {true, 2}},
    {4421, 4818, {false, 3}},
};

// The lighting over the first frames: it flickers, then the arena goes dark.
constexpr int FLICKER_END = 50;
constexpr int DARK_END = 150;

} // namespace

MurzelCue murzelCue(int frame)
{
    for (const CueWindow& window : SCRIPT)
        if (frame >= window.first && frame <= window.last)
            return window.cue;
    return MurzelCue{};
}

Murzel::Murzel(BossData data) : Boss(data)
{
    changeScene(scene::ARENA, 0.f);
    health = MAX_HEALTH;
    timer = FIGHT_TIME;
    createTimerText("200");
}

Murzel::~Murzel()
{
    freeLaser();
    // The head stays in the scene: leave it lit and unflashed.
    if (Mesh* head = findSceneMesh(HEAD_MESH)) {
        head->notEmissive = false;
        head->flash = 0.f;
    }
}

void Murzel::freeLaser()
{
    laser.reset();
}

void Murzel::rampWorldLighting(float maximum) const
{
    if (world_.worldLighting < maximum)
        world_.worldLighting += timing_.frameTime;
    else
        world_.worldLighting = maximum;
}

void Murzel::selectPhase()
{
    const int f = world_.cameraFrame;
    if (f < 0) {
        rampWorldLighting(LIGHT_MAX);
    } else if (f <= FLICKER_END) {
        if (flickerStep_ < 3)
            rampWorldLighting(LIGHT_MAX);
        else
            world_.worldLighting = 0.f;
        flickerStep_ = (flickerStep_ + 1) % 4;
    } else if (f <= DARK_END) {
        world_.worldLighting = 0.f;
    } else {
        rampWorldLighting(LIGHT_MAX);
    }

    const MurzelCue cue = murzelCue(f);
    warning = cue.warning;
    if (cue.phase != MurzelCue::KEEP_PHASE)
        phase = cue.phase;
    if (!cue.warning && cue.phase == 0)
        freeLaser();
}

void Murzel::updateHitbox()
{
    const Mesh* head = findSceneMesh(HEAD_MESH);
    if (!head)
        return;
    const ScreenBounds& b = head->screenBounds;
    const float width = (b.maxX - b.minX) / 1.5f;
    const float height = (b.maxY - b.minY) / 1.5f;
    exposedPosition = {b.minX + (b.maxX - b.minX - width) / 2.f, b.minY + (b.maxY - b.minY - height) / 2.f};
    hitBox.width = width;
    hitBox.height = height;
}

void Murzel::updateLaser(float dt)
{
    if (!laser) {
        laser = std::make_unique<Laser>(LASER_BOSS, LASER_STRENGTH, LASER_ANGLE, textures_);
        return;
    }
    laser->update(dt, laserOrigin, LASER_ANGLE);
    if (laser->remaining() <= 0.f)
        freeLaser();
}

void Murzel::flashHit()
{
    flashing = true;
    flashTimer = FLASH_TIME;
    if (!particles)
        return;
    ParticleSpawn spark;
    spark.kind = PARTICLE_BOSS_DAMAGE;
    const sf::Vector2f at = randomPointIn(hitBox);
    spark.x = at.x;
    spark.y = at.y;
    particles->spawn(spark, 0);
}

void Murzel::blinkHead(float frameTime)
{
    Mesh* head = findSceneMesh(HEAD_MESH);
    if (!head)
        return;
    if (warning) {
        if (blinkCountdown_ <= 0.f) {
            head->notEmissive = !head->notEmissive;
            blinkCountdown_ = BLINK_TIME;
        } else {
            blinkCountdown_ -= frameTime;
        }
    } else {
        head->notEmissive = false;
    }
    head->flash = flashing ? flashTimer / FLASH_TIME * 255.f : 0.f;
}

bool Murzel::update(float dt, EnemyManager&, PlayerList&, Scoring scoring, ParticleSystem&)
{
    selectPhase();
    laserOrigin = projectSceneObject(HEAD_MESH, NO_HEAD) - LASER_OFFSET;
    timer -= dt;
    if (phase == 0) {
        exposedPosition = {HIDDEN, HIDDEN};
    } else {
        updateHitbox();
        if (phase == 3)
            updateLaser(dt);
    }
    hitBox.left = exposedPosition.x;
    hitBox.top = exposedPosition.y;
    showTimer();
    if (clashLasers(scoring) || timer <= 0.f)
        return true;

    const float frameTime = timing_.frameTime;
    if (flashing) {
        flashTimer -= frameTime;
        if (flashTimer <= 0.f)
            flashing = false;
    }
    blinkHead(frameTime);
    return false;
}

void Murzel::score(Scoring scoring, int player, uint32_t points) const
{
    const bool inBossLevel = players && player >= 0 && player < static_cast<int>(players->size()) &&
                             (*players)[static_cast<size_t>(player)] &&
                             (*players)[static_cast<size_t>(player)]->bossLevel;
    award(scoring, player, points, inBossLevel);
}

void Murzel::deathBonus(Scoring scoring) const
{
    const size_t count = players ? players->size() : scoring.scores.size();
    for (size_t i = 0; i < count; ++i)
        score(scoring, static_cast<int>(i), DEATH_BONUS);
}

bool Murzel::hitByBullets(BulletManager& shots, PlayerList&, Scoring scoring)
{
    std::list<Bullet>& list = shots.bullets;
    for (auto shot = list.begin(); shot != list.end();) {
        if (!shots.hitBox(*shot).intersects(hitBox)) {
            ++shot;
            continue;
        }
        soundManager().playSound(SFX_TOUCH_ENEMY);
        flashHit();
        score(scoring, shot->owner, HIT_POINTS);
        health -= static_cast<float>(shot->damage);
        shot = list.erase(shot);
        if (health <= 0.f) {
            deathBonus(scoring);
            return true;
        }
    }
    return false;
}

bool Murzel::hitByLaser(Laser& beam, size_t& segment, int player, Scoring scoring)
{
    if (segment >= beam.segments.size() || !polygonIntersectsRect(beam.segments[segment], hitBox))
        return false;
    flashHit();
    score(scoring, player, HIT_POINTS);
    beam.impactVisible = 1;
    beam.cutAfterSegment(segment);
    health -= Laser::DAMAGE;
    if (BossLvl1* tower = currentBossLvl1(world_))
        tower->flashTower();
    if (health <= 0.f) {
        deathBonus(scoring);
        return true;
    }
    segment = beam.segments.size();
    return false;
}

bool Murzel::hitByShield(Shield& shield, int player, Scoring scoring)
{
    if (!polygonIntersectsRect(shield.polygon(), hitBox))
        return false;
    flashHit();
    score(scoring, player, HIT_POINTS);
    health -= Shield::DAMAGE;
    if (health > 0.f)
        return false;
    deathBonus(scoring);
    return true;
}

bool Murzel::hitPlayer(Player2D& player)
{
    bool touched = player.hitBox.intersects(hitBox);
    if (laser)
        for (size_t k = 0; k < laser->segments.size() && !touched; ++k)
            touched = polygonIntersectsRect(laser->segments[k], player.hitBox);
    if (touched)
        player.hit();
    return false;
}

bool Murzel::clashLasers(Scoring scoring)
{
    if (!laser || !players)
        return false;
    for (size_t p = 0; p < players->size(); ++p) {
        Player2D* ship = (*players)[p].get();
        if (!ship || !ship->laser)
            continue;
        Laser& theirs = *ship->laser;
        const long m = static_cast<long>(std::min(laser->segments.size(), theirs.segments.size())) - 1;
        for (long k = 0; k < m; ++k) {
            const size_t s = static_cast<size_t>(k);
            if (!polygonsIntersect(laser->segments[s], theirs.segments[s]) &&
                !polygonsIntersect(laser->segments[s + 1], theirs.segments[s]))
                continue;
            laser->cutAfterSegment(s);
            theirs.cutAfterSegment(s);
            laser->impactVisible = 1;
            theirs.impactVisible = 1;
            health -= CLASH_DAMAGE;
            score(scoring, static_cast<int>(p), CLASH_POINTS);
            break;
        }
    }
    if (health > 0.f)
        return false;
    deathBonus(scoring);
    return true;
}

void Murzel::draw(sf::RenderTarget& target, bool debug)
{
    if (laser) {
        if (laser->state == LASER_AIMING)
            laser->drawAim(target, exposedPosition);
        else
            laser->drawBeam(target);
    }
    healthBar.setFraction(health / MAX_HEALTH);
    if (timerText)
        timerText->drawTexts(target);
    healthBar.draw(target);
    if (debug)
        drawDebugOutline(target, hitBox, sf::Color::Red, 7.5f);
}

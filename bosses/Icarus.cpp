#include "bosses/Icarus.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "bosses/BossLvl1.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"
#include "platform/AssetPath.h"
#include "play/BulletManager.h"
#include "play/Laser.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/Polygon.h"
#include "play/Shield.h"
#include "play/TextManager.h"

#include <fstream>

namespace {

constexpr int PART_BURSTS = 3;
constexpr int HEAD_BURSTS = 10;
constexpr int PART_BURST_SPEED = 1000;
constexpr int HEAD_BURST_SPEED = 3000;
constexpr int SMOKE_COUNT = 3000;
constexpr float BURST_PARAM = 0.01f;
const sf::Vector2f SCREEN_CENTRE{960.f, 540.f};

// Particles of `kind` thrown all round from `at`, `speed` as the kind reads it.
ParticleSpawn allRound(int kind, sf::Vector2f at, int speed)
{
    return ParticleSpawn{kind, at.x, at.y, BURST_PARAM, speed, 0.f, 360.f};
}

std::unique_ptr<BodyPart> makeShooter(const IcarusPartRecord& r, int module)
{
    return std::make_unique<ShootIcarus>(r.hp, SCREEN_CENTRE + r.offset, module);
}

std::unique_ptr<BodyPart> makeSpawner(const IcarusPartRecord& r, int module, TextureCache& textures)
{
    return std::make_unique<SpawnerIcarus>(r.hp, SCREEN_CENTRE + r.offset, module, textures);
}

bool meets(const sf::FloatRect& a, const sf::FloatRect& b) { return a.intersects(b); }

} // namespace

Icarus::Icarus(BossData data, const std::string& layoutPath) : Boss(data)
{
    changeScene(scene::TOWER, 0.f);
    std::ifstream in(resolveAssetPath(layoutPath), std::ios::binary);
    if (in)
        buildParts(readIcarusLayout(in));
    swapSlots.assign(parts.size(), SwapSlot{});
    installBoss3D(world_, std::make_unique<BossLvl1>(textures_, data.renderer, world_, timing_));
    timer = FIGHT_TIME;
    createTimerText("80");
}

Icarus::~Icarus()
{
    if (BossLvl1* tower = currentBossLvl1(world_))
        tower->setAllRed();
}

void Icarus::buildParts(const std::vector<IcarusPartRecord>& records)
{
    int module = 0;
    for (const IcarusPartRecord& r : records) {
        if (r.kind == icarus_layout::HEAD) {
            if (!head) {
                maxHealth = static_cast<float>(r.hp);
                head = std::make_unique<HeadIcarus>(r.hp, SCREEN_CENTRE + r.offset);
            }
        } else if (r.kind == icarus_layout::SHOOT || r.kind == icarus_layout::SPAWN) {
            if (module >= BossLvl1::MODULE_COUNT)
                continue; // the tower has four modules
            const bool shooterFirst = r.kind == icarus_layout::SHOOT;
            std::unique_ptr<BodyPart> part = shooterFirst ? makeShooter(r, module) : makeSpawner(r, module, textures_);
            part->partner = shooterFirst ? makeSpawner(r, module, textures_) : makeShooter(r, module);
            parts.push_back(std::move(part));
            ++module;
        } else {
            parts.push_back(makeShooter(r, module));
        }
    }
}

void Icarus::flashTower() const
{
    if (BossLvl1* tower = currentBossLvl1(world_))
        tower->flashTower();
}

void Icarus::burst(const sf::FloatRect& box, int speed) const
{
    if (!particles)
        return;
    particles->spawn(allRound(PARTICLE_EMITTER, randomPointIn(box), speed), 0);
}

void Icarus::awardPlayer(Scoring scoring, int player, uint32_t points) const
{
    award(scoring, player, points, true);
}

void Icarus::awardEveryone(Scoring scoring, uint32_t points) const
{
    for (size_t i = 0; i < scoring.scores.size(); ++i)
        awardPlayer(scoring, static_cast<int>(i), points);
}

void Icarus::headDefeatBursts() const
{
    for (int k = 0; k < HEAD_BURSTS; ++k)
        burst(head->getHitbox(), HEAD_BURST_SPEED);
    soundManager().playSound(SFX_EXPLOSION_BIG);
}

bool Icarus::update(float dt, EnemyManager& enemies, PlayerList& ships, Scoring, ParticleSystem& system)
{
    healthBar.update(dt);
    timer -= dt;
    showTimer();
    for (const sf::Vector2f& point : smokePoints)
        system.spawn(allRound(PARTICLE_SMOKE, point, SMOKE_COUNT), 0);
    if (timer <= 0.f)
        return true;

    if (head) {
        std::vector<sf::Vector2f> positions;
        for (const std::unique_ptr<Player2D>& ship : ships)
            if (ship)
                positions.push_back(ship->position);
        if (positions.empty())
            positions.push_back(SCREEN_CENTRE); // enemies always get a point to aim at
        BossLvl1* tower = currentBossLvl1(world_);
        head->update(dt, enemies, positions, tower);
        for (size_t i = 0; i < swapSlots.size() && i < parts.size(); ++i) {
            SwapSlot& slot = swapSlots[i];
            if (!slot.pending)
                continue;
            slot.elapsed += dt;
            if (slot.elapsed >= SWAP_DELAY && parts[i]->partner) {
                std::unique_ptr<BodyPart> next = std::move(parts[i]->partner);
                parts[i] = std::move(next);
                slot = SwapSlot{};
            }
        }
        for (std::unique_ptr<BodyPart>& part : parts)
            if (part->active)
                part->update(dt, enemies, positions, tower);
    }

    if (BossLvl1* tower = currentBossLvl1(world_))
        if (!ships.empty() && ships[0])
            tower->aimPoint = ships[0]->position;
    return false;
}

void Icarus::destroyPart(size_t i)
{
    if (i >= parts.size())
        return;
    BodyPart& part = *parts[i];
    BossLvl1* tower = currentBossLvl1(world_);
    const int module = static_cast<int>(i);
    part.active = 0;
    if (!tower)
        return;
    for (int k = 0; k < PART_BURSTS; ++k)
        burst(part.getHitbox(), PART_BURST_SPEED);
    soundManager().playSound(SFX_EXPLOSION_BIG);
    if (!part.partner) {
        smokePoints.push_back(part.hitboxCentre());
        tower->setModuleRed(module);
        return;
    }
    tower->setModuleFlag(module, dynamic_cast<SpawnerIcarus*>(part.partner.get()) == nullptr);
    if (i < swapSlots.size())
        swapSlots[i] = {true, 0.f};
}

bool Icarus::hitByBullets(BulletManager& shots, PlayerList&, Scoring scoring)
{
    std::list<Bullet>& list = shots.bullets;
    for (auto shot = list.begin(); shot != list.end();) {
        const sf::FloatRect box = shots.hitBox(*shot);
        const float damage = static_cast<float>(shot->damage);
        const int owner = shot->owner;
        if (head && meets(head->getHitbox(), box)) {
            flashTower();
            head->takeHit(damage);
            awardPlayer(scoring, owner, HIT_POINTS);
            shot = list.erase(shot);
            if (head->health <= 0.f) {
                headDefeatBursts();
                awardEveryone(scoring, DEFEAT_POINTS);
                return true;
            }
            continue;
        }
        bool spent = false;
        for (size_t i = 0; i < parts.size() && !spent; ++i) {
            BodyPart& part = *parts[i];
            if (!part.active || !meets(part.getHitbox(), box))
                continue;
            spent = true;
            part.takeHit(damage);
            if (BossLvl1* tower = currentBossLvl1(world_))
                tower->flashModule(static_cast<int>(i));
            awardPlayer(scoring, owner, HIT_POINTS);
            if (part.health <= 0.f) {
                awardPlayer(scoring, owner, PART_POINTS);
                destroyPart(i);
            }
        }
        shot = spent ? list.erase(shot) : std::next(shot);
    }
    return false;
}

bool Icarus::hitByLaser(Laser& laser, size_t& segment, int player, Scoring scoring)
{
    if (segment >= laser.segments.size())
        return false;
    if (head && polygonIntersectsRect(laser.segments[segment], head->getHitbox())) {
        awardPlayer(scoring, player, BEAM_POINTS);
        laser.impactVisible = 1;
        laser.cutAfterSegment(segment);
        head->takeHit(Laser::DAMAGE);
        flashTower();
        if (head->health <= 0.f) {
            awardEveryone(scoring, DEFEAT_POINTS);
            return true;
        }
        segment = laser.segments.size();
    }
    for (size_t i = 0; i < parts.size() && segment < laser.segments.size(); ++i) {
        BodyPart& part = *parts[i];
        if (!part.active || !polygonIntersectsRect(laser.segments[segment], part.getHitbox()))
            continue;
        awardPlayer(scoring, player, BEAM_POINTS);
        laser.cutAfterSegment(segment);
        laser.impactVisible = 1;
        part.takeHit(Laser::DAMAGE);
        if (BossLvl1* tower = currentBossLvl1(world_))
            tower->flashModule(static_cast<int>(i));
        if (part.health <= 0.f) {
            awardPlayer(scoring, player, PART_POINTS);
            destroyPart(i);
        }
        segment = laser.segments.size();
    }
    return false;
}

bool Icarus::hitByShield(Shield& shield, int player, Scoring scoring)
{
    const Polygon area = shield.polygon();
    if (head && polygonIntersectsRect(area, head->getHitbox())) {
        awardPlayer(scoring, player, HIT_POINTS);
        head->takeHit(Shield::DAMAGE);
        flashTower();
        if (head->health <= 0.f) {
            awardEveryone(scoring, DEFEAT_POINTS);
            return true;
        }
    }
    for (size_t i = 0; i < parts.size(); ++i) {
        BodyPart& part = *parts[i];
        if (!part.active || !polygonIntersectsRect(area, part.getHitbox()))
            continue;
        awardPlayer(scoring, player, HIT_POINTS);
        part.takeHit(Shield::DAMAGE);
        if (BossLvl1* tower = currentBossLvl1(world_))
            tower->flashModule(static_cast<int>(i));
        if (part.health <= 0.f) {
            destroyPart(i);
            awardPlayer(scoring, player, PART_POINTS);
        }
    }
    return false;
}

bool Icarus::hitPlayer(Player2D& player)
{
    if (head && player.hitBox.intersects(head->getHitbox())) {
        player.hit();
        return false;
    }
    for (const std::unique_ptr<BodyPart>& part : parts) {
        if (player.hitBox.intersects(part->getHitbox())) {
            player.hit();
            return false;
        }
    }
    return false;
}

void Icarus::draw(sf::RenderTarget& target, bool debug)
{
    healthBar.setFraction(head && maxHealth > 0.f ? head->health / maxHealth : 0.f);
    if (timerText)
        timerText->drawTexts(target);
    healthBar.draw(target);
    if (head) {
        head->draw(target);
        if (debug)
            drawPolygon(rectToPolygon(head->getHitbox()), target);
    }
    for (std::unique_ptr<BodyPart>& part : parts) {
        if (debug)
            drawPolygon(rectToPolygon(part->getHitbox()), target);
        part->draw(target);
    }
}

// The boss fight inside play: spawning, the per-frame update, the hit tests
// the collision passes run, the boss timers, drawing, and the explosions
// that follow a boss's defeat.
#include "bosses/Boss.h"
#include "bosses/BossLvl1.h"
#include "gameplay/GameState.h"
#include "play/TransitionalServices.h"

void GameState::spawnBossIcarus()
{
    spawnBoss(bosses, bossData(BossType::Icarus, &particles, transitionalServices()), &players);
}

void GameState::spawnBossMurzel()
{
    spawnBoss(bosses, bossData(BossType::Murzel, &particles, transitionalServices()), &players);
}

Scoring GameState::bossScoring() { return Scoring{scores, scoreCounters}; }

void GameState::releaseBossFight()
{
    releaseBosses(bosses);
    releaseBoss3D();
}

void GameState::createExplosionPattern(int index) { explosionPattern.createPattern(index); }

bool GameState::updateExplosions(float dt) { return explosionPattern.update(dt, particles); }

bool GameState::updateBosses(float dt)
{
    releaseDetachedBoss3D();
    if (bosses.bosses.empty()) {
        const bool defeated = bosses.active;
        bosses.active = false;
        return defeated;
    }
    Boss& boss = *bosses.bosses.front();
    bosses.active = true;
    if (!boss.update(dt, enemies, players, bossScoring(), particles))
        return false;
    bosses.bosses.erase(bosses.bosses.begin());
    return true;
}

namespace {

// Runs a hit test on every boss of the list; a boss it reports defeated is
// taken out of the list and ends.
template <class HitTest>
void hitEachBoss(BossList& list, HitTest test)
{
    for (size_t b = 0; b < list.bosses.size();) {
        if (test(*list.bosses[b])) {
            list.bosses.erase(list.bosses.begin() + static_cast<std::ptrdiff_t>(b));
        } else {
            ++b;
        }
    }
}

} // namespace

void GameState::bossesHitByShots()
{
    hitEachBoss(bosses, [this](Boss& boss) { return boss.hitByBullets(*shots, players, bossScoring()); });
}

void GameState::bossesHitByLaser(Laser& laser, size_t& segment, int player)
{
    hitEachBoss(bosses, [&](Boss& boss) { return boss.hitByLaser(laser, segment, player, bossScoring()); });
}

void GameState::bossesHitByShield(Shield& shield, int player)
{
    hitEachBoss(bosses, [&](Boss& boss) { return boss.hitByShield(shield, player, bossScoring()); });
}

void GameState::bossesHitPlayer(int player)
{
    hitEachBoss(bosses, [&](Boss& boss) { return boss.hitPlayer(*players[static_cast<size_t>(player)]); });
    // A boss hits the ship itself; a ship left without lives goes out like any other.
    if (players[static_cast<size_t>(player)]->lives < 1 && isLive(player))
        putOut(player);
}

void GameState::updateBossTimers()
{
    const float left = bosses.bosses.empty() ? 0.f : bosses.bosses.front()->timer;
    for (const std::unique_ptr<Player2D>& ship : players)
        if (ship->bossLevel && left >= 0.1f)
            ship->timeBonus = left * 1000.f;
}

void GameState::drawBosses(sf::RenderTarget& target)
{
    for (const std::unique_ptr<Boss>& boss : bosses.bosses)
        boss->draw(target, debugDraw);
}

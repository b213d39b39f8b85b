#include "bosses/Boss.h"

#include "bosses/Icarus.h"
#include "bosses/Murzel.h"
#include "platform/Random.h"
#include "play/Player2D.h"
#include "play/PlayerScore.h"
#include "play/TextManager.h"

#include <algorithm>
#include <cmath>
#include <string>

BossData bossData(BossType type, ParticleSystem* particles, const Services& services)
{
    return BossData{type, particles, services.textures, services.world, services.timing, services.renderer};
}

Boss::Boss(const BossData& data)
    : particles(data.particles), textures_(data.textures), world_(data.world), timing_(data.timing)
{
}

Boss::~Boss() = default;

bool Boss::hitByBullets(BulletManager&, PlayerList&, Scoring) { return false; }
bool Boss::hitByLaser(Laser&, size_t&, int, Scoring) { return false; }
bool Boss::hitByShield(Shield&, int, Scoring) { return false; }
bool Boss::hitPlayer(Player2D&) { return false; }

bool Scoring::award(int i, uint32_t points) const
{
    if (i < 0 || i >= static_cast<int>(scores.size()))
        return false;
    const size_t p = static_cast<size_t>(i);
    if (p < counters.size() && counters[p]) {
        addScore(*counters[p], scores[p], points);
    } else {
        scores[p].score += points;
        scores[p].lifePoints += points;
    }
    return true;
}

void Boss::award(Scoring scoring, int i, uint32_t points, bool toBossScore) const
{
    if (!scoring.award(i, points))
        return;
    const size_t p = static_cast<size_t>(i);
    if (toBossScore && players && p < players->size() && (*players)[p])
        (*players)[p]->addBossScore(static_cast<double>(points));
}

void Boss::createTimerText(const char* initial)
{
    timerText = std::make_unique<TextManager>(textures_);
    TextRequest request;
    request.kind = TEXT_DIGITS;
    request.position = {935.f, 50.f};
    request.text = initial;
    request.registerChain = 1;
    timerText->addText(request);
}

void Boss::showTimer()
{
    if (!timerText)
        return;
    const float seconds = std::isfinite(timer) && timer > 0.f ? timer : 0.f;
    timerText->setCounterText(std::to_string(static_cast<long long>(seconds)));
}

namespace {
// A random offset 0..n-1; 0 when n is not positive.
int randomBelow(float n)
{
    const int whole = std::isfinite(n) && n >= 1.f ? static_cast<int>(std::min(n, 1e9f)) : 0;
    return whole > 0 ? random15() % whole : 0;
}
} // namespace

sf::Vector2f Boss::randomPointIn(const sf::FloatRect& box)
{
    const float x = box.left + static_cast<float>(randomBelow(box.width));
    const float y = box.top + static_cast<float>(randomBelow(box.height));
    return {x, y};
}

void releaseBosses(BossList& list) { list.bosses.clear(); }

void spawnBoss(BossList& list, BossData data, PlayerList* players)
{
    releaseBosses(list);
    std::unique_ptr<Boss> boss;
    if (data.type == BossType::Murzel)
        boss = std::make_unique<Murzel>(data);
    else
        boss = std::make_unique<Icarus>(data);
    list.active = true;
    boss->players = players;
    list.bosses.push_back(std::move(boss));
}

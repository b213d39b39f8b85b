#include "editor/SpawnerRecord.h"

#include "enemies/SpawnPattern.h"

#include <cmath>

namespace {

enum class PlacementKind { Formation, Aimed, Plain };

PlacementKind placementKind(int pattern)
{
    switch (pattern) {
    case pattern_id::SNAIL:
    case pattern_id::CIRCLE:
    case pattern_id::SHOOTER_ARMY:
    case pattern_id::EXPONENTIAL:
    case pattern_id::EXPONENTIAL_WAVE:
        return PlacementKind::Formation;
    case pattern_id::HEAD_OR_TAILS:
    case pattern_id::BEE:
    case pattern_id::LITTLE_LADYBUG:
    case pattern_id::BIG_LADYBUG:
        return PlacementKind::Aimed;
    default:
        return PlacementKind::Plain;
    }
}

struct PatternDefaults {
    int pattern;
    int count;
    float delay;
};

const PatternDefaults PATTERN_DEFAULTS[] = {
    {pattern_id::SNAIL, 20, 0.3f},
    {pattern_id::CIRCLE, 16, 0.2f},
    {pattern_id::EXPONENTIAL_WAVE, 10, 0.f},
    {pattern_id::SHOOTER_ARMY, 30, 0.f},
};
constexpr PatternDefaults OTHER_PATTERN_DEFAULTS = {-1, 1, 0.3f};

// Pi to six places only. Aimed spawners have always been given their direction
// with it, and sequence files keep that direction: the exact value would turn
// most newly placed spawners by a few hundred-thousandths of a degree from the
// same ones placed before.
constexpr double PI_SIX_PLACES = 3.141592;

} // namespace

SequenceRecord toSequenceRecord(const SpawnerRecord& r) { return r; }

SpawnerRecord fromSequenceRecord(const SequenceRecord& s)
{
    SpawnerRecord r;
    static_cast<SequenceRecord&>(r) = s;
    r.colour = record_colour::PLAIN;
    return r;
}

float directionToCentre(float x, float y)
{
    float a = static_cast<float>(std::atan2(540.f - y, 960.f - x) * 180.f / PI_SIX_PLACES);
    if (a < 0.f)
        a += 360.f;
    return 360.f - a;
}

void applyPatternPlacement(SpawnerRecord& record, sf::Vector2f formationPoint, sf::Vector2f spawnPoint,
                           float formationDirection, float aimDirection, float defaultDirection, float spawnTime)
{
    record.spawnTimer = spawnTime;
    sf::Vector2f position = spawnPoint;
    switch (placementKind(record.patternId)) {
    case PlacementKind::Formation:
        position = formationPoint;
        record.direction = formationDirection;
        break;
    case PlacementKind::Aimed: record.direction = aimDirection; break;
    case PlacementKind::Plain: record.direction = defaultDirection; break;
    }
    record.posX = position.x;
    record.posY = position.y;
}

void applyPatternDefaults(SpawnerRecord& record)
{
    PatternDefaults d = OTHER_PATTERN_DEFAULTS;
    for (const PatternDefaults& entry : PATTERN_DEFAULTS)
        if (entry.pattern == record.patternId)
            d = entry;
    record.nbMaxEnemy = d.count;
    record.delayTimer = d.delay;
}

// Spawn point, formation point and default direction per scroll direction,
// as functions of the cross-axis coordinate.
ScrollPlacement scrollPlacement(int scrollDirection, float c)
{
    switch (scrollDirection) {
    case scroll_direction::UP: return {{c, -100.f}, {c, 540.f}, 270.f};
    case scroll_direction::DOWN: return {{c, 1180.f}, {c, 540.f}, 90.f};
    case scroll_direction::LEFT: return {{140.f, c}, {960.f, c}, 0.f};
    default: return {{1780.f, c}, {960.f, c}, 180.f};
    }
}


void placeRecord(SpawnerRecord& record, const ScrollPlacement& p, float spawnTime)
{
    const float aim = directionToCentre(p.spawnPoint.x, p.spawnPoint.y);
    applyPatternPlacement(record, p.formationPoint, p.spawnPoint, 0.f, aim, p.defaultDirection, spawnTime);
    applyPatternDefaults(record);
}

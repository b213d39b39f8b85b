#pragma once
// Spawn requests for tests that build enemies themselves, as the spawn patterns make them.
#include "enemies/EnemyData.h"
#include "enemies/EnemyTypes.h"

#include <SFML/System/Vector2.hpp>
#include <cstdint>

namespace testing_support {

// An enemy of `type` from `start` heading `angle` toward `target`, with its type's hit points;
// `flag` 1 for a single-enemy pattern, 0 for a formation member.
inline EnemyData enemyData(int type, sf::Vector2f start, int angle = 90, sf::Vector2f target = {960.f, 540.f},
                           std::uint8_t flag = 0)
{
    EnemyData d;
    d.type = type;
    d.start = start;
    d.angle = angle;
    d.target = target;
    d.flag = flag;
    if (isEnemyType(type))
        d.hp = static_cast<int>(enemyTypeInfo(type).hitPoints);
    return d;
}

} // namespace testing_support

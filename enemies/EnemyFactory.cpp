#include "enemies/AimingShooterEnemies.h"
#include "enemies/CoralEnemy.h"
#include "enemies/DashingEnemies.h"
#include "enemies/DragonFlyEnemy.h"
#include "enemies/EaterEnemy.h"
#include "enemies/ElectricalFenceEnemy.h"
#include "enemies/EnemyManager.h"
#include "enemies/ExponentialEnemy.h"
#include "enemies/FlyingShooterEnemies.h"
#include "enemies/GroundEnemies.h"
#include "enemies/RotatingSpitterEnemy.h"
#include "enemies/SpiralEnemies.h"
#include "enemies/StraightBulletEnemy.h"
#include "enemies/WobblingEnemies.h"

std::unique_ptr<Enemy> createEnemy(const EnemyData& data, EnemyManager& manager)
{
    switch (data.type) {
    case enemy_type::SHOOTER: return std::make_unique<ShooterEnemy>(data);
    case enemy_type::HEADS_OR_TAILS: return std::make_unique<HeadsOrTailsEnemy>(data);
    case enemy_type::STAY_AND_DASH: return std::make_unique<StayAndDashEnemy>(data);
    case enemy_type::SNAIL: return std::make_unique<SnailEnemy>(data);
    case enemy_type::BEE: return std::make_unique<BeeEnemy>(data);
    case enemy_type::LITTLE_LADYBUG: return std::make_unique<LittleLadybugEnemy>(data);
    case enemy_type::BIG_LADYBUG: return std::make_unique<BigLadybugEnemy>(data);
    case enemy_type::DRAGONFLY: return std::make_unique<DragonFlyEnemy>(data);
    case enemy_type::QUARTER_SHOOTER: return std::make_unique<QuarterShooterEnemy>(data);
    case enemy_type::EXPONENTIAL: return std::make_unique<ExponentialEnemy>(data);
    case enemy_type::BRUISER: return std::make_unique<BruiserEnemy>(data);
    case enemy_type::SIDE_BEE: return std::make_unique<SideBeeEnemy>(data);
    case enemy_type::WALL: return std::make_unique<WallEnemy>(data);
    case enemy_type::TURRET: return std::make_unique<TurretEnemy>(data);
    case enemy_type::ELECTRICAL_FENCE: return std::make_unique<ElectricalFenceEnemy>(data, manager);
    case enemy_type::ROTATING_SPITTER_ONE:
    case enemy_type::ROTATING_SPITTER_FOUR: return std::make_unique<RotatingSpitterEnemy>(data, data.type);
    case enemy_type::CORAL: return std::make_unique<CoralEnemy>(data);
    case enemy_type::EATER: return std::make_unique<EaterEnemy>(data);
    case enemy_type::BIG_BULLET:
    case enemy_type::ARMY_BULLET:
    case enemy_type::RING_BULLET: return std::make_unique<StraightBulletEnemy>(data);
    case enemy_type::SNAIL_BULLET: return std::make_unique<SnailBulletEnemy>(data);
    case enemy_type::SINUSOIDAL_BULLET: return std::make_unique<SinusoidalBulletEnemy>(data);
    default: return nullptr;
    }
}

// The 24 enemy kinds as the designers fixed them: each row is typed here, not read from
// the game's own table, so a swapped value or id fails. Checked through the factory
// and the manager: what a spawned enemy is worth, drops and fires, its boxes, and the
// sheet it is drawn from, which must exist and hold at least one frame.
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
#include "engine/Engine.h"
#include "platform/AssetPath.h"
#include "support/EnemyFixtures.h"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>
#include <string>
#include <typeinfo>

namespace {

constexpr int NONE = -1;

struct EnemyRow {
    int type;
    const std::type_info& kind;
    const char* sheet;
    int hitPoints;
    int killScore;
    int bonuses;
    int bulletType; // NONE: the kind never fires
    int muzzles;
    int frameWidth, frameHeight;
    int hitBoxWidth, hitBoxHeight;
};

const EnemyRow ROWS[] = {
    {0, typeid(ShooterEnemy), "Beetle_SpriteSheet.png", 8, 1500, 4, 7, 1, 99, 82, 64, 64},
    {1, typeid(HeadsOrTailsEnemy), "ButterFly_SpriteSheet.png", 12, 1000, 6, 9, 1, 100, 100, 54, 54},
    {2, typeid(StayAndDashEnemy), "GrassHopper_SpriteSheet.png", 8, 2000, 6, NONE, 0, 124, 85, 54, 54},
    {3, typeid(SnailEnemy), "Centipede5.png", 2, 750, 1, NONE, 0, 100, 100, 30, 30},
    {4, typeid(BeeEnemy), "Bee_SpriteSheet.png", 18, 5000, 8, 1, 1, 106, 150, 50, 50},
    {5, typeid(LittleLadybugEnemy), "Mini_LadyBug_SpriteSheet.png", 1, 500, 1, NONE, 0, 75, 71, 40, 40},
    {6, typeid(BigLadybugEnemy), "Maxi_Ladybug_SpriteSheet.png", 80, 10000, 20, 2, 1, 240, 238, 140, 140},
    {7, typeid(DragonFlyEnemy), "DragonFly_SpriteSheet.png", 16, 7000, 8, 5, 4, 114, 175, 80, 80},
    {8, typeid(QuarterShooterEnemy), "Beetle_SpriteSheet.png", 5, 2500, 4, 4, 1, 99, 82, 56, 56},
    {9, typeid(ExponentialEnemy), "Mini_LadyBug_SpriteSheet.png", 1, 500, 1, NONE, 0, 75, 71, 40, 40},
    {10, typeid(BruiserEnemy), "Bruiser.png", 44, 15000, 30, NONE, 0, 302, 300, 230, 230},
    {11, typeid(SideBeeEnemy), "SideBee_SpriteSheet.png", 10, 1250, 5, 12, 1, 106, 150, 50, 50},
    {12, typeid(WallEnemy), "Wall.png", 18, 0, 0, NONE, 0, 30, 30, 30, 30},
    {13, typeid(TurretEnemy), "Turret_Base.png", 10, 4000, 4, 8, 1, 60, 60, 48, 48},
    {14, typeid(ElectricalFenceEnemy), "laserTurret.png", 10000, 0, 0, NONE, 0, 60, 90, 50, 50},
    {15, typeid(RotatingSpitterEnemy), "Rotating1.png", 40, 0, 8, 11, 1, 90, 90, 70, 70},
    {16, typeid(RotatingSpitterEnemy), "Rotating4.png", 40, 0, 8, 11, 1, 90, 90, 70, 70},
    {17, typeid(CoralEnemy), "Coral.png", 10, 0, 25, 7, 1, 277, 179, 80, 80},
    {18, typeid(EaterEnemy), "Eater.png", 16, 0, 30, NONE, 0, 160, 159, 90, 90},
    {19, typeid(StraightBulletEnemy), "Gigaball.png", 1, 0, 0, NONE, 0, 144, 144, 120, 120},
    {20, typeid(SnailBulletEnemy), "Greenball.png", 1, 0, 0, NONE, 0, 30, 30, 20, 20},
    {21, typeid(SinusoidalBulletEnemy), "Radiant.png", 1, 0, 0, NONE, 0, 90, 90, 80, 80},
    {22, typeid(StraightBulletEnemy), "Greenball.png", 1, 0, 0, NONE, 0, 30, 30, 25, 25},
    {23, typeid(StraightBulletEnemy), "Greenball.png", 1, 0, 0, NONE, 0, 30, 30, 25, 25},
};

// The straight bullets read their speed from the target's x; the type's hit points win
// over the descriptor's.
EnemyData descriptor(int type)
{
    EnemyData d = testing_support::enemyData(type, {900.f, 500.f}, 0, {1200.f, 540.f});
    d.hp = 99;
    return d;
}

} // namespace

TEST(EnemyTypeTable, EveryKindSpawnsWithItsClassPointsDropsWeaponsAndBoxes)
{
    static_assert(sizeof ROWS / sizeof ROWS[0] == ENEMY_TYPE_COUNT, "one row per kind");
    for (const EnemyRow& row : ROWS) {
        SCOPED_TRACE("enemy type " + std::to_string(row.type));
        EnemyManager manager(engine().textures);
        manager.spawnEnemy(descriptor(row.type), {});
        ASSERT_EQ(manager.enemies.size(), 1u);
        const Enemy& e = *manager.enemies[0];
        EXPECT_EQ(typeid(e), row.kind);
        EXPECT_EQ(e.getType(), row.type);
        EXPECT_EQ(e.health, static_cast<float>(row.hitPoints));
        EXPECT_EQ(e.killScore, row.killScore);
        EXPECT_EQ(e.getBonusCount(), row.bonuses);
        EXPECT_EQ(e.shootPointCount, row.muzzles);
        if (row.bulletType != NONE) {
            EXPECT_EQ(e.bulletType, row.bulletType);
        }

        EXPECT_STREQ(enemyTypeInfo(row.type).sheet, row.sheet);
        sf::Image sheet;
        ASSERT_TRUE(sheet.loadFromFile(resolveAssetPath(std::string(EnemyManager::SHEET_FOLDER) + row.sheet)));
        EXPECT_GE(sheet.getSize().x, static_cast<unsigned>(row.frameWidth));
        EXPECT_GE(sheet.getSize().y, static_cast<unsigned>(row.frameHeight));
        const sf::Sprite& sprite = manager.typeSprites[row.type];
        EXPECT_EQ(sprite.getTextureRect(), sf::IntRect(0, 0, row.frameWidth, row.frameHeight));
        EXPECT_EQ(sprite.getOrigin(), sf::Vector2f(row.frameWidth / 2, row.frameHeight / 2));
        EXPECT_EQ(manager.typeHitBoxes[row.type].width, static_cast<float>(row.hitBoxWidth));
        EXPECT_EQ(manager.typeHitBoxes[row.type].height, static_cast<float>(row.hitBoxHeight));
    }
}

TEST(EnemyTypeTable, BossTypesAndUnknownTypesMakeNoEnemy)
{
    EnemyManager manager(engine().textures);
    for (int type : {-1, 24, 25, 30})
        manager.spawnEnemy(descriptor(type), {});
    EXPECT_TRUE(manager.enemies.empty());
}

// The 14 bullet types: the shipped "2D/Files/Shoot.txt" row by row (sheet, frame size,
// animation) with the straight-line speed each type flies at, typed here so that a
// swapped, lost or resized row fails. Every sheet must exist and hold its frames.
#include "engine/Engine.h"
#include "platform/AssetPath.h"
#include "play/BulletManager.h"
#include "play/Entity2D.h"

#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

struct BulletRow {
    const char* sheet;
    int frameWidth, frameHeight;
    float duration; // seconds for one pass over the frames
    int frames;
    int speed;      // px/s along a straight line
};

const BulletRow ROWS[BulletManager::TYPE_COUNT] = {
    {"2D/Bullets/BoltOrange.png", 32, 16, 0.2f, 4, 1500},
    {"2D/Bullets/OrbRed.png", 24, 24, 0.4f, 4, 780},
    {"2D/Bullets/OrbGreen.png", 24, 24, 0.4f, 4, 600},
    {"2D/Bullets/OrbPurple.png", 28, 28, 0.4f, 4, 600},
    {"2D/Bullets/NeedleYellow.png", 36, 12, 0.2f, 4, 780},
    {"2D/Bullets/BoltPink.png", 32, 16, 0.2f, 4, 900},
    {"2D/Bullets/OrbBlue.png", 28, 28, 0.4f, 4, 600},
    {"2D/Bullets/RingOrange.png", 32, 32, 0.3f, 4, 600},
    {"2D/Bullets/OrbBigRed.png", 48, 48, 0.5f, 4, 400},
    {"2D/Bullets/SporeGreen.png", 24, 24, 0.6f, 4, 600},
    {"2D/Bullets/OrbBigPurple.png", 48, 48, 0.5f, 4, 400},
    {"2D/Bullets/StarWhite.png", 24, 24, 0.3f, 4, 600},
    {"2D/Bullets/BoltTeal.png", 32, 16, 0.2f, 4, 600},
    {"2D/Bullets/PlayerShot.png", 40, 16, 0.15f, 4, 1500}, // the players' shots
};

// The sheet named by each row of the shipped file, in file order.
std::vector<std::string> shippedSheets()
{
    std::ifstream in(resolveAssetPath(BulletManager::TYPE_FILE));
    std::vector<std::string> sheets;
    std::string sheet, width, height, duration, frames;
    while (in >> sheet >> width >> height >> duration >> frames)
        sheets.push_back(sheet);
    return sheets;
}

// The x a bullet of the type reaches after 0.1 s, fired straight right from x 0.
float flownInATenth(BulletManager& bullets, int type)
{
    Entity2D shooter;
    shooter.bulletType = type;
    shooter.bulletPattern = BULLET_STRAIGHT;
    shooter.setShootPointCount(1);
    shooter.shootPoints[0] = ShootPoint{0.f, 500.f, 1, 0.f};
    bullets.bullets.clear();
    bullets.spawnFromEnemy(shooter, 0);
    bullets.update(0.1f);
    return bullets.bullets.empty() ? 0.f : bullets.bullets.front().position.x;
}

} // namespace

TEST(BulletTypeTable, TheShippedFileHoldsEveryTypeWithItsSheetFramesAndSpeed)
{
    BulletManager bullets(engine().textures);
    ASSERT_EQ(bullets.typeCount(), BulletManager::TYPE_COUNT);
    const std::vector<std::string> sheets = shippedSheets();
    ASSERT_EQ(sheets.size(), static_cast<size_t>(BulletManager::TYPE_COUNT));
    for (int type = 0; type < BulletManager::TYPE_COUNT; ++type) {
        const BulletRow& row = ROWS[type];
        SCOPED_TRACE("bullet type " + std::to_string(type));
        EXPECT_EQ(sheets[type], row.sheet);
        const Animation& a = bullets.typeAnimations[type];
        EXPECT_EQ(a.width, static_cast<float>(row.frameWidth));
        EXPECT_EQ(a.height, static_cast<float>(row.frameHeight));
        EXPECT_FLOAT_EQ(a.duration, row.duration);
        EXPECT_EQ(a.frameCount, row.frames);
        EXPECT_EQ(a.mode, ANIMATION_LOOPED);
        EXPECT_NEAR(flownInATenth(bullets, type), row.speed * 0.1f, 0.01f);
        // It hits within a square of the frame's shorter side.
        EXPECT_EQ(bullets.hitSize(type), static_cast<float>(std::min(row.frameWidth, row.frameHeight)));

        sf::Image sheet;
        ASSERT_TRUE(sheet.loadFromFile(resolveAssetPath(row.sheet)));
        EXPECT_GE(sheet.getSize().x, static_cast<unsigned>(row.frameWidth * row.frames)) << "a row of frames";
        EXPECT_GE(sheet.getSize().y, static_cast<unsigned>(row.frameHeight));
    }
}

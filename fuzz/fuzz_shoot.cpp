// Bullet types ("Shoot.txt"): the bullet manager reads the input, fires one
// bullet of every type in every motion pattern and plays them for a second.
// Properties: at most 14 types, and every frame a bullet shows lies on a sheet
// a texture can hold (so the integer texture rectangle is exact).
#include "FuzzSupport.h"

#include "engine/Engine.h"
#include "play/Animation.h"
#include "play/BulletManager.h"
#include "play/Entity2D.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::enterGameTree();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BulletManager bullets(engine().textures, fuzz::writeScratchFile("Shoot.txt", fuzz::asText(data, size)));
    fuzz::require(bullets.typeCount() <= BulletManager::TYPE_COUNT, "at most one record per bullet type");
    Entity2D shooter;
    shooter.setShootPointCount(1);
    shooter.shootPoints[0].active = true;
    shooter.position = {960.f, 540.f};
    for (int type = 0; type < bullets.typeCount(); ++type)
        for (int pattern = 0; pattern <= 4; ++pattern) {
            shooter.bulletType = type;
            shooter.bulletPattern = pattern;
            bullets.spawnFromEnemy(shooter, 0);
        }
    const float limit = static_cast<float>(animation_limits::MAX_SHEET_SIDE);
    for (int frame = 0; frame < 60; ++frame) {
        bullets.update(1.f / 60.f);
        for (const Bullet& b : bullets.bullets) {
            fuzz::require(b.frame.left >= 0.f && b.frame.left + b.frame.width <= limit, "frames lie on the sheet");
            fuzz::require(b.frame.height >= 0.f && b.frame.height <= limit, "frame height fits a texture");
            toTextureRect(b.frame);
        }
    }
    return 0;
}

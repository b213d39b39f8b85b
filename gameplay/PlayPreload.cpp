#include "gameplay/PlayPreload.h"

#include "enemies/EnemyManager.h"
#include "enemies/EnemyTypes.h"
#include "engine/TextureCache.h"
#include "gameplay/Levels.h"

#include <algorithm>

namespace {
// The sheets the play layer loads when a level starts and in its first seconds
// (the largest first), then every enemy kind's sheet (the enemy manager binds them all at once). One missing here only
// costs its load at first use.
const char* const PLAY_SPRITES[] = {
    "2D/Particles/playerExplosion(VPCR).png",
    "2D/Transition/Warning.png",
    "2D/Transition/player2D3D.png",
    "2D/Particles/Explosion-Sheet.png",
    "2D/Particles/bigExplosion.png",
    "2D/Particles/energy.png",
    "2D/Gameover.png",
    "2D/pause.png",
    "2D/UI/Border.png",
    "2D/Boss/Icarus/HealthBar.png",
};
} // namespace

std::vector<std::string> playSprites()
{
    std::vector<std::string> sheets(std::begin(PLAY_SPRITES), std::end(PLAY_SPRITES));
    for (int type = 0; type < ENEMY_TYPE_COUNT; ++type) {
        const std::string sheet = std::string(EnemyManager::SHEET_FOLDER) + enemyTypeInfo(type).sheet;
        if (std::find(sheets.begin(), sheets.end(), sheet) == sheets.end())
            sheets.push_back(sheet);
    }
    return sheets;
}

void releasePlaySprites(TextureCache& textures) { textures.release(playSprites()); }

PreloadJob playPreload(int startLevel)
{
    PreloadJob job;
    job.sceneFiles.push_back(sceneFilePath(storyStartScene(startLevel)));
    job.sharedTextures = playSprites();
    return job;
}

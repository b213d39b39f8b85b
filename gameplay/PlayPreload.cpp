#include "gameplay/PlayPreload.h"

#include "gameplay/GameState.h"

namespace {
// The sheets the play layer loads when a level starts and in its first seconds
// (the largest first). One missing here only costs its load at first use.
const char* const PLAY_SPRITES[] = {
    "2D/Particles/playerExplosion(VPCR).png",
    "2D/Transition/Warning.png",
    "2D/Transition/player2D3D.png",
    "2D/Particles/Explosion-Sheet.png",
    "2D/Particles/bigExplosion.png",
    "2D/Particles/energy.png",
    "2D/Enemy/Bruiser.png",
    "2D/Enemy/Coral.png",
    "2D/Enemy/Maxi_Ladybug_SpriteSheet.png",
    "2D/Enemy/Eater.png",
    "2D/Enemy/Gigaball.png",
    "2D/Enemy/Rotating4.png",
    "2D/Enemy/Rotating1.png",
    "2D/Enemy/ButterFly_SpriteSheet.png",
    "2D/Enemy/Beetle_SpriteSheet.png",
    "2D/Enemy/GrassHopper_SpriteSheet.png",
    "2D/Enemy/Bee_SpriteSheet.png",
    "2D/Enemy/DragonFly_SpriteSheet.png",
    "2D/Enemy/SideBee_SpriteSheet.png",
    "2D/Enemy/Radiant.png",
    "2D/Gameover.png",
    "2D/pause.png",
    "2D/UI/Border.png",
    "2D/Boss/Icarus/HealthBar.png",
};
} // namespace

PreloadJob playPreload(int startLevel)
{
    PreloadJob job;
    job.sceneFiles.push_back(sceneFilePath(storyStartScene(startLevel)));
    job.sharedTextures.assign(std::begin(PLAY_SPRITES), std::end(PLAY_SPRITES));
    return job;
}

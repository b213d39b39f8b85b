// The play layer over the 3D picture, in its fixed order: later items cover
// earlier ones.
#include "engine/Scenes.h"
#include "gameplay/GameState.h"

void GameState::draw(sf::RenderWindow& window) { drawLayer(window); }

void GameState::drawLayer(sf::RenderTarget& target)
{
    if (editorMode_)
        drawEditorGrid(target);
    drawBosses(target);
    enemies.draw(target, debugDraw_);
    particles.draw(target);
    bonuses->draw(target);
    shots->draw(target, debugDraw_);
    if (!scene::hidesShips(services_.world.sceneId()))
        for (int i = 0; i < playerCount_; ++i)
            if (isLive(i))
                players[i]->draw(target, debugDraw_);
    drawTransitions(target);
    enemies.enemyBullets->draw(target, debugDraw_);
    drawTexts(target);
    if (!editorHidesHud())
        drawHud(target);
    if (editorMode_)
        drawEditorOverlay(target);
    drawFade(target);
    drawScoreboards(target);
    if (gameOver_)
        target.draw(gameOverSprite_);
    if (services_.run.paused)
        target.draw(pauseSprite_);
}

// The play layer over the 3D picture, in its fixed order: later items cover
// earlier ones.
#include "engine/Engine.h"
#include "engine/Scenes.h"
#include "gameplay/GameState.h"

void GameState::draw(sf::RenderWindow& window) { drawLayer(window); }

void GameState::drawLayer(sf::RenderTarget& target)
{
    if (editorMode)
        drawEditorGrid(target);
    drawBosses(target);
    enemies.draw(target, debugDraw);
    particles.draw(target);
    bonuses->draw(target);
    shots->draw(target, debugDraw);
    if (!scene::hidesShips(engine().world.sceneId()))
        for (int i = 0; i < playerCount; ++i)
            if (isLive(i))
                players[i]->draw(target, debugDraw);
    drawTransitions(target);
    enemies.enemyBullets->draw(target, debugDraw);
    drawTexts(target);
    if (!editorHidesHud())
        drawHud(target);
    if (editorMode)
        drawEditorOverlay(target);
    drawFade(target);
    drawScoreboards(target);
    if (gameOver)
        target.draw(gameOverSprite);
    if (engine().run.paused)
        target.draw(pauseSprite);
}

// The overlays in play: texts, HUD blocks, fades, transitions, scoreboards and
// the continue countdowns.
#include "engine/Scenes.h"
#include "gameplay/ContinuePass.h"
#include "gameplay/GameBindings.h"
#include "gameplay/GameState.h"
#include "play/Scoreboard.h"

void GameState::releaseOverlays()
{
    for (std::unique_ptr<Scoreboard>& board : scoreboards_)
        board.reset();
    fade_.reset();
    transitions.clear();
}

void GameState::addHudBlock(int player)
{
    hudBlocks_.emplace_back(services_.textures);
    hudBlocks_.back().init(players[static_cast<size_t>(player)].get(), player + 1);
}

void GameState::updateHud(float dt)
{
    for (int i = 0; i < playerCount_; ++i) {
        scoreCounters_[i]->update(dt, false);
        HudBlock& block = hudBlocks_[static_cast<size_t>(i)];
        block.player = players[i].get();
        block.pushNeedle(dt);
        block.updateSpeedometer(dt);
        block.updateFlash(dt);
        block.updateLives(dt);
    }
}

void GameState::drawTexts(sf::RenderTarget& target) { texts_.drawTexts(target); }

void GameState::drawHud(sf::RenderTarget& target)
{
    for (int i = 0; i < static_cast<int>(hudBlocks_.size()) && i < playerCount_; ++i) {
        HudBlock& block = hudBlocks_[static_cast<size_t>(i)];
        const ContinueScreen& screen = continueScreens[static_cast<size_t>(i)];
        scoreCounters_[i]->drawTexts(target);
        block.drawSpeedometer(target, i + 1);
        if (screen.countingDown) {
            continueScreens[static_cast<size_t>(i)].draw(target);
            continue;
        }
        // A player who gave up keeps its final score in view.
        if (screen.gaveUp)
            block.drawScorePanel(target, i + 1);
        else
            block.drawBars(target, i + 1);
        scoreCounters_[i]->draw(target);
    }
}

bool GameState::updateFade(float dt)
{
    if (!fade_)
        return false;
    fade_->update(dt);
    if (!fade_->done)
        return false;
    const int sceneId = services_.world.sceneId();
    const bool opaqueEndCounts =
        scene::opaqueFadeEndMovesFlow(sceneId) || sequenceIndex() == level_flow::FINAL_BOSS_SEQUENCE;
    return scene::everyFadeEndMovesFlow(sceneId) || (opaqueEndCounts && fade_->fadeIn);
}

void GameState::drawFade(sf::RenderTarget& target)
{
    if (fade_)
        target.draw(fade_->rectangle);
}

bool GameState::transitionsAllowInput() const { return transitions.allowsInput(); }

void GameState::carryShipsWithTransitions()
{
    int outUp = 0;
    int inUp = 0;
    for (const std::unique_ptr<Transitions>& t : transitions.transitions) {
        int* counter = nullptr;
        if (t->getType() == TRANSITION_PLAYER_OUT_UP)
            counter = &outUp;
        else if (t->getType() == TRANSITION_PLAYER_IN_UP)
            counter = &inUp;
        if (!counter)
            continue;
        const int k = (*counter)++;
        if (k < playerCount_ && isLive(k))
            players[k]->position = t->position;
    }
}

void GameState::updateTransitions(float dt) { transitions.update(dt); }

void GameState::drawTransitions(sf::RenderTarget& target) { transitions.draw(target); }

void GameState::revealScoreboards()
{
    for (int i = 0; i < playerCount_ && i < MAX_PLAYERS; ++i)
        if (isLive(i) && scoreboards_[i])
            scoreboards_[i]->revealNext();
}

void GameState::drawScoreboards(sf::RenderTarget& target)
{
    if (playerCount_ == 1) {
        if (isLive(0) && scoreboards_[0])
            scoreboards_[0]->drawSingle(target);
        return;
    }
    for (int i = 0; i < playerCount_ && i < MAX_PLAYERS; ++i)
        if (isLive(i) && scoreboards_[i])
            scoreboards_[i]->draw(target);
}

// The countdowns of players out of lives, their revives, and the game over
// once every player has given up.
StateCode GameState::updateContinue(float dt)
{
    const ContinueOutcome outcome =
        runContinuePass(continueScreens, dt, [this](int i) { return held(game_action::REVIVE, i); });
    for (int i : outcome.revived)
        revive(i);
    if (!outcome.allGaveUp)
        return StateCode::Stay;
    spawner.clear();
    enemies.enemies.clear();
    spawnPatterns.clear();
    if (!fade_)
        fade_ = std::make_unique<ScreenFade>(sf::Color::Black, true, GAME_OVER_TIME);
    return StateCode::HighScores;
}

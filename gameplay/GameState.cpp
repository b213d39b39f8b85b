#include "gameplay/GameState.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "bosses/Boss.h"
#include "editor/LevelEditor.h"
#include "engine/Scenes.h"
#include "gameplay/GameBindings.h"
#include "gameplay/Levels.h"
#include "gameplay/SceneSwitch.h"
#include "platform/GamePad.h"
#include "platform/Input.h"
#include "play/Laser.h"
#include "play/PlayerScore.h"
#include "play/Scoreboard.h"
#include "play/SpriteLoading.h"

#include <algorithm>

namespace {

// Points toward an extra life by difficulty; 0 gives no extra lives.
uint32_t extraLifeThreshold(Difficulty difficulty)
{
    switch (difficulty) {
    case Difficulty::Easy: return 1000000u;
    case Difficulty::Normal: return 5000000u;
    case Difficulty::Hard: return 10000000u;
    default: return 0u;
    }
}

constexpr float SECOND_SHIP_APART = 200.f; // player 2 starts beside player 1

// Where player `index` starts a level, joins one or comes back: inside the
// level's free space. The corridor scrolls right between a ceiling and a floor
// whose ground enemies run along the ledges: its ships start on the left, half
// way up, player 2 below player 1. Elsewhere the ships start at the bottom,
// side by side.
sf::Vector2f shipStartPoint(int sceneId, int index)
{
    if (scene::startsShipsOnTheLeft(sceneId))
        return {440.f, 540.f + SECOND_SHIP_APART * static_cast<float>(index)};
    return {960.f + SECOND_SHIP_APART * static_cast<float>(index), 880.f};
}

} // namespace

GameState::GameState(GameMode mode, const Services& services, const std::string& folder)
    : particles(services.textures), enemies(services.textures), transitions(services.textures), spawner(folder),
      texts_(services.textures), levelFolder_(folder), services_(services)
{
    services_.menu.menuInputReleased = false;
    waitingForContinue_ = false;
    debugDraw_ = false;
    storyMode_ = (mode == GameMode::Story);

    SoundManagerDeck deck(soundManager());
    if (mode == GameMode::Editor) {
        music_.startTrack(deck, MUSIC_STAGE01, trackVolume(MUSIC_STAGE01));
        switchScene(scene::OPEN_SPACE);
        editorMode_ = true;
        createLevelEditor();
    } else {
        const LevelInfo& start = levelInfo(storyStartLevel(services_.run.startLevel));
        switchScene(start.startScene);
        music_.startTrack(deck, start.openingTrack, trackVolume(start.openingTrack));
        if (services_.renderer.window)
            services_.renderer.window->setMouseCursorVisible(false);
    }

    addPlayer();
    if (pad::isConnected(1))
        addPlayer();

    loadCentredSprite(gameOverSprite_, "2D/Gameover.png");
    shots = std::make_unique<BulletManager>(services_.textures);
    bonuses = std::make_unique<BonusManager>(services_.textures);
    registerPlayBindings(bindings_);

    if (storyMode_)
        startStorySequence();

    loadCentredSprite(pauseSprite_, "2D/pause.png");
    registerPauseBindings(bindings_);
}

GameState::~GameState()
{
    soundManager().stopAll();
    stopRumble();
    destroyLevelEditor();
    releaseOverlays();
    releaseBossFight();
}

void GameState::loadCentredSprite(sf::Sprite& sprite, const char* path)
{
    loadSprite(services_.textures, sprite, path, true);
    sprite.setPosition(960.f, 540.f);
}

void GameState::startStorySequence()
{
    const int level = storyStartLevel(services_.run.startLevel);
    if (level == 1)
        return; // level 1 starts its first sequence through the level flow
    // A level index that does not know the level still starts the flow at its place.
    const int index = spawner.getSequenceIndex(level, 1);
    loadFlowSequence(index >= 0 ? index : levelInfo(level).firstSequence);
    if (levelInfo(level).opensOnItsBoss) {
        spawnBossMurzel();
        for (const std::unique_ptr<Player2D>& p : players)
            p->enterBossLevel();
    }
}

void GameState::turnToScrollDirection(int direction)
{
    scrollDirection_ = direction;
    for (int i = 0; i < playerCount_; ++i)
        if (players[i])
            players[i]->faceScroll(direction);
}

void GameState::addPlayer()
{
    const int index = playerCount_;
    auto ship = std::make_unique<Player2D>(index, services_.run, services_.textures, &particles);
    // A ship starts inside the level (a new ship's own origin lies outside the
    // play column, where it could never move). One joining mid-level takes the
    // running level's direction and boss level from the ships already in play.
    ship->position = shipStartPoint(services_.world.sceneId(), index);
    ship->move(0.f, ShipLayout::Open);
    if (scrollDirection_ != NO_SCROLL_DIRECTION)
        ship->faceScroll(scrollDirection_);
    if (!players.empty())
        ship->joinBossLevelOf(*players[0]);
    players.push_back(std::move(ship));
    ++playerCount_;

    // Player 1's counter and continue number sit in the left margin, player 2's in the right.
    const sf::Vector2f corner = index == 0 ? sf::Vector2f(10.f, 85.f) : sf::Vector2f(1700.f, 85.f);
    continueScreens.emplace_back(services_.textures);
    continueScreens.back().sprite.setPosition(corner);
    auto counter = std::make_unique<TextManager>(services_.textures);
    counter->addText(TextRequest{TEXT_COUNTER, index == 0 ? sf::Vector2f(20.f, 85.f) : corner, 0, "000000000", 1, 0, 0});
    scoreCounters_.push_back(std::move(counter));
    scores.push_back(PlayerScore{});
    addHudBlock(index);
}

std::vector<unsigned> GameState::getScores()
{
    std::vector<unsigned> out;
    out.reserve(scores.size());
    for (const PlayerScore& s : scores)
        out.push_back(s.score);
    return out;
}

void GameState::handleEvent(const sf::Event& event) { passEventToEditor(event); }

StateCode GameState::checkKeys(const sf::Event::KeyEvent&)
{
    if (input::isKeyPressed(sf::Keyboard::C) && keyLeftToPlay(sf::Keyboard::C) && !players.empty())
        players[0]->refillGauge();
    return StateCode::Stay;
}

StateCode GameState::handleMouseClick(const sf::Event::MouseButtonEvent& button, sf::Vector2i)
{
    passClickToEditor(button);
    return StateCode::Stay;
}

void GameState::joystickConnected(unsigned)
{
    if (playerCount_ < MAX_PLAYERS)
        addPlayer();
}

bool GameState::held(const char* action, int pad) const
{
    const auto found = bindings_.find(action);
    if (found == bindings_.end())
        return false;
    Binding binding = found->second;
    if (!keyLeftToPlay(binding.sfKey))
        binding.sfKey = -1; // typed into an editor field: the pads still answer
    return isBindingPressed(binding, static_cast<unsigned>(pad));
}

const Scoreboard* GameState::scoreboard(int i) const
{
    return i >= 0 && i < MAX_PLAYERS ? scoreboards_[static_cast<size_t>(i)].get() : nullptr;
}

bool GameState::isLive(int i) const
{
    return i >= 0 && i < playerCount_ && continueScreens[i].live();
}

bool GameState::isVulnerable(int i) const
{
    return players[i]->isVulnerable();
}

void GameState::award(int i, uint32_t points)
{
    if (i < 0 || i >= playerCount_)
        return;
    addScore(*scoreCounters_[i], scores[i], points);
    if (players[i]->inBossLevel())
        players[i]->addBossScore(points);
}

std::vector<sf::Vector2f> GameState::livePlayerPositions() const
{
    std::vector<sf::Vector2f> positions;
    for (int i = 0; i < playerCount_; ++i)
        if (isLive(i))
            positions.push_back(players[i]->position);
    if (positions.empty())
        positions.push_back({960.f, 540.f});
    return positions;
}

std::uint16_t rumbleSpeed(const Player2D& player)
{
    float speed = 0.f;
    if (player.laser) {
        const float strength = player.laser->strength;
        speed = strength > 0.f ? 65000.f * (1.f - player.laser->elapsed / strength) : 0.f;
    } else if (player.shield) {
        speed = 20000.f;
    }
    if (!(speed > 0.f)) // negative or not a number
        return 0;
    return speed >= 65535.f ? 65535 : static_cast<std::uint16_t>(speed);
}

void GameState::setRumble(int pad, std::uint16_t speed) { pad::setVibration(static_cast<unsigned>(pad), speed, speed); }

void GameState::stopRumble()
{
    for (int i = 0; i < playerCount_; ++i)
        setRumble(i, 0);
}

void GameState::hitPlayer(int i)
{
    players[i]->hit();
    if (players[i]->lives < 1)
        putOut(i);
}

void GameState::putOut(int i)
{
    continueScreens[i].countingDown = 1;
    setRumble(i, 0); // a player who is out gets no more rumble commands
}

void GameState::revive(int i)
{
    Player2D& ship = *players[i];
    setRumble(i, 65000);
    scoreCounters_[i]->setScoreText("000000000");
    ship.revive(shipStartPoint(services_.world.sceneId(), 0));
    scores[i].score = 0; // the life points toward the next extra life are kept
    setRumble(i, 0);
    transitions.add(std::make_unique<Player2D3DTransition>(ship.position));
    transitions.inputAllowed = 1; // the revived player moves during the flash
}

StateCode GameState::update(float dt)
{
    frameDt_ = dt;

    // 1. Pause: nothing else of the frame runs while paused.
    if (services_.run.paused) {
        for (int i = 0; i < playerCount_; ++i) {
            if (held(game_action::RESUME, i))
                services_.run.paused = false;
            if (held(game_action::QUIT, i)) {
                services_.run.paused = false;
                return StateCode::MenuNoLogo;
            }
        }
        return StateCode::Stay;
    }
    for (int i = 0; i < playerCount_; ++i) {
        if (held(game_action::PAUSE, i)) {
            services_.run.paused = true;
            break;
        }
    }

    FrameEvents events;

    // 2. Music upkeep.
    SoundManagerDeck deck(soundManager());
    music_.update(deck, dt);

    // 3. Screen fade.
    events.fadeDone = updateFade(dt);

    // 4. Wall lines of the corridor.
    wallLines.clear();
    if (sequenceIndex() >= 4 && sequenceIndex() <= 6 && scene::hasCorridorWalls(services_.world.sceneId())
        && services_.world.cameraPath().frame() > 60)
        buildWallLines();

    // 5. The editor's windows.
    updateEditor();

    // 6. Ships and rumble.
    updatePlayers(dt);

    // 7. Input, when the scene, the transitions and the tallies allow it.
    if (inputGateOpen() && !scoreboards_[0])
        handlePlayerInput(dt);
    else
        cancelWeaponsBehindTheGate();

    // 8. Transitions carry the ships.
    carryShipsWithTransitions();

    // 9. Game over.
    if (gameOver_) {
        gameOverTimer_ += dt;
        if (gameOverTimer_ > GAME_OVER_TIME)
            return StateCode::HighScores;
    }

    // 10. Particles and explosion patterns.
    particles.update(dt);
    events.patternFinished = updateExplosions(dt);

    // 11. Bonuses; 12. shots; 13. scoreboards.
    updateBonuses(dt);
    shots->update(dt);
    revealScoreboards();

    // 14. Enemies.
    const std::vector<sf::Vector2f> positions = livePlayerPositions();
    enemies.update(dt, positions);

    // 15. Boss.
    events.bossDefeated = updateBosses(dt);

    // 16, 17. Spawner and running patterns.
    spawner.update(dt, spawnPatterns);
    events.sequenceOver = updateSpawnPatterns(spawnPatterns, dt, enemies, positions);

    // 18. Transitions.
    updateTransitions(dt);

    // 19. Extra lives and boss timers.
    updateExtraLives();
    updateBossTimers();

    // 20. Collisions.
    runCollisionPasses();

    // 21. HUD.
    updateHud(dt);

    // 22. Scoreboard confirmation.
    events.scoreboardConfirmed = scoreboards_[0] && (held(game_action::REVIVE, 0) || held(game_action::REVIVE, 1));

    // 23. Continue and game over.
    if (updateContinue(dt) == StateCode::HighScores && !gameOver_)
        startGameOver();

    // 24. Level flow.
    if ((storyMode_ || editorMode_) && !gameOver_)
        if (runLevelFlow(events) == StateCode::Cinematic)
            return StateCode::Cinematic;

    return StateCode::Stay;
}

void GameState::startGameOver()
{
    gameOverTimer_ = 0.f;
    gameOver_ = true;
    soundManager().stopAll();
    music_.forgetIntros();
    stopRumble();
    SoundManagerDeck deck(soundManager());
    music_.startTrack(deck, MUSIC_GAME_OVER, trackVolume(MUSIC_GAME_OVER));
}

void GameState::updatePlayers(float dt)
{
    const ShipLayout layout =
        scene::hasCorridorWalls(services_.world.sceneId()) ? ShipLayout::Corridor : ShipLayout::Open;
    const bool paused = services_.run.paused;
    for (int i = 0; i < playerCount_; ++i) {
        if (!isLive(i))
            continue;
        players[i]->update(dt, &particles, layout);
        // A game paused on this frame keeps the pads still.
        setRumble(i, paused ? 0 : rumbleSpeed(*players[i]));
    }
}

void GameState::cancelWeaponsBehindTheGate()
{
    // Nobody can release the laser key while input is held back: a charge
    // would grow (and its shield protect) without end.
    for (const std::unique_ptr<Player2D>& ship : players)
        if (ship->mode != WeaponMode::Normal)
            ship->cancelWeapons();
}

bool GameState::inputGateOpen() const
{
    if (scene::hidesShips(services_.world.sceneId()))
        return false;
    return transitionsAllowInput();
}

void GameState::updateBonuses(float dt)
{
    std::vector<std::unique_ptr<Bonus>>& list = bonuses->bonuses;
    for (size_t i = 0; i < list.size();) {
        Bonus* b = list[i].get();
        b->update(dt);
        const sf::Vector2f p = b->position;
        if (p.x + 20.f < 0.f || p.x > 1920.f || p.y + 20.f < 0.f || p.y > 1080.f)
            bonuses->erase(i); // the next bonus moves into place i
        else
            ++i;
    }
}

void GameState::updateExtraLives()
{
    const uint32_t threshold = extraLifeThreshold(services_.run.difficulty);
    if (threshold == 0)
        return;
    for (int i = 0; i < playerCount_; ++i) {
        if (scores[i].lifePoints > threshold) {
            scores[i].lifePoints -= threshold;
            players[i]->gainLives(1);
            soundManager().playSound(SFX_EXTRA_LIFE);
        }
    }
}

void GameState::runCollisionPasses()
{
    clipLasersOnWalls();
    collideWallsWithShots();
    collectBonuses();
    collideBulletsWithEnemies();
    collideLaserWithEnemies();
    collideShieldWithEnemies();
    collidePlayersWithEnemies();
    collideEnemyBulletsWithPlayers();
}

void GameState::nextSequence() { loadFlowSequence(level_flow::nextSequence(sequenceIndex(), spawner.totalSequences)); }

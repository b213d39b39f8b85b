#pragma once
// The state that runs play: it owns everything in play (ships, shots, bonuses,
// particles, enemies and their bullets, bosses, the spawner and its running
// patterns, overlays) and advances it one frame at a time.
#include "platform/Bindings.h"
#include "states/MainState.h"
#include "bosses/BossList.h"
#include "editor/PlayField.h"
#include "enemies/EnemyManager.h"
#include "enemies/LevelFiles.h"
#include "enemies/SpawnPattern.h"
#include "enemies/Spawner.h"
#include "engine/Services.h"
#include "gameplay/LevelFlow.h"
#include "gameplay/MusicUpkeep.h"
#include "play/Bonus.h"
#include "play/BulletManager.h"
#include "play/ExplosionPattern.h"
#include "play/ContinueScreen.h"
#include "play/HudBlock.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/PlayerScore.h"
#include "play/Polygon.h"
#include "play/ScreenFade.h"
#include "play/TextManager.h"
#include "play/Transitions.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

class Boss;
class Laser;
class Shield;
class LevelEditor;
class Scoreboard;
struct Scoring;

class GameState : public MainState {
public:
    static constexpr int MAX_PLAYERS = 2;
    static constexpr float GAME_OVER_TIME = 12.f;
    static constexpr int NO_SCROLL_DIRECTION = 4;

    // A story game or one with the level editor, on the engine's parts it is
    // handed. levelFolder is where the level index and the sequence files are
    // read from.
    GameState(GameMode mode, const Services& services, const std::string& levelFolder = level_files::CONFIG_FOLDER);
    ~GameState() override;
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;

    std::vector<unsigned> getScores() override;
    void handleEvent(const sf::Event& event) override;
    StateCode checkKeys(const sf::Event::KeyEvent& key) override;
    StateCode handleMouseClick(const sf::Event::MouseButtonEvent& button, sf::Vector2i mousePosition) override;
    void joystickConnected(unsigned joystickId) override;
    StateCode update(float dt) override;
    void draw(sf::RenderWindow& window) override;
    // The play layer into any target, in its fixed order.
    void drawLayer(sf::RenderTarget& target);

    // Player input of one frame, for every live player.
    void handlePlayerInput(float dt);

    // The collision passes, in the order the update runs them.
    void clipLasersOnWalls();
    void collideWallsWithShots();
    void collectBonuses();
    void collideBulletsWithEnemies();
    void collideLaserWithEnemies();
    void collideShieldWithEnemies();
    void collidePlayersWithEnemies();
    void collideEnemyBulletsWithPlayers();
    // The wall lines of the corridor, from the 3D scene's collision markers.
    void buildWallLines();

    // Continue countdowns and revives; HighScores once every player has given up.
    StateCode updateContinue(float dt);

    // Whether player i is in play (neither counting down nor given up).
    bool isLive(int i) const;
    // Whether player i can be hit: normal weapon mode, no hit phase, not blinking.
    bool isVulnerable(int i) const;
    // Gives player i points (score, life points, counter; boss score in a boss level).
    void award(int i, uint32_t points);
    // The current sequence number that drives the level flow.
    int sequenceIndex() const { return spawner.currentSequence; }
    // The positions of the live players, or the screen centre when none is live.
    std::vector<sf::Vector2f> livePlayerPositions() const;

    // Turns the game to a sequence's scroll direction (0..3: UP, DOWN, LEFT,
    // RIGHT), every ship with it.
    void turnToScrollDirection(int direction);
    // What the editor plays on: the spawner, the enemies, the running patterns, and
    // this game's turn to the scroll direction of a sequence the editor loads.
    PlayField editorField();

    int playerCount() const { return playerCount_; }
    // The running sequence's scroll direction, NO_SCROLL_DIRECTION before the first.
    int scrollDirection() const { return scrollDirection_; }
    bool inStoryMode() const { return storyMode_; }
    bool inEditorMode() const { return editorMode_; }
    // The level editor of an editor game that has a window; null otherwise.
    LevelEditor* levelEditor() const { return editor_.get(); }
    // Player i's board while the tallies are up; null otherwise.
    const Scoreboard* scoreboard(int i) const;
    bool isGameOver() const { return gameOver_; }
    // Seconds since the game was over.
    float gameOverSeconds() const { return gameOverTimer_; }
    // Leaves only `secondsLeft` of the game-over wait before the high scores.
    void skipGameOverWait(float secondsLeft) { gameOverTimer_ = GAME_OVER_TIME - secondsLeft; }
    // The current fade; null when none was started.
    const ScreenFade* screenFade() const { return fade_.get(); }
    // The explosions that follow a boss's defeat.
    const ExplosionPattern& explosions() const { return explosionPattern_; }
    // Player i's score counter.
    const TextManager& scoreCounter(int i) const { return *scoreCounters_[static_cast<size_t>(i)]; }
    // The keys and pad buttons of play and pause.
    const BindingMap& playBindings() const { return bindings_; }

    // ---- what is in play ----
    std::unique_ptr<BulletManager> shots;
    std::unique_ptr<BonusManager> bonuses;
    ParticleSystem particles;
    std::vector<std::unique_ptr<Player2D>> players; // player 1 first
    std::vector<Polygon> wallLines;
    std::list<SpawnPattern> spawnPatterns;
    EnemyManager enemies;
    BossList bosses;
    TransitionManager transitions;
    std::vector<PlayerScore> scores;
    std::vector<ContinueScreen> continueScreens;
    Spawner spawner;

private:
    // What happened in this frame, read by the level flow.
    using FrameEvents = FlowEvents;

    void addPlayer();
    void loadCentredSprite(sf::Sprite& sprite, const char* path);
    void startStorySequence();

    bool held(const char* action, int pad) const;
    void setRumble(int pad, std::uint16_t speed);
    void stopRumble();
    void updatePlayers(float dt);
    bool inputGateOpen() const;
    void cancelWeaponsBehindTheGate();
    void updateBonuses(float dt);
    void updateExtraLives();
    void runCollisionPasses();
    void hitPlayer(int i);
    void putOut(int i);
    bool enemyIsBullet(size_t index) const;
    float relativeHitAngle(size_t index, sf::Vector2f from) const;
    void playerInput(int i, float dt);
    void startGameOver();
    void nextSequence();

    // Overlays, bosses, level flow and the editor plug in through these.
    void createLevelEditor();
    void destroyLevelEditor();
    void passEventToEditor(const sf::Event& event);
    void passClickToEditor(const sf::Event::MouseButtonEvent& button);
    void releaseOverlays();
    void addHudBlock(int player);
    void spawnBossMurzel();
    void spawnBossIcarus();
    void releaseBossFight();
    // The players' scores and counters as the bosses award points.
    Scoring bossScoring();
    // Starts explosion pattern 0 (first boss) or 1 (final boss).
    void createExplosionPattern(int index);
    void bossesHitByShots();
    // A boss may cut the beam; it then moves segment past the beam's end.
    void bossesHitByLaser(Laser& laser, size_t& segment, int player);
    void bossesHitByShield(Shield& shield, int player);
    void bossesHitPlayer(int player);
    bool updateFade(float dt);
    void updateEditor();
    bool transitionsAllowInput() const;
    void carryShipsWithTransitions();
    bool updateExplosions(float dt);
    void revealScoreboards();
    bool updateBosses(float dt);
    void updateTransitions(float dt);
    void updateBossTimers();
    void updateHud(float dt);
    StateCode runLevelFlow(const FrameEvents& events);
    // Carries out one step of the level flow; true when the game is finished.
    bool runFlowStep(const FlowStep& step);
    // Loads a sequence for the flow; one that could never finish is given an end.
    void loadFlowSequence(int index);
    void startTally();
    void endTally();
    // Brings player i back with fresh lives and a score of 0.
    void revive(int i);
    void drawEditorGrid(sf::RenderTarget& target);
    void drawBosses(sf::RenderTarget& target);
    void drawTransitions(sf::RenderTarget& target);
    void drawTexts(sf::RenderTarget& target);
    void drawHud(sf::RenderTarget& target);
    void drawEditorOverlay(sf::RenderTarget& target);
    bool editorHidesHud() const;
    // False for a key the editor's GUI has taken (typed into a field).
    bool keyLeftToPlay(int key) const;
    void drawFade(sf::RenderTarget& target);
    void drawScoreboards(sf::RenderTarget& target);

    bool debugDraw_ = false;
    int playerCount_ = 0;
    BindingMap bindings_;
    TextManager texts_; // popups and warning letters
    ExplosionPattern explosionPattern_;
    std::unique_ptr<ScreenFade> fade_; // the current fade; every new one replaces it
    std::vector<HudBlock> hudBlocks_;
    std::vector<std::unique_ptr<TextManager>> scoreCounters_; // one per player
    int scrollDirection_ = NO_SCROLL_DIRECTION;
    bool storyMode_ = false;
    bool editorMode_ = false;
    std::string levelFolder_; // where the level index and the sequence files live
    std::unique_ptr<LevelEditor> editor_;
    std::array<std::unique_ptr<Scoreboard>, MAX_PLAYERS> scoreboards_; // empty until a tally
    bool waitingForContinue_ = false;
    bool gameOver_ = false;
    float gameOverTimer_ = 0.f;
    sf::Sprite gameOverSprite_;
    sf::Sprite pauseSprite_;
    Services services_;
    MusicUpkeep music_;
    float frameDt_ = 0.f;
};

// The right stick's angle of a pad in degrees (0 right, -90 up); restingAngle
// when the stick rests inside its dead zone or the pad does not answer.
float getStickAngle(unsigned pad, float restingAngle = 0.f);
// The rumble speed for a ship: a firing laser fades from 65000 to 0 over its
// strength, a shield holds 20000; clamped into the motor's range.
std::uint16_t rumbleSpeed(const Player2D& player);

#pragma once
// Shared fixtures for tests that run the game's own parts: a window handed to
// the engine, a game in play, a boss's arena, the enemies' field, the main loop fed with queued
// events, a ship raising its shield.
#include "app/MainLoop.h"
#include "states/MainState.h"
#include "bosses/Boss.h"
#include "engine/Level3Background.h"
#include "enemies/EnemyManager.h"
#include "gameplay/GameState.h"
#include "play/BulletManager.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/PlayerScore.h"
#include "play/TextManager.h"
#include "support/TestSupport.h"

#include <SFML/Graphics.hpp>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// A window of the game's size, handed to the engine for the test's lifetime.
class EngineWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    sf::RenderWindow window;
};

// A game state over a folder of level files, with a window handed to the engine.
class GameWindowTest : public EngineWindowTest {
protected:
    // A fresh run's choices: normal difficulty from the first level, no
    // cheats, not paused, the camera path at its start.
    void SetUp() override;
    // Ends the game and any scene preload, takes the window back from the engine and puts the
    // run's choices back.
    void TearDown() override;

    // Runs up to n frames of 1/60 s, stopping at the first that leaves the state; returns its code.
    // With `stepEngine` set, each frame also steps the 3D world as the main loop does, and every
    // `drawEvery`-th one is drawn.
    StateCode frames(int n);
    // One frame, then the 3D world and the play layer drawn (the wall lines outlined in red when
    // `outlineWalls` is set); returns the picture, kept as screenshot `name`, when one is named.
    sf::Image drawnFrame(const std::string& name = "");
    // Marks the current camera path's frames before `index` as played.
    static void skipCameraTo(int index);
    // Runs frames until the condition holds or a frame leaves the state; false when it never held.
    bool until(const std::function<bool()>& condition, int maxFrames);
    // Holds the key for n frames, then lets it go; returns the code of the last frame.
    StateCode holdKey(sf::Keyboard::Key key, int n = 1);
    // Draws the game over a dark blue backdrop and keeps the picture as screenshot `name`.
    sf::Image shot(const std::string& name);

    SyntheticInput in;
    TempDir levels;
    std::unique_ptr<GameState> game;
    StateCode last = StateCode::Stay; // the code of the last frame run
    bool stepEngine = false;
    int drawEvery = 0; // 0: frames() draws nothing
    bool outlineWalls = false;

private:
    sf::Image drawWorld(const std::string& name);
    int frameCount_ = 0;
};

// What a boss fights in: ships with their scores and counters, enemies, shots and particles.
struct BossArena {
    BossArena() = default;
    BossArena(const BossArena&) = delete;
    BossArena& operator=(const BossArena&) = delete;
    ~BossArena();

    // A ship at `at` with a 40 x 40 hit box round it, a zero score and a nine-digit counter.
    void addShip(sf::Vector2f at);

    ParticleSystem particles{textures()};
    EnemyManager enemies{textures()};
    BulletManager shots{textures()};
    PlayerList ships;
    ScoreList scores;
    ScoreCounterList counters;
    Scoring scoring{scores, counters};
};


// The loop takes its events from the front of the queue.
void feedEvents(MainLoop& loop, std::deque<sf::Event>& events);

// A key-press event as the window reports it.
sf::Event keyEvent(sf::Keyboard::Key key);

// The main loop in a window handed to the engine, fed from an event queue and
// run frame by frame at 60 per second on the fake clock.
class LoopRunTest : public EngineWindowTest {
protected:
    // Ends the loop and takes the window back from the engine.
    void TearDown() override;

    void startLoop(std::unique_ptr<MainState> first, const StateFactory& factory);
    void frames(int count);
    // Runs frames until the condition holds; false when it does not within maxFrames.
    bool until(const std::function<bool()>& condition, int maxFrames);
    // One frame with the key held and its press event, then one with it released.
    void tap(sf::Keyboard::Key key);
    template <typename T>
    T* current() const
    {
        return dynamic_cast<T*>(loop->currentState());
    }

    SyntheticInput input;
    std::unique_ptr<MainLoop> loop;
    std::deque<sf::Event> events;
};

// The game's start as main makes it, in the loop's window: a fresh run's menu choices (other
// suites change them), frame times from the test's clock, the game's resources and icon,
// and the level-3 tunnel handed to the engine.
class GameRunTest : public LoopRunTest {
protected:
    // Call after LoopRunTest::SetUp: the game's start with a seeded run of random numbers.
    void startRun(unsigned seed);
    // Ends the loop and the game (the scene preloader stopped, the tunnel taken back), and
    // puts a fresh run's choices back.
    void TearDown() override;
    // From now on the 3D world is drawn only every `worldEvery`-th frame (the engine still
    // steps every frame): fast-forwarding stays quick.
    void drawWorldSparsely();
    // The current frame drawn again in full without stepping anything (the tunnel of scenes
    // 11 to 13 at the moment `tunnelSeconds`), kept as screenshot `name`.
    sf::Image redraw(const std::string& name, float tunnelSeconds = 0.f);

    Level3Background background;
    int worldEvery = 1;
    int frameNumber = 0;
};

// Raises the shield as the input code does when the laser key is pressed.
bool startCharge(Player2D& p);

} // namespace testing_support

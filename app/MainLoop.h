#pragma once
#include "states/MainState.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

// How the main loop builds the states that state codes ask for. A missing
// builder leaves the current state in place.
struct StateFactory {
    std::function<std::unique_ptr<MainState>(const std::vector<unsigned>& scores)> cinematic;  // Cinematic
    std::function<std::unique_ptr<MainState>()> menuWithoutLogos;                              // MenuNoLogo
    std::function<std::unique_ptr<MainState>(GameMode mode)> game; // GameStory (Story), GameEditor (Editor)
    std::function<std::unique_ptr<MainState>(const std::vector<unsigned>& scores)> highScores; // HighScores
};

// The game's states, as start-up and the codes build them.
StateFactory defaultStateFactory();
// The first state of a run: the menu wrapper holding the main menu with its logos.
std::unique_ptr<MainState> makeFirstState();

// The window's fixed settings.
namespace game_window {
constexpr unsigned WIDTH = 1920;
constexpr unsigned HEIGHT = 1080;
constexpr unsigned BITS_PER_PIXEL = 32;
extern const char* const TITLE;
sf::ContextSettings contextSettings();
// Opens (or reopens) `window` with the game's mode, style, settings and title.
void open(sf::RenderWindow& window);
} // namespace game_window

// One window, one current state, one frame after another.
class MainLoop {
public:
    MainLoop(sf::RenderWindow& window, StateFactory factory, std::unique_ptr<MainState> firstState);
    ~MainLoop();

    // Runs frames while the window is open and a state exists.
    void run();
    // One pass of the loop; false once the loop is over.
    bool runFrame();
    // Replaces the current state as the code says.
    void applyCode(StateCode code);

    MainState* currentState() const { return state_.get(); }

    // Where events come from: the window (without SFML's own joystick events)
    // unless a test injects its own queue. Pads that come or go reach the state as
    // joystick events with their pad slot as id, ahead of the frame's other events.
    std::function<bool(sf::Event&)> pollEvent;
    // Mouse position for clicks (window-relative).
    std::function<sf::Vector2i()> mousePosition;
    // The 3D step of a frame: the engine step and 3D drawing, or the shader
    // background of the level-3 tunnel.
    std::function<void(sf::RenderWindow&)> render3D;

private:
    // Turns the pad layer's comings and goings of this frame into joystick events.
    void queuePadChanges();
    bool nextEvent(sf::Event& event);
    // What builds the state a code asks for (reading the current state's scores
    // now); empty when the code keeps the current state.
    std::function<std::unique_ptr<MainState>()> nextStateBuilder(StateCode code);
    // Ends the current state, then makes the built one current: never two at once.
    void replace(const std::function<std::unique_ptr<MainState>()>& build);

    sf::RenderWindow& window_;
    std::deque<sf::Event> padEvents_;
    StateFactory factory_;
    std::unique_ptr<MainState> state_;
};

// The default 3D step of a frame (engine step then 3D drawing, or the shader background).
void renderWorldFrame(sf::RenderWindow& window);

// The window's joystick events, which the loop drops: they speak of SFML's own joystick
// numbers, while the game's pads are the pad layer's slots, whose changes the loop reports itself.
bool isSfmlJoystickEvent(sf::Event::EventType type);

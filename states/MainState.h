#pragma once
// What the main loop and every screen agree on: the codes a state answers
// with, the modes a game is built in, and the state interface itself.
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>
#include <vector>

// What a state operation asks the main loop to do next.
using StateCode = int;

namespace state_code {
constexpr StateCode CINEMATIC = 0;      // credits cut-scene, with the old state's scores
constexpr StateCode QUIT = 3;           // delete the state and close the window
constexpr StateCode MENU_NO_LOGO = 4;   // menu wrapper with a main menu without logos
constexpr StateCode GAME_STORY = 7;     // gameplay in mode 1
constexpr StateCode GAME_EDITOR = 8;    // gameplay in mode 2 (with the level editor)
constexpr StateCode HIGH_SCORES = 11;   // high-score state, with the old state's scores
constexpr StateCode STAY = 12;          // nothing changes
} // namespace state_code

// Game modes as the main loop builds them.
namespace game_mode {
constexpr int STORY = 1;
constexpr int EDITOR = 2;
} // namespace game_mode

// Every screen of the game is a MainState; the main loop owns the current one.
class MainState {
public:
    virtual std::vector<unsigned> getScores() { return {}; }
    virtual ~MainState() = default;
    virtual void handleEvent(const sf::Event& /*event*/) {}
    virtual StateCode checkKeys(const sf::Event::KeyEvent& key) = 0;
    virtual StateCode handleMouseClick(const sf::Event::MouseButtonEvent& button, sf::Vector2i mousePosition) = 0;
    virtual void joystickConnected(unsigned joystickId) = 0;
    virtual StateCode update(float frameTime) = 0;
    virtual void draw(sf::RenderWindow& window) = 0;
};

// A state that answers nothing and draws nothing (the 3D frame still runs
// behind it): a stand-in for tests and benchmarks.
class IdleState : public MainState {
public:
    StateCode checkKeys(const sf::Event::KeyEvent&) override { return state_code::STAY; }
    StateCode handleMouseClick(const sf::Event::MouseButtonEvent&, sf::Vector2i) override { return state_code::STAY; }
    void joystickConnected(unsigned) override {}
    StateCode update(float) override { return state_code::STAY; }
    void draw(sf::RenderWindow&) override {}
};

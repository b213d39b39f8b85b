#pragma once
// What the main loop and every screen agree on: the codes a state answers
// with, the modes a game is built in, and the state interface itself.
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>
#include <vector>

// What a state operation asks the main loop to do next. The numbers are the
// codes every state has always answered with; an unnamed number asks for
// nothing, like Stay.
enum class StateCode : int {
    Cinematic = 0,   // credits cut-scene, with the old state's scores
    Quit = 3,        // delete the state and close the window
    MenuNoLogo = 4,  // menu wrapper with a main menu without logos
    GameStory = 7,   // gameplay in story mode
    GameEditor = 8,  // gameplay with the level editor
    HighScores = 11, // high-score state, with the old state's scores
    Stay = 12,       // nothing changes
};

// The modes a game is built in.
enum class GameMode : int { Story = 1, Editor = 2 };

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
    // True while draw() paints every pixel of the window opaque: the world's
    // frame beneath still runs but is not drawn.
    virtual bool coversWindow() const { return false; }
};

// A state that answers nothing and draws nothing (the 3D frame still runs
// behind it): a stand-in for tests and benchmarks.
class IdleState : public MainState {
public:
    StateCode checkKeys(const sf::Event::KeyEvent&) override { return StateCode::Stay; }
    StateCode handleMouseClick(const sf::Event::MouseButtonEvent&, sf::Vector2i) override { return StateCode::Stay; }
    void joystickConnected(unsigned) override {}
    StateCode update(float) override { return StateCode::Stay; }
    void draw(sf::RenderWindow&) override {}
};

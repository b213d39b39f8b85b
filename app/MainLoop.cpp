#include "app/MainLoop.h"

#include "engine/Engine.h"
#include "platform/Input.h"

#include <SFML/Window/Mouse.hpp>
#include <iostream>

namespace game_window {
const char* const TITLE = "Orbyndel | Tavlo studio | Game version 1.0.0 | ZEM Engine version 1.5.0";

sf::ContextSettings contextSettings() { return sf::ContextSettings(0, 0, 6, 1, 1); }

void open(sf::RenderWindow& window)
{
    window.create(sf::VideoMode(WIDTH, HEIGHT, BITS_PER_PIXEL), TITLE, sf::Style::None, contextSettings());
    window.setPosition(sf::Vector2i(0, 0));
}
} // namespace game_window

MainLoop::MainLoop(sf::RenderWindow& window, StateFactory factory, MainState* firstState)
    : window_(window), factory_(std::move(factory)), state_(firstState)
{
    pollEvent = [this](sf::Event& e) { return window_.pollEvent(e); };
    mousePosition = [this] { return sf::Mouse::getPosition(window_); };
    render3D = renderWorldFrame;
}

MainLoop::~MainLoop() { delete state_; }

void MainLoop::dropState()
{
    delete state_;
    state_ = nullptr;
    input::clearLatchedPresses(); // a press belongs to the state that saw it
}

void MainLoop::applyCode(StateCode code)
{
    using namespace state_code;
    if (!state_)
        return;
    switch (code) {
    case CINEMATIC:
        if (factory_.cinematic) {
            std::vector<unsigned> scores = state_->getScores();
            dropState();
            state_ = factory_.cinematic(scores);
        }
        break;
    case QUIT:
        dropState();
        window_.close();
        break;
    case MENU_NO_LOGO:
        if (factory_.menuWithoutLogos) {
            dropState();
            window_.setMouseCursorVisible(true);
            state_ = factory_.menuWithoutLogos();
        }
        break;
    case GAME_STORY:
    case GAME_EDITOR:
        if (factory_.game) {
            dropState();
            state_ = factory_.game(code == GAME_STORY ? 1 : 2);
        }
        break;
    case HIGH_SCORES:
        if (factory_.highScores) {
            std::vector<unsigned> scores = state_->getScores();
            dropState();
            state_ = factory_.highScores(scores);
        }
        break;
    default:
        break;
    }
}

bool MainLoop::runFrame()
{
    if (!window_.isOpen() || !state_)
        return false;

    input::beginFrame();
    sf::Event event;
    while (state_ && pollEvent(event)) {
        state_->handleEvent(event);
        switch (event.type) {
        case sf::Event::Closed:
            window_.close();
            break;
        case sf::Event::KeyPressed:
            input::latchPress(event.key.code);
            applyCode(state_->checkKeys(event.key));
            break;
        case sf::Event::MouseButtonPressed:
            applyCode(state_->handleMouseClick(event.mouseButton, mousePosition()));
            break;
        case sf::Event::JoystickConnected:
            state_->joystickConnected(event.joystickConnect.joystickId);
            break;
        case sf::Event::JoystickDisconnected:
            std::cout << "La Manette numéro : " << event.joystickConnect.joystickId << std::endl;
            break;
        default:
            break;
        }
        if (!window_.isOpen())
            break; // a closed window yields no more events
    }
    if (!window_.isOpen() || !state_)
        return window_.isOpen() && state_;

    applyCode(state_->update(engine().frameTime));
    if (!window_.isOpen() || !state_)
        return false;

    window_.clear(sf::Color::Black);
    if (render3D)
        render3D(window_);
    state_->draw(window_);
    window_.display();
    return true;
}

void MainLoop::run()
{
    while (window_.isOpen() && state_)
        runFrame();
}

#include "app/MainLoop.h"

#include "engine/Engine.h"
#include "platform/GamePad.h"
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

bool isSfmlJoystickEvent(sf::Event::EventType type)
{
    return type >= sf::Event::JoystickButtonPressed && type <= sf::Event::JoystickDisconnected;
}

namespace {
bool pollWindowEvent(sf::Window& window, sf::Event& event)
{
    while (window.pollEvent(event))
        if (!isSfmlJoystickEvent(event.type))
            return true;
    return false;
}

sf::Event padEvent(const pad::PadChange& change)
{
    sf::Event event;
    event.type = change.connected ? sf::Event::JoystickConnected : sf::Event::JoystickDisconnected;
    event.joystickConnect.joystickId = change.index;
    return event;
}
} // namespace

MainLoop::MainLoop(sf::RenderWindow& window, StateFactory factory, std::unique_ptr<MainState> firstState)
    : window_(window), factory_(std::move(factory)), state_(std::move(firstState))
{
    pollEvent = [this](sf::Event& e) { return pollWindowEvent(window_, e); };
    mousePosition = [this] { return sf::Mouse::getPosition(window_); };
    render3D = renderWorldFrame;
}

MainLoop::~MainLoop() = default;

void MainLoop::applyCode(StateCode code)
{
    if (!state_)
        return;
    if (code == StateCode::Quit) {
        state_.reset();
        input::clearLatchedPresses();
        window_.close();
        return;
    }
    if (const std::function<std::unique_ptr<MainState>()> build = nextStateBuilder(code))
        replace(build);
}

std::function<std::unique_ptr<MainState>()> MainLoop::nextStateBuilder(StateCode code)
{
    using ScoresBuilder = std::function<std::unique_ptr<MainState>(const std::vector<unsigned>&)>;
    const auto withScores = [this](const ScoresBuilder& make) -> std::function<std::unique_ptr<MainState>()> {
        if (!make)
            return {};
        return [make, scores = state_->getScores()] { return make(scores); };
    };
    switch (code) {
    case StateCode::Cinematic: return withScores(factory_.cinematic);
    case StateCode::HighScores: return withScores(factory_.highScores);
    case StateCode::MenuNoLogo:
        if (!factory_.menuWithoutLogos)
            return {};
        return [this] {
            window_.setMouseCursorVisible(true);
            return factory_.menuWithoutLogos();
        };
    case StateCode::GameStory:
    case StateCode::GameEditor:
        if (!factory_.game)
            return {};
        return [this, mode = code == StateCode::GameStory ? GameMode::Story : GameMode::Editor] {
            return factory_.game(mode);
        };
    default: return {};
    }
}

void MainLoop::replace(const std::function<std::unique_ptr<MainState>()>& build)
{
    state_.reset();
    input::clearLatchedPresses(); // a press belongs to the state that saw it
    state_ = build();
}

void MainLoop::queuePadChanges()
{
    for (const pad::PadChange& change : pad::pump())
        padEvents_.push_back(padEvent(change));
}

bool MainLoop::nextEvent(sf::Event& event)
{
    if (padEvents_.empty())
        return pollEvent(event);
    event = padEvents_.front();
    padEvents_.pop_front();
    return true;
}

bool MainLoop::runFrame()
{
    if (!window_.isOpen() || !state_)
        return false;

    queuePadChanges();
    input::beginFrame();
    sf::Event event;
    while (state_ && nextEvent(event)) {
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

    applyCode(state_->update(engine().timing.frameTime));
    if (!window_.isOpen() || !state_)
        return false;

    window_.clear(sf::Color::Black);
    engine().renderer.covered = state_->coversWindow();
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

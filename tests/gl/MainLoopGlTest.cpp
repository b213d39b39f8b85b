#include "app/MainLoop.h"
#include "engine/Engine.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>
#include <deque>
#include <thread>

using namespace testing_support;

namespace {

// Records what the loop asks of it and answers with scripted codes.
struct Journal {
    std::vector<std::string> lines;
};

class ScriptedState : public MainState {
public:
    ScriptedState(Journal& j, std::string name, std::vector<unsigned> scores = {})
        : journal_(j), name_(std::move(name)), scores_(std::move(scores))
    {
        journal_.lines.push_back("build " + name_);
    }
    ~ScriptedState() override { journal_.lines.push_back("delete " + name_); }
    std::vector<unsigned> getScores() override { return scores_; }
    void handleEvent(const sf::Event& e) override { journal_.lines.push_back(name_ + " event " + std::to_string(e.type)); }
    StateCode checkKeys(const sf::Event::KeyEvent& key) override
    {
        journal_.lines.push_back(name_ + " key");
        return keyCodes.count(key.code) ? keyCodes[key.code] : state_code::STAY;
    }
    StateCode handleMouseClick(const sf::Event::MouseButtonEvent&, sf::Vector2i) override
    {
        journal_.lines.push_back(name_ + " click");
        return clickCode;
    }
    void joystickConnected(unsigned id) override { journal_.lines.push_back(name_ + " joystick " + std::to_string(id)); }
    StateCode update(float) override
    {
        journal_.lines.push_back(name_ + " update");
        polled.push_back(input::isKeyPressed(polledKey));
        return updateCode;
    }
    void draw(sf::RenderWindow& w) override
    {
        journal_.lines.push_back(name_ + " draw");
        sf::RectangleShape r({400.f, 300.f});
        r.setPosition(760.f, 390.f);
        r.setFillColor(sf::Color(200, 120, 40));
        w.draw(r);
    }

    std::map<int, StateCode> keyCodes;
    StateCode clickCode = state_code::STAY;
    StateCode updateCode = state_code::STAY;
    sf::Keyboard::Key polledKey = sf::Keyboard::S;
    std::vector<bool> polled; // whether polledKey read as held, update by update

private:
    Journal& journal_;
    std::string name_;
    std::vector<unsigned> scores_;
};

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override { openTestWindow(window); }

    MainLoop& makeLoop(MainState* first)
    {
        StateFactory f;
        f.cinematic = [this](const std::vector<unsigned>& s) {
            handedScores = s;
            return new ScriptedState(journal, "cinematic");
        };
        f.menuWithoutLogos = [this] { return new ScriptedState(journal, "menu"); };
        f.game = [this](int mode) { return new ScriptedState(journal, "game" + std::to_string(mode)); };
        f.highScores = [this](const std::vector<unsigned>& s) {
            handedScores = s;
            return new ScriptedState(journal, "scores");
        };
        loop = std::make_unique<MainLoop>(window, f, first);
        feedEvents(*loop, events);
        loop->render3D = nullptr;
        return *loop;
    }

    sf::RenderWindow window;
    Journal journal;
    std::deque<sf::Event> events;
    std::vector<unsigned> handedScores;
    std::unique_ptr<MainLoop> loop;
};

} // namespace

TEST_F(MainLoopTest, QuitOnTheFirstKeyEndsEverythingAtOnce)
{
    auto* s = new ScriptedState(journal, "menu0");
    s->keyCodes[sf::Keyboard::Escape] = state_code::QUIT;
    MainLoop& l = makeLoop(s);
    events = {keyEvent(sf::Keyboard::Escape), keyEvent(sf::Keyboard::Space)};
    journal.lines.clear();
    EXPECT_FALSE(l.runFrame());
    EXPECT_EQ(l.currentState(), nullptr);
    EXPECT_FALSE(window.isOpen());
    EXPECT_EQ(journal.lines, (std::vector<std::string>{"menu0 event 5", "menu0 key", "delete menu0"}));
}

TEST_F(MainLoopTest, CodesDeleteTheOldStateBeforeBuildingTheNew)
{
    auto* s = new ScriptedState(journal, "game", {120u, 45u});
    s->updateCode = state_code::HIGH_SCORES;
    MainLoop& l = makeLoop(s);
    journal.lines.clear();
    EXPECT_TRUE(l.runFrame());
    EXPECT_EQ(handedScores, (std::vector<unsigned>{120u, 45u}));
    ASSERT_GE(journal.lines.size(), 3u);
    EXPECT_EQ(journal.lines[1], "delete game");
    EXPECT_EQ(journal.lines[2], "build scores");
    // The new state is drawn in the same frame.
    EXPECT_EQ(journal.lines.back(), "scores draw");
}

TEST_F(MainLoopTest, AStateWithoutScoresHandsOverAnEmptyList)
{
    auto* s = new ScriptedState(journal, "cut");
    s->updateCode = state_code::CINEMATIC;
    handedScores = {1u};
    makeLoop(s).runFrame();
    EXPECT_TRUE(handedScores.empty());
}

TEST_F(MainLoopTest, StayAndUnknownCodesChangeNothing)
{
    auto* s = new ScriptedState(journal, "menu0");
    s->keyCodes[sf::Keyboard::A] = 12;
    s->keyCodes[sf::Keyboard::B] = 1;
    s->keyCodes[sf::Keyboard::C] = 9;
    s->keyCodes[sf::Keyboard::D] = -5;
    MainLoop& l = makeLoop(s);
    events = {keyEvent(sf::Keyboard::A), keyEvent(sf::Keyboard::B), keyEvent(sf::Keyboard::C), keyEvent(sf::Keyboard::D)};
    EXPECT_TRUE(l.runFrame());
    EXPECT_EQ(l.currentState(), s);
}

TEST_F(MainLoopTest, TheNextEventOfAPollGoesToTheNewState)
{
    auto* s = new ScriptedState(journal, "menu0");
    s->keyCodes[sf::Keyboard::Return] = state_code::GAME_EDITOR;
    MainLoop& l = makeLoop(s);
    sf::Event joy;
    joy.type = sf::Event::JoystickConnected;
    joy.joystickConnect.joystickId = 2;
    sf::Event gone;
    gone.type = sf::Event::JoystickDisconnected;
    gone.joystickConnect.joystickId = 1;
    events = {keyEvent(sf::Keyboard::Return), joy, gone};
    journal.lines.clear();
    l.runFrame();
    const std::string connected = std::to_string(sf::Event::JoystickConnected);
    const std::string disconnected = std::to_string(sf::Event::JoystickDisconnected);
    std::vector<std::string> expected = {"menu0 event 5", "menu0 key", "delete menu0", "build game2",
                                         "game2 event " + connected, "game2 joystick 2",
                                         "game2 event " + disconnected, "game2 update", "game2 draw"};
    EXPECT_EQ(journal.lines, expected);
}

TEST(GameWindow, OpensWithItsSettingsAndDrawsFrames)
{
    sf::RenderWindow window;
    game_window::open(window);
    ASSERT_TRUE(window.isOpen());
    EXPECT_EQ(window.getSize(), sf::Vector2u(1920, 1080));
    EXPECT_EQ(window.getSettings().depthBits, 0u);
    EXPECT_EQ(window.getSettings().stencilBits, 0u);

    Journal journal;
    auto* state = new ScriptedState(journal, "boot");
    MainLoop loop(window, StateFactory{}, state);
    loop.render3D = nullptr;
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(loop.runFrame());
    window.clear();
    state->draw(window);
    sf::Image shot = screenshot(window, "boot");
    window.display();
    EXPECT_EQ(shot.getPixel(960, 540), sf::Color(200, 120, 40));
}

TEST(TextureCacheGl, SamePathSamePointerAndThreadsAgree)
{
    Engine e;
    sf::Texture* icon = e.textures.getTexture("2D/Icon.png");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon, e.textures.getTexture("2D/Icon.png"));
    sf::Texture* fromThread[4] = {};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&e, &fromThread, t] { fromThread[t] = e.textures.getTexture("noise.png"); });
    for (auto& th : threads)
        th.join();
    for (sf::Texture* p : fromThread)
        EXPECT_EQ(p, fromThread[0]);
    EXPECT_EQ(e.textures.getTexture("noise.png"), fromThread[0]);
}

TEST_F(MainLoopTest, ATapShorterThanAFrameIsHeldForThatFrameOnly)
{
    SyntheticInput input; // the key is never held when the frame polls it
    auto* s = new ScriptedState(journal, "menu");
    MainLoop& l = makeLoop(s);
    sf::Event release = keyEvent(sf::Keyboard::S);
    release.type = sf::Event::KeyReleased;
    events = {keyEvent(sf::Keyboard::S), release};
    l.runFrame();
    l.runFrame();
    input.keyboard.press(sf::Keyboard::S); // holding still reads the keyboard
    l.runFrame();
    EXPECT_EQ(s->polled, (std::vector<bool>{true, false, true}));
}

TEST_F(MainLoopTest, APressThatChangesTheStateIsNotSeenAgainByTheNextState)
{
    SyntheticInput input;
    auto* s = new ScriptedState(journal, "menu");
    s->keyCodes[sf::Keyboard::S] = state_code::GAME_STORY;
    MainLoop& l = makeLoop(s);
    events = {keyEvent(sf::Keyboard::S)};
    l.runFrame(); // the new game state updates in the same frame
    auto* game = dynamic_cast<ScriptedState*>(l.currentState());
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->polled, (std::vector<bool>{false}));
}

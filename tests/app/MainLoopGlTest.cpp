#include "app/MainLoop.h"
#include "app/Startup.h"
#include "support/GameFixtures.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <chrono>
#include <deque>
#include <gtest/gtest.h>
#include <thread>

using namespace testing_support;

namespace {

// What the states were asked by the loop, in order.
using Journal = std::vector<std::string>;

// Records what the loop asks of it and answers with scripted codes.
class ScriptedState : public MainState {
public:
    ScriptedState(Journal& j, std::string name, std::vector<unsigned> scores = {})
        : journal_(j), name_(std::move(name)), scores_(std::move(scores))
    {
        journal_.push_back("build " + name_);
    }
    ~ScriptedState() override { journal_.push_back("delete " + name_); }
    std::vector<unsigned> getScores() override { return scores_; }
    void handleEvent(const sf::Event& e) override { journal_.push_back(name_ + " event " + std::to_string(e.type)); }
    StateCode checkKeys(const sf::Event::KeyEvent& key) override
    {
        journal_.push_back(name_ + " key");
        return keyCodes.count(key.code) ? keyCodes[key.code] : StateCode::Stay;
    }
    StateCode handleMouseClick(const sf::Event::MouseButtonEvent& button, sf::Vector2i) override
    {
        journal_.push_back(name_ + " click " + std::to_string(button.button));
        return StateCode::Stay;
    }
    void joystickConnected(unsigned id) override { journal_.push_back(name_ + " joystick " + std::to_string(id)); }
    StateCode update(float) override
    {
        journal_.push_back(name_ + " update");
        polled.push_back(input::isKeyPressed(sf::Keyboard::S));
        return updateCode;
    }
    void draw(sf::RenderWindow&) override { journal_.push_back(name_ + " draw"); }

    std::map<int, StateCode> keyCodes;
    StateCode updateCode = StateCode::Stay;
    std::vector<bool> polled; // whether S read as held, update by update

private:
    Journal& journal_;
    std::string name_;
    std::vector<unsigned> scores_;
};

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override { openTestWindow(window); }

    // The loop takes the first state over; the test keeps watching it.
    MainLoop& makeLoop(MainState* first)
    {
        StateFactory f;
        f.cinematic = [this](const std::vector<unsigned>& s) {
            handedScores = s;
            return std::make_unique<ScriptedState>(journal, "cinematic");
        };
        f.menuWithoutLogos = [this] { return std::make_unique<ScriptedState>(journal, "menu"); };
        f.game = [this](GameMode mode) {
            return std::make_unique<ScriptedState>(journal, "game" + std::to_string(static_cast<int>(mode)));
        };
        f.highScores = [this](const std::vector<unsigned>& s) {
            handedScores = s;
            return std::make_unique<ScriptedState>(journal, "scores");
        };
        loop = std::make_unique<MainLoop>(window, f, std::unique_ptr<MainState>(first));
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

namespace {

sf::Event joystickEvent(sf::Event::EventType type, unsigned id)
{
    sf::Event e;
    e.type = type;
    e.joystickConnect.joystickId = id;
    return e;
}

// One frame of the loop over a first state that answers keys and its update with scripted codes.
struct LoopFrame {
    const char* what;
    std::vector<unsigned> scores;      // the first state's scores
    std::map<int, StateCode> keyCodes; // its answers to key presses
    StateCode updateCode;              // its update's answer
    std::vector<sf::Event> events;     // what the window reports during the frame
    bool running;                      // the frame's answer: the window stays open
    std::vector<std::string> journal;  // what the states were asked, in order
    std::vector<unsigned> handed;      // the scores handed to the next state ({9}: none was built)
};

sf::Event mousePress(sf::Mouse::Button button)
{
    sf::Event e;
    e.type = sf::Event::MouseButtonPressed;
    e.mouseButton = {button, 100, 200};
    return e;
}

const std::string KEY_EVENT = "event " + std::to_string(sf::Event::KeyPressed);
const std::string CLICK_EVENT = "event " + std::to_string(sf::Event::MouseButtonPressed);
const std::string CONNECTED_EVENT = "event " + std::to_string(sf::Event::JoystickConnected);
const std::string DISCONNECTED_EVENT = "event " + std::to_string(sf::Event::JoystickDisconnected);

const LoopFrame LOOP_FRAMES[] = {
    {"quit on the first key ends everything at once", {}, {{sf::Keyboard::Escape, StateCode::Quit}}, StateCode::Stay,
     {keyEvent(sf::Keyboard::Escape), keyEvent(sf::Keyboard::Space)}, false,
     {"first " + KEY_EVENT, "first key", "delete first"}, {9}},
    {"a code deletes the old state before building the new one, drawn in the same frame", {120u, 45u}, {},
     StateCode::HighScores, {}, true, {"first update", "delete first", "build scores", "scores draw"}, {120u, 45u}},
    {"a quit from the update ends the frame before anything is drawn", {}, {}, StateCode::Quit, {}, false,
     {"first update", "delete first"}, {9}},
    {"a state without scores hands over an empty list", {}, {}, StateCode::Cinematic, {}, true,
     {"first update", "delete first", "build cinematic", "cinematic draw"}, {}},
    {"stay and unknown codes change nothing", {},
     {{sf::Keyboard::A, StateCode::Stay}, {sf::Keyboard::B, static_cast<StateCode>(1)},
      {sf::Keyboard::C, static_cast<StateCode>(9)}, {sf::Keyboard::D, static_cast<StateCode>(-5)}},
     StateCode::Stay,
     {keyEvent(sf::Keyboard::A), keyEvent(sf::Keyboard::B), keyEvent(sf::Keyboard::C), keyEvent(sf::Keyboard::D)}, true,
     {"first " + KEY_EVENT, "first key", "first " + KEY_EVENT, "first key", "first " + KEY_EVENT, "first key",
      "first " + KEY_EVENT, "first key", "first update", "first draw"}, {9}},
    {"a mouse press goes to the state (the editor places spawners with it)", {}, {}, StateCode::Stay,
     {mousePress(sf::Mouse::Right)}, true, {"first " + CLICK_EVENT, "first click 1", "first update", "first draw"}, {9}},
    {"the next event of a poll goes to the new state", {}, {{sf::Keyboard::Return, StateCode::GameEditor}},
     StateCode::Stay,
     {keyEvent(sf::Keyboard::Return), joystickEvent(sf::Event::JoystickConnected, 2),
      joystickEvent(sf::Event::JoystickDisconnected, 1)}, true,
     {"first " + KEY_EVENT, "first key", "delete first", "build game2", "game2 " + CONNECTED_EVENT, "game2 joystick 2",
      "game2 " + DISCONNECTED_EVENT, "game2 update", "game2 draw"}, {9}},
};

} // namespace

TEST_F(MainLoopTest, CodesOfKeysAndUpdatesReplaceTheStateInOrderOrChangeNothing)
{
    EXPECT_EQ(window.getSize(), sf::Vector2u(1920, 1080));
    EXPECT_EQ(window.getSettings().depthBits, 0u);
    for (const LoopFrame& row : LOOP_FRAMES) {
        auto* first = new ScriptedState(journal, "first", row.scores);
        first->keyCodes = row.keyCodes;
        first->updateCode = row.updateCode;
        MainLoop& l = makeLoop(first);
        events.assign(row.events.begin(), row.events.end());
        journal.clear();
        handedScores = {9};
        EXPECT_EQ(l.runFrame(), row.running) << row.what;
        EXPECT_EQ(journal, row.journal) << row.what;
        EXPECT_EQ(handedScores, row.handed) << row.what;
        EXPECT_EQ(window.isOpen(), row.running) << row.what;
        loop.reset();
        openTestWindow(window);
    }
    // The window's own joystick events are dropped, from a button press to a disconnection
    // (the pads' changes come from the pad layer); its neighbours in SFML's list pass.
    using E = sf::Event;
    for (E::EventType type : {E::JoystickButtonPressed, E::JoystickButtonReleased, E::JoystickMoved,
                              E::JoystickConnected, E::JoystickDisconnected})
        EXPECT_TRUE(isSfmlJoystickEvent(type)) << type;
    for (E::EventType type : {E::MouseLeft, E::TouchBegan, E::KeyPressed})
        EXPECT_FALSE(isSfmlJoystickEvent(type)) << type;
}

TEST_F(MainLoopTest, ATapShorterThanAFrameIsHeldForThatFrameOnlyAndNotSeenAgainByTheNextState)
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

    // A press that changes the state: the new game state updates in the same frame, without it.
    input.keyboard.release(sf::Keyboard::S);
    s->keyCodes[sf::Keyboard::S] = StateCode::GameStory;
    events = {keyEvent(sf::Keyboard::S)};
    l.runFrame();
    auto* game = dynamic_cast<ScriptedState*>(l.currentState());
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->polled, (std::vector<bool>{false}));
}

// The window as the player gets it: at the screen's top left (on a screen larger than the
// game's), with the game's icon (kept when there is none to set), its own events drained each
// frame, the keyboard read afresh each frame.
TEST_F(MainLoopTest, TheWindowSitsTopLeftWithItsIconAndEachFrameReadsEventsAndKeysAfresh)
{
    if (sf::VideoMode::getDesktopMode().width > game_window::WIDTH) {
        EXPECT_EQ(window.getPosition(), sf::Vector2i(0, 0));
    }

    sf::Image icon;
    icon.create(1, 3, sf::Color::Red); // as thin as an icon gets
    applyWindowIcon(window, icon);
    // A missing or unreadable icon file leaves an empty image: the window keeps the icon it has
    // (handed to X, an empty icon is an error that ends the program).
    applyWindowIcon(window, sf::Image());
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window.getSystemHandle(), XInternAtom(display, "_NET_WM_ICON", False), 0, 8, False,
                       XA_CARDINAL, &type, &format, &count, &after, &data);
    ASSERT_NE(data, nullptr) << "no icon";
    const auto* words = reinterpret_cast<const unsigned long*>(data);
    EXPECT_EQ(words[0], 1u);
    EXPECT_EQ(words[1], 3u);
    XFree(data);
    XCloseDisplay(display);

    // The window's own queue runs dry (the loop must not wait on it, nor read an event twice).
    MainLoop own(window, StateFactory{}, std::make_unique<ScriptedState>(journal, "own"));
    sf::Event event;
    bool delivered = true;
    for (int poll = 0; poll < 100; ++poll)
        delivered = own.pollEvent(event);
    EXPECT_FALSE(delivered);

    // Each frame reads the keyboard afresh from the X server.
    long queries = input::keyboardServerQueries();
    for (int frame = 0; frame < 2; ++frame) {
        input::beginFrame();
        input::isKeyPressed(sf::Keyboard::A);
        EXPECT_GT(input::keyboardServerQueries(), queries);
        queries = input::keyboardServerQueries();
    }
    // Without frames, a reading is taken again once it is a twentieth of a second old.
    std::this_thread::sleep_for(std::chrono::milliseconds(70));
    input::isKeyPressed(sf::Keyboard::A);
    EXPECT_GT(input::keyboardServerQueries(), queries);
}

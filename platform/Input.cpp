#include "platform/Input.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <array>
#include <bitset>
#include <chrono>

namespace input {
namespace {

constexpr int KEY_COUNT = sf::Keyboard::KeyCount;

// The X key symbol of each of our keys (0: none).
KeySym keySymOf(sf::Keyboard::Key key)
{
    using K = sf::Keyboard;
    if (key >= K::A && key <= K::Z)
        return XK_a + (key - K::A);
    if (key >= K::Num0 && key <= K::Num9)
        return XK_0 + (key - K::Num0);
    if (key >= K::Numpad0 && key <= K::Numpad9)
        return XK_KP_0 + (key - K::Numpad0);
    if (key >= K::F1 && key <= K::F15)
        return XK_F1 + (key - K::F1);
    static const std::array<std::pair<K::Key, KeySym>, 40> OTHERS = {{
        {K::Escape, XK_Escape},       {K::LControl, XK_Control_L},    {K::LShift, XK_Shift_L},
        {K::LAlt, XK_Alt_L},          {K::LSystem, XK_Super_L},       {K::RControl, XK_Control_R},
        {K::RShift, XK_Shift_R},      {K::RAlt, XK_Alt_R},            {K::RSystem, XK_Super_R},
        {K::Menu, XK_Menu},           {K::LBracket, XK_bracketleft},  {K::RBracket, XK_bracketright},
        {K::Semicolon, XK_semicolon}, {K::Comma, XK_comma},           {K::Period, XK_period},
        {K::Quote, XK_apostrophe},    {K::Slash, XK_slash},           {K::Backslash, XK_backslash},
        {K::Tilde, XK_grave},         {K::Equal, XK_equal},           {K::Hyphen, XK_minus},
        {K::Space, XK_space},         {K::Enter, XK_Return},          {K::Backspace, XK_BackSpace},
        {K::Tab, XK_Tab},             {K::PageUp, XK_Prior},          {K::PageDown, XK_Next},
        {K::End, XK_End},             {K::Home, XK_Home},             {K::Insert, XK_Insert},
        {K::Delete, XK_Delete},       {K::Add, XK_KP_Add},            {K::Subtract, XK_KP_Subtract},
        {K::Multiply, XK_KP_Multiply}, {K::Divide, XK_KP_Divide},     {K::Pause, XK_Pause},
        {K::Left, XK_Left},           {K::Right, XK_Right},           {K::Up, XK_Up},
        {K::Down, XK_Down},
    }};
    for (const auto& entry : OTHERS)
        if (entry.first == key)
            return entry.second;
    return 0;
}

// The live keyboard: one XQueryKeymap per snapshot, on a connection of its own.
class XKeyboard {
public:
    ~XKeyboard()
    {
        if (display_)
            XCloseDisplay(display_);
    }
    bool isKeyPressed(sf::Keyboard::Key key)
    {
        if (!connect())
            return false;
        refreshIfStale();
        const int code = keyCodes_[static_cast<size_t>(key)];
        return code > 0 && (keymap_[static_cast<size_t>(code) / 8] & (1 << (code % 8))) != 0;
    }
    void expire() { fresh_ = false; }
    long queries() const { return queries_; }

private:
    // A snapshot lasts the frame; without a main loop driving frames, a short while.
    static constexpr std::chrono::milliseconds MAX_AGE{50};

    bool connect()
    {
        if (!triedToConnect_) {
            triedToConnect_ = true;
            display_ = XOpenDisplay(nullptr);
            if (display_)
                for (int k = 0; k < KEY_COUNT; ++k) {
                    const KeySym sym = keySymOf(static_cast<sf::Keyboard::Key>(k));
                    keyCodes_[static_cast<size_t>(k)] = sym ? XKeysymToKeycode(display_, sym) : 0;
                }
        }
        return display_ != nullptr;
    }
    void refreshIfStale()
    {
        const auto now = std::chrono::steady_clock::now();
        if (fresh_ && now - takenAt_ < MAX_AGE)
            return;
        XQueryKeymap(display_, keymap_.data());
        ++queries_;
        takenAt_ = now;
        fresh_ = true;
    }

    Display* display_ = nullptr;
    bool triedToConnect_ = false;
    std::array<int, KEY_COUNT> keyCodes_{};
    std::array<char, 32> keymap_{};
    bool fresh_ = false;
    std::chrono::steady_clock::time_point takenAt_;
    long queries_ = 0;
};

KeyboardSource* g_keyboard = nullptr;
XKeyboard g_liveKeyboard;
std::bitset<KEY_COUNT> g_latched;

bool isKnownKey(sf::Keyboard::Key key) { return key >= 0 && key < KEY_COUNT; }

} // namespace

void setKeyboard(KeyboardSource* source) { g_keyboard = source; }

bool isKeyPressed(sf::Keyboard::Key key)
{
    if (isKnownKey(key) && g_latched.test(static_cast<size_t>(key)))
        return true;
    if (g_keyboard)
        return g_keyboard->isKeyPressed(key);
    return isKnownKey(key) && g_liveKeyboard.isKeyPressed(key);
}

void beginFrame()
{
    clearLatchedPresses();
    g_liveKeyboard.expire();
}

void clearLatchedPresses() { g_latched.reset(); }

void latchPress(sf::Keyboard::Key key)
{
    if (isKnownKey(key))
        g_latched.set(static_cast<size_t>(key));
}

long keyboardServerQueries() { return g_liveKeyboard.queries(); }

} // namespace input

namespace timing {
namespace {
TimeSource* g_source = nullptr;
}
void setTimeSource(TimeSource* source) { g_source = source; }
sf::Time now()
{
    if (g_source)
        return g_source->now();
    using namespace std::chrono;
    return sf::microseconds(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}
} // namespace timing

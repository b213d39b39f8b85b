#include "platform/Input.h"

#include <chrono>

namespace input {
namespace {
KeyboardSource* g_keyboard = nullptr;
}
void setKeyboard(KeyboardSource* source) { g_keyboard = source; }
bool isKeyPressed(sf::Keyboard::Key key)
{
    if (g_keyboard)
        return g_keyboard->isKeyPressed(key);
    if (key < 0 || key >= sf::Keyboard::KeyCount)
        return false;
    return sf::Keyboard::isKeyPressed(key);
}
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

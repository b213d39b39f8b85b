#pragma once
// Seams over the keyboard and the clocks, so that bindings and timed updates
// can be driven by tests with synthetic keys and fixed times.
#include <SFML/System/Time.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <set>

namespace input {

class KeyboardSource {
public:
    virtual ~KeyboardSource() = default;
    virtual bool isKeyPressed(sf::Keyboard::Key key) = 0;
};

// Keys held by a test.
class FakeKeyboard : public KeyboardSource {
public:
    bool isKeyPressed(sf::Keyboard::Key key) override { return held.count(key) != 0; }
    void press(sf::Keyboard::Key key) { held.insert(key); }
    void release(sf::Keyboard::Key key) { held.erase(key); }
    void releaseAll() { held.clear(); }
    std::set<sf::Keyboard::Key> held;
};

// The live keyboard unless a test installed another source (not owned; null restores it).
void setKeyboard(KeyboardSource* source);
// Held now, or pressed in one of this frame's window events (main thread).
// The live keyboard is read as one snapshot of every key per frame: one
// round trip to the X server however many keys a frame asks about.
bool isKeyPressed(sf::Keyboard::Key key);

// The main loop's frame boundary: forgets the last frame's latched presses and
// its keyboard snapshot.
void beginFrame();
// A key press seen in the window's events since the frame began: the key
// counts as held until the next frame begins, however short the tap was.
void latchPress(sf::Keyboard::Key key);
// Forgets the presses latched so far (the state that saw them is gone).
void clearLatchedPresses();
// Round trips made to the X server for the keyboard so far (for benchmarks).
long keyboardServerQueries();

} // namespace input

namespace timing {

// A source of monotonic time. The real one is the system's steady clock; a
// test installs a FakeTimeSource and advances it by hand.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual sf::Time now() = 0;
};

class FakeTimeSource : public TimeSource {
public:
    sf::Time now() override { return current; }
    void advance(float seconds) { current += sf::seconds(seconds); }
    sf::Time current = sf::Time::Zero;
};

void setTimeSource(TimeSource* source);
sf::Time now();

// Drop-in for sf::Clock that reads the installed time source.
class Clock {
public:
    Clock() : start_(now()) {}
    sf::Time getElapsedTime() const { return now() - start_; }
    sf::Time restart()
    {
        sf::Time t = now();
        sf::Time elapsed = t - start_;
        start_ = t;
        return elapsed;
    }

private:
    sf::Time start_;
};

} // namespace timing

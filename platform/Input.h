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
bool isKeyPressed(sf::Keyboard::Key key);

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

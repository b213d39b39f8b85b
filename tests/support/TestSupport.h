#pragma once
// Shared helpers for the tests: synthetic input and time, windows and screenshots.
#include "platform/GamePad.h"
#include "platform/Input.h"

#include <SFML/Graphics.hpp>
#include <functional>
#include <string>

struct Services;
class TextureCache;

namespace testing_support {

// The engine's parts, for building play objects as the game hands them in.
Services services();
TextureCache& textures();

// Installs a fake keyboard, fake pads and a fake clock for the test's lifetime.
struct SyntheticInput {
    SyntheticInput();
    ~SyntheticInput();
    input::FakeKeyboard keyboard;
    pad::FakePadBackend pads;
    timing::FakeTimeSource clock;
};

// A temporary directory removed at destruction.
struct TempDir {
    TempDir();
    ~TempDir();
    std::string path;
    std::string file(const std::string& name) const { return path + "/" + name; }
};

// The working directory switched to `path` for the holder's lifetime.
struct InDirectory {
    explicit InDirectory(const std::string& path);
    ~InDirectory();
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;
    std::string previous;
};

// Writes text to a file (creating folders).
void writeFile(const std::string& path, const std::string& text);
std::string readFile(const std::string& path);
// How many times `part` stands in `text` (the error stream a test captured, say).
int occurrences(const std::string& text, const std::string& part);

// Opens the game window's twin for drawing tests (needs an X display).
void openTestWindow(sf::RenderWindow& window);
// Call after drawing and before display(). Copies the window's picture to an image and saves it under the screenshot
// folder (ORBYNDEL_SHOT_DIR or ./screenshots) as name + ".png".
sf::Image screenshot(sf::RenderWindow& window, const std::string& name);
// Perceived brightness of a colour, 0..255.
float luminance(sf::Color c);
// Pixels of the area whose brightness in `picture` stands at least `step` apart (either way)
// from the same pixel in `without`: how much of the picture a thing drawn there changes.
int pixelsStandingOut(const sf::Image& picture, const sf::Image& without, sf::IntRect area, float step);
// Pixels that differ in any way between two pictures of one size.
int pixelsApart(const sf::Image& a, const sf::Image& b);
// Fraction of pixels, sampled every second one, inside the rectangle whose colour `counts`.
float share(const sf::Image& image, sf::IntRect area, const std::function<bool(sf::Color)>& counts);
// Fraction of pixels, sampled every second one, inside the rectangle that are not the background.
float coverage(const sf::Image& image, sf::IntRect area, sf::Color background);
// A strong red, the colour of titles and warnings.
bool strongRed(sf::Color c);

} // namespace testing_support

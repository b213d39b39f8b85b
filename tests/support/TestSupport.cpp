#include "support/TestSupport.h"

#include "app/MainLoop.h"
#include "engine/Engine.h"
#include "engine/Services.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace testing_support {

Services services() { return servicesOf(engine()); }

TextureCache& textures() { return engine().textures; }

SyntheticInput::SyntheticInput()
{
    input::setKeyboard(&keyboard);
    pad::setBackend(&pads);
    timing::setTimeSource(&clock);
}

SyntheticInput::~SyntheticInput()
{
    input::setKeyboard(nullptr);
    pad::setBackend(nullptr);
    timing::setTimeSource(nullptr);
}

TempDir::TempDir()
{
    std::random_device rd;
    fs::path p = fs::temp_directory_path() / ("orbyndel-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(p);
    path = p.string();
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(path, ec);
}

InDirectory::InDirectory(const std::string& path) : previous(fs::current_path().string())
{
    fs::current_path(path);
}

InDirectory::~InDirectory()
{
    std::error_code ec;
    fs::current_path(previous, ec);
}

void writeFile(const std::string& path, const std::string& text)
{
    fs::path p(path);
    if (p.has_parent_path())
        fs::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int occurrences(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); !part.empty() && at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

void openTestWindow(sf::RenderWindow& window)
{
    game_window::open(window);
    window.setFramerateLimit(0);
}

sf::Image screenshot(sf::RenderWindow& window, const std::string& name)
{
    sf::Texture texture;
    texture.create(window.getSize().x, window.getSize().y);
    texture.update(window);
    sf::Image image = texture.copyToImage();
    const char* dir = std::getenv("ORBYNDEL_SHOT_DIR");
    fs::path folder = dir ? fs::path(dir) : fs::path("screenshots");
    fs::create_directories(folder);
    image.saveToFile((folder / (name + ".png")).string());
    return image;
}

float luminance(sf::Color c) { return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b; }

int pixelsStandingOut(const sf::Image& picture, const sf::Image& without, sf::IntRect area, float step)
{
    int count = 0;
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x) {
            const unsigned ux = static_cast<unsigned>(x), uy = static_cast<unsigned>(y);
            count += std::abs(luminance(picture.getPixel(ux, uy)) - luminance(without.getPixel(ux, uy))) >= step;
        }
    return count;
}

int pixelsApart(const sf::Image& a, const sf::Image& b)
{
    int apart = 0;
    for (unsigned y = 0; y < a.getSize().y; ++y)
        for (unsigned x = 0; x < a.getSize().x; ++x)
            apart += a.getPixel(x, y) != b.getPixel(x, y);
    return apart;
}

float share(const sf::Image& image, sf::IntRect area, const std::function<bool(sf::Color)>& counts)
{
    int counted = 0, total = 0;
    for (int y = area.top; y < area.top + area.height; y += 2)
        for (int x = area.left; x < area.left + area.width; x += 2, ++total)
            counted += counts(image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)));
    return total ? static_cast<float>(counted) / total : 0.f;
}

float coverage(const sf::Image& image, sf::IntRect area, sf::Color background)
{
    return share(image, area, [background](sf::Color c) { return c != background; });
}

bool strongRed(sf::Color c) { return c.r > 160 && c.g < 110 && c.b < 110; }

} // namespace testing_support

#include "app/Startup.h"

#include "app/SoundManager.h"
#include "app/SoundManagerInstance.h"
#include "engine/Engine.h"
#include "platform/AssetPath.h"
#include "platform/Random.h"

#include <cstdlib>
#include <ctime>

namespace {
SoundManager* g_soundManager = nullptr;

// Runs at exit, before the audio library unloads: streams still playing then would race its
// teardown of the device (an abort now and then when the game ends during music).
void releaseSoundManager()
{
    delete g_soundManager;
    g_soundManager = nullptr;
}
} // namespace

SoundManager& soundManager()
{
    if (!g_soundManager) {
        g_soundManager = new SoundManager(); // lives until the process ends
        std::atexit(releaseSoundManager);
    }
    return *g_soundManager;
}

bool soundManagerExists() { return g_soundManager != nullptr; }

sf::Image startGame()
{
    seedRandom15(static_cast<unsigned>(std::time(nullptr)));
    sf::Image icon;
    if (assetExists("2D/Icon.png"))
        icon.loadFromFile(resolveAssetPath("2D/Icon.png"));
    soundManager();
    engine().initResources();
    return icon;
}

void applyWindowIcon(sf::RenderWindow& window, const sf::Image& icon)
{
    const sf::Vector2u size = icon.getSize();
    if (size.x == 0 || size.y == 0)
        return;
    window.setIcon(size.x, size.y, icon.getPixelsPtr());
}

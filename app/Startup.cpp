#include "app/Startup.h"

#include "audio/SoundManagerInstance.h"
#include "engine/Engine.h"
#include "platform/AssetPath.h"
#include "platform/Random.h"
#include "screens/MenuScene.h"

#include <ctime>

sf::Image startGame()
{
    seedRandom15(static_cast<unsigned>(std::time(nullptr)));
    sf::Image icon;
    if (assetExists("2D/Icon.png"))
        icon.loadFromFile(resolveAssetPath("2D/Icon.png"));
    soundManager();
    engine().initResources();
    // Known from the start, so that a scene leading to the menu preloads its hangar.
    installMenuScene();
    return icon;
}

void applyWindowIcon(sf::RenderWindow& window, const sf::Image& icon)
{
    const sf::Vector2u size = icon.getSize();
    if (size.x == 0 || size.y == 0)
        return;
    window.setIcon(size.x, size.y, icon.getPixelsPtr());
}

#include "app/MainLoop.h"
#include "app/Startup.h"
#include "engine/Engine.h"
#include "engine/Level3Background.h"

// The game's only global object: the window, opened before main runs.
sf::RenderWindow gameWindow(sf::VideoMode(game_window::WIDTH, game_window::HEIGHT, game_window::BITS_PER_PIXEL),
                            game_window::TITLE, sf::Style::None, game_window::contextSettings());

int main()
{
    // The window covers the screen from its top-left corner, whatever the desktop's centring.
    gameWindow.setPosition(sf::Vector2i(0, 0));
    sf::Image icon = startGame();
    // The first state draws its loading frame into the window.
    engine().renderer.window = &gameWindow;
    std::unique_ptr<MainState> first = makeFirstState();
    gameWindow.setMouseCursorVisible(true);
    applyWindowIcon(gameWindow, icon);

    Level3Background background;
    background.window = &gameWindow;
    background.frameTime = &engine().timing.frameTime;
    background.load();
    engine().world.attachLevel3Background(&background);

    gameWindow.setMouseCursorVisible(true);
    gameWindow.setVerticalSyncEnabled(true);
    gameWindow.setFramerateLimit(60);

    {
        MainLoop loop(gameWindow, defaultStateFactory(), std::move(first));
        loop.run();
    }
    engine().world.attachLevel3Background(nullptr);
    return 0;
}

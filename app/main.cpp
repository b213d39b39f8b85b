#include "app/MainLoop.h"
#include "app/Startup.h"
#include "engine/Engine.h"

// The game's only global object: the window, opened before main runs.
sf::RenderWindow gameWindow(sf::VideoMode(game_window::WIDTH, game_window::HEIGHT, game_window::BITS_PER_PIXEL),
                            game_window::TITLE, sf::Style::None, game_window::contextSettings());

int main()
{
    sf::Image icon = startGame();
    engine().window = &gameWindow;
    MainState* first = makeFirstState();
    gameWindow.setMouseCursorVisible(true);
    applyWindowIcon(gameWindow, icon);
    gameWindow.setVerticalSyncEnabled(true);
    gameWindow.setFramerateLimit(60);

    MainLoop loop(gameWindow, defaultStateFactory(), first);
    loop.run();
    return 0;
}

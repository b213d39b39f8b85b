#include "app/MainLoop.h"
#include "gameplay/GameState.h"
#include "screens/CinematicState.h"
#include "screens/HighScoresState.h"
#include "screens/MainMenuState.h"
#include "screens/MenuState.h"

#include <memory>

// The states of the game, as the main loop builds them from state codes.
StateFactory defaultStateFactory()
{
    StateFactory f;
    f.cinematic = [](const std::vector<unsigned>& scores) { return std::make_unique<CinematicState>(scores); };
    f.menuWithoutLogos = [] { return std::make_unique<MenuState>(std::make_unique<MainMenuState>(false)); };
    f.highScores = [](const std::vector<unsigned>& scores) { return std::make_unique<HighScoresState>(scores); };
    // Transitional: GameState takes its mode as the number until it takes a GameMode.
    f.game = [](GameMode mode) { return std::make_unique<GameState>(static_cast<int>(mode)); };
    return f;
}

std::unique_ptr<MainState> makeFirstState() { return std::make_unique<MenuState>(std::make_unique<MainMenuState>(true)); }

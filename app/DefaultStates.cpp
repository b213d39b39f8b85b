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
    f.cinematic = [](const std::vector<unsigned>& scores) { return new CinematicState(scores); };
    f.menuWithoutLogos = [] { return new MenuState(std::make_unique<MainMenuState>(false)); };
    f.highScores = [](const std::vector<unsigned>& scores) { return new HighScoresState(scores); };
    f.game = [](int mode) { return new GameState(mode); };
    return f;
}

MainState* makeFirstState() { return new MenuState(std::make_unique<MainMenuState>(true)); }

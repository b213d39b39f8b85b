#include "app/MainLoop.h"
#include "engine/Engine.h"
#include "engine/Services.h"
#include "gameplay/GameState.h"
#include "screens/CinematicState.h"
#include "screens/HighScoresState.h"
#include "screens/MainMenuState.h"
#include "screens/MenuState.h"

#include <memory>

// The states of the game, as the main loop builds them from state codes, each
// handed the parts of the one engine it uses.
StateFactory defaultStateFactory()
{
    const Services services = servicesOf(engine());
    StateFactory f;
    f.cinematic = [services](const std::vector<unsigned>& scores) {
        return std::make_unique<CinematicState>(services, scores);
    };
    f.menuWithoutLogos = [services] {
        return std::make_unique<MenuState>(std::make_unique<MainMenuState>(services, false));
    };
    f.highScores = [services](const std::vector<unsigned>& scores) {
        return std::make_unique<HighScoresState>(services, scores);
    };
    f.game = [services](GameMode mode) { return std::make_unique<GameState>(mode, services); };
    return f;
}

std::unique_ptr<MainState> makeFirstState()
{
    return std::make_unique<MenuState>(std::make_unique<MainMenuState>(servicesOf(engine()), true));
}

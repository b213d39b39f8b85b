#include "app/MainLoop.h"
#include "app/ScaffoldState.h"

// The states of the game, as the main loop builds them from state codes.
StateFactory defaultStateFactory()
{
    StateFactory f;
    f.menuWithoutLogos = [] { return new ScaffoldState(); };
    return f;
}

MainState* makeFirstState() { return new ScaffoldState(); }

#include "audio/SoundManagerInstance.h"

#include "audio/SoundManager.h"

#include <SFML/System/Err.hpp>

#include <cstdlib>
#include <memory>

namespace {
// The game's one manager; it lives until the process ends.
std::unique_ptr<SoundManager> g_soundManager;

// Runs at exit, before the audio library unloads: streams still playing then would race its
// teardown of the device (an abort now and then when the game ends during music).
void releaseAtExit() { g_soundManager.reset(); }
} // namespace

SoundManager& soundManager()
{
    // The audio library reports failed releases (no sound card, a lost device) on the error
    // stream while the manager goes at exit; made first, that stream is torn down after it.
    static std::ostream& errorStream = sf::err();
    (void)errorStream;
    static const bool releasedAtExit = std::atexit(releaseAtExit) == 0;
    (void)releasedAtExit;
    if (!g_soundManager)
        g_soundManager = std::make_unique<SoundManager>();
    return *g_soundManager;
}

void releaseSoundManager() { g_soundManager.reset(); }

SoundManager& reloadSoundManager()
{
    releaseSoundManager(); // its sources go back to the device before the new manager asks
    return soundManager();
}

#pragma once
// The game's one sound manager, created on first use (start-up creates it).
// There is never a second one: the device's sources would not last for two.
class SoundManager;

SoundManager& soundManager();
// Silences and frees the manager; the next soundManager() loads the sounds again.
void releaseSoundManager();
// Loads the sounds again from the current asset tree, the old manager freed first.
SoundManager& reloadSoundManager();

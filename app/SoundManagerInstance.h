#pragma once
// The game's one sound manager, created on first use (start-up creates it).
class SoundManager;

SoundManager& soundManager();
bool soundManagerExists();

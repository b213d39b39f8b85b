#pragma once
// What the menu chooses for a run and play reads: difficulty, cheats, the
// level to start from, and the pause. Reset with `engine().run = RunSettings{}`.

// The values are the difficulty page's item ids; any other value (a cursor
// that stood elsewhere) passes through and reads as outside every table.
enum class Difficulty : int { Easy = 19, Normal = 20, Hard = 21 };

struct RunSettings {
    Difficulty difficulty = Difficulty::Normal;
    bool cheatLives = false;
    bool cheatLaser = false;
    int startLevel = 0; // 0 level 1, 1 level 2, 2 level 3, 3 level 4
    bool paused = false;
};

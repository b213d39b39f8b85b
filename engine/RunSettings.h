#pragma once
// What the menu chooses for a run and play reads: difficulty, cheats, the
// level to start from, and the pause. Reset with `engine().run = RunSettings{}`.

enum Difficulty : int { DIFFICULTY_EASY = 19, DIFFICULTY_NORMAL = 20, DIFFICULTY_HARD = 21 };

struct RunSettings {
    int difficulty = DIFFICULTY_NORMAL;
    bool cheatLives = false;
    bool cheatLaser = false;
    int startLevel = 0; // 0 level 1, 1 level 2, 2 level 3, 3 level 4
    bool paused = false;
};

#pragma once
// The game's random numbers keep the classic 15-bit range: every formula that
// scales a random value divides by RANDOM15_MAX (32767), so do not use std::rand.

constexpr int RANDOM15_MAX = 32767;

// Seeds the generator (start-up seeds it with the current time).
void seedRandom15(unsigned seed);
// A value in 0..RANDOM15_MAX.
int random15();
// A float in [0, 1].
inline float random15Unit() { return static_cast<float>(random15()) / RANDOM15_MAX; }

#pragma once
// The engine's once-per-frame step: measures the frame time (clamped to 0.02 s)
// and advances the 3D world.
void updateEngineFrame();
// Measures the frame time the whole game runs on (seconds since the last
// measure, clamped to 0 .. 0.02 s), and stops or restarts the shaders' clock
// as the game is paused or not. The engine step does it first; frames that
// skip the engine step (the shader-background scenes) call it themselves.
void measureFrameTime();

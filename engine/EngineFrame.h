#pragma once
// The engine's once-per-frame step: measures the frame time (clamped to 0.02 s)
// and advances the 3D world.
void updateEngineFrame();

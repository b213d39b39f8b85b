#pragma once
// The look every hostile shot shares, so that a player learns it once: a white-hot core
// in a light body of the shot's colour, a rim of the full colour and a dark edge round
// the whole shape. The core and body read over dark space, the edge over bright walls,
// tunnels and explosions.
#include "tools/assetgen/Canvas.h"

namespace assetgen {

constexpr float DANGER_EDGE_WIDTH = 2.f;

// The rim of a shot of this colour: lifted a little, so that dark reds and blues still
// stand out from dark space.
Rgba dangerRim(Rgba colour);
// The light body of a shot of this colour.
Rgba dangerBody(Rgba colour);
// Rings what the cell holds with the dark edge (`width` pixels; big shots take a wider one).
void edgeAsDanger(Canvas& cell, float width = DANGER_EDGE_WIDTH);
// A round shot of outer radius r and rim colour `rim`; pulse 0..1 swells the core.
void paintDangerOrb(Canvas& c, float cx, float cy, float r, Rgba rim, float pulse);
// 0..1 over a loop of `frames` frames: how far the core has swollen at frame f.
float dangerPulse(int f, int frames);

} // namespace assetgen

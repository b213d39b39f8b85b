#include "tools/assetgen/DangerArt.h"

#include <cmath>

namespace assetgen {

namespace {
const Rgba EDGE = rgb(6, 4, 14, 0.95f);
const Rgba WHITE = rgb(255, 255, 255);
} // namespace

Rgba dangerRim(Rgba colour) { return mix(colour, WHITE, 0.2f); }

Rgba dangerBody(Rgba colour) { return mix(colour, WHITE, 0.5f); }

void edgeAsDanger(Canvas& cell, float width) { cell.edgeShapes(EDGE, width); }

void paintDangerOrb(Canvas& c, float cx, float cy, float r, Rgba rim, float pulse)
{
    c.fillCircle(cx, cy, r, rim);
    c.fillCircle(cx, cy, r * 0.78f, dangerBody(rim));
    c.glow(cx, cy, r * 0.75f, WHITE, 0.8f, 1.2f);
    c.fillCircle(cx, cy, r * (0.34f + 0.12f * pulse), WHITE);
}

float dangerPulse(int f, int frames) { return 0.5f + 0.5f * std::sin(f * 6.2831853f / frames); }

} // namespace assetgen

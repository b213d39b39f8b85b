#pragma once
// Painted metal for the 3D models: panelled hull plates with seams, rivets,
// grime and optional hazard stripes, plus matching glow (emissive) sheets.
#include "tools/assetgen/Canvas.h"

namespace assetgen {

struct HullStyle {
    Rgba base;
    Rgba seam;
    int panels = 8;      // panels across the sheet
    float grime = 0.25f; // noise tint amount
    int seed = 1;
};

Canvas paintHull(int width, int height, const HullStyle& style);
// Black sheet with small glowing windows in rows (for emissive maps).
Canvas paintWindows(int width, int height, Rgba light, float density, int seed);
// Diagonal hazard stripes in a rectangle.
void hazardStripes(Canvas& c, float x, float y, float w, float h, Rgba a, Rgba b, float stripe);

} // namespace assetgen

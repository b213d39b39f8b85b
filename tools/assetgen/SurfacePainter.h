#pragma once
// Per-pixel painting helpers for the 3D content's textures: seamless noise,
// sphere-mapped noise for planets, and normal maps derived from height fields.
#include "tools/assetgen/Canvas.h"

#include <functional>
#include <string>
#include <vector>

namespace assetgen {

// Fractal noise in about -1..1.
float fbm3(float x, float y, float z, int octaves);
// Fractal noise over the unit square that tiles seamlessly; baseFrequency a power of two.
float tileFbm(float u, float v, int baseFrequency, int octaves, int seed);
// Ridged cells: distance to the nearest of a tiling grid of jittered points (0 at a point, about 1 at an edge).
float tileCells(float u, float v, int cellsPerSide, int seed);
float hash01(int x, int y, int seed);

// A height field with its size.
struct HeightField {
    int width = 0, height = 0;
    std::vector<float> values;
    float at(int x, int y) const;
};

// Fills a canvas from a function of (u, v) in 0..1 (pixel centres), rows top to bottom with v falling.
void paint(Canvas& canvas, const std::function<Rgba(float u, float v)>& colourAt);
HeightField sampleHeight(int width, int height, const std::function<float(float u, float v)>& heightAt);
// Tangent-space normal map (flat = (128, 128, 255)); x wraps horizontally.
bool saveNormalMap(const HeightField& field, float strength, const std::string& path);
// Greyscale image of a function in 0..1.
bool saveGrey(int width, int height, const std::function<float(float u, float v)>& valueAt, const std::string& path);

// Point on the unit sphere for equirectangular texture coordinates.
void spherePoint(float u, float v, float& x, float& y, float& z);

} // namespace assetgen

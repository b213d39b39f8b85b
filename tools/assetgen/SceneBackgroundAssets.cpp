// Textures of the shader background of the last levels: hull plates, a rib
// mask and a cloud noise, all tiling seamlessly (the shader repeats them).
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/SurfacePainter.h"

#include <algorithm>
#include <cmath>

using namespace assetgen;

REGISTER_ASSETS(level3_background)
{
    const int size = 512;
    Canvas plates(size, size);
    paint(plates, [](float u, float v) {
        float cells = tileCells(u, v, 8, 31);
        float grain = tileFbm(u, v, 16, 4, 7);
        float seam = std::clamp((cells - 0.06f) * 12.f, 0.f, 1.f);
        float k = 0.55f + 0.25f * grain;
        return Rgba{k * seam * 0.9f, k * seam * 0.95f, k * seam, 1.f};
    });
    plates.save(ctx.path("3D/Level3Background/baseTexture.png"));

    saveGrey(size, size, [](float u, float v) {
        float rib = std::pow(std::abs(std::sin(v * 3.14159265f * 8.f)), 24.f);
        float spine = std::pow(std::abs(std::cos(u * 3.14159265f * 6.f)), 40.f);
        return std::max(rib, spine * 0.6f) * (0.75f + 0.25f * tileFbm(u, v, 8, 3, 3));
    }, ctx.path("3D/Level3Background/mask.png"));

    saveGrey(size, size, [](float u, float v) { return 0.5f + 0.55f * tileFbm(u, v, 4, 6, 11); },
             ctx.path("3D/Level3Background/perlin.jpg"));
}

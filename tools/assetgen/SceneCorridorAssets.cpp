// The level 2 corridor: four layers of wall above (wall1...) and below
// (wall2...) the play area, from the near ceiling and floor to the far back
// wall. Modelled Z up, the camera looking along +Y; a layer runs along X and
// repeats its pattern every period (see CorridorLayout.h).
#include "tools/assetgen/CorridorLayout.h"
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/HullPainter.h"
#include "tools/assetgen/MeshBuilder.h"
#include "tools/assetgen/SurfacePainter.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace assetgen;
using namespace assetgen::corridor;

namespace {

// Texture quadrants: hull plates, ribs, lit windows, and the lamp glass in the
// otherwise unused lower left (outside every other region, so no plate shows it).
const std::array<float, 4> PLATE = imageRegion(0, 0, 0.5f, 0.5f);
const std::array<float, 4> RIB = imageRegion(0.5f, 0, 1, 0.5f);
const std::array<float, 4> LAMP = imageRegion(0.06f, 0.56f, 0.19f, 0.69f);
const std::array<float, 4> WINDOWS = imageRegion(0.5f, 0.5f, 1, 1);
// The lamp glass in texture pixels (1024 x 1024), a little larger than LAMP.
constexpr int LAMP_LEFT = 51, LAMP_TOP = 563, LAMP_SIZE = 154;

// Z along the segment (X) for pipes.
const Placement ALONG_X{{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}};

// One period of a band of wall centred on x0, between heights z0 and z1
// (model units, z0 nearer the play area). sign = -1 mirrors it below the play area.
void band(MeshBuilder& m, float x0, float len, float z0, float z1, float sign, float ribStep, bool lamps)
{
    auto at = [&](float z) { return z * sign; };
    Placement face{{x0, 0, at((z0 + z1) / 2)}, {sign, 0, 0}, {0, 0, sign}, {0, -1, 0}};
    // Small cells, so that no plate face sorts in front of the lamps and ribs on it.
    m.plate(face, len, z1 - z0, static_cast<int>(len), 4, PLATE);
    // Lip facing the play area, and ribs standing out towards the camera.
    m.box(Placement{}, {x0, LIP_DEPTH / 2, at(z0)}, {len / 2, LIP_DEPTH / 2, LIP_HALF_HEIGHT}, RIB);
    for (float x = -len / 2 + ribStep / 2; x < len / 2; x += ribStep) {
        m.box(Placement{}, {x0 + x, -0.4f, at((z0 + z1) / 2)}, {0.35f, 0.4f, (z1 - z0) / 2}, RIB);
        if (lamps)
            m.box(Placement{}, {x0 + x + ribStep / 2, -0.2f, at(z0 + 0.4f)}, {0.5f, 0.2f, 0.15f}, LAMP);
    }
    // A pipe along the band.
    Placement pipe = ALONG_X;
    pipe.origin = {x0 - len / 2, -0.5f, at(z0 + (z1 - z0) * 0.7f)};
    m.lathe(pipe, {{0.3f, 0}, {0.3f, len}}, 8, RIB);
}

// One period of far structures centred on x0: blocks of differing heights with lit windows.
void skyline(MeshBuilder& m, float x0, float len, float z0, float z1, float sign, int seed)
{
    float x = -len / 2;
    int i = 0;
    while (x < len / 2) {
        float w = 3.f + 6.f * hash01(i, 1, seed);
        float h = z0 + (z1 - z0) * (0.3f + 0.7f * hash01(i, 2, seed));
        w = std::min(w, len / 2 - x);
        float top = sign > 0 ? z1 : -z1, edge = sign > 0 ? z1 - h + z0 : -(z1 - h + z0);
        m.box(Placement{}, {x0 + x + w / 2, 0, (top + edge) / 2}, {w / 2 - 0.2f, 1.f, std::abs(top - edge) / 2}, WINDOWS);
        x += w;
        ++i;
    }
}

// A layer's model: its period repeated over its span.
template <class Period>
void writeLayer(const Context& ctx, const WallLayer& layer, float sign, Period period)
{
    MeshBuilder m;
    for (float x = layer.from + layer.period / 2; x < layer.to; x += layer.period)
        period(m, x);
    m.write(ctx.path(std::string("3D/LVL2/wall/") + (sign > 0 ? layer.top : layer.bottom)));
}

} // namespace

REGISTER_ASSETS(corridor_walls)
{
    for (float sign : {1.f, -1.f}) {
        writeLayer(ctx, NEAR_LAYER, sign, [&](MeshBuilder& m, float x) {
            band(m, x, NEAR_LAYER.period, NEAR_EDGE, NEAR_OUTER, sign, 5.f, true);
        });
        writeLayer(ctx, SECOND_LAYER, sign, [&](MeshBuilder& m, float x) {
            band(m, x, SECOND_LAYER.period, 8.f, 15.5f, sign, 8.f, false);
        });
        writeLayer(ctx, SKYLINE_LAYER, sign, [&](MeshBuilder& m, float x) {
            skyline(m, x, SKYLINE_LAYER.period, 10.f, 30.f, sign, sign > 0 ? 3 : 4);
        });
        writeLayer(ctx, BACK_LAYER, sign, [&](MeshBuilder& m, float x) {
            m.plate(Placement{{x, 0, sign * 28.f}, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}}, BACK_LAYER.period, 56.f, 4, 4, PLATE);
        });
    }

    Canvas tex = paintHull(1024, 1024, {rgb(95, 100, 110), rgb(35, 38, 45), 8, 0.35f, 51});
    Canvas rib = paintHull(512, 512, {rgb(150, 120, 70), rgb(50, 40, 25), 4, 0.3f, 52});
    hazardStripes(rib, 0, 420, 512, 92, rgb(25, 25, 25), rgb(230, 180, 40), 28.f);
    tex.draw(rib, 512, 0);
    Canvas windows = paintHull(512, 512, {rgb(45, 50, 65), rgb(20, 22, 30), 6, 0.3f, 53});
    windows.draw(paintWindows(512, 512, rgb(255, 200, 120), 0.25f, 54), 0, 0);
    tex.draw(windows, 512, 512);
    tex.fillRect(LAMP_LEFT, LAMP_TOP, LAMP_SIZE, LAMP_SIZE, rgb(255, 180, 80));
    tex.save(ctx.path("3D/LVL2/wall/wall.png"));

    Canvas glow(1024, 1024, rgb(0, 0, 0));
    glow.fillRect(LAMP_LEFT, LAMP_TOP, LAMP_SIZE, LAMP_SIZE, rgb(255, 170, 70));
    glow.draw(paintWindows(512, 512, rgb(255, 200, 120), 0.25f, 54), 512, 512);
    for (const char* name : {"wall1", "wall2", "wall1_3", "wall2_3"})
        glow.save(ctx.path(std::string("3D/LVL2/wall/") + name + "_EM.png"));
}

// The level 2 corridor: four layers of wall segments above (wall1...) and
// below (wall2...) the play area, from the near ceiling and floor to the far
// back wall. Modelled Z up, the camera looking along +Y; a segment spans X.
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/HullPainter.h"
#include "tools/assetgen/MeshBuilder.h"
#include "tools/assetgen/SurfacePainter.h"

#include <cmath>

using namespace assetgen;

namespace {

const std::array<float, 4> PLATE = imageRegion(0, 0, 0.5f, 0.5f);
const std::array<float, 4> RIB = imageRegion(0.5f, 0, 1, 0.5f);
const std::array<float, 4> LAMP = imageRegion(0.06f, 0.31f, 0.19f, 0.44f);
const std::array<float, 4> WINDOWS = imageRegion(0.5f, 0.5f, 1, 1);

// Z along the segment (X) for pipes.
const Placement ALONG_X{{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}};

// One band of wall between heights z0 and z1 (model units, z0 nearer the play area), length len.
// sign = -1 mirrors it below the play area.
void band(MeshBuilder& m, float len, float z0, float z1, float sign, float ribStep, bool lamps)
{
    auto at = [&](float z) { return z * sign; };
    Placement face{{0, 0, at((z0 + z1) / 2)}, {sign, 0, 0}, {0, 0, sign}, {0, -1, 0}};
    m.plate(face, len, z1 - z0, static_cast<int>(len / 4), 2, PLATE);
    // Lip facing the play area, and ribs standing out towards the camera.
    m.box(Placement{}, {0, 0.6f, at(z0)}, {len / 2, 0.6f, 0.15f}, RIB);
    for (float x = -len / 2 + ribStep / 2; x < len / 2; x += ribStep) {
        m.box(Placement{}, {x, -0.4f, at((z0 + z1) / 2)}, {0.35f, 0.4f, (z1 - z0) / 2}, RIB);
        if (lamps)
            m.box(Placement{}, {x + ribStep / 2, -0.1f, at(z0 + 0.4f)}, {0.5f, 0.1f, 0.15f}, LAMP);
    }
    // A pipe along the band.
    Placement pipe = ALONG_X;
    pipe.origin = {-len / 2, -0.5f, at(z0 + (z1 - z0) * 0.7f)};
    m.lathe(pipe, {{0.3f, 0}, {0.3f, len}}, 8, RIB);
}

// Far structures: blocks of differing heights with lit windows.
void skyline(MeshBuilder& m, float len, float z0, float z1, float sign, int seed)
{
    float x = -len / 2;
    int i = 0;
    while (x < len / 2) {
        float w = 3.f + 6.f * hash01(i, 1, seed);
        float h = z0 + (z1 - z0) * (0.3f + 0.7f * hash01(i, 2, seed));
        w = std::min(w, len / 2 - x);
        float top = sign > 0 ? z1 : -z1, edge = sign > 0 ? z1 - h + z0 : -(z1 - h + z0);
        m.box(Placement{}, {x + w / 2, 0, (top + edge) / 2}, {w / 2 - 0.2f, 1.f, std::abs(top - edge) / 2}, WINDOWS);
        x += w;
        ++i;
    }
}

} // namespace

REGISTER_ASSETS(corridor_walls)
{
    for (float sign : {1.f, -1.f}) {
        const std::string side = sign > 0 ? "wall1" : "wall2";
        MeshBuilder nearWall;
        band(nearWall, 20.f, 5.f, 9.5f, sign, 5.f, true);
        nearWall.write(ctx.path("3D/LVL2/wall/" + side));
        MeshBuilder second;
        band(second, 40.f, 7.5f, 15.f, sign, 8.f, false);
        second.write(ctx.path("3D/LVL2/wall/" + side + "_2"));
        MeshBuilder third;
        skyline(third, 80.f, 10.f, 30.f, sign, sign > 0 ? 3 : 4);
        third.write(ctx.path("3D/LVL2/wall/" + side + "_3"));
        MeshBuilder back;
        back.plate(Placement{{0, 0, sign * 28.f}, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}}, 160.f, 56.f, 16, 4, PLATE);
        back.write(ctx.path("3D/LVL2/wall/" + side + "_4"));
    }

    Canvas tex = paintHull(1024, 1024, {rgb(95, 100, 110), rgb(35, 38, 45), 8, 0.35f, 51});
    Canvas rib = paintHull(512, 512, {rgb(150, 120, 70), rgb(50, 40, 25), 4, 0.3f, 52});
    hazardStripes(rib, 0, 420, 512, 92, rgb(25, 25, 25), rgb(230, 180, 40), 28.f);
    tex.draw(rib, 512, 0);
    Canvas windows = paintHull(512, 512, {rgb(45, 50, 65), rgb(20, 22, 30), 6, 0.3f, 53});
    windows.draw(paintWindows(512, 512, rgb(255, 200, 120), 0.25f, 54), 0, 0);
    tex.draw(windows, 512, 512);
    tex.fillRect(51, 307, 154, 154, rgb(255, 180, 80));
    tex.save(ctx.path("3D/LVL2/wall/wall.png"));

    Canvas glow(1024, 1024, rgb(0, 0, 0));
    glow.fillRect(51, 307, 154, 154, rgb(255, 170, 70));
    glow.draw(paintWindows(512, 512, rgb(255, 200, 120), 0.25f, 54), 512, 512);
    for (const char* name : {"wall1", "wall2", "wall1_3", "wall2_3"})
        glow.save(ctx.path(std::string("3D/LVL2/wall/") + name + "_EM.png"));
}

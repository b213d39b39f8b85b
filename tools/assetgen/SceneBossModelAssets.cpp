// The bosses' 3D models. The first boss is a tower over the green planet with
// a sliding hatch, its frame and four turning gun pods; the second boss is a
// huge head in the dark whose eye fires the beam.
//
// The tower is modelled Z up. The doors, the hatch frame, the pods and the
// turrets are placed unturned, so they are modelled Y up and mirrored in X
// (a model point (X, Y, Z) stands at world offset (-X, -Y, Z) x 800).
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/HullPainter.h"
#include "tools/assetgen/MeshBuilder.h"
#include "tools/assetgen/SurfacePainter.h"

#include <cmath>

using namespace assetgen;

namespace {

const std::array<float, 4> PLATES = imageRegion(0, 0, 0.5f, 0.5f);
const std::array<float, 4> TRIM = imageRegion(0.5f, 0, 1, 0.5f);
const std::array<float, 4> LIGHTS = imageRegion(0, 0.5f, 1, 1);

// Lathe axis Z turned onto Y.
Placement upright() { return Placement::turnedX(-90.f); }

void towerTextures(const Context& ctx, const std::string& folder, const std::string& name, Rgba plate, Rgba trim,
                   Rgba glow)
{
    Canvas tex = paintHull(512, 512, {plate, mix(plate, rgb(0, 0, 0), 0.6f), 8, 0.3f, 21});
    Canvas trimSheet = paintHull(256, 256, {trim, mix(trim, rgb(0, 0, 0), 0.6f), 3, 0.2f, 22});
    hazardStripes(trimSheet, 0, 200, 256, 56, rgb(20, 20, 20), trim, 20.f);
    tex.draw(trimSheet, 256, 0);
    Canvas windows = paintWindows(512, 256, glow, 0.3f, 23);
    tex.draw(windows, 0, 256);
    tex.save(ctx.path(folder + name));
}

} // namespace

REGISTER_ASSETS(boss_tower_models)
{
    MeshBuilder tower;
    // Spindle from deep below up to the deck, widening into a crown.
    tower.lathe(Placement{}, {{0, -26}, {1.5f, -24}, {2.5f, -8}, {3.5f, 4}, {5.f, 9}, {6.5f, 10.8f}, {6.5f, 11.2f}, {2.6f, 11.3f}}, 24, PLATES);
    // Window band around the crown.
    tower.lathe(Placement{}, {{5.3f, 9.4f}, {6.2f, 10.5f}}, 24, LIGHTS);
    // Arms out to the four pods, and cradles under each pod.
    tower.box(Placement{}, {0, -0.44f, 10.6f}, {13.f, 0.9f, 0.5f}, TRIM);
    for (float x : {-12.f, -6.47f, 6.47f, 12.f})
        tower.box(Placement{}, {x, -0.44f, 9.8f}, {1.1f, 1.1f, 0.9f}, TRIM);
    // Fins down the spindle.
    for (int k = 0; k < 4; ++k)
        tower.box(Placement::turnedZ(45.f + 90.f * k), {3.2f, 0, -4.f}, {1.4f, 0.25f, 6.f}, TRIM);
    tower.write(ctx.path("3D/BossLevel1/Tower/Tower"));

    // The hatch: two leaves over the opening, door1 on the right of the screen.
    MeshBuilder door1, door2;
    door1.box(Placement{}, {-0.65f, 11.75f, 0}, {0.65f, 0.15f, 1.3f}, TRIM);
    door2.box(Placement{}, {0.65f, 11.75f, 0}, {0.65f, 0.15f, 1.3f}, TRIM);
    door1.write(ctx.path("3D/BossLevel1/Tower/Door1"));
    door2.write(ctx.path("3D/BossLevel1/Tower/Door2"));
    // The frame around the hatch.
    MeshBuilder top;
    top.lathe(upright(), {{1.5f, -0.3f}, {2.4f, -0.3f}, {2.4f, 0.3f}, {1.5f, 0.3f}, {1.5f, -0.3f}}, 24, PLATES);
    top.write(ctx.path("3D/BossLevel1/Tower/DoorTop"));

    towerTextures(ctx, "3D/BossLevel1/Tower/", "Tower_greenDiffuse.png", rgb(70, 110, 80), rgb(200, 190, 60), rgb(120, 255, 150));
    towerTextures(ctx, "3D/BossLevel1/Tower/", "Tower_redDiffuse.png", rgb(120, 45, 40), rgb(210, 90, 50), rgb(255, 90, 60));
    Canvas em(512, 512, rgb(0, 0, 0));
    em.draw(paintWindows(512, 256, rgb(120, 255, 150), 0.3f, 23), 0, 256);
    em.save(ctx.path("3D/BossLevel1/Tower/Tower_EM.png"));
}

REGISTER_ASSETS(boss_module_models)
{
    // Gun pod: armoured face on +Y (towards the camera unturned), gun deck on -Y.
    MeshBuilder pod;
    pod.box(Placement{}, {0, 0, 0}, {1.8f, 0.35f, 1.8f}, PLATES);
    pod.box(Placement{}, {0, 0.45f, 0}, {1.4f, 0.12f, 1.4f}, TRIM);
    for (float z : {-1.2f, 0.f, 1.2f})
        pod.box(Placement{}, {0, 0.6f, z}, {1.2f, 0.08f, 0.18f}, TRIM);
    pod.box(Placement{}, {0, -0.42f, 0}, {1.5f, 0.08f, 1.5f}, LIGHTS);
    pod.write(ctx.path("3D/BossLevel1/Module/Module"));

    // Turret: a column rising 1833 units, twin barrels 1813 long, 583 apart.
    MeshBuilder turret;
    turret.lathe(Placement::turnedX(90.f), {{0.7f, 0.f}, {0.55f, 1.9f}, {0.f, 1.95f}}, 14, PLATES);
    turret.box(Placement{}, {0, -2.29f, 0.1f}, {1.0f, 0.35f, 0.9f}, TRIM);
    for (float x : {-0.73f, 0.73f})
        turret.lathe(Placement::at({x, -2.29f, 0.f}), {{0.f, 0.f}, {0.17f, 0.f}, {0.15f, 2.27f}, {0.f, 2.27f}}, 10, PLATES);
    turret.write(ctx.path("3D/BossLevel1/Module/Turret"));

    towerTextures(ctx, "3D/BossLevel1/Module/", "Module_greenDiffuse.png", rgb(80, 120, 85), rgb(210, 200, 70), rgb(120, 255, 150));
    towerTextures(ctx, "3D/BossLevel1/Module/", "Module_redDiffuse.png", rgb(130, 50, 45), rgb(220, 100, 60), rgb(255, 90, 60));
    Canvas em(512, 512, rgb(0, 0, 0));
    em.draw(paintWindows(512, 256, rgb(120, 255, 150), 0.5f, 29), 0, 256);
    em.save(ctx.path("3D/BossLevel1/Module/Module_EM.png"));
}

REGISTER_ASSETS(boss_head_model)
{
    // Z up, facing -X (the left of the screen); -Y is towards the camera.
    MeshBuilder m;
    const std::array<float, 4> skin = imageRegion(0, 0, 0.75f, 1), eye = imageRegion(0.81f, 0.02f, 0.98f, 0.18f);
    m.sphere(Placement{}, 1.f, 40, 24, false, skin);
    m.reshape([](Vec3 p) {
        // Long skull, heavy brow, jaw hanging forward-left.
        float bulge = 1.f + 0.08f * fbm3(p.x * 3.f, p.y * 3.f, p.z * 3.f, 3);
        Vec3 q{p.x * 12.f, p.y * 9.f, p.z * 10.f};
        if (p.x < 0 && p.z < 0)
            q.x += p.x * p.z * 6.f;
        if (p.x < -0.3f && p.z > 0.1f && p.z < 0.5f)
            q.x -= 1.2f;
        return q * bulge;
    });
    // Crest spikes along the top.
    for (int k = 0; k < 5; ++k) {
        float x = -4.f + 2.6f * k;
        m.lathe(Placement::turnedX(-20.f + 10.f * k, {x, 0, 8.5f - 0.3f * k * k}), {{1.3f, 0}, {0.f, 6.f - 0.6f * k}}, 8, skin);
    }
    // The eye (where the beam starts) and a smaller second eye.
    m.sphere(Placement::at({-11.f, -4.5f, 3.6f}), 1.8f, 14, 10, false, eye);
    m.sphere(Placement::at({-8.5f, -7.f, 2.2f}), 1.1f, 12, 8, false, eye);
    m.write(ctx.path("3D/Murzel/4head"));

    Canvas tex(512, 512);
    paint(tex, [](float u, float v) {
        float n = tileFbm(u, v, 4, 5, 40), vein = 1.f - std::abs(tileFbm(u, v, 8, 3, 41));
        Rgba c = mix(rgb(40, 22, 60), rgb(110, 70, 130), 0.5f + 0.5f * n);
        return mix(c, rgb(170, 30, 60), std::pow(vein, 14.f));
    });
    tex.fillRect(410, 0, 102, 102, rgb(255, 200, 120));
    tex.save(ctx.path("3D/Murzel/4head.png"));
    Canvas em(512, 512);
    paint(em, [](float u, float v) {
        float vein = 1.f - std::abs(tileFbm(u, v, 8, 3, 41));
        float g = std::pow(vein, 20.f);
        return Rgba{g, g * 0.15f, g * 0.3f, 1};
    });
    em.fillRect(410, 0, 102, 102, rgb(255, 120, 60));
    em.save(ctx.path("3D/Murzel/4head_EM.png"));
    saveNormalMap(sampleHeight(256, 256, [](float u, float v) { return tileFbm(u, v, 8, 4, 40); }), 5.f,
                  ctx.path("3D/Murzel/4head_NM.png"));
}

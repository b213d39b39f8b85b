// Models of the open-space scenes: the player's ship, rocks, a space station,
// the light marker and the 3D player's marker. All modelled Z up, nose to -Y.
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/HullPainter.h"
#include "tools/assetgen/MeshBuilder.h"
#include "tools/assetgen/SurfacePainter.h"

#include <cmath>

using namespace assetgen;

namespace {
// Texture atlas regions (u0, v0, u1, v1) shared by the ship's parts.
const std::array<float, 4> HULL = imageRegion(0.f, 0.f, 0.5f, 1.f);
const std::array<float, 4> GLASS = imageRegion(0.56f, 0.41f, 0.69f, 0.54f);
const std::array<float, 4> ENGINE = imageRegion(0.8f, 0.05f, 0.95f, 0.18f);
const std::array<float, 4> STRIPE = imageRegion(0.56f, 0.61f, 0.94f, 0.89f);

void rock(const Context& ctx, const std::string& model, float radius, int seed)
{
    MeshBuilder m;
    m.sphere(Placement{}, radius, 18, 11);
    m.reshape([&](Vec3 p) {
        Vec3 n = normalised(p);
        float bump = 1.f + 0.35f * fbm3(n.x * 1.7f + seed, n.y * 1.7f, n.z * 1.7f, 4);
        return Vec3{p.x * bump * 1.2f, p.y * bump, p.z * bump * 0.8f};
    });
    m.write(ctx.path(model));
}
} // namespace

REGISTER_ASSETS(ship_model)
{
    MeshBuilder m;
    // Dart-shaped fuselage, nose at -Y.
    m.prism(Placement{}, {{0, -3.4f}, {0.7f, -1.f}, {0.8f, 1.6f}, {-0.8f, 1.6f}, {-0.7f, -1.f}}, -0.35f, 0.35f, HULL);
    // Swept wings.
    m.prism(Placement{}, {{0.6f, -0.4f}, {2.9f, 1.2f}, {2.9f, 1.7f}, {0.7f, 1.4f}}, -0.12f, 0.12f, STRIPE);
    m.prism(Placement{}, {{-0.6f, -0.4f}, {-0.7f, 1.4f}, {-2.9f, 1.7f}, {-2.9f, 1.2f}}, -0.12f, 0.12f, STRIPE);
    // Fins.
    m.prism(Placement::turnedX(90.f, {2.7f, 1.4f, 0.1f}), {{-0.1f, 0}, {0.1f, 0}, {0.1f, 0.9f}}, -0.25f, 0.25f, HULL);
    m.prism(Placement::turnedX(90.f, {-2.7f, 1.4f, 0.1f}), {{-0.1f, 0}, {0.1f, 0}, {0.1f, 0.9f}}, -0.25f, 0.25f, HULL);
    // Cockpit canopy.
    m.sphere(Placement::at({0, -1.0f, 0.3f}), 0.45f, 12, 8, false, GLASS);
    // Twin engines: nozzles glowing at the back.
    for (float x : {-0.5f, 0.5f}) {
        Placement along{{x, 1.5f, 0}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}};
        m.lathe(along, {{0.0f, 0.0f}, {0.32f, 0.0f}, {0.34f, 0.6f}, {0.22f, 0.75f}, {0.0f, 0.7f}}, 12, ENGINE);
    }
    m.write(ctx.path("3D/player/playerShip"));

    Canvas tex = paintHull(512, 512, {rgb(205, 212, 225), rgb(90, 100, 120), 6, 0.15f, 4});
    tex.fillRect(281, 205, 80, 80, rgb(40, 120, 220));             // canopy glass
    tex.glow(320, 230, 30, rgb(180, 230, 255), 0.6f);
    tex.fillRect(408, 20, 80, 80, rgb(255, 140, 40));              // nozzles
    hazardStripes(tex, 281, 307, 205, 153, rgb(30, 80, 190), rgb(220, 225, 235), 24.f);
    tex.save(ctx.path("3D/player/playerShip.png"));
    Canvas glow(512, 512, rgb(0, 0, 0));
    glow.fillRect(408, 20, 80, 80, rgb(255, 150, 50));
    glow.fillRect(281, 205, 80, 80, rgb(20, 60, 110));
    glow.save(ctx.path("3D/player/playerShip_EM.png"));
}

REGISTER_ASSETS(rock_models)
{
    rock(ctx, "3D/Asteroids/asteroid", 6.f, 3);
    rock(ctx, "3D/Asteroids/asteroidSmall", 2.5f, 8);
    Canvas tex(256, 256);
    paint(tex, [](float u, float v) {
        float n = tileFbm(u, v, 4, 5, 2), cells = tileCells(u, v, 6, 9);
        float g = 0.38f + 0.2f * n - 0.15f * (1 - cells);
        return Rgba{g * 1.05f, g * 0.95f, g * 0.85f, 1};
    });
    tex.save(ctx.path("3D/Asteroids/asteroid.png"));
    HeightField h = sampleHeight(256, 256, [](float u, float v) { return tileFbm(u, v, 8, 4, 5) + 0.5f * tileCells(u, v, 6, 9); });
    saveNormalMap(h, 4.f, ctx.path("3D/Asteroids/asteroid_NM.png"));
    saveNormalMap(h, 4.f, ctx.path("3D/Asteroids/asteroidSmall_NM.png"));
}

REGISTER_ASSETS(station_model)
{
    MeshBuilder m;
    const std::array<float, 4> hull = imageRegion(0, 0, 1, 0.5f), lit = imageRegion(0, 0.5f, 1, 1);
    // Ring habitat around a spindle, with spokes; axis along Z.
    std::vector<Vec2> ring;
    for (int i = 0; i <= 10; ++i) {
        float a = 6.2831853f * i / 10;
        ring.push_back({22.f + 3.f * std::cos(a), 3.f * std::sin(a)});
    }
    m.lathe(Placement{}, ring, 36, lit);
    m.lathe(Placement{}, {{0, -14}, {3, -12}, {3.5f, 10}, {2, 13}, {0, 14}}, 16, hull);
    for (int k = 0; k < 4; ++k)
        m.box(Placement::turnedZ(45.f + 90.f * k), {11, 0, 0}, {9, 0.8f, 0.8f}, hull);
    m.box(Placement{}, {0, 0, 16}, {8, 0.3f, 2}, hull); // antenna panel
    m.write(ctx.path("3D/Station/station"));
    Canvas tex = paintHull(512, 512, {rgb(150, 155, 165), rgb(60, 64, 72), 8, 0.3f, 12});
    tex.save(ctx.path("3D/Station/station.png"));
    Canvas windows = paintWindows(512, 512, rgb(255, 220, 140), 0.35f, 5);
    Canvas em(512, 512, rgb(0, 0, 0));
    em.draw(windows, 0, 256);
    em.save(ctx.path("3D/Station/station_EM.png"));
}

REGISTER_ASSETS(marker_models)
{
    // A small octahedron: the marker that stands where a scene's light is.
    MeshBuilder light;
    const Vec3 tip{0, 0, 0.35f}, bottom{0, 0, -0.35f};
    const Vec3 ring[4] = {{0.35f, 0, 0}, {0, 0.35f, 0}, {-0.35f, 0, 0}, {0, -0.35f, 0}};
    for (int i = 0; i < 4; ++i) {
        const Vec3 &a = ring[i], &b = ring[(i + 1) % 4];
        light.triangle(light.vertex(a, {0.5f, 0.5f}), light.vertex(b, {0.6f, 0.5f}), light.vertex(tip, {0.5f, 0.6f}));
        light.triangle(light.vertex(b, {0.6f, 0.5f}), light.vertex(a, {0.5f, 0.5f}), light.vertex(bottom, {0.5f, 0.4f}));
    }
    light.write(ctx.path("3D/Markers/PlayerSmall"));
    // The 3D player's own marker: a tiny box.
    MeshBuilder player;
    player.box(Placement{}, {0, 0, 0}, {0.1f, 0.1f, 0.1f}, {0.4f, 0.4f, 0.6f, 0.6f});
    player.write(ctx.path("2D/hitboxYarvo"));
    Canvas dot(32, 32, rgb(0, 0, 0, 0));
    dot.glow(16, 16, 16, rgb(120, 255, 230), 1.f, 1.5f);
    dot.fillCircle(16, 16, 5, rgb(230, 255, 250));
    dot.save(ctx.path("2D/hitbox.png"));
}

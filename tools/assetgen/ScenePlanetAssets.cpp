// The space backdrop (a star sphere seen from inside) and the planets: UV
// spheres with equirectangular colour maps painted from noise on the sphere
// itself (no seam, no pinched poles), with normal and roughness maps.
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/MeshBuilder.h"
#include "tools/assetgen/SurfacePainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace assetgen;

namespace {

const float PI = 3.14159265f;

float smooth(float a, float b, float x)
{
    float t = std::clamp((x - a) / (b - a), 0.f, 1.f);
    return t * t * (3 - 2 * t);
}

// Scatters stars over a canvas: mostly faint specks, a few bright ones with a glow.
void scatterStars(Canvas& c, int count, unsigned seed)
{
    for (int i = 0; i < count; ++i) {
        float x = hash01(i, 1, static_cast<int>(seed)) * c.width(), y = hash01(i, 2, static_cast<int>(seed)) * c.height();
        float b = std::pow(hash01(i, 3, static_cast<int>(seed)), 3.f);
        float tint = hash01(i, 4, static_cast<int>(seed));
        Rgba colour = tint < 0.3f ? rgb(170, 200, 255) : tint > 0.85f ? rgb(255, 220, 170) : rgb(255, 255, 255);
        c.add(static_cast<int>(x), static_cast<int>(y), colour, 0.35f + 0.65f * b);
        if (b > 0.55f)
            c.glow(x, y, 2.f + 6.f * b, colour, 0.5f * b);
    }
}

struct Crater {
    float x, y, z, radius;
};

std::vector<Crater> makeCraters(int count, int seed, float minRadius, float maxRadius)
{
    std::vector<Crater> craters;
    for (int i = 0; i < count; ++i) {
        float u = hash01(i, 7, seed), v = std::acos(2 * hash01(i, 8, seed) - 1) / PI;
        float x, y, z;
        spherePoint(u, v, x, y, z);
        float r = minRadius + (maxRadius - minRadius) * std::pow(hash01(i, 9, seed), 3.f);
        craters.push_back({x, y, z, r});
    }
    return craters;
}

// Bowl with a raised rim, summed over the craters near the point.
float craterHeight(const std::vector<Crater>& craters, float x, float y, float z)
{
    float h = 0;
    for (const Crater& c : craters) {
        float d2 = (x - c.x) * (x - c.x) + (y - c.y) * (y - c.y) + (z - c.z) * (z - c.z);
        if (d2 > c.radius * c.radius * 2.f)
            continue;
        float d = std::sqrt(d2) / c.radius;
        h += d < 1.f ? (d * d - 1.f) * 0.35f + 0.2f * smooth(0.6f, 1.f, d) : 0.25f * (1.f - smooth(1.f, 1.4f, d));
    }
    return h;
}

void writeSphere(const Context& ctx, const std::string& model, float radius, int segments, int rings, const MaterialValues& m = {})
{
    MeshBuilder mesh;
    mesh.sphere(Placement{}, radius, segments, rings);
    mesh.write(ctx.path(model), m);
}

const int PW = 1024, PH = 512;

} // namespace

REGISTER_ASSETS(space_backdrop)
{
    // Shown whole on each face of the backdrop, so the colour map tiles both ways.
    Canvas sky(1024, 1024);
    paint(sky, [](float u, float v) {
        float cloud = tileFbm(u, v, 2, 5, 31);
        float veil = tileFbm(u, v, 4, 4, 32);
        float dust = std::max(0.f, cloud) * std::max(0.f, cloud);
        Rgba c = rgb(3, 3, 10);
        c = mix(c, rgb(70, 25, 110), std::min(1.f, dust * 1.6f));
        c = mix(c, rgb(30, 70, 150), std::clamp(veil * 0.9f, 0.f, 0.55f) * smooth(-0.2f, 0.6f, cloud));
        c = mix(c, rgb(2, 2, 6), std::clamp(-veil * 1.2f, 0.f, 0.6f));
        return c;
    });
    scatterStars(sky, 1300, 17);
    sky.save(ctx.path("3D/space.png"));

    Canvas stars(1024, 1024, rgb(0, 0, 0));
    scatterStars(stars, 1800, 23);
    stars.save(ctx.path("3D/spacestar.png"));

    MeshBuilder dome;
    dome.cubeSphere(60.f, 6, true);
    MaterialValues m;
    m.ks = {0, 0, 0};
    dome.write(ctx.path("3D/space"), m);
}

REGISTER_ASSETS(planet_green)
{
    auto height = [](float u, float v) {
        float x, y, z;
        spherePoint(u, v, x, y, z);
        return fbm3(x * 1.8f + 4.f, y * 1.8f, z * 1.8f - 2.f, 6);
    };
    Canvas colour(PW, PH);
    paint(colour, [&](float u, float v) {
        float x, y, z;
        spherePoint(u, v, x, y, z);
        float h = height(u, v);
        float cloud = fbm3(x * 3.f - 7.f, y * 5.f, z * 3.f + 1.f, 5);
        Rgba ocean = mix(rgb(6, 40, 52), rgb(16, 90, 96), smooth(-0.6f, 0.05f, h));
        Rgba land = mix(rgb(40, 150, 60), rgb(120, 200, 80), smooth(0.1f, 0.5f, h));
        land = mix(land, rgb(190, 210, 170), smooth(0.55f, 0.8f, h));
        Rgba c = h > 0.05f ? land : ocean;
        c = mix(c, rgb(235, 250, 240), smooth(0.15f, 0.6f, cloud) * 0.8f);
        return mix(c, rgb(220, 240, 255), smooth(0.93f, 0.985f, std::abs(z)));
    });
    colour.save(ctx.path("3D/GreenPlanet/planet.png"));
    saveNormalMap(sampleHeight(PW, PH, [&](float u, float v) { return std::max(0.05f, height(u, v)); }), 6.f,
                  ctx.path("3D/GreenPlanet/planet_NM.png"));
    saveGrey(PW / 2, PH / 2, [&](float u, float v) { return height(u, v) > 0.05f ? 0.8f : 0.15f; },
             ctx.path("3D/GreenPlanet/planet_RN.png"));
    writeSphere(ctx, "3D/GreenPlanet/planet", 50.f, 48, 24);
}

REGISTER_ASSETS(planet_red)
{
    const std::vector<Crater> craters = makeCraters(260, 5, 0.02f, 0.16f);
    auto height = [&](float u, float v) {
        float x, y, z;
        spherePoint(u, v, x, y, z);
        return 0.5f * fbm3(x * 2.5f, y * 2.5f + 3.f, z * 2.5f, 5) + craterHeight(craters, x, y, z);
    };
    HeightField field = sampleHeight(PW, PH, height);
    Canvas colour(PW, PH);
    for (int py = 0; py < PH; ++py)
        for (int px = 0; px < PW; ++px) {
            float h = field.at(px, py);
            float x, y, z;
            spherePoint((px + 0.5f) / PW, 1.f - (py + 0.5f) / PH, x, y, z);
            float dust = fbm3(x * 6.f, y * 6.f, z * 6.f + 5.f, 3);
            Rgba c = mix(rgb(110, 35, 18), rgb(200, 95, 45), smooth(-0.5f, 0.4f, h + 0.3f * dust));
            colour.at(px, py) = mix(c, rgb(235, 200, 170), smooth(0.94f, 0.99f, std::abs(z)));
        }
    colour.save(ctx.path("3D/Planets/Red/red.png"));
    saveNormalMap(field, 8.f, ctx.path("3D/Planets/Red/red_NM.png"));
    writeSphere(ctx, "3D/Planets/Red/red", 30.f, 40, 20);
}

REGISTER_ASSETS(planet_gas)
{
    Canvas colour(PW, PH);
    paint(colour, [](float u, float v) {
        float x, y, z;
        spherePoint(u, v, x, y, z);
        float swirl = fbm3(x * 3.f, y * 3.f, z * 1.5f, 4);
        float band = std::sin(z * 18.f + swirl * 2.2f) * 0.5f + 0.5f;
        float fine = std::sin(z * 55.f + swirl * 4.f) * 0.5f + 0.5f;
        Rgba c = mix(rgb(150, 90, 50), rgb(235, 205, 160), band);
        c = mix(c, rgb(120, 60, 40), fine * 0.25f);
        float spot = std::hypot(u - 0.3f, (v - 0.38f) * 2.f);
        return mix(c, rgb(190, 70, 40), smooth(0.06f, 0.02f, spot));
    });
    colour.save(ctx.path("3D/Planets/Gas/gas.png"));
    writeSphere(ctx, "3D/Planets/Gas/gas", 90.f, 48, 24);

    // The rings: a flat annulus, textured with radial bands across u (alpha gaps).
    Canvas ring(512, 8);
    paint(ring, [](float u, float) {
        float b = 0.5f + 0.5f * std::sin(u * 90.f) * std::sin(u * 23.f + 1.f);
        float edge = smooth(0.f, 0.08f, u) * smooth(1.f, 0.9f, u);
        return Rgba{0.85f, 0.75f, 0.6f, edge * (0.35f + 0.6f * b) * (u > 0.62f && u < 0.66f ? 0.1f : 1.f)};
    });
    ring.save(ctx.path("3D/Planets/Gas/rings.png"));
    MeshBuilder rings;
    const int segments = 96;
    for (int s = 0; s < segments; ++s) {
        float a0 = 2 * PI * s / segments, a1 = 2 * PI * (s + 1) / segments;
        const float inner = 120.f, outer = 210.f;
        int a = rings.vertex({std::cos(a0) * inner, std::sin(a0) * inner, 0}, {0, 0.5f});
        int b = rings.vertex({std::cos(a0) * outer, std::sin(a0) * outer, 0}, {1, 0.5f});
        int c = rings.vertex({std::cos(a1) * outer, std::sin(a1) * outer, 0}, {1, 0.5f});
        int d = rings.vertex({std::cos(a1) * inner, std::sin(a1) * inner, 0}, {0, 0.5f});
        rings.quad(a, b, c, d);
        rings.quad(a, d, c, b); // both sides
    }
    rings.write(ctx.path("3D/Planets/Gas/rings"));
}

REGISTER_ASSETS(planet_ice_and_moon)
{
    Canvas ice(PW, PH);
    paint(ice, [](float u, float v) {
        float x, y, z;
        spherePoint(u, v, x, y, z);
        float h = fbm3(x * 3.f + 8.f, y * 3.f, z * 3.f, 5);
        float crack = 1.f - std::abs(fbm3(x * 7.f, y * 7.f, z * 7.f - 3.f, 3));
        Rgba c = mix(rgb(90, 150, 200), rgb(225, 240, 255), smooth(-0.4f, 0.5f, h));
        return mix(c, rgb(40, 90, 150), smooth(0.9f, 0.97f, crack) * 0.7f);
    });
    ice.save(ctx.path("3D/Planets/Ice/ice.png"));
    writeSphere(ctx, "3D/Planets/Ice/ice", 20.f, 32, 16);

    const std::vector<Crater> craters = makeCraters(420, 9, 0.015f, 0.2f);
    auto height = [&](float u, float v) {
        float x, y, z;
        spherePoint(u, v, x, y, z);
        return 0.3f * fbm3(x * 3.f, y * 3.f, z * 3.f, 5) + craterHeight(craters, x, y, z);
    };
    HeightField field = sampleHeight(PW, PH, height);
    Canvas moon(PW, PH);
    for (int py = 0; py < PH; ++py)
        for (int px = 0; px < PW; ++px) {
            float x, y, z;
            spherePoint((px + 0.5f) / PW, 1.f - (py + 0.5f) / PH, x, y, z);
            float maria = fbm3(x * 1.3f + 2.f, y * 1.3f, z * 1.3f, 3);
            float g = 0.55f + 0.25f * field.at(px, py) - 0.18f * smooth(0.f, 0.3f, maria);
            moon.at(px, py) = Rgba{g * 0.95f, g * 0.95f, g, 1.f};
        }
    moon.save(ctx.path("3D/Moon/moon.png"));
    saveNormalMap(field, 10.f, ctx.path("3D/Moon/moon_NM.png"));
    writeSphere(ctx, "3D/Moon/moon", 40.f, 48, 24);
}

// The hangar of the main menu: a hall with a gate, a robot, props, and the
// desk whose screen shows the menu. Modelled Y up with the camera looking
// along -Z from (-4.1, 5, 32.5), tilted 12 degrees down.
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/HullPainter.h"
#include "tools/assetgen/MeshBuilder.h"
#include "tools/assetgen/SurfacePainter.h"

#include <cmath>

using namespace assetgen;

namespace {

const std::array<float, 4> ALL = imageRegion(0, 0, 1, 1);
const std::array<float, 4> DARK = imageRegion(0, 0, 0.5f, 0.5f);
const std::array<float, 4> TRIM = imageRegion(0.5f, 0, 1, 0.5f);
const std::array<float, 4> GLOW = imageRegion(0.05f, 0.55f, 0.45f, 0.95f);
const std::array<float, 4> STRIPES = imageRegion(0.55f, 0.55f, 0.95f, 0.95f);

// Plate facing a direction: +Z (towards the camera), +Y (up, floors) or -Y (down, ceilings), +X / -X (side walls).
Placement facing(Vec3 centre, char towards)
{
    switch (towards) {
    case 'u': return {centre, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}};
    case 'd': return {centre, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
    case 'r': return {centre, {0, 0, -1}, {0, 1, 0}, {1, 0, 0}};
    case 'l': return {centre, {0, 0, 1}, {0, 1, 0}, {-1, 0, 0}};
    default: return {centre, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    }
}

// The screens face the camera, tilted back 12 degrees.
Placement screenPlane(Vec3 centre)
{
    return {centre, {1, 0, 0}, {0, 0.978f, -0.208f}, {0, 0.208f, 0.978f}};
}

void save(const Context& ctx, const MeshBuilder& m, const std::string& name) { m.write(ctx.path("3D/Hangar/" + name)); }

void hallShell(const Context& ctx)
{
    MeshBuilder zone1; // floor, left wall, back wall, ceiling of the main hall
    zone1.plate(facing({-4, 0, -2.5f}, 'u'), 52, 85, 13, 17, ALL);
    zone1.plate(facing({-30, 11, -2.5f}, 'r'), 85, 22, 17, 4, ALL);
    zone1.plate(facing({-4, 11, -45}, 'f'), 52, 22, 10, 4, ALL);
    zone1.plate(facing({-4, 22, -2.5f}, 'd'), 52, 85, 10, 17, ALL);
    save(ctx, zone1, "Zone1/Zone1");

    MeshBuilder floor2, ceiling2, walls2; // the bay to the right
    floor2.plate(facing({33.5f, -0.5f, -2.5f}, 'u'), 23, 85, 5, 17, ALL);
    ceiling2.plate(facing({33.5f, 18, -2.5f}, 'd'), 23, 85, 5, 17, ALL);
    walls2.plate(facing({45, 9, -2.5f}, 'l'), 85, 19, 17, 4, ALL);
    walls2.plate(facing({33.5f, 9, -45}, 'f'), 23, 19, 5, 4, ALL);
    walls2.box(Placement{}, {22.5f, 20, -2.5f}, {0.6f, 2, 42.5f}, TRIM); // header beam over the bay
    save(ctx, floor2, "Zone2/Floor/Zone2Floor");
    save(ctx, ceiling2, "Zone2/Ceiling/Zone2Ceil");
    save(ctx, walls2, "Zone2/Wall/Zone2Walls");
}

void hallProps(const Context& ctx)
{
    MeshBuilder gate; // the big door in the back wall, framed
    gate.plate(facing({-4, 8, -44.8f}, 'f'), 24, 16, 4, 4, STRIPES);
    gate.box(Placement{}, {-16.5f, 8.5f, -44.5f}, {0.8f, 8.5f, 0.6f}, TRIM);
    gate.box(Placement{}, {8.5f, 8.5f, -44.5f}, {0.8f, 8.5f, 0.6f}, TRIM);
    gate.box(Placement{}, {-4, 16.8f, -44.5f}, {13.3f, 0.8f, 0.6f}, TRIM);
    save(ctx, gate, "Door/Gate");

    MeshBuilder trapdoor;
    trapdoor.plate(facing({-4, 0.05f, -30}, 'u'), 10, 6, 2, 2, STRIPES);
    save(ctx, trapdoor, "Door/trapdoor");

    MeshBuilder ceiling; // girders and light bars
    for (float z = -40; z <= 30; z += 10) {
        ceiling.box(Placement{}, {-8, 21, z}, {21, 0.5f, 0.5f}, DARK);
        ceiling.box(Placement{}, {-8, 20.3f, z + 5}, {8, 0.15f, 0.4f}, GLOW);
    }
    save(ctx, ceiling, "Props/Ceiling/CeilProps");

    MeshBuilder floorProps; // crates and barrels
    const Vec3 crates[] = {{-24, 1.2f, -20}, {-21.5f, 1.2f, -22}, {-23, 3.6f, -21}, {14, 1.2f, -28}, {17, 1.2f, -10}};
    for (const Vec3& c : crates)
        floorProps.box(Placement{}, c, {1.2f, 1.2f, 1.2f}, TRIM);
    for (float x : {-26.f, -26.f, 18.f})
        floorProps.lathe(facing({x, 0, x > 0 ? -20.f : -6.f}, 'u'), {{0, 0}, {0.9f, 0}, {0.9f, 2.4f}, {0, 2.4f}}, 12, DARK);
    save(ctx, floorProps, "Props/Floor/FloorProps");

    MeshBuilder wallProps; // pipes and panels along the left wall
    for (float y : {3.f, 4.f, 15.f}) {
        Placement pipe{{-29.3f, y, 38}, {1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
        wallProps.lathe(pipe, {{0.35f, 0}, {0.35f, 82}}, 8, DARK);
    }
    for (float z = -38; z < 35; z += 14)
        wallProps.box(Placement{}, {-29.6f, 8, z}, {0.3f, 3, 3}, GLOW);
    save(ctx, wallProps, "Props/Wall/WallProps");

    MeshBuilder robot; // a maintenance robot standing left of the gate
    const float rx = -18, rz = -32;
    for (float side : {-1.2f, 1.2f}) {
        robot.box(Placement{}, {rx + side, 2.5f, rz}, {0.5f, 2.5f, 0.6f}, TRIM);
        robot.box(Placement{}, {rx + side * 2.6f, 8.5f, rz}, {0.45f, 2.2f, 0.45f}, TRIM);
    }
    robot.box(Placement{}, {rx, 8.5f, rz}, {2.2f, 3.5f, 1.3f}, DARK);
    robot.box(Placement{}, {rx, 13, rz}, {1.1f, 1, 1}, DARK);
    robot.box(Placement{}, {rx, 13.1f, rz + 1.02f}, {0.8f, 0.22f, 0.05f}, GLOW);
    save(ctx, robot, "Menu/Main_menu/Robot/MainRobot");

    MeshBuilder mainScreen; // a large wall screen above the gate
    mainScreen.plate(facing({-4, 19, -44.6f}, 'f'), 14, 3.5f, 2, 1, GLOW);
    save(ctx, mainScreen, "Menu/Main_menu/Screen/MainScreen");
}

void desk(const Context& ctx)
{
    MeshBuilder deskMesh; // slanted console across the bottom of the view
    deskMesh.box(Placement{}, {-4, 0.55f, 25.f}, {9, 0.55f, 1.4f}, DARK);
    deskMesh.plate({{-4, 1.2f, 24.9f}, {1, 0, 0}, {0, 0.5f, -0.866f}, {0, 0.866f, 0.5f}}, 18, 2.6f, 6, 1, TRIM);
    save(ctx, deskMesh, "Menu/Board_menu/Desk/Desk");

    MeshBuilder props; // buttons and sliders on the console
    for (int i = 0; i < 8; ++i)
        props.box(Placement{}, {-11.f + i * 1.4f, 1.55f, 25.2f}, {0.35f, 0.15f, 0.35f}, GLOW);
    props.box(Placement{}, {3, 1.5f, 25.1f}, {1.6f, 0.12f, 0.6f}, TRIM);
    save(ctx, props, "Menu/Board_menu/Desk_Props/DeskProps");

    const Vec3 p1{-4.1f, 3.3f, 21.5f}, p2{7.4f, 3.6f, 22.6f};
    MeshBuilder frame1, frame2, labels;
    frame1.box(screenPlane(p1), {0, 0, -0.25f}, {6.5f, 3.5f, 0.2f}, DARK);
        frame2.box(screenPlane(p2), {0, 0, -0.25f}, {2.7f, 1.6f, 0.2f}, DARK);
        labels.plate(screenPlane(p1 + Vec3{-5.8f, -3.9f, 0.9f}), 1.2f, 0.6f, 1, 1, STRIPES);
    labels.plate(screenPlane(p2 + Vec3{-2.2f, -2.0f, 0.45f}), 1.2f, 0.6f, 1, 1, STRIPES);
    save(ctx, frame1, "Menu/Board_menu/Screen1/P1Screen");
    save(ctx, frame2, "Menu/Board_menu/Screen/P2Screen");
    save(ctx, labels, "P1P2");

    // The displays: full texture on the screen face, so the menu's picture maps 1:1.
    MeshBuilder display1, display2;
    display1.plate(screenPlane(p1), 12.f, 6.29f, 6, 3, ALL);
    display2.plate(screenPlane(p2), 4.8f, 2.6f, 3, 2, ALL);
    save(ctx, display1, "P1ScreenDisplayer/P1ScreenDisplay");
    save(ctx, display2, "P2ScreenDisplayer/P2ScreenDisplay");
}

void textures(const Context& ctx)
{
    // Shared sheet: dark panels, trim, glowing strips, hazard stripes.
    Canvas sheet = paintHull(1024, 1024, {rgb(70, 78, 92), rgb(28, 32, 40), 8, 0.3f, 61});
    sheet.draw(paintHull(512, 512, {rgb(150, 156, 168), rgb(60, 64, 72), 4, 0.2f, 62}), 512, 0);
    sheet.fillRect(51, 563, 410, 410, rgb(120, 220, 255));
    hazardStripes(sheet, 563, 563, 410, 410, rgb(30, 30, 30), rgb(240, 190, 40), 40.f);
    sheet.save(ctx.path("3D/Hangar/HangarColor.png"));
    Canvas glow(1024, 1024, rgb(0, 0, 0));
    glow.fillRect(51, 563, 410, 410, rgb(110, 210, 255));
    for (const char* name : {"Props/Ceiling/CeilProps", "Props/Wall/WallProps", "Menu/Main_menu/Robot/MainRobot",
                             "Menu/Main_menu/Screen/MainScreen", "Menu/Board_menu/Desk_Props/DeskProps"})
        glow.save(ctx.path(std::string("3D/Hangar/") + name + "_EM.png"));

    Canvas floor = paintHull(1024, 1024, {rgb(82, 86, 92), rgb(40, 42, 46), 14, 0.35f, 63});
    floor.save(ctx.path("3D/Hangar/Zone1/Zone1_Base.png"));
    floor.save(ctx.path("3D/Hangar/Zone2/Floor/Zone2Floor_Base.png"));

    // The displays' standby picture, the menu screen's own size.
    Canvas standby(1050, 550);
    paint(standby, [](float u, float v) {
        float grid = (std::fmod(u * 42.f, 1.f) < 0.04f || std::fmod(v * 22.f, 1.f) < 0.07f) ? 0.12f : 0.f;
        return Rgba{0.02f + grid * 0.3f, 0.06f + grid, 0.1f + grid * 1.2f, 1};
    });
    standby.save(ctx.path("3D/Hangar/_Base.png"));
}

} // namespace

REGISTER_ASSETS(hangar_models)
{
    hallShell(ctx);
    hallProps(ctx);
    desk(ctx);
    textures(ctx);
}

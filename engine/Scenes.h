#pragma once
// Every 3D scene behind the game by name, and what is special about each one.
// A scene id is an index into `sceneNames` (engine/SceneChange.h); code asks
// the questions below instead of comparing ids, so "what does scene 8 do
// differently" has one answer, here.
#include <SFML/System/Vector3.hpp>

namespace scene {

constexpr int HANGAR = 0;        // the hangar, as a scene file
constexpr int INTRO = 1;         // the flight in before level 1: no ships yet
constexpr int OPEN_SPACE = 2;    // level 1 begins: the ships turn 2D
constexpr int ASTEROIDS = 3;     // level 1's asteroid field
constexpr int DIVE = 4;          // the dive between two parts of level 1: no ships
constexpr int GAS_GIANT = 5;     // level 1 past the gas giant
constexpr int APPROACH = 6;      // the approach to the tower
constexpr int TOWER = 7;         // level 1's boss: no file, a fixed camera
constexpr int CORRIDOR = 8;      // level 2: the corridor that scrolls right
constexpr int ARENA = 9;         // level 4: the final boss's arena
constexpr int ICE_PLANET = 10;   // a quiet orbit
constexpr int LEVEL3_START = 11; // level 3, drawn by the shader background
constexpr int LEVEL3_MIDDLE = 12;
constexpr int LEVEL3_END = 13;
constexpr int CREDITS = 14;
constexpr int MAIN_MENU = 15;    // the 3D hangar menu, built in code
constexpr int MOON = 16;         // a quiet orbit, the last scene
constexpr int COUNT = 17;

// ---- what the engine does per scene ----

// Level 3: the shader background is drawn instead of the 3D engine, which does not step.
constexpr bool drawsShaderBackground(int id) { return id >= LEVEL3_START && id <= LEVEL3_END; }
// Neither the free 3D flight nor a camera path moves the camera.
constexpr bool hasFixedCamera(int id) { return id == HANGAR || id == TOWER || id == MAIN_MENU; }
// The world light stands still far off (set on entry and every frame).
constexpr bool hasFixedLight(int id) { return id == GAS_GIANT; }
// The world light of the scene, as the engine step places it each frame.
inline sf::Vector3f worldLightPosition(int id)
{
    if (hasFixedLight(id))
        return {-500000.f, 0.f, -5000000000.f};
    if (id == ARENA)
        return {150000.f, 250000.f, 1500000.f};
    return {-500000.f, 5000000000.f, 368848.f};
}
// The camera path plays its intro once, then loops over the rest.
constexpr bool loopsCameraPath(int id) { return id == ARENA; }
// The camera path poses no scene object while the scene file is still read.
constexpr bool posesOnlyWhenLoaded(int id) { return id == GAS_GIANT; }
// Scene objects are released at once (the scene has none of its own).
constexpr bool dropsSceneObjects(int id) { return id == TOWER || id == MAIN_MENU; }
// The texture purge after a scene load keeps everything.
constexpr bool keepsTexturesOnPurge(int id) { return id == TOWER; }
// Scene objects stay in the visible list wherever they project (no culling).
constexpr bool drawsOffScreenObjects(int id) { return id == GAS_GIANT || id == APPROACH || id == ARENA; }
// Registered meshes stay in the visible list wherever they project.
constexpr bool drawsOffScreenMeshes(int id) { return drawsOffScreenObjects(id) || id == CREDITS; }
// Faces turned away from the camera are drawn too.
constexpr bool drawsBackFaces(int id) { return id == ARENA || id == CREDITS; }
// The player's model is drawn once more over everything.
constexpr bool drawsPlayerOnTop(int id) { return id == INTRO; }
// The scene file's lights draw no screen-space glow.
constexpr bool hidesLightGlow(int id) { return id >= INTRO && id <= TOWER; }
// The green planet's glow follows the camera path's frame number.
constexpr bool planetGlowFollowsPath(int id) { return id == INTRO; }
// The green planet's glow grows from dark to full.
constexpr bool planetGlowGrows(int id) { return id == OPEN_SPACE; }
// The corridor's wall sections sort by depth and its walls stop the ships.
constexpr bool hasCorridorWalls(int id) { return id == CORRIDOR; }
// The hangar menu is animated by the engine step.
constexpr bool isMenu(int id) { return id == MAIN_MENU; }
// The scene the preload prepares while `id` is shown: the next one, except that
// the final boss's arena ends the game with the credits; the shader
// background's scenes, which load no file, are passed over.
constexpr int preparedAfter(int id)
{
    int next = id == ARENA ? CREDITS : id + 1;
    while (drawsShaderBackground(next))
        ++next;
    return next;
}

// ---- what play does per scene ----

// No ships are drawn and no player input is taken.
constexpr bool hidesShips(int id) { return id == INTRO || id == DIVE; }
// Ships start on the left, half way up, instead of at the bottom.
constexpr bool startsShipsOnTheLeft(int id) { return id == CORRIDOR; }
// Any fade that ends moves the level flow on.
constexpr bool everyFadeEndMovesFlow(int id) { return id == TOWER; }
// A fade to opaque that ends moves the level flow on.
constexpr bool opaqueFadeEndMovesFlow(int id) { return id == CORRIDOR || id == LEVEL3_END; }
// The level flow runs when the camera path has ended.
constexpr bool flowWaitsForCameraPath(int id)
{
    return id == INTRO || id == ASTEROIDS || id == DIVE || id == APPROACH || id == CORRIDOR;
}
// Left for the next scene only once the camera path has ended.
constexpr bool leftWhenPathEnds(int id) { return id == ASTEROIDS || id == APPROACH; }
// The level flow never moves on to the next scene by itself.
constexpr bool keptByFlow(int id)
{
    return id == TOWER || id == CORRIDOR || id == ARENA || id == LEVEL3_END || id >= MOON;
}
// No sequence runs here.
constexpr bool runsNoSequence(int id) { return id == DIVE; }
// Reached by the flow, the ships turn from 3D to 2D and level 1's first sequence loads.
constexpr bool turnsShipsTo2D(int id) { return id == OPEN_SPACE; }
// Reached after the fly-out, the ships fly back in and the next sequence starts.
constexpr bool shipsFlyBackIn(int id) { return id == GAS_GIANT; }

} // namespace scene

#pragma once
// Every 3D scene behind the game by name, and what is special about each one:
// one row per scene in engine/Scenes.cpp. Code asks the questions below
// instead of comparing ids, so "what does the corridor do differently" has one
// answer, there. Ids outside the table answer as a plain scene (from the moon
// on, the level flow keeps them).
#include <SFML/System/Vector3.hpp>

#include <cstddef>
#include <cstdint>
#include <string>

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

// What is drawn behind everything.
enum class Backdrop : std::uint8_t {
    SpaceMesh,       // the space dome that follows the camera
    BossSpaceShader, // the space picture through its own shader, over the whole window (the arena)
    Level3Tunnel,    // the shader background of level 3 instead of the 3D engine, which does not step
};

// How the green planet's glow is driven.
enum class PlanetGlow : std::uint8_t {
    Steady,      // full
    FollowsPath, // rises and falls with the camera path's frame number
    Grows,       // from dark to full
};

// A point given in the table (a plain aggregate, so that the table is built when compiled).
struct Place {
    float x = 0.f, y = 0.f, z = 0.f;
    sf::Vector3f vector() const { return {x, y, z}; }
};

// A wall section of the corridor: its model and how far behind the others it sorts.
struct WallSection {
    const char* model;
    float sortDepth;
};

// Where the camera and the 3D player stand on entering a scene its boss builds.
struct EntryPose {
    Place cameraRotation;
    Place player3D;
};

// When the corridor's wall lines stop the ships: during these flow sequences,
// past this camera frame.
struct WallLinesWindow {
    int firstSequence = 0, lastSequence = -1, afterCameraFrame = 0;
};

// The yes-or-no rules of a scene, one bit each.
namespace rule {
constexpr std::uint32_t FIXED_CAMERA = 1u << 0;             // neither the free flight nor a camera path moves it
constexpr std::uint32_t LOOPS_CAMERA_PATH = 1u << 1;        // the path plays its intro once, then loops the rest
constexpr std::uint32_t POSES_ONLY_WHEN_LOADED = 1u << 2;   // the path poses nothing while the file is read
constexpr std::uint32_t FIXED_LIGHT = 1u << 3;              // the world light stands still far off
constexpr std::uint32_t DROPS_SCENE_OBJECTS = 1u << 4;      // scene objects are released at once
constexpr std::uint32_t KEEPS_TEXTURES_ON_PURGE = 1u << 5;  // the purge after a load keeps everything
constexpr std::uint32_t DRAWS_OFF_SCREEN_OBJECTS = 1u << 6; // scene objects are never culled
constexpr std::uint32_t DRAWS_OFF_SCREEN_MESHES = 1u << 7;  // registered meshes are never culled
constexpr std::uint32_t DRAWS_BACK_FACES = 1u << 8;         // faces turned away are drawn too
constexpr std::uint32_t DRAWS_PLAYER_ON_TOP = 1u << 9;      // the player's model again over everything
constexpr std::uint32_t HIDES_LIGHT_GLOW = 1u << 10;        // the file's lights draw no glow
constexpr std::uint32_t MENU = 1u << 11;                    // the hangar menu, animated by the engine step
constexpr std::uint32_t HIDES_SHIPS = 1u << 12;             // no ships drawn, no player input
constexpr std::uint32_t SHIPS_START_ON_THE_LEFT = 1u << 13; // half way up instead of at the bottom
constexpr std::uint32_t EVERY_FADE_END_MOVES_FLOW = 1u << 14;
constexpr std::uint32_t OPAQUE_FADE_END_MOVES_FLOW = 1u << 15;
constexpr std::uint32_t FLOW_WAITS_FOR_CAMERA_PATH = 1u << 16;
constexpr std::uint32_t LEFT_WHEN_PATH_ENDS = 1u << 17;
constexpr std::uint32_t KEPT_BY_FLOW = 1u << 18;            // the flow never moves on by itself
constexpr std::uint32_t RUNS_NO_SEQUENCE = 1u << 19;
constexpr std::uint32_t TURNS_SHIPS_TO_2D = 1u << 20;       // and level 1's first sequence loads
constexpr std::uint32_t SHIPS_FLY_BACK_IN = 1u << 21;       // and the next sequence starts
constexpr std::uint32_t NEXT_TUNNEL_PICTURE = 1u << 22;     // entered, the level-3 tunnel fades to its next picture
} // namespace rule

// One scene's row.
struct SceneInfo {
    const char* file = nullptr; // "Scene/<file>.txt" (null outside the table)
    std::uint32_t rules = 0;    // rule:: bits
    Backdrop backdrop = Backdrop::SpaceMesh;
    PlanetGlow planetGlow = PlanetGlow::Steady;
    Place lightPosition{-500000.f, 5000000000.f, 368848.f}; // where the engine step puts the world light
    const WallSection* walls = nullptr;                      // the corridor's sections (wallCount of them)
    std::size_t wallCount = 0;
    WallLinesWindow wallLines;
    const char* bossHeadObject = nullptr; // the scene object that is the final boss's head
    const EntryPose* entryPose = nullptr; // a scene its boss builds: no file, this pose on entry
    int preparedInstead = -1;             // the scene prepared while this one shows, when not the next id
    const char* preloadFileInstead = nullptr; // the file that preload reads for this scene
    int preloadAlso = -1;                 // a scene prepared with this one (it starts no preload itself)
    int editorSequence = -1;              // the flow sequence the editor plays over this scene

    bool has(std::uint32_t r) const { return (rules & r) != 0; }
};

// The row of scene `id`; any id outside 0 .. COUNT-1 gets a plain row (kept by
// the flow from the moon on).
const SceneInfo& sceneInfo(int id);

// ---- what the engine does per scene ----

// Level 3: the shader background is drawn instead of the 3D engine, which does not step.
inline bool drawsShaderBackground(int id) { return sceneInfo(id).backdrop == Backdrop::Level3Tunnel; }
// The arena: the backdrop is drawn through its own shader over the whole window.
inline bool drawsBossBackdrop(int id) { return sceneInfo(id).backdrop == Backdrop::BossSpaceShader; }
// Neither the free 3D flight nor a camera path moves the camera.
inline bool hasFixedCamera(int id) { return sceneInfo(id).has(rule::FIXED_CAMERA); }
// The world light stands still far off (set on entry and every frame).
inline bool hasFixedLight(int id) { return sceneInfo(id).has(rule::FIXED_LIGHT); }
// The world light of the scene, as the engine step places it each frame.
inline sf::Vector3f worldLightPosition(int id) { return sceneInfo(id).lightPosition.vector(); }
// The camera path plays its intro once, then loops over the rest.
inline bool loopsCameraPath(int id) { return sceneInfo(id).has(rule::LOOPS_CAMERA_PATH); }
// The camera path poses no scene object while the scene file is still read.
inline bool posesOnlyWhenLoaded(int id) { return sceneInfo(id).has(rule::POSES_ONLY_WHEN_LOADED); }
// Scene objects are released at once (the scene has none of its own).
inline bool dropsSceneObjects(int id) { return sceneInfo(id).has(rule::DROPS_SCENE_OBJECTS); }
// The texture purge after a scene load keeps everything.
inline bool keepsTexturesOnPurge(int id) { return sceneInfo(id).has(rule::KEEPS_TEXTURES_ON_PURGE); }
// Scene objects stay in the visible list wherever they project (no culling).
inline bool drawsOffScreenObjects(int id) { return sceneInfo(id).has(rule::DRAWS_OFF_SCREEN_OBJECTS); }
// Registered meshes stay in the visible list wherever they project.
inline bool drawsOffScreenMeshes(int id) { return sceneInfo(id).has(rule::DRAWS_OFF_SCREEN_MESHES); }
// Faces turned away from the camera are drawn too.
inline bool drawsBackFaces(int id) { return sceneInfo(id).has(rule::DRAWS_BACK_FACES); }
// The player's model is drawn once more over everything.
inline bool drawsPlayerOnTop(int id) { return sceneInfo(id).has(rule::DRAWS_PLAYER_ON_TOP); }
// The scene file's lights draw no screen-space glow.
inline bool hidesLightGlow(int id) { return sceneInfo(id).has(rule::HIDES_LIGHT_GLOW); }
// The green planet's glow follows the camera path's frame number.
inline bool planetGlowFollowsPath(int id) { return sceneInfo(id).planetGlow == PlanetGlow::FollowsPath; }
// The green planet's glow grows from dark to full.
inline bool planetGlowGrows(int id) { return sceneInfo(id).planetGlow == PlanetGlow::Grows; }
// The corridor's wall sections sort by depth and its walls stop the ships.
inline bool hasCorridorWalls(int id) { return sceneInfo(id).wallCount > 0; }
// Entered, the level-3 tunnel fades to its next picture (else it starts from its first).
inline bool switchesTunnelPicture(int id) { return sceneInfo(id).has(rule::NEXT_TUNNEL_PICTURE); }
// The hangar menu is animated by the engine step.
inline bool isMenu(int id) { return sceneInfo(id).has(rule::MENU); }
// The scene the preload prepares while `id` is shown: the next one, except that
// the final boss's arena ends the game with the credits; the shader
// background's scenes, which load no file, are passed over.
int preparedAfter(int id);
// The wall section of scene `id` made from `model` (null when it is none).
const WallSection* wallSectionOf(int id, const std::string& model);

// ---- what play does per scene ----

// No ships are drawn and no player input is taken.
inline bool hidesShips(int id) { return sceneInfo(id).has(rule::HIDES_SHIPS); }
// Ships start on the left, half way up, instead of at the bottom.
inline bool startsShipsOnTheLeft(int id) { return sceneInfo(id).has(rule::SHIPS_START_ON_THE_LEFT); }
// The wall lines stop the ships in flow sequence `sequence` at camera frame `cameraFrame`.
bool showsWallLines(int id, int sequence, int cameraFrame);
// Any fade that ends moves the level flow on.
inline bool everyFadeEndMovesFlow(int id) { return sceneInfo(id).has(rule::EVERY_FADE_END_MOVES_FLOW); }
// A fade to opaque that ends moves the level flow on.
inline bool opaqueFadeEndMovesFlow(int id) { return sceneInfo(id).has(rule::OPAQUE_FADE_END_MOVES_FLOW); }
// The level flow runs when the camera path has ended.
inline bool flowWaitsForCameraPath(int id) { return sceneInfo(id).has(rule::FLOW_WAITS_FOR_CAMERA_PATH); }
// Left for the next scene only once the camera path has ended.
inline bool leftWhenPathEnds(int id) { return sceneInfo(id).has(rule::LEFT_WHEN_PATH_ENDS); }
// The level flow never moves on to the next scene by itself.
inline bool keptByFlow(int id) { return sceneInfo(id).has(rule::KEPT_BY_FLOW); }
// No sequence runs here.
inline bool runsNoSequence(int id) { return sceneInfo(id).has(rule::RUNS_NO_SEQUENCE); }
// Reached by the flow, the ships turn from 3D to 2D and level 1's first sequence loads.
inline bool turnsShipsTo2D(int id) { return sceneInfo(id).has(rule::TURNS_SHIPS_TO_2D); }
// Reached after the fly-out, the ships fly back in and the next sequence starts.
inline bool shipsFlyBackIn(int id) { return sceneInfo(id).has(rule::SHIPS_FLY_BACK_IN); }
// The scene behind flow sequence `sequence` when the editor plays it (-1: none).
int sceneOfEditorSequence(int sequence);

} // namespace scene

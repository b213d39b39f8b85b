// What each scene does differently, for every id the game could hand the engine:
// the seventeen scenes, and a few ids either side of them, which must answer as
// the game always has (nothing special, except that the flow keeps every id from
// the moon on).
#include <gtest/gtest.h>

#include "engine/SceneChange.h"
#include "engine/Scenes.h"

#include <string>

namespace {

constexpr int FIRST_ID = -3;
constexpr int LAST_ID = scene::COUNT + 3;

struct Question {
    const char* name;
    bool (*answer)(int);
    // One character per id from FIRST_ID to LAST_ID: 'x' yes, '.' no.
    //                                           -3  0123456789012345  20
    const char* yes;
};

const Question QUESTIONS[] = {
    {"drawsShaderBackground",  scene::drawsShaderBackground,  "..............xxx......."},
    {"hasFixedCamera",         scene::hasFixedCamera,         "...x......x.......x....."},
    {"hasFixedLight",          scene::hasFixedLight,          "........x..............."},
    {"loopsCameraPath",        scene::loopsCameraPath,        "............x..........."},
    {"posesOnlyWhenLoaded",    scene::posesOnlyWhenLoaded,    "........x..............."},
    {"dropsSceneObjects",      scene::dropsSceneObjects,      "..........x.......x....."},
    {"keepsTexturesOnPurge",   scene::keepsTexturesOnPurge,   "..........x............."},
    {"drawsOffScreenObjects",  scene::drawsOffScreenObjects,  "........xx..x..........."},
    {"drawsOffScreenMeshes",   scene::drawsOffScreenMeshes,   "........xx..x....x......"},
    {"drawsBackFaces",         scene::drawsBackFaces,         "............x....x......"},
    {"drawsPlayerOnTop",       scene::drawsPlayerOnTop,       "....x..................."},
    {"hidesLightGlow",         scene::hidesLightGlow,         "....xxxxxxx............."},
    {"planetGlowFollowsPath",  scene::planetGlowFollowsPath,  "....x..................."},
    {"planetGlowGrows",        scene::planetGlowGrows,        ".....x.................."},
    {"hasCorridorWalls",       scene::hasCorridorWalls,       "...........x............"},
    {"isMenu",                 scene::isMenu,                 "..................x....."},
    {"hidesShips",             scene::hidesShips,             "....x..x................"},
    {"startsShipsOnTheLeft",   scene::startsShipsOnTheLeft,   "...........x............"},
    {"everyFadeEndMovesFlow",  scene::everyFadeEndMovesFlow,  "..........x............."},
    {"opaqueFadeEndMovesFlow", scene::opaqueFadeEndMovesFlow, "...........x....x......."},
    {"flowWaitsForCameraPath", scene::flowWaitsForCameraPath, "....x.xx.x.x............"},
    {"leftWhenPathEnds",       scene::leftWhenPathEnds,       "......x..x.............."},
    {"keptByFlow",             scene::keptByFlow,             "..........xxx...x..xxxxx"},
    {"runsNoSequence",         scene::runsNoSequence,         ".......x................"},
    {"turnsShipsTo2D",         scene::turnsShipsTo2D,         ".....x.................."},
    {"shipsFlyBackIn",         scene::shipsFlyBackIn,         "........x..............."},
};

// The scene the preload prepares after each id from FIRST_ID on.
const int PREPARED_AFTER[] = {-2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 14, 14, 14, 14, 15, 16, 17, 18, 19, 20, 21};

} // namespace

TEST(SceneTable, EveryQuestionAnswersForEveryIdAsTheGameAlwaysHas)
{
    for (const Question& q : QUESTIONS) {
        ASSERT_EQ(std::string(q.yes).size(), static_cast<size_t>(LAST_ID - FIRST_ID + 1)) << q.name;
        for (int id = FIRST_ID; id <= LAST_ID; ++id)
            EXPECT_EQ(q.answer(id), q.yes[id - FIRST_ID] == 'x') << q.name << " of scene " << id;
    }
    for (int id = FIRST_ID; id <= LAST_ID; ++id)
        EXPECT_EQ(scene::preparedAfter(id), PREPARED_AFTER[id - FIRST_ID]) << "after scene " << id;
}

TEST(SceneTable, TheLightStandsWhereEachSceneWantsItAndEachSceneHasItsFile)
{
    const sf::Vector3f usual(-500000.f, 5000000000.f, 368848.f);
    for (int id = FIRST_ID; id <= LAST_ID; ++id) {
        sf::Vector3f expected = usual;
        if (id == scene::GAS_GIANT)
            expected = {-500000.f, 0.f, -5000000000.f};
        else if (id == scene::ARENA)
            expected = {150000.f, 250000.f, 1500000.f};
        EXPECT_EQ(scene::worldLightPosition(id), expected) << "scene " << id;
    }
    const char* const files[scene::COUNT] = {
        "Scene/hangar.txt", "Scene/1.txt",  "Scene/2.txt",  "Scene/3.txt",       "Scene/4.txt",         "Scene/5.txt",
        "Scene/6.txt",      "Scene/7.txt",  "Scene/8.txt",  "Scene/9.txt",       "Scene/10.txt",        "Scene/11.txt",
        "Scene/12.txt",     "Scene/13.txt", "Scene/credits.txt", "Scene/MAIN_MENU.txt", "Scene/moon.txt"};
    for (int id = 0; id < scene::COUNT; ++id)
        EXPECT_EQ(sceneFilePath(id), files[id]) << "scene " << id;
    // An id the table does not know names no file (and reads nothing past the table).
    for (int id : {FIRST_ID, -1, scene::COUNT, LAST_ID})
        EXPECT_EQ(sceneFilePath(id), "") << "scene " << id;
}

TEST(SceneTable, TheEditorPlaysEachFlowSequenceOverItsSceneAndTheCorridorWallsStopShipsInLevel2Only)
{
    using namespace scene;
    const int behind[] = {-1, OPEN_SPACE, ASTEROIDS, GAS_GIANT, APPROACH, CORRIDOR, LEVEL3_START, LEVEL3_MIDDLE,
                          LEVEL3_END, ARENA, -1};
    for (int sequence = -1; sequence <= 9; ++sequence)
        EXPECT_EQ(sceneOfEditorSequence(sequence), behind[sequence + 1]) << "sequence " << sequence;

    // Level 2's sequences (4 to 6) once the camera has come in (past frame 60).
    for (int id = FIRST_ID; id <= LAST_ID; ++id)
        for (int sequence = 3; sequence <= 7; ++sequence)
            for (int frame : {60, 61}) {
                const bool expected = id == CORRIDOR && sequence >= 4 && sequence <= 6 && frame > 60;
                EXPECT_EQ(showsWallLines(id, sequence, frame), expected) << id << " " << sequence << " " << frame;
            }
}

// What every mesh of every shipped scene is to the renderer, read from the scene
// as the game loads it: the kinds must follow the model's name (and the object's,
// for the green planet), so that a designer who names a model "wall" or "space"
// gets what the name promises. Loading makes textures, hence the GL program.
#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "engine/SceneChange.h"
#include "engine/SceneFile.h"
#include "engine/Scenes.h"

#include <string>

namespace {

bool named(const std::string& name, const char* part) { return name.find(part) != std::string::npos; }

// The corridor's wall sections and how far back each sorts.
float wallDepth(const std::string& model)
{
    const std::string sections[] = {"3D/LVL2/wall/wall1",   "3D/LVL2/wall/wall2",   "3D/LVL2/wall/wall1_2",
                                    "3D/LVL2/wall/wall2_2", "3D/LVL2/wall/wall1_3", "3D/LVL2/wall/wall2_3",
                                    "3D/LVL2/wall/wall1_4", "3D/LVL2/wall/wall2_4"};
    const float depths[] = {100000.f, 100000.f, 20000000.f, 20000000.f, 300000000.f, 300000000.f, 4000000000.f,
                            4000000000.f};
    for (size_t i = 0; i < std::size(sections); ++i)
        if (model == sections[i])
            return depths[i];
    return 0.f;
}

struct KindRule {
    const char* name;
    MeshKind kind;
    bool (*applies)(const SceneObjectRecord& object);
};

const KindRule RULES[] = {
    {"ScrollingMap", MeshKind::ScrollingMap, [](const SceneObjectRecord& o) { return named(o.mesh->name(), "Map"); }},
    {"Wall", MeshKind::Wall, [](const SceneObjectRecord& o) { return named(o.mesh->name(), "wall"); }},
    {"CollisionTop", MeshKind::CollisionTop,
     [](const SceneObjectRecord& o) { return named(o.mesh->name(), "collisionTop"); }},
    {"CollisionBottom", MeshKind::CollisionBottom,
     [](const SceneObjectRecord& o) { return named(o.mesh->name(), "collisionBot"); }},
    {"Space", MeshKind::Space, [](const SceneObjectRecord& o) { return named(o.mesh->name(), "space"); }},
    {"SpaceStar", MeshKind::SpaceStar, [](const SceneObjectRecord& o) { return named(o.mesh->name(), "spacestar"); }},
    {"Backdrop", MeshKind::Backdrop, [](const SceneObjectRecord& o) { return o.mesh->name() == "3D/space"; }},
    {"Player", MeshKind::Player, [](const SceneObjectRecord& o) { return named(o.mesh->name(), "player"); }},
    {"GreenPlanet", MeshKind::GreenPlanet,
     [](const SceneObjectRecord& o) { return named(o.mesh->name(), "GreenPlanet") || o.name == "GreenPlanet"; }},
    {"CorridorWall", MeshKind::CorridorWall,
     [](const SceneObjectRecord& o) { return wallDepth(o.mesh->name()) != 0.f; }},
    // A scene's light glows, save where the scene hides the glows; the green planet is a light too.
    {"Light", MeshKind::Light,
     [](const SceneObjectRecord& o) { return o.mesh->name() == "light" || named(o.mesh->name(), "GreenPlanet"); }},
    {"NoGlow", MeshKind::NoGlow,
     [](const SceneObjectRecord& o) { return o.mesh->name() == "light" && scene::hidesLightGlow(o.sceneId); }},
    {"FinalBossHead", MeshKind::FinalBossHead, [](const SceneObjectRecord& o) { return o.name == "4head"; }},
};

} // namespace

TEST(MeshKindGl, EveryMeshOfEveryShippedSceneIsOfTheKindsItsNameSays)
{
    Engine e;
    int scenes = 0, corridorWalls = 0, planets = 0, heads = 0, hiddenGlows = 0;
    for (int id = 0; id < scene::COUNT; ++id) {
        if (scene::drawsShaderBackground(id) || id == scene::TOWER || scene::isMenu(id))
            continue; // built in code or drawn by a shader: no scene file
        e.world.sceneObjects.clear(); // a cleared scene's objects wait for the next frame to go
        e.world.enterScene(id);
        loadSceneFile(e, sceneFilePath(id), id, 0.f);
        ASSERT_FALSE(e.world.sceneObjects.empty()) << "scene " << id;
        ++scenes;
        for (const SceneObjectRecord& object : e.world.sceneObjects) {
            ASSERT_TRUE(object.mesh);
            const Mesh& mesh = *object.mesh;
            for (const KindRule& rule : RULES)
                EXPECT_EQ(mesh.is(rule.kind), rule.applies(object))
                    << rule.name << " of " << mesh.name() << " (" << object.name << ") in scene " << id;
            EXPECT_EQ(mesh.corridorDepth(), wallDepth(mesh.name())) << mesh.name() << " in scene " << id;
            corridorWalls += mesh.is(MeshKind::CorridorWall);
            planets += mesh.is(MeshKind::GreenPlanet);
            heads += mesh.is(MeshKind::FinalBossHead);
            hiddenGlows += mesh.is(MeshKind::NoGlow);
        }
    }
    e.world.sceneObjects.clear();
    EXPECT_EQ(scenes, 12);
    EXPECT_GT(corridorWalls, 0) << "the corridor's sections are found";
    EXPECT_GT(planets, 0) << "the green planet is found";
    EXPECT_EQ(heads, 1) << "the arena has the final boss's head";
    EXPECT_GT(hiddenGlows, 0);
}

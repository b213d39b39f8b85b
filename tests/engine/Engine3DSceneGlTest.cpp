#include <gtest/gtest.h>
#include <memory>
#include "support/GameFixtures.h"

#include "engine/BossParent.h"
#include "engine/DrawingShaderVariants.h"
#include "engine/Engine.h"
#include "engine/EngineFrame.h"
#include "engine/ObjLoader.h"
#include "engine/SceneChange.h"
#include "screens/MenuScene.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <thread>

namespace fs = std::filesystem;
using namespace testing_support;

namespace {

const char* const CUBE_OBJ =
    "# unit cube\n"
    "v -.5 -.5 -.5\nv .5 -.5 -.5\nv .5 .5 -.5\nv -.5 .5 -.5\nv -.5 -.5 .5\nv .5 -.5 .5\nv .5 .5 .5\nv -.5 .5 .5\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "f 1/1 4/4 3/3 2/2\nf 5/1 6/2 7/3 8/4\nf 1/1 2/2 6/3 5/4\nf 4/1 8/2 7/3 3/4\nf 1/1 5/2 8/3 4/4\nf 2/1 3/2 7/3 6/4\n";

void writePicture(const std::string& path, sf::Color colour, unsigned size = 16)
{
    writeFile(path, "");
    sf::Image image;
    image.create(size, size, colour);
    image.saveToFile(path);
}

// A camera at the origin looking down +z, for three frames.
const std::string CAMERA_AT_ORIGIN = "OBJECTTYPE camera NAME Cam LOC 0 0 0 ROT 1.5707964 0 0 LOC 0 0 0 ROT 1.5707964 0 0 "
                                     "LOC 0 0 0 ROT 1.5707964 0 0 ENDOBJ\n";

// A small asset tree: a red cube in front of a fixed camera, a green light
// up and to the right, and a few textures.
void writeTestTree(const TempDir& dir)
{
    writeFile(dir.file("3D/cube.obj"), CUBE_OBJ);
    writeFile(dir.file("3D/tiny.obj"), "v 0 0 0\nv .001 0 0\nv 0 .001 0\nf 1 2 3\n");
    writePicture(dir.file("3D/cube.png"), sf::Color(220, 40, 40));
    writePicture(dir.file("2D/hitbox.png"), sf::Color::White);
    writeFile(dir.file("Scene/WORLD_OBJECT.txt"), "Cube 3D/cube 3D/cube.png\r\nPlayerSmall 3D/tiny 2D/hitbox.png\n");
    writeFile(dir.file("Scene/8.txt"), CAMERA_AT_ORIGIN +
                                           "OBJECTTYPE mesh NAME Cube.001 LOC 0 0 2000 ROT 0 0 0 ENDOBJ\n"
                                           "OBJECTTYPE light NAME Lamp LOC 1500 -600 2000 INTENSITY 3 RANGE 20000 "
                                           "COLOR 0 1 0 ENDOBJ\n");
    std::string many;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "Obj" + std::to_string(i);
        writePicture(dir.file("3D/" + name + ".png"), sf::Color(static_cast<sf::Uint8>(i * 6), 90, 200));
        writePicture(dir.file("3D/" + name + "_NM.png"), sf::Color(128, 128, 255));
        writeFile(dir.file("Scene/WORLD_OBJECT.txt"),
                  readFile(dir.file("Scene/WORLD_OBJECT.txt")) + name + " 3D/" + name + " 3D/" + name + ".png\n");
        many += "OBJECTTYPE mesh NAME " + name + ".00" + std::to_string(i % 3) + " LOC 0 0 0 ENDOBJ\n";
    }
    writeFile(dir.file("Scene/9.txt"), many);
    const fs::path shaders = fs::current_path() / "Shader";
    if (fs::exists(shaders))
        fs::copy(shaders, dir.file("Shader"), fs::copy_options::recursive);
}

struct StillBoss : BossParent {
    void update(float) override {}
    void setAllRed() override {}
};

// The engine's resources loaded in a window handed to it.
class Engine3DGl : public EngineWindowTest {
protected:
    void SetUp() override
    {
        EngineWindowTest::SetUp();
        engine().initResources();
        engine().timing.frameClock.restart();
    }
    void TearDown() override
    {
        scenePreloader().stop();
        EngineWindowTest::TearDown();
    }

    // Draws `frames` frames at 60 per second as the main loop does (engine step, then
    // the 3D scene); returns the last picture, kept as screenshot `shot`.
    sf::Image play(int frames, const std::string& shot)
    {
        sf::Image picture;
        for (int i = 0; i < frames; ++i) {
            input_.clock.advance(1.f / 60.f);
            window.clear(sf::Color::Black);
            updateEngineFrame();
            engine().render3D();
            if (i + 1 == frames)
                picture = screenshot(window, shot);
            window.display();
        }
        return picture;
    }

    // The last frame drawn again without stepping the world, by play's shader
    // variants and by the whole drawing shader: the pixels the two pictures differ in.
    long wholeShaderPixelsApart(const std::string& shot)
    {
        sf::Image pictures[2];
        for (int whole = 0; whole < 2; ++whole) {
            engine().renderer.playShaders = !whole;
            window.clear(sf::Color::Black);
            engine().render3D();
            pictures[whole] = screenshot(window, "engine3d_" + shot + (whole ? "_whole_shader" : "_play_shaders"));
            window.display();
        }
        engine().renderer.playShaders = true;
        return pixelsApart(pictures[0], pictures[1]);
    }

    SyntheticInput input_;
};

} // namespace

TEST_F(Engine3DGl, EverySceneIdSwitchesDrawsAndOutOfRangeIsIgnored)
{
    Engine& e = engine();
    installMenuScene(); // the menu screens build the hangar of scene 15
    for (int id = 0; id < SCENE_COUNT; ++id) {
        e.world.light().darken();
        changeScene(id, 0.f);
        EXPECT_EQ(e.world.sceneId(), id);
        EXPECT_FLOAT_EQ(e.world.light().brightness(), 3.5f);
        EXPECT_EQ(e.world.boss3D(), nullptr);
        if (scene::drawsShaderBackground(id))
            continue; // the shader background's scenes: no 3D step
        if (id == scene::HANGAR) { // the hangar's path never plays: look from where the menu leaves the camera
            e.world.player3D()->position = {-19000.f, -4000.f, 3300.f};
            e.world.camera()->rotation = {0.f, -90.f, -12.f};
        }
        play(4, "engine3d_scene_" + std::to_string(id));
        if (id != scene::TOWER) { // the first boss's arena: its tower is the boss's, not the scene's
            EXPECT_GT(e.renderer.visibleObjects.size(), 1u) << "scene " << id << ": nothing but the sky in view";
        }
    }
    scenePreloader().wait();

    changeScene(scene::ASTEROIDS, 0.f);
    const size_t objects = e.world.sceneObjects.size();
    const size_t frames = e.world.cameraPath().size();
    for (int id : {-1, 17, 1000}) {
        changeScene(id, 0.f);
        EXPECT_EQ(e.world.sceneId(), scene::ASTEROIDS);
        EXPECT_EQ(e.world.sceneObjects.size(), objects);
        EXPECT_EQ(e.world.cameraPath().size(), frames);
    }
}

// Play draws the meshes with the drawing shader's variants (maps a mesh lacks
// read as constants, glows left out where nothing glows, the nearby lights
// counted by the game): every shipped scene looks exactly as the whole shader
// draws it, and the variants are what drew it.
TEST_F(Engine3DGl, EveryScenePlaysPixelForPixelAsTheWholeShaderDrawsIt)
{
    Engine& e = engine();
    installMenuScene();
    DrawingShaderVariants variants;
    std::set<sf::Shader*> used;
    size_t glowingMeshes = 0, mappedMeshes = 0;
    for (int id = 0; id < SCENE_COUNT; ++id) {
        if (scene::drawsShaderBackground(id))
            continue;
        changeScene(id, 0.f);
        if (id == scene::HANGAR) {
            e.world.player3D()->position = {-19000.f, -4000.f, 3300.f};
            e.world.camera()->rotation = {0.f, -90.f, -12.f};
        }
        play(6, "engine3d_scene_settled_" + std::to_string(id));
        EXPECT_EQ(wholeShaderPixelsApart("scene_" + std::to_string(id)), 0) << "scene " << id;
        for (const Mesh* mesh : e.renderer.visibleObjects) {
            if (mesh->shader() != e.renderer.drawingShader())
                continue;
            used.insert(variants.forMesh(*mesh, !mesh->emissive(), e.renderer));
            glowingMeshes += mesh->emissive() && mesh->maps().emissiveMap;
            mappedMeshes += mesh->maps().normalMap != nullptr;
        }
    }
    EXPECT_EQ(used.count(nullptr), 0u) << "every variant compiles";
    EXPECT_EQ(used.count(e.renderer.drawingShader()), 0u);
    EXPECT_GE(used.size(), 3u);
    EXPECT_GT(glowingMeshes, 0u);
    EXPECT_GT(mappedMeshes, 0u);

    // A cube with three lamps nearby: two of them warm it through the count the game makes.
    TempDir dir;
    writeTestTree(dir);
    std::string lamps;
    for (const char* at : {"1500 -600 2000", "-1500 600 2000", "0 900 1500"})
        lamps += std::string("OBJECTTYPE light NAME Lamp LOC ") + at + " INTENSITY 3 RANGE 20000 COLOR 0 1 0 ENDOBJ\n";
    writeFile(dir.file("Scene/8.txt"), CAMERA_AT_ORIGIN + "OBJECTTYPE mesh NAME Cube.001 LOC 0 0 2000 ENDOBJ\n" + lamps);
    InDirectory here(dir.path);
    changeScene(scene::CORRIDOR, 0.f);
    play(4, "engine3d_cube_three_lamps");
    ASSERT_EQ(e.world.sceneObjects.size(), 4u);
    EXPECT_EQ(e.world.sceneObjects[0].mesh->lightsReaching().size(), 3u);
    EXPECT_EQ(wholeShaderPixelsApart("cube_three_lamps"), 0);
}

// The textures a job lists by name are in the cache once its worker is done,
// before anything draws them: loading them is not left to the frame that needs them.
// A shader's variant defines go on a line of their own, even after a shader of one line.
TEST_F(Engine3DGl, VariantDefinesGoOnALineOfTheirOwn)
{
    TempDir dir;
    writeFile(dir.file("Shader/oneLine.frag"), "void main() { gl_FragColor = vec4(1.0); }");
    writeFile(dir.file("Shader/twoLines.frag"), "#version 120\nvoid main() { gl_FragColor = vec4(1.0); }\n");
    InDirectory here(dir.path);
    EXPECT_NE(engine().renderer.sharedShader("Shader/oneLine.frag", "#define PLAY_VIEW\n"), nullptr);
    EXPECT_NE(engine().renderer.sharedShader("Shader/twoLines.frag", "#define PLAY_VIEW\n"), nullptr);
}

TEST_F(Engine3DGl, APreloadJobsListedTexturesAreReadyBeforeTheSceneAsksForThem)
{
    TempDir dir;
    const char* const listed[] = {"3D/ListedA.png", "3D/ListedB_NM.png", "3D/ListedShared.png"};
    for (const char* path : listed)
        writePicture(dir.file(path), sf::Color(90, 200, 30));
    InDirectory here(dir.path);
    PreloadJob job;
    job.sceneTextures = {listed[0], listed[1]};
    job.sharedTextures = {listed[2]};
    for (const char* path : listed)
        ASSERT_FALSE(engine().textures.hasEntry(path)) << path;
    ASSERT_TRUE(scenePreloader().start(job));
    scenePreloader().wait();
    for (const char* path : listed)
        EXPECT_TRUE(engine().textures.hasEntry(path)) << path;
}

TEST_F(Engine3DGl, PreloadRunsBesideTheMainThreadAndPicksTheNextFile)
{
    TempDir dir;
    writeTestTree(dir);
    InDirectory here(dir.path);
    Engine& e = engine();

    changeScene(scene::CORRIDOR, 0.f);
    EXPECT_EQ(scenePreloader().lastPath(), "Scene/9.txt");
    // The main thread keeps using the cache while the worker fills it: a path gives one
    // texture, whichever thread loaded it.
    std::map<int, sf::Texture*> first;
    int loaded = 0;
    for (int round = 0; round < 20; ++round)
        for (int i = 0; i < 40; i += 3) {
            sf::Texture* texture = e.textures.getTexture("3D/Obj" + std::to_string(i) + ".png", TextureUse::Scene);
            loaded += texture != nullptr && first.emplace(i, texture).first->second == texture;
        }
    scenePreloader().wait();
    EXPECT_EQ(loaded, 20 * 14);
    for (int i = 0; i < 40; ++i)
        EXPECT_TRUE(e.textures.hasEntry("3D/Obj" + std::to_string(i) + ".png")) << i;
    EXPECT_TRUE(e.textures.hasEntry("3D/Obj5_NM.png"));
    // Purges while a worker loads break nothing, and keep what it loaded for
    // the next scene until another preload starts.
    changeScene(scene::CORRIDOR, 0.f);
    for (int round = 0; round < 50; ++round)
        e.purgeUnusedTextures();
    scenePreloader().wait();
    e.purgeUnusedTextures();
    EXPECT_TRUE(e.textures.hasEntry("3D/Obj5_NM.png"));
    EXPECT_TRUE(e.textures.hasEntry("3D/Obj39.png"));

    changeScene(scene::APPROACH, 0.f);
    EXPECT_EQ(scenePreloader().lastPath(), "Scene/boss.txt");
    scenePreloader().wait();
    e.updateVisibleObjects(); // scene 8's meshes go
    e.purgeUnusedTextures();
    EXPECT_FALSE(e.textures.hasEntry("3D/Obj5_NM.png"));
    EXPECT_TRUE(e.textures.hasEntry("3D/cube.png")); // scene 8 follows the fileless tower
    EXPECT_NE(e.textures.getTexture("3D/Obj5_NM.png", TextureUse::Scene), nullptr);
    changeScene(scene::TOWER, 0.f);
    EXPECT_EQ(scenePreloader().lastPath(), "Scene/boss.txt"); // nothing started
    changeScene(scene::CREDITS, 0.f);
    EXPECT_EQ(scenePreloader().lastPath(), "Scene/MAIN_MENU.txt");
    changeScene(scene::MOON, 0.f);
    EXPECT_EQ(scenePreloader().lastPath(), "Scene/MAIN_MENU.txt");
    changeScene(scene::ARENA, 0.f);
    EXPECT_EQ(scenePreloader().lastPath(), "Scene/credits.txt"); // the final boss ends the game
    // Quick changes stop the running worker before starting the next.
    for (int i = 0; i < 10; ++i)
        changeScene(scene::CORRIDOR, 0.f);
    scenePreloader().wait();
}

TEST_F(Engine3DGl, TexturesStayWhileUsedAndGoWithTheirSceneAndMissingMapsAreLookedForAgainNextScene)
{
    TempDir dir;
    writeTestTree(dir);
    InDirectory here(dir.path);
    changeScene(scene::CORRIDOR, 0.f);
    scenePreloader().wait();
    Engine& e = engine();
    e.textures.forgetLastPreload(); // scene 9's, loaded ahead, would stay: this is about scene 8

    sf::Texture* shared = e.textures.getTexture("3D/Obj1.png");                  // a sprite's texture
    sf::Texture* unused = e.textures.getTexture("3D/Obj2.png", TextureUse::Scene); // nobody draws it
    sf::Texture* registered = e.textures.getTexture("3D/Obj3.png", TextureUse::Scene);
    Mesh* mesh = e.addMesh(loadObjMesh(e.textures, e.renderer, "3D/cube", registered, {}, false));
    ASSERT_NE(mesh, nullptr);
    StillBoss boss;
    sf::Texture* bossTexture = e.textures.getTexture("3D/Obj4.png", TextureUse::Scene);
    boss.objects.push_back(loadObjMesh(e.textures, e.renderer, "3D/cube", bossTexture, {}, false));
    e.world.setBoss3D(&boss);
    ASSERT_TRUE(shared && unused && registered && boss.objects[0]);

    e.purgeUnusedTextures();
    EXPECT_TRUE(e.textures.hasEntry("3D/Obj1.png"));
    EXPECT_FALSE(e.textures.hasEntry("3D/Obj2.png"));
    EXPECT_TRUE(e.textures.hasEntry("3D/Obj3.png"));
    EXPECT_TRUE(e.textures.hasEntry("3D/Obj4.png"));
    EXPECT_TRUE(e.textures.hasEntry("2D/hitbox.png")); // the light markers and the player's marker use it
    EXPECT_TRUE(e.textures.hasEntry("3D/space.png"));

    e.world.clearBoss3D();
    mesh->markForDeletion();
    e.updateVisibleObjects();
    e.purgeUnusedTextures();
    EXPECT_FALSE(e.textures.hasEntry("3D/Obj3.png"));
    EXPECT_FALSE(e.textures.hasEntry("3D/Obj4.png"));
    EXPECT_TRUE(e.textures.hasEntry("3D/Obj1.png"));

    // Every copy of a model in a scene asks for its maps; an absent one is looked
    // for on disk once per scene change, not once per copy.
    EXPECT_EQ(e.textures.getTexture("3D/cube_RN.png", TextureUse::Scene), nullptr);
    writePicture(dir.file("3D/cube_RN.png"), sf::Color::White);
    EXPECT_EQ(e.textures.getTexture("3D/cube_RN.png", TextureUse::Scene), nullptr);
    changeScene(scene::CORRIDOR, 0.f);
    scenePreloader().wait();
    EXPECT_NE(e.textures.getTexture("3D/cube_RN.png", TextureUse::Scene), nullptr);

    // The textures of a gone scene are released once its meshes are.
    e.updateVisibleObjects();
    ASSERT_TRUE(e.textures.hasEntry("3D/cube.png"));
    changeScene(scene::MAIN_MENU, 0.f); // the menu loads no scene file
    scenePreloader().wait();
    e.updateVisibleObjects();
    EXPECT_FALSE(e.textures.hasEntry("3D/cube.png"));
}

// The preload reads the next scene file ahead; one changed since is loaded as it is now.
// A texture file that is there but holds no picture (cut short, garbage) gives no texture
// either, and is said once to be unreadable.
TEST_F(Engine3DGl, ABrokenTextureFileGivesNullAndIsReportedOnceAsUnreadable)
{
    testing_support::TempDir dir;
    const std::string broken = dir.file("broken.png");
    testing_support::writeFile(broken, "\x89PNG\r\n\x1a\n cut short");
    Engine e;
    testing::internal::CaptureStderr();
    EXPECT_EQ(e.textures.getTexture(broken), nullptr);
    EXPECT_EQ(e.textures.getTexture(broken), nullptr);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing_support::occurrences(said, broken + ": texture cannot be read"), 1) << said;
}

// A texture the cache calls opaque is drawn without blending: one see-through pixel must keep it blended.
TEST_F(Engine3DGl, ATextureIsOpaqueOnlyWhenEveryPixelIs)
{
    testing_support::TempDir dir;
    sf::Image solid;
    solid.create(4, 4, sf::Color(200, 40, 40));
    sf::Image holed = solid;
    holed.setPixel(3, 3, sf::Color(0, 0, 0, 0));
    ASSERT_TRUE(solid.saveToFile(dir.file("solid.png")) && holed.saveToFile(dir.file("holed.png")));
    Engine e;
    EXPECT_TRUE(e.textures.isOpaque(e.textures.getTexture(dir.file("solid.png"))));
    EXPECT_FALSE(e.textures.isOpaque(e.textures.getTexture(dir.file("holed.png"))));
}

TEST_F(Engine3DGl, ASceneFileChangedAfterItsPreloadIsLoadedAsItIsNow)
{
    TempDir dir;
    writeTestTree(dir);
    InDirectory here(dir.path);
    changeScene(scene::CORRIDOR, 0.f);
    scenePreloader().wait(); // scene 9's file read ahead: none of its models exists
    writeFile(dir.file("Scene/9.txt"), "OBJECTTYPE mesh NAME Cube.001 LOC 0 0 0 ENDOBJ\n");
    changeScene(scene::ARENA, 0.f);
    const std::vector<SceneObjectRecord>& objects = engine().world.sceneObjects;
    EXPECT_EQ(std::count_if(objects.begin(), objects.end(), [](const SceneObjectRecord& r) { return r.sceneId == scene::ARENA; }), 1);
}

TEST_F(Engine3DGl, LightGlowsLandWhereTheyProjectAndAddUpAndTheDebugViewShowsTheLightWhileHeld)
{
    TempDir dir;
    writeTestTree(dir);
    InDirectory here(dir.path);
    changeScene(scene::CORRIDOR, 0.f);
    const sf::Image picture = play(20, "engine3d_cube_and_light");
    ASSERT_EQ(engine().world.sceneObjects.size(), 2u);
    // The cube's near face: 800 wide at 1600 units, so 400 pixels around the centre.
    const sf::Color lit = picture.getPixel(960, 540);
    EXPECT_GT(lit.r, lit.g + 40) << "the red cube covers the centre";
    const sf::Color above = picture.getPixel(960, 100);
    EXPECT_LT(above.r + above.g + above.b, 60) << "nothing but the backdrop above the cube";
    // The green glow is centred on the light's projection (1560, 300).
    const sf::Color glow = picture.getPixel(1560, 300);
    const sf::Color mirrored = picture.getPixel(1560, 780);
    EXPECT_GT(glow.g, 100) << "glow at the light";
    EXPECT_GT(glow.g, mirrored.g + 50) << "glow not mirrored";

    input_.keyboard.press(sf::Keyboard::F2); // the light alone: grey
    const sf::Color light = play(2, "engine3d_debug_light").getPixel(960, 540);
    input_.keyboard.release(sf::Keyboard::F2);
    const sf::Color after = play(2, "engine3d_debug_after").getPixel(960, 540);
    EXPECT_NEAR(light.r, light.g, 12) << "grey while F2 is held (the green glow aside)";
    EXPECT_EQ(after, lit) << "the same picture once it is let go";

    // The glows of two green lights, projecting to (1080, 300) and (840, 300), add up.
    const std::string right = "OBJECTTYPE light NAME A LOC 300 -600 2000 INTENSITY 3 RANGE 20000 COLOR 0 1 0 ENDOBJ\n";
    const std::string left = "OBJECTTYPE light NAME B LOC -300 -600 2000 INTENSITY 3 RANGE 20000 COLOR 0 1 0 ENDOBJ\n";
    auto glowOf = [&](const std::string& lights, const std::string& shot) {
        writeFile(dir.file("Scene/8.txt"), CAMERA_AT_ORIGIN + lights);
        changeScene(scene::CORRIDOR, 0.f);
        return play(4, shot);
    };
    const sf::Image one = glowOf(right, "engine3d_glow_right");
    const sf::Image other = glowOf(left, "engine3d_glow_left");
    const sf::Image both = glowOf(right + left, "engine3d_glow_both");
    for (const sf::Vector2u at : {sf::Vector2u(960, 300), sf::Vector2u(900, 420), sf::Vector2u(1300, 300)}) {
        const int alone = one.getPixel(at.x, at.y).g, beside = other.getPixel(at.x, at.y).g;
        EXPECT_GT(alone, 8) << at.x << "," << at.y << ": the glow reaches here";
        EXPECT_NEAR(both.getPixel(at.x, at.y).g, std::min(255, alone + beside), 2) << at.x << "," << at.y;
    }
    EXPECT_EQ(both.getPixel(1080, 300).g, 255) << "saturates at the light";
    EXPECT_LT(both.getPixel(960, 300).r, 4) << "green light only";
}

// Two meshes drawn one after the other through the shared drawing shader, each
// with its own texture and glow map, after the arena's backdrop shader and
// before the glow pass's own; between two frames another shader binds its
// textures where the maps go: each keeps its look from frame to frame.
TEST_F(Engine3DGl, TwoMeshesKeepTheirOwnTexturesAndGlowWhateverShaderDrewBetween)
{
    TempDir dir;
    writeTestTree(dir);
    writeFile(dir.file("3D/glowcube.obj"), CUBE_OBJ);
    writePicture(dir.file("3D/blue.png"), sf::Color(40, 60, 220));
    writePicture(dir.file("3D/glowcube_EM.png"), sf::Color(0, 200, 0));
    writeFile(dir.file("Scene/WORLD_OBJECT.txt"),
              "Cube 3D/cube 3D/cube.png\nGlowCube 3D/glowcube 3D/blue.png\nPlayerSmall 3D/tiny 2D/hitbox.png\n");
    writeFile(dir.file("Scene/9.txt"), CAMERA_AT_ORIGIN + "OBJECTTYPE mesh NAME Cube.001 LOC -600 0 2000 ENDOBJ\n"
                                                          "OBJECTTYPE mesh NAME GlowCube.001 LOC 600 0 2000 ENDOBJ\n"
                                                          "OBJECTTYPE light NAME Lamp LOC 0 -900 2000 INTENSITY 3 "
                                                          "RANGE 20000 COLOR 0 1 0 ENDOBJ\n");
    InDirectory here(dir.path);
    changeScene(scene::ARENA, 0.f);
    play(3, "engine3d_two_cubes_settle");

    // A shader of the window library's own, its eight maps all magenta.
    sf::Image magentaPixel;
    magentaPixel.create(1, 1, sf::Color::Magenta);
    sf::Texture magenta;
    ASSERT_TRUE(magenta.loadFromImage(magentaPixel));
    sf::Shader intruder;
    std::string source = "#version 120\n";
    for (int i = 0; i < 8; ++i)
        source += "uniform sampler2D map" + std::to_string(i) + ";\n";
    source += "void main() { vec4 sum = vec4(0.0);\n";
    for (int i = 0; i < 8; ++i)
        source += "sum += texture2D(map" + std::to_string(i) + ", gl_TexCoord[0].xy);\n";
    source += "gl_FragColor = sum / 8.0; }\n";
    ASSERT_TRUE(intruder.loadFromMemory(source, sf::Shader::Fragment));
    for (int i = 0; i < 8; ++i)
        intruder.setUniform("map" + std::to_string(i), magenta);

    sf::Image before, after;
    for (sf::Image* picture : {&before, &after}) {
        window.clear(sf::Color::Black);
        updateEngineFrame(); // the clock stands still: the same frame again
        engine().render3D();
        *picture = screenshot(window, picture == &before ? "engine3d_two_cubes" : "engine3d_two_cubes_again");
        sf::RectangleShape corner({8.f, 8.f});
        window.draw(corner, &intruder);
        window.display();
    }
    const sf::Color red = before.getPixel(720, 540), blue = before.getPixel(1200, 540);
    EXPECT_GT(red.r, red.b + 60) << "the left cube shows its red texture";
    EXPECT_GT(blue.b, blue.r + 60) << "the right cube shows its blue texture";
    EXPECT_GT(blue.g, red.g + 60) << "only the right cube has a glow map";
    int apart = 0;
    for (unsigned y = 0; y < 1080; y += 2)
        for (unsigned x = 0; x < 1920; x += 2)
            apart += before.getPixel(x, y) != after.getPixel(x, y);
    EXPECT_EQ(apart, 0) << "the next frame looks the same";
}

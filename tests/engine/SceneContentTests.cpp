// The game's 3D content as the loaders read it: every scene file and its camera path
// against the shipped sequences, every model of the world-object table, the hangar's
// parts, the bosses' models, and the shaders' uniforms. Runs in the asset tree (build/game).
#include <gtest/gtest.h>

#include "engine/Mesh.h"
#include "engine/ObjLoader.h"
#include "engine/SceneChange.h"
#include "engine/SceneFile.h"
#include "engine/ShaderUniforms.h"
#include "enemies/Spawner.h"
#include "gameplay/LevelFlow.h"
#include "gameplay/Levels.h"
#include "platform/AssetPath.h"
#include "play/Transitions.h"
#include "screens/MenuScene.h"
#include "support/TestSupport.h"

#include <SFML/Graphics/Image.hpp>
#include <cmath>
#include <fstream>
#include <map>
#include <iterator>
#include <regex>

namespace {

constexpr size_t MAX_TRIANGLES = 5000;

struct CameraPath {
    std::vector<sf::Vector3f> positions, rotations; // frame k: position key k, rotation key k + 1
    size_t frames() const { return std::min(positions.size(), rotations.size()) - 1; }
};

std::vector<SceneRecord> readScene(const std::string& path)
{
    std::ifstream in(resolveAssetPath(path), std::ios::binary);
    EXPECT_TRUE(in) << path;
    return readSceneRecords(in);
}

CameraPath onlyCamera(const std::vector<SceneRecord>& records)
{
    CameraPath path;
    int cameras = 0;
    for (const SceneRecord& r : records)
        if (r.kind == SceneRecordKind::Camera) {
            ++cameras;
            path.positions = r.positions;
            path.rotations = r.rotations;
        }
    EXPECT_EQ(cameras, 1);
    return path;
}

float distance(sf::Vector3f a, sf::Vector3f b) { return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z)); }

// Files loaded by scene id (7, 11 to 13 and 15 have none), and the one read before the boss.
std::vector<std::string> sceneFiles()
{
    std::vector<std::string> files;
    for (int id : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 14, 16})
        files.push_back(std::string("Scene/") + sceneNames[id] + ".txt");
    files.push_back("Scene/boss.txt");
    return files;
}

std::unique_ptr<Mesh> geometry(const std::string& model)
{
    std::unique_ptr<Mesh> mesh = loadObjGeometry(model, {}, false);
    EXPECT_TRUE(mesh) << model;
    return mesh;
}

// Share of triangles whose winding faces away from the point (outward for a closed shape around it).
double facingAwayFrom(const Mesh& mesh, sf::Vector3f centre)
{
    int away = 0;
    for (const Triangle& t : mesh.triangles) {
        const ModelVertex* v = t.modelVertices;
        sf::Vector3f e1{v[1].x - v[0].x, v[1].y - v[0].y, v[1].z - v[0].z}, e2{v[2].x - v[0].x, v[2].y - v[0].y, v[2].z - v[0].z};
        sf::Vector3f n{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
        sf::Vector3f c{(v[0].x + v[1].x + v[2].x) / 3 - centre.x, (v[0].y + v[1].y + v[2].y) / 3 - centre.y,
                       (v[0].z + v[1].z + v[2].z) / 3 - centre.z};
        away += n.x * c.x + n.y * c.y + n.z * c.z > 0;
    }
    return mesh.triangles.empty() ? 0 : static_cast<double>(away) / mesh.triangles.size();
}

// When the shipped sequence (global number) raises its Finish.
float finishTime(int sequence)
{
    Spawner spawner;
    EXPECT_TRUE(spawner.loadSequence(sequence)) << sequence;
    for (const SpawnEntry& e : spawner.pending)
        if (e.pattern == pattern_id::FINISH)
            return e.time;
    ADD_FAILURE() << "no Finish in sequence " << sequence;
    return 0.f;
}

} // namespace

TEST(SceneContent, EveryTableModelLoadsWithItsTextureAndASensibleTriangleCount)
{
    WorldObjectTable table;
    ASSERT_GE(table.size(), 30u);
    for (const auto& [name, entry] : table) {
        SCOPED_TRACE(name);
        std::ifstream obj(resolveAssetPath(entry.modelPath + ".obj"), std::ios::binary);
        ASSERT_TRUE(obj);
        ObjGeometry g = readObjGeometry(obj);
        EXPECT_EQ(g.skippedFaces, 0);
        EXPECT_GT(g.triangles.size(), 0u);
        EXPECT_LE(g.triangles.size(), MAX_TRIANGLES);
        sf::Image texture;
        EXPECT_TRUE(texture.loadFromFile(resolveAssetPath(entry.texturePath))) << entry.texturePath;
    }
    ASSERT_TRUE(table.count("PlayerSmall")) << "the light marker";
    ASSERT_TRUE(table.count("GreenPlanet"));
    EXPECT_NE(table["GreenPlanet"].modelPath.find("GreenPlanet"), std::string::npos) << "the planet that glows";
}

// (Every key the reader keeps is finite, whatever the file: the scene fuzz target.)
TEST(SceneContent, EverySceneFileParsesIntoPosesOfObjectsOfTheTable)
{
    WorldObjectTable table;
    for (const std::string& file : sceneFiles()) {
        SCOPED_TRACE(file);
        std::vector<SceneRecord> records = readScene(file);
        int meshes = 0;
        for (const SceneRecord& r : records) {
            if (r.kind != SceneRecordKind::Mesh)
                continue;
            ++meshes;
            EXPECT_TRUE(table.count(objectNameOf(r.name))) << r.name;
            EXPECT_FALSE(r.positions.empty()) << r.name;
            EXPECT_FALSE(r.rotations.empty()) << r.name;
        }
        EXPECT_GT(meshes, 0);
        for (const SceneRecord& r : records)
            if (r.kind == SceneRecordKind::Light) {
                EXPECT_GT(r.intensity, 0.f);
                EXPECT_GT(r.range, 0.f);
            }
    }
}

TEST(SceneContent, CameraPathsEndWhereTheShippedSequencesNeedThem)
{
    Spawner spawner;
    ASSERT_EQ(spawner.totalSequences, level_flow::FLOW_SEQUENCES);
    for (int level : {2, 3, 4})
        EXPECT_EQ(spawner.getSequenceIndex(level, 1), levelInfo(level).firstSequence);
    const auto seconds = [](const char* file) { return onlyCamera(readScene(file)).frames() / 60.f; };

    // Asteroids: the ships fly out when the sequence ends, then the path ends soon after
    // (a path that ended first would cut the sequence and skip the fly-out).
    const float asteroids = seconds("Scene/3.txt");
    EXPECT_GT(asteroids, finishTime(level_flow::FLY_OUT_SEQUENCE) + 2.f);
    EXPECT_LT(asteroids, finishTime(level_flow::FLY_OUT_SEQUENCE) + 8.f);
    // Approach: the warning banner runs its course before the boss rises, without a long wait.
    const float approach = seconds("Scene/6.txt");
    const float warningAt = finishTime(level_flow::FIRST_BOSS_SEQUENCE);
    EXPECT_GT(approach, warningAt + WarningTransition::LENGTH);
    EXPECT_LT(approach, warningAt + 12.f);
    // Corridor: its end must not restart the fade that its sequence's end began, nor stall.
    const float corridor = seconds("Scene/8.txt");
    EXPECT_GT(corridor, finishTime(level_flow::CORRIDOR_SEQUENCE) + 3.f);
    EXPECT_LT(corridor, 260.f);
    // The intro and the dive are short cut-scenes; the credits roll for a while; gameplay
    // scenes that end by their sequences run long.
    const std::map<std::string, std::pair<float, float>> ranges = {
        {"Scene/1.txt", {5, 15}}, {"Scene/4.txt", {4, 15}}, {"Scene/credits.txt", {30, 120}},
        {"Scene/2.txt", {180, 1e6f}}, {"Scene/5.txt", {180, 1e6f}}};
    for (const auto& [file, range] : ranges) {
        EXPECT_GE(seconds(file.c_str()), range.first) << file;
        EXPECT_LE(seconds(file.c_str()), range.second) << file;
    }

    // The approach to the first boss ends on the boss's fixed view.
    CameraPath path = onlyCamera(readScene("Scene/6.txt"));
    EXPECT_LT(distance(path.positions[path.frames() - 1], {0.f, -203338.8125f, 358765.f}), 50.f);
    sf::Vector3f last = path.rotations[path.frames()];
    EXPECT_NEAR(last.x, 70.f, 0.5f);
    EXPECT_NEAR(last.y, 0.f, 0.5f);
    EXPECT_NEAR(last.z, 0.f, 0.5f);
}

TEST(SceneContent, TheSecondBossArenaHoldsTheHeadAndLoopsSmoothly)
{
    std::vector<SceneRecord> records = readScene("Scene/9.txt");
    int heads = 0;
    for (const SceneRecord& r : records)
        heads += r.kind == SceneRecordKind::Mesh && objectNameOf(r.name) == "4head";
    EXPECT_EQ(heads, 1);
    WorldObjectTable table;
    EXPECT_NE(table["4head"].modelPath.find("4head"), std::string::npos);

    CameraPath path = onlyCamera(records);
    // The boss's last scripted window ends at frame 4818; the loop replays frames 181 to the end.
    ASSERT_GT(path.frames(), 4818u);
    const size_t end = path.frames() - 1;
    const float step = distance(path.positions[200], path.positions[201]);
    EXPECT_LT(distance(path.positions[end], path.positions[181]), 4 * step + 1.f) << "a jump at the loop seam";
    EXPECT_LT(std::abs(path.rotations[end + 1].z - path.rotations[182].z), 0.5f);
}

TEST(SceneContent, TheHangarPartsLoadAndTheMenuScreenMapsTheWholePicture)
{
    std::vector<std::string> parts(SCREEN_DISPLAYERS.begin(), SCREEN_DISPLAYERS.end());
    for (const HangarMeshInfo& part : HANGAR_MESHES)
        parts.push_back(part.name);
    for (const std::string& part : parts) {
        std::unique_ptr<Mesh> mesh = geometry("3D/Hangar/" + part);
        if (mesh) {
            EXPECT_GT(mesh->triangles.size(), 0u) << part;
            EXPECT_LE(mesh->triangles.size(), MAX_TRIANGLES) << part;
        }
    }
    EXPECT_TRUE(assetExists("3D/Hangar/HangarColor.png"));

    // The menu replaces the display's texture by its 1050 x 550 picture: the
    // standby picture has that size and the display's corners span it all.
    sf::Image standby;
    ASSERT_TRUE(standby.loadFromFile(resolveAssetPath("3D/Hangar/_Base.png")));
    EXPECT_EQ(standby.getSize(), sf::Vector2u(1050, 550));
    std::unique_ptr<Mesh> display = geometry("3D/Hangar/P1ScreenDisplayer/P1ScreenDisplay");
    ASSERT_TRUE(display);
    float minU = 1, maxU = 0, minV = 1, maxV = 0;
    for (const Triangle& t : display->triangles)
        for (const ModelVertex& v : t.modelVertices) {
            minU = std::min(minU, v.u), maxU = std::max(maxU, v.u);
            minV = std::min(minV, v.v), maxV = std::max(maxV, v.v);
        }
    EXPECT_FLOAT_EQ(minU, 0.f);
    EXPECT_FLOAT_EQ(maxU, 1.f);
    EXPECT_FLOAT_EQ(minV, 0.f);
    EXPECT_FLOAT_EQ(maxV, 1.f);
}

TEST(SceneContent, TheBossModelsTheirTexturesAndTheBackdropFaceTheRightWay)
{
    for (const char* model : {"3D/BossLevel1/Tower/Tower", "3D/BossLevel1/Tower/Door1", "3D/BossLevel1/Tower/Door2",
                              "3D/BossLevel1/Tower/DoorTop", "3D/GreenPlanet/planet", "3D/BossLevel1/Module/Module",
                              "3D/bossLevel1/Module/Turret", "2D/hitboxYarvo"})
        geometry(model);
    for (const char* texture : {"3D/BossLevel1/Tower/Tower_greenDiffuse.png", "3D/BossLevel1/Tower/Tower_redDiffuse.png",
                                "3D/BossLevel1/Module/Module_greenDiffuse.png", "3D/BossLevel1/Module/Module_redDiffuse.png",
                                "3D/GreenPlanet/planet.png", "3D/space.png", "3D/spacestar.png", "2D/hitbox.png"})
        EXPECT_TRUE(assetExists(texture)) << texture;

    // Seen from inside: the backdrop's faces turn towards its centre; the planets' away from theirs.
    std::unique_ptr<Mesh> space = geometry("3D/space");
    ASSERT_TRUE(space);
    EXPECT_LE(space->triangles.size(), 1500u);
    EXPECT_EQ(facingAwayFrom(*space, {0, 0, 0}), 0.0);
    for (const char* planet : {"3D/GreenPlanet/planet", "3D/Moon/moon", "3D/Planets/Red/red"})
        if (std::unique_ptr<Mesh> mesh = geometry(planet)) {
            EXPECT_EQ(facingAwayFrom(*mesh, {0, 0, 0}), 1.0) << planet;
        }
}

// A uniform the game sets must be declared and read: one declared but never read
// is dropped by the shader compiler, and setting it puts a complaint on the error stream.
TEST(SceneContent, ShadersDeclareAndReadTheUniformsTheGameSets)
{
    // The renderer's own lists (an array element named by its array).
    auto namesOf = [](const char* const* names, size_t count) {
        std::vector<std::string> list;
        for (size_t i = 0; i < count; ++i)
            list.push_back(std::string(names[i]).substr(0, std::string(names[i]).find('[')));
        return list;
    };
    namespace su = shader_uniforms;
    const std::map<std::string, std::vector<std::string>> uniforms = {
        {"drawingShader", namesOf(su::DRAWING, su::DRAWING_COUNT)},
        {"MovingLightShader", namesOf(su::GLOW, su::GLOW_COUNT)},
        {"shaderBossSpace", namesOf(su::BACKDROP, su::BACKDROP_COUNT)},
        {"backgroundMenuShader", {"backgroundTexture", "worldLighting", "time"}},
        {"combinedShaders", namesOf(su::TUNNEL, su::TUNNEL_COUNT)},
        {"shaderInterpolation", {"texture1", "texture2", "transition"}},
        {"PixelateShader", {}}, {"ContrastShader", {}}, {"NoiseShader", {}}, {"greenShader", {}}};
    for (const auto& [name, names] : uniforms) {
        SCOPED_TRACE(name);
        const std::string text = testing_support::readFile(resolveAssetPath("Shader/" + name + ".frag"));
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.rfind("#version 120", 0), 0u);
        for (const std::string& u : names) {
            EXPECT_TRUE(std::regex_search(text, std::regex("uniform\\s+\\w+\\s+" + u + "\\b"))) << u;
            const std::regex word("\\b" + u + "\\b");
            EXPECT_GE(std::distance(std::sregex_iterator(text.begin(), text.end(), word), std::sregex_iterator()), 2)
                << u << " is never read";
        }
    }
}

#include <gtest/gtest.h>
#include "engine/Scenes.h"
#include "support/TestSupport.h"

#include "engine/Engine.h"
#include "engine/RenderPipeline.h"
#include "platform/Random.h"

#include <algorithm>
#include <numeric>

namespace {

// A face at depth z facing a camera at the origin looking along +z.
Triangle faceAt(float x, float y, float z, float size = 1.f)
{
    Triangle t;
    t.modelVertices[0] = {x, y, z, 0.f, 0.f};
    t.modelVertices[1] = {x, y + size, z, 0.f, 1.f};
    t.modelVertices[2] = {x + size, y, z, 1.f, 0.f};
    return t;
}

std::unique_ptr<Mesh> meshOf(std::vector<Triangle> triangles, const std::string& name = "mesh")
{
    return std::make_unique<Mesh>(std::move(triangles), sf::Vector3f(), name, false);
}

// Depths repeat (every 7th face shares a depth with another) to exercise ties.
std::vector<Triangle> scatteredFaces(int count)
{
    std::vector<Triangle> faces;
    unsigned seed = 12345;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        const float z = 100.f + static_cast<float>((seed >> 8) % 5000);
        faces.push_back(faceAt(0.f, 0.f, i % 7 == 0 ? 777.f : z));
    }
    return faces;
}

// A face's texture x coordinate names it in the batch.
std::vector<Triangle> named(std::vector<Triangle> faces)
{
    for (size_t i = 0; i < faces.size(); ++i)
        for (sf::Vertex& v : faces[i].vertices)
            v.texCoords.x = static_cast<float>(i);
    return faces;
}

// The drawn corners of the named face, or null when it was not drawn.
const sf::Vertex* drawnFace(const Batch& batch, size_t name)
{
    for (size_t f = 0; f < batch.vertices.size() / 3; ++f)
        if (batch.vertices[3 * f].texCoords.x == static_cast<float>(name))
            return &batch.vertices[3 * f];
    return nullptr;
}

FrameSettings settingsFor(int scene, int threads)
{
    FrameSettings s;
    s.sceneId = scene;
    s.threads = threads;
    s.frameTime = 0.02f;
    s.lightPosition = {0.f, 0.f, -1e6f};
    return s;
}

// The mesh projected alone in a frame of its own.
const Batch& projectAlone(RenderPipeline& pipeline, Mesh& mesh, const FrameSettings& settings)
{
    pipeline.beginFrame();
    return pipeline.projectMesh(mesh, settings);
}

} // namespace

TEST(Engine3DPipeline, FaceOrderMatchesAStableSortByDepthForAnyTeamSize)
{
    // Farthest first; faces straight ahead differ only in depth, many of them
    // exactly alike, and equal depths keep their mesh order. Big enough meshes for teams of two, three and eight to share the work.
    for (int count : {33003, 9001, 1001}) {
        std::vector<Triangle> faces = named(scatteredFaces(count));
        std::vector<size_t> expected(faces.size());
        std::iota(expected.begin(), expected.end(), size_t{0});
        std::stable_sort(expected.begin(), expected.end(), [&](size_t a, size_t b) {
            return faces[a].modelVertices[0].z > faces[b].modelVertices[0].z;
        });
        auto mesh = meshOf(faces);
        RenderPipeline pipeline;
        for (int threads : {1, 2, 3, 8}) {
            const Batch& batch = projectAlone(pipeline, *mesh, settingsFor(scene::INTRO, threads));
            ASSERT_EQ(batch.vertices.size(), 3 * expected.size());
            for (size_t f = 0; f < expected.size(); ++f)
                ASSERT_EQ(batch.vertices[3 * f].texCoords.x, static_cast<float>(expected[f]))
                    << count << " faces, " << threads << " threads, place " << f;
        }
    }
}

TEST(Engine3DPipeline, CullsBackFacesAndFacesOutsideTheBox)
{
    std::vector<Triangle> faces = {faceAt(0.f, 0.f, 100.f), faceAt(0.f, 0.f, -100.f), faceAt(1e6f, 0.f, 10.f)};
    Triangle back = faceAt(0.f, 0.f, 200.f);
    std::swap(back.modelVertices[1], back.modelVertices[2]);
    faces.push_back(back);
    Triangle degenerate = faceAt(0.f, 0.f, 300.f);
    degenerate.modelVertices[1] = degenerate.modelVertices[2] = degenerate.modelVertices[0];
    faces.push_back(degenerate);
    auto mesh = meshOf(faces);

    RenderPipeline pipeline;
    // Kept: the face in front. Behind the camera, far outside the box, turned away, degenerate: dropped.
    EXPECT_EQ(projectAlone(pipeline, *mesh, settingsFor(scene::INTRO, 1)).vertices.size(), 3u);
    // Scenes 9 and 14 keep back faces (and the degenerate face, coloured, not NaN).
    auto namedMesh = meshOf(named(faces));
    const Batch& all = projectAlone(pipeline, *namedMesh, settingsFor(scene::CREDITS, 1));
    EXPECT_EQ(all.vertices.size(), 9u);
    ASSERT_NE(drawnFace(all, 4), nullptr);
    EXPECT_EQ(drawnFace(all, 4)->color, sf::Color(103, 103, 103));
    // ... except for "spacestar" meshes.
    auto stars = meshOf(faces, "3D/spacestar");
    EXPECT_EQ(projectAlone(pipeline, *stars, settingsFor(scene::ARENA, 1)).vertices.size(), 3u);

    // Inside the box but wholly past an edge of the window (left, below): not
    // drawn; a face across the left edge is.
    auto edges = meshOf(named({faceAt(-130.f, 0.f, 100.f, 5.f), faceAt(0.f, 80.f, 100.f, 5.f),
                               faceAt(-125.f, 0.f, 100.f, 10.f)}));
    const Batch& acrossEdge = projectAlone(pipeline, *edges, settingsFor(1, 1));
    EXPECT_EQ(acrossEdge.vertices.size(), 3u);
    EXPECT_NE(drawnFace(acrossEdge, 2), nullptr);

    // A mesh without triangles gives an empty, untextured batch.
    auto empty = meshOf({});
    const Batch& none = projectAlone(pipeline, *empty, settingsFor(scene::INTRO, 8));
    EXPECT_TRUE(none.vertices.empty());
    EXPECT_EQ(none.texture, nullptr);
    EXPECT_EQ(empty->screenBounds.maxX, 0.f);
}

TEST(Engine3DPipeline, AFaceTurnedToTheLightIsBrighterAndAHitFlashesWhite)
{
    // The face's normal is (0, 0, -1); its centroid is (1/3, 1/3, 1000).
    auto mesh = meshOf({faceAt(0.f, 0.f, 1000.f)});
    RenderPipeline pipeline;
    auto colourFor = [&](const sf::Vector3f& light) {
        FrameSettings s = settingsFor(scene::INTRO, 1);
        s.lightPosition = light;
        return projectAlone(pipeline, *mesh, s).vertices.at(0).color;
    };
    const sf::Vector3f c(1.f / 3.f, 1.f / 3.f, 1000.f);
    const sf::Color facing = colourFor(c + sf::Vector3f(0.f, 0.f, 1e5f));
    const sf::Color side = colourFor(c + sf::Vector3f(-1e5f, 0.f, 0.f));
    const sf::Color away = colourFor(c - sf::Vector3f(0.f, 0.f, 1e5f));
    EXPECT_GT(facing.r, side.r);
    EXPECT_GT(side.r, away.r);
    EXPECT_EQ(colourFor(c), side) << "a light exactly at the centroid is defined, no NaN";
    // An unlit mesh keeps the colours it was last given, whatever the light does.
    mesh->lit = false;
    EXPECT_EQ(colourFor(c + sf::Vector3f(0.f, 0.f, 1e5f)), side);
    mesh->lit = true;

    mesh->setFlash(255.f);
    EXPECT_EQ(projectAlone(pipeline, *mesh, settingsFor(scene::INTRO, 1)).vertices.at(2).color, sf::Color::White);
}

TEST(Engine3DPipeline, TheDepthViewWrapsItsGreyAndCorridorWallsSortBehind)
{
    RenderPipeline pipeline;
    // The depth view: a grey of the corner's distance, wrapping every ~150000 units.
    auto far = meshOf(named({faceAt(0.f, 0.f, 150000.f), faceAt(0.f, 0.f, 300000.f)}));
    FrameSettings depth = settingsFor(scene::INTRO, 1);
    depth.depthView = true;
    const Batch& greys = projectAlone(pipeline, *far, depth);
    ASSERT_EQ(greys.vertices.size(), 6u);
    EXPECT_EQ(drawnFace(greys, 0)->color, sf::Color(255, 255, 255));
    EXPECT_EQ(drawnFace(greys, 1)->color, sf::Color(254, 254, 254));

    // A corridor wall section sorts behind the scene's far objects from its first frame.
    auto wall = meshOf({faceAt(0.f, 0.f, 100.f)}, "3D/LVL2/wall/wall1");
    projectAlone(pipeline, *wall, settingsFor(scene::CORRIDOR, 1));
    EXPECT_GT(wall->depth, 300000.f);
}

TEST(Engine3DPipeline, BatchesAreDrawnFarthestFirstKeepingTheOrderOfEqualDepths)
{
    std::vector<std::unique_ptr<Mesh>> meshes;
    auto make = [&meshes](const char* name, float depth) {
        meshes.push_back(meshOf({}, name));
        Batch b;
        b.mesh = meshes.back().get();
        b.kinds = b.mesh->kinds();
        b.depth = depth;
        return b;
    };
    std::vector<Batch> store = {make("a", 10), make("b", 30), make("c", 10), make("d", 20), make("e", 30)};
    std::vector<Batch*> order, scratch;
    for (Batch& b : store)
        order.push_back(&b);
    sortBatches(order, scratch);
    std::string names;
    for (const Batch* b : order)
        names += b->mesh->name();
    EXPECT_EQ(names, "bedac");
}

TEST(Engine3DPipeline, VisibleListBoxAndTheLightsOfUnlitMeshes)
{
    Engine e;
    e.world.installPlayer(std::make_unique<Player>());
    e.world.enterScene(scene::INTRO);
    // Camera at (0, 200, 0): the positions project to x = 10930, past the kept box, and 10910, in it.
    for (float x : {9970.f, 9950.f}) {
        SceneObjectRecord record;
        record.mesh = std::make_unique<Mesh>(std::vector<Triangle>{}, sf::Vector3f(x, 200.f, 800.f), "obj", false);
        e.world.sceneObjects.push_back(std::move(record));
    }
    e.updateVisibleObjects();
    ASSERT_EQ(e.renderer.visibleObjects.size(), 1u);
    EXPECT_EQ(e.renderer.visibleObjects[0]->position().x, 9950.f);
    e.world.enterScene(scene::GAS_GIANT);
    e.updateVisibleObjects();
    EXPECT_EQ(e.renderer.visibleObjects.size(), 2u);
    // Scene 15 releases every scene object.
    e.world.enterScene(scene::MAIN_MENU);
    e.updateVisibleObjects();
    EXPECT_TRUE(e.world.sceneObjects.empty());

    // An unlit mesh takes lights only when tagged as one (the range: Engine3DFrameTests).
    LightData light{2.f, 1000.f, sf::Color::Red};
    Mesh unlit({}, {10.f, 0.f, 0.f}, "unlit", false), tagged({}, {10.f, 0.f, 0.f}, "tagged", false);
    unlit.lit = false;
    tagged.lit = false;
    tagged.addKind(MeshKind::Light);
    for (Mesh* m : {&unlit, &tagged})
        m->addLightIfInRange({0.f, 0.f, 0.f}, &light);
    EXPECT_TRUE(unlit.lightsReaching().empty());
    EXPECT_EQ(tagged.lightsReaching().size(), 1u);
}

// The team is sized from the cores this process may use and the work: pinned
// to one core a frame starts no helper; pinned to two, a big mesh is shared
// by two members, however many cores the machine has.
TEST(Engine3DPipeline, TheTeamIsSizedFromTheCoresThisProcessMayUseAndTheWork)
{
    cpu_set_t original;
    ASSERT_EQ(sched_getaffinity(0, sizeof original, &original), 0);
    if (CPU_COUNT(&original) < 2)
        GTEST_SKIP() << "needs two cores";
    cpu_set_t pinned;
    CPU_ZERO(&pinned);
    for (int cpu = 0, taken = 0; cpu < CPU_SETSIZE && taken < 2; ++cpu)
        if (CPU_ISSET(cpu, &original)) {
            CPU_SET(cpu, &pinned);
            ++taken;
        }
    EXPECT_EQ(coresIn(pinned), 2);
    EXPECT_EQ(teamSize(coresIn(pinned), 1000000, 4096), 2);
    EXPECT_EQ(teamSize(8, 3000, 4096), 1) << "a small frame stays on the main thread";
    EXPECT_EQ(teamSize(8, 3 * 4096, 4096), 3);

    auto big = meshOf(scatteredFaces(20000));
    for (int cores : {1, 2}) {
        cpu_set_t mask;
        CPU_ZERO(&mask);
        for (int cpu = 0, taken = 0; cpu < CPU_SETSIZE && taken < cores; ++cpu)
            if (CPU_ISSET(cpu, &pinned)) {
                CPU_SET(cpu, &mask);
                ++taken;
            }
        ASSERT_EQ(sched_setaffinity(0, sizeof mask, &mask), 0);
        RenderPipeline pipeline;
        projectAlone(pipeline, *big, settingsFor(scene::INTRO, 0));
        EXPECT_EQ(pipeline.helpers(), cores - 1) << cores << " cores";
    }
    sched_setaffinity(0, sizeof original, &original);
}

// A mesh wholly past one edge of the window is not judged face by face; it
// keeps exactly the faces it would have kept, wherever mesh and camera stand
// (behind the eye, across an edge, far from the origin) and however turned.
TEST(Engine3DPipeline, AMeshWhollyOffTheWindowIsSkippedAndKeepsTheFacesItWouldHave)
{
    // A lopsided little model: its corners' centre is not its origin.
    std::vector<Triangle> faces;
    for (int i = 0; i < 12; ++i)
        faces.push_back(faceAt(300.f + 40.f * static_cast<float>(i % 4), -200.f + 60.f * static_cast<float>(i / 4),
                               50.f * static_cast<float>(i % 3), 80.f));
    auto mesh = meshOf(named(faces));
    seedRandom15(7);
    const auto spread = [](float span) { return (random15Unit() - 0.5f) * span; };
    RenderPipeline skipping, judging;
    int skipped = 0, kept = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        FrameSettings settings = settingsFor(scene::INTRO, 1);
        const float far = trial % 10 == 0 ? 3e6f : 0.f; // now and then, far from the origin
        settings.camera.position = {far + spread(2000.f), spread(2000.f), spread(2000.f)};
        settings.camera.rotation = {spread(60.f), spread(60.f), spread(30.f)};
        mesh->placeAt(settings.camera.position + sf::Vector3f(spread(12000.f), spread(8000.f), spread(9000.f) + 3000.f));
        mesh->turnTo({spread(360.f), spread(360.f), spread(360.f)});
        settings.skipMeshesOffWindow = false;
        const Batch& all = projectAlone(judging, *mesh, settings);
        settings.skipMeshesOffWindow = true;
        const Batch& some = projectAlone(skipping, *mesh, settings);
        ASSERT_EQ(some.vertices.size(), all.vertices.size()) << "trial " << trial;
        for (size_t v = 0; v < all.vertices.size(); ++v) {
            ASSERT_EQ(some.vertices[v].position, all.vertices[v].position) << "trial " << trial;
            ASSERT_EQ(some.vertices[v].texCoords, all.vertices[v].texCoords) << "trial " << trial;
        }
        skipped += skipping.facesJudged() == 0;
        kept += !all.vertices.empty();
    }
    EXPECT_GT(skipped, 1000) << "most meshes wholly off the window are skipped";
    EXPECT_GT(kept, 400) << "and many are on it";
    // Past each edge in turn, ahead of the eye, then past the left one behind it.
    for (const sf::Vector3f at : {sf::Vector3f(-9000.f, 0.f, 3000.f), sf::Vector3f(9000.f, 0.f, 3000.f),
                                  sf::Vector3f(0.f, -6000.f, 3000.f), sf::Vector3f(0.f, 6000.f, 3000.f),
                                  sf::Vector3f(-9000.f, 0.f, -3000.f)}) {
        mesh->placeAt(at);
        mesh->turnTo({});
        projectAlone(skipping, *mesh, settingsFor(scene::INTRO, 1));
        EXPECT_EQ(skipping.facesJudged(), 0u) << at.x << ", " << at.y << ", " << at.z;
    }

    // Straight behind the eye and centred on its axis, a face projects from the depth floor
    // into the box and is kept: such a mesh is judged.
    Triangle behind = faceAt(-30.f, -30.f, -1000.f, 90.f), turned = behind;
    std::swap(turned.modelVertices[1], turned.modelVertices[2]);
    auto atTheBack = meshOf(named({behind, turned}));
    for (const bool skip : {false, true}) {
        FrameSettings settings = settingsFor(scene::INTRO, 1);
        settings.skipMeshesOffWindow = skip;
        EXPECT_EQ(projectAlone(skipping, *atTheBack, settings).vertices.size(), 3u) << "skipping: " << skip;
    }

    // The final boss's head is judged wherever it is: the fight reads its screen box.
    mesh->addKind(MeshKind::FinalBossHead);
    mesh->placeAt({-50000.f, 0.f, 1000.f});
    mesh->turnTo({});
    FrameSettings settings = settingsFor(scene::INTRO, 1);
    projectAlone(skipping, *mesh, settings);
    EXPECT_EQ(skipping.facesJudged(), faces.size());
    EXPECT_LT(mesh->screenBounds.maxX, 0.f);
}

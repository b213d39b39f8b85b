#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include "engine/ObjLoader.h"

#include <cmath>
#include <sstream>

namespace {

ObjGeometry parse(const std::string& text)
{
    std::istringstream in(text);
    return readObjGeometry(in);
}

const char* const SQUARE = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

} // namespace

TEST(ObjLoader, VerticesTexCoordsAndNormalsAreConverted)
{
    const ObjGeometry g = parse(
        "# a comment with the words v f vt\n"
        "o Thing\ng group\ns off\nmtllib x.mtl\nusemtl y\n"
        "v 1 2 3\nv 0 0 0\nv 1 0 0\n"
        "vt 0.25 0.25\nvt 0 0\nvt 1 1\n"
        "vn 0 1 0\n"
        "f 1/1/1 2/2/1 3/3/1\n");
    ASSERT_EQ(g.triangles.size(), 1u);
    EXPECT_EQ(g.skippedFaces, 0);
    const Triangle& t = g.triangles[0];
    EXPECT_FLOAT_EQ(t.modelVertices[0].x, -800.f);
    EXPECT_FLOAT_EQ(t.modelVertices[0].y, -1600.f);
    EXPECT_FLOAT_EQ(t.modelVertices[0].z, 2400.f);
    EXPECT_FLOAT_EQ(t.modelVertices[0].u, 0.25f);
    EXPECT_FLOAT_EQ(t.modelVertices[0].v, 0.75f);
    EXPECT_FLOAT_EQ(t.modelVertices[2].v, 0.f);
    EXPECT_EQ(t.normal, sf::Vector3f(0.f, -1.f, 0.f));
}

TEST(ObjLoader, EachFaceLineGivesItsTrianglesOrIsSkippedAndCounted)
{
    const std::string base = std::string(SQUARE) + "vt 0 0\nvt 1 0\nvt 1 1\nvn 0 0 1\n";
    struct Row {
        std::string text;
        size_t triangles;
        int skipped;
    };
    const Row rows[] = {
        {base + "f 1 2 3\n", 1, 0}, {base + "f 1/1 2/2 3/3\n", 1, 0}, {base + "f 1//1 2//1 3//1\n", 1, 0},
        {base + "f 1/1/1 2/2/1 3/3/1\n", 1, 0}, {base + "f 1 2 3 4\n", 2, 0}, {base + "f 1 2 3 4 1\n", 3, 0},
        {base + "f 1/1/1/1 2/2/1 3/3/1\n", 0, 1}, // a corner has at most three parts
        {std::string("f 1 2 3\n") + SQUARE, 0, 1}, // a face before its vertices refers to nothing yet
        {"", 0, 0},
    };
    for (const Row& row : rows) {
        const ObjGeometry g = parse(row.text);
        EXPECT_EQ(g.triangles.size(), row.triangles) << row.text.substr(0, 80);
        EXPECT_EQ(g.skippedFaces, row.skipped) << row.text.substr(0, 80);
    }
    // A bad face is skipped and counted; the good face after it still loads.
    for (const char* face : {"f 0 1 2\n", "f 1 2 5\n", "f -5 1 2\n", "f 1 2 x\n", "f 1/9 2 3\n", "f 1//9 2 3\n", "f 1 2\n",
                             "f 1/2/3/4 2 3\n", "f 99999999999999999999 1 2\n", "f\n", "f 1a 2 3\n"}) {
        const ObjGeometry g = parse(SQUARE + std::string(face) + "f 1 2 3\n");
        EXPECT_EQ(g.triangles.size(), 1u) << face;
        EXPECT_EQ(g.skippedFaces, 1) << face;
    }

    // A quad is split into a fan around its first corner; negative indices count back.
    const ObjGeometry quad = parse(base + "f 1 2 3 4\n");
    EXPECT_FLOAT_EQ(quad.triangles[1].modelVertices[1].x, -800.f); // vertex 3
    EXPECT_FLOAT_EQ(quad.triangles[1].modelVertices[2].y, -800.f); // vertex 4
    const ObjGeometry relative = parse(base + "f -4/-3 -3/-2 -2/-1\n");
    ASSERT_EQ(relative.triangles.size(), 1u);
    EXPECT_FLOAT_EQ(relative.triangles[0].modelVertices[2].u, 1.f);
    // A bad, absurd or infinite coordinate keeps the vertex (so later indices stay in step) at 0.
    const ObjGeometry g = parse("v -19.7 nope 3\nv 1 0 -39223320368775800\nv -19.7 1e30 2\nv 1 inf 1\nf 1 2 3 4\n");
    ASSERT_EQ(g.triangles.size(), 2u);
    EXPECT_FLOAT_EQ(g.triangles[0].modelVertices[0].y, 0.f);
    EXPECT_FLOAT_EQ(g.triangles[0].modelVertices[1].z, 0.f);
    EXPECT_FLOAT_EQ(g.triangles[0].modelVertices[2].y, 0.f);
}

TEST(ObjLoader, MaterialLastValueWinsAndBadValuesAreIgnored)
{
    std::istringstream in("newmtl a\r\nKd 0.1 0.2 0.3\r\nNs 10\nnewmtl b\nKd 0.4 0.5 0.6\nKa 1 x 1\nd 0.5\nNi\nKe 1 1 1\n");
    const Material m = readMaterial(in);
    EXPECT_EQ(m.Kd, sf::Vector3f(0.4f, 0.5f, 0.6f));
    EXPECT_EQ(m.Ka, sf::Vector3f());
    EXPECT_FLOAT_EQ(m.Ns, 10.f);
    EXPECT_FLOAT_EQ(m.d, 0.5f);
    EXPECT_FLOAT_EQ(m.Ni, 0.f);
    EXPECT_EQ(m.Ke, sf::Vector3f(1.f, 1.f, 1.f));
}

TEST(ObjLoader, FilesOnDiskWithAndWithoutMaterial)
{
    testing_support::TempDir dir;
    EXPECT_EQ(loadObjGeometry(dir.file("missing"), {}, false), nullptr);

    testing_support::writeFile(dir.file("plain.obj"), std::string(SQUARE) + "f 1 2 3 4\n");
    auto plain = loadObjGeometry(dir.file("plain"), {1.f, 2.f, 3.f}, true);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->triangles.size(), 2u);
    EXPECT_EQ(plain->material.Kd, sf::Vector3f());
    EXPECT_EQ(plain->position(), sf::Vector3f(1.f, 2.f, 3.f));
    // With no texture the coordinates stay normalised; nothing crashes.
    plain->setBaseTexture(nullptr);
    EXPECT_EQ(plain->maps().triangleTexture, nullptr);

    testing_support::writeFile(dir.file("3D/GreenPlanet/planet.obj"), std::string(SQUARE) + "f 1 2 3\n");
    testing_support::writeFile(dir.file("3D/GreenPlanet/planet.mtl"), "Kd 1 0 0\nKd 0 1 0\n");
    auto planet = loadObjGeometry(dir.file("3D/GreenPlanet/planet"), {}, false);
    ASSERT_NE(planet, nullptr);
    EXPECT_EQ(planet->material.Kd, sf::Vector3f(0.f, 1.f, 0.f));
    EXPECT_TRUE(planet->is(MeshKind::Light));
    EXPECT_EQ(planet->lightData.colour, sf::Color(0, 255, 0, 255));
}

TEST(ObjLoader, AUtf16ModelIsReportedOnTheErrorStream)
{
    testing_support::TempDir dir;
    std::string wide = "\xFF\xFE";
    for (char c : std::string(SQUARE) + "f 1 2 3\n")
        wide += std::string(1, c) + '\0';
    testing_support::writeFile(dir.file("wide.obj"), wide);
    testing::internal::CaptureStderr();
    auto mesh = loadObjGeometry(dir.file("wide"), {}, false);
    const std::string said = testing::internal::GetCapturedStderr();
    ASSERT_NE(mesh, nullptr);
    EXPECT_TRUE(mesh->triangles.empty());
    EXPECT_NE(said.find("wide.obj"), std::string::npos) << said;
    EXPECT_NE(said.find("UTF-16"), std::string::npos) << said;
}

// A model that is missing, draws nothing, lost faces or has no material file is
// named once on the error stream, however often the game asks for it.
TEST(ObjLoader, AMissingOrDamagedModelIsNamedOnce)
{
    testing_support::TempDir dir;
    testing_support::writeFile(dir.file("bare.obj"), SQUARE);
    testing_support::writeFile(dir.file("bare.mtl"), "Kd 1 1 1\n");
    testing_support::writeFile(dir.file("torn.obj"), std::string(SQUARE) + "f 1 2 3\nf 1 2 9\nf 1 x 3\n");
    testing::internal::CaptureStderr();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(loadObjGeometry(dir.file("gone"), {}, false), nullptr);
        EXPECT_NE(loadObjGeometry(dir.file("bare"), {}, false), nullptr);
        EXPECT_NE(loadObjGeometry(dir.file("torn"), {}, false), nullptr);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing_support::occurrences(said, "gone.obj: missing"), 1) << said;
    EXPECT_EQ(testing_support::occurrences(said, "bare.obj: no triangle"), 1) << said;
    EXPECT_EQ(testing_support::occurrences(said, "torn.obj: 2 faces could not be read"), 1) << said;
    EXPECT_EQ(testing_support::occurrences(said, "torn.mtl: missing"), 1) << said;
    EXPECT_EQ(testing_support::occurrences(said, "\n"), 4) << said;
}

// What every reader of the game's text files shares: files saved by editors that
// add a UTF-8 byte-order mark and CR LF line ends read like the game's own, and a
// data file that is missing is named once on the error stream.
#include "bosses/IcarusLayout.h"
#include "engine/Engine.h"
#include "engine/ObjLoader.h"
#include "engine/SceneFile.h"
#include "engine/TextParse.h"
#include "play/BulletManager.h"
#include "play/ExplosionPattern.h"
#include "screens/HighScoreTable.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

using namespace testing_support;

namespace {
const std::string BOM = "\xEF\xBB\xBF";

// The text as a Windows editor saves it: a byte-order mark and CR LF line ends.
std::string windowsText(std::string text)
{
    for (size_t p = text.find('\n'); p != std::string::npos; p = text.find('\n', p + 2))
        text.replace(p, 1, "\r\n");
    return BOM + text;
}

std::string stderrOf(const std::function<void()>& work)
{
    ::testing::internal::CaptureStderr();
    work();
    return ::testing::internal::GetCapturedStderr();
}
} // namespace

TEST(DataFileText, EveryReaderSkipsAByteOrderMarkAndAcceptsCrLf)
{
    TempDir dir;
    std::istringstream scene(windowsText("OBJECTTYPE mesh\nNAME Rock.001\nLOC 1 2 3\nENDOBJ\n"));
    const std::vector<SceneRecord> records = readSceneRecords(scene);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, "Rock.001");

    std::istringstream objects(windowsText("Rock 3D/rock 3D/rock.png\n"));
    EXPECT_EQ(WorldObjectTable(objects)["Rock"].texturePath, "3D/rock.png");

    std::istringstream steps(windowsText("0.5 0 100 200 0 0 0 6.28\n"));
    EXPECT_EQ(ExplosionPattern::readSteps(steps).size(), 1u);

    std::istringstream layout(windowsText("HEAD 40 0 -100\nSHOOT 10 -200 0\n"));
    const std::vector<IcarusPartRecord> parts = readIcarusLayout(layout);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].kind, "HEAD");

    writeFile(dir.file("model.obj"), windowsText("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
    writeFile(dir.file("model.mtl"), windowsText("Ns 250\nKd 0.5 0.5 0.5\n"));
    const std::unique_ptr<Mesh> mesh = loadObjGeometry(dir.file("model"), {}, false);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->triangles.size(), 1u);
    EXPECT_FLOAT_EQ(mesh->material.Ns, 250.f);

    writeFile(dir.file("Shoot.txt"), windowsText("2D/Bullets/OrbRed.png 24 24 0.4 4\n"));
    EXPECT_EQ(BulletManager(textures(), dir.file("Shoot.txt")).typeCount(), 1);

    writeFile(dir.file("HighScores.txt"), windowsText("abc 1200\nxyz 50"));
    const std::vector<HighScoreEntry> table = readHighScoreTable(dir.file("HighScores.txt"));
    EXPECT_EQ(table[0].name, "abc");
    EXPECT_EQ(table[1].name, "xyz");
}

TEST(DataFileText, AMissingDataFileIsNamedOnceWithItsPath)
{
    TempDir dir;
    const std::string said = stderrOf([&] {
        BulletManager first(textures(), dir.file("Shoot.txt"));
        BulletManager second(textures(), dir.file("Shoot.txt"));
        EXPECT_EQ(first.typeCount(), 0);
        Engine e;
        loadSceneFile(e, dir.file("Level1.txt"), 3, 0.f);
        EXPECT_TRUE(e.world.sceneObjects.empty());
    });
    EXPECT_NE(said.find(dir.file("Shoot.txt") + ": missing"), std::string::npos);
    EXPECT_EQ(said.find("Shoot.txt"), said.rfind("Shoot.txt")) << "said once";
    EXPECT_NE(said.find(dir.file("Level1.txt") + ": missing"), std::string::npos);

    // The world-object table is looked up from the working directory.
    InDirectory inDir(dir.path);
    const std::string tableSaid = stderrOf([] { EXPECT_TRUE(WorldObjectTable().empty()); });
    EXPECT_NE(tableSaid.find("Scene/WORLD_OBJECT.txt: missing"), std::string::npos);
}

// A UTF-16 file, either byte order, becomes UTF-8: surrogate pairs join, and a
// half pair or a last odd byte (a damaged file) reads as U+FFFD, never as bytes
// no UTF-8 reader accepts.
TEST(DataFileText, Utf16TextBecomesValidUtf8)
{
    const std::string REPLACED = "\xEF\xBF\xBD";
    const struct {
        std::vector<char16_t> units;
        std::string utf8;
    } rows[] = {
        {{u'A', 0xE9, 0x7FF, 0xD7FF, 0xE000}, "A\xC3\xA9\xDF\xBF\xED\x9F\xBF\xEE\x80\x80"},
        {{0xD83D, 0xDE00}, "\xF0\x9F\x98\x80"},
        {{0xD800, u'x'}, REPLACED + "x"},
        {{0xD800}, REPLACED},
        {{0xDFFF, u'y'}, REPLACED + "y"},
        {{0xDBFF, 0xDC00}, "\xF4\x8F\xB0\x80"},
    };
    for (const auto& row : rows)
        for (const bool lowFirst : {true, false}) {
            std::string text = lowFirst ? "\xFF\xFE" : "\xFE\xFF";
            for (char16_t u : row.units) {
                const char low = static_cast<char>(u & 0xFF), high = static_cast<char>(u >> 8);
                text += lowFirst ? std::string{low, high} : std::string{high, low};
            }
            std::string odd = text + "z";
            ASSERT_TRUE(decodeUtf16Text(text));
            EXPECT_EQ(text, row.utf8) << "low byte first: " << lowFirst;
            ASSERT_TRUE(decodeUtf16Text(odd));
            EXPECT_EQ(odd, row.utf8 + REPLACED) << "a last odd byte";
        }
    std::string plain = "plain text";
    EXPECT_FALSE(decodeUtf16Text(plain));
    EXPECT_EQ(plain, "plain text");
}

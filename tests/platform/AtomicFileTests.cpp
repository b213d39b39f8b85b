// The one writer of the files a player or designer owns: what it leaves of the
// file it replaces and of writes that never finished.
#include "platform/AtomicFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {
std::set<std::string> namesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}
} // namespace

TEST(AtomicFile, AReplacedFileKeepsItsModeAndAReadOnlyOneIsNotReplaced)
{
    TempDir dir;
    const std::string mine = dir.file("mine.txt");
    writeFile(mine, "old");
    fs::permissions(mine, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(writeFileAtomically(mine, "new"));
    EXPECT_EQ(readFile(mine), "new");
    EXPECT_EQ(fs::status(mine).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    const std::string frozen = dir.file("frozen.txt");
    writeFile(frozen, "old");
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(frozen, readOnly);
    EXPECT_FALSE(writeFileAtomically(frozen, "new"));
    EXPECT_EQ(readFile(frozen), "old");
    EXPECT_EQ(fs::status(frozen).permissions(), readOnly);
    EXPECT_EQ(namesIn(dir.path), (std::set<std::string>{"mine.txt", "frozen.txt"}));

    // A write that cannot take the file's name (a folder has it) leaves nothing of its own.
    const std::string taken = dir.file("taken.txt");
    fs::create_directories(taken + "/inside");
    EXPECT_FALSE(writeFileAtomically(taken, "new"));
    EXPECT_EQ(namesIn(dir.path), (std::set<std::string>{"mine.txt", "frozen.txt", "taken.txt"}));
}

TEST(AtomicFile, WritesKilledHalfwayLeaveNothingOnceTheFolderIsWrittenAgain)
{
    TempDir dir;
    const std::string folder = dir.file("Config");
    // Not ours, or not stale: another program's half download, a live write of
    // another running game, and a folder elsewhere.
    writeFile(folder + "/Song.mp3.part", "theirs");
    writeFile(folder + "/Notes.saving-draft-2.part", "theirs, named much like ours");
    writeFile(folder + "/LEVEL_2.txt.saving-1-1.part", "live");
    writeFile(dir.file("Elsewhere/LEVEL_1.txt.part"), "not this folder");
    writeFile(folder + "/LEVEL_3.txt.part", "a write of LEVEL_3.txt killed long ago");
    const std::string level = folder + "/LEVEL_1.txt";
    writeFile(level, "the level as first saved");
    const std::set<std::string> before = namesIn(folder);

    // A designer's game killed while it saves, until one kill lands mid-write.
    const std::string text(256 * 1024, 'x');
    bool leftOver = false;
    for (int attempt = 0; attempt < 50 && !leftOver; ++attempt) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (;;)
                writeFileAtomically(level, text);
        ::usleep(static_cast<useconds_t>(2000 + 1500 * attempt % 9000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        leftOver = namesIn(folder).size() > before.size();
    }
    ASSERT_TRUE(leftOver) << "no kill landed during a write";

    // Two writes of this game at once in the folder: neither takes the other's file away.
    auto writeMany = [&](const std::string& name, bool& allWritten) {
        allWritten = true;
        for (int i = 0; i < 30; ++i)
            allWritten = writeFileAtomically(folder + "/" + name, name + std::to_string(i)) && allWritten;
    };
    bool firstWritten = false, secondWritten = false;
    std::thread first(writeMany, "LEVEL_3.txt", std::ref(firstWritten));
    writeMany("LEVEL_4.txt", secondWritten);
    first.join();
    EXPECT_TRUE(firstWritten);
    EXPECT_TRUE(secondWritten);
    EXPECT_EQ(readFile(folder + "/LEVEL_3.txt"), "LEVEL_3.txt29");

    std::set<std::string> expected = {"Song.mp3.part", "Notes.saving-draft-2.part", "LEVEL_2.txt.saving-1-1.part",
                                      "LEVEL_1.txt", "LEVEL_3.txt", "LEVEL_4.txt"};
    EXPECT_EQ(namesIn(folder), expected);
    EXPECT_TRUE(fs::exists(dir.file("Elsewhere/LEVEL_1.txt.part")));
}

// A temporary file of a write of this game that has ended (its removal failed: a drive that
// faltered) goes with the folder's next write, like one a killed game left.
TEST(AtomicFile, ALeftOverOfAnEndedWriteOfThisGameGoesWithTheNextWrite)
{
    TempDir dir;
    const std::string level = dir.file("LEVEL_1.txt");
    writeFile(level, "the level as first saved");
    const int watch = ::inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, dir.path.c_str(), IN_CREATE), 0);
    ASSERT_TRUE(writeFileAtomically(level, "saved again"));
    alignas(inotify_event) char events[4096];
    const ssize_t got = ::read(watch, events, sizeof events);
    ::close(watch);
    ASSERT_GT(got, 0); // the first file made: the write's temporary file
    writeFile(dir.file(reinterpret_cast<const inotify_event*>(events)->name), "left over");
    ASSERT_TRUE(writeFileAtomically(level, "saved a third time"));
    EXPECT_EQ(namesIn(dir.path), std::set<std::string>{"LEVEL_1.txt"});
}

// A damaged table kept aside for the player: byte for byte, under the first name not taken; where
// no second name can be linked (here another file system, as on drives without hard links), copied.
TEST(AtomicFile, AFileKeptAsideIsWholeUnderTheFirstFreeNameLinkedOrCopied)
{
    TempDir dir;
    const std::string other = "/dev/shm/orbyndel-kept-" + std::to_string(::getpid());
    fs::create_directories(other);
    const struct Removed {
        std::string path;
        ~Removed() { fs::remove_all(path); }
    } removed{other};
    struct stat here {}, there {};
    ASSERT_EQ(::stat(dir.path.c_str(), &here), 0);
    ASSERT_EQ(::stat(other.c_str(), &there), 0);
    for (const std::string& folder : {dir.path, other}) {
        SCOPED_TRACE(folder);
        const auto keptName = [&folder](int n) { return folder + "/kept" + std::to_string(n) + ".txt"; };
        for (const std::string& text : {std::string("x"), std::string(70000, 'y') + "z"}) {
            writeFile(dir.file("table.txt"), text);
            ASSERT_EQ(readFile(keepFileAside(dir.file("table.txt"), keptName)), text); // a short copy goes no further
        }
        EXPECT_TRUE(fs::exists(keptName(2)));
    }
    EXPECT_NE(here.st_dev, there.st_dev) << "the copy was not tried: both folders are on one file system";
}

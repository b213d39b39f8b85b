#include "platform/AtomicFile.h"

#include "platform/AssetPath.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string TEMPORARY_MARK = ".saving-";
const std::string TEMPORARY_END = ".part";
constexpr mode_t NEW_FILE_MODE = 0644;
constexpr int MOST_COPY_NAMES = 1000;

// Closes the descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now; false when the close reported an error (a late write failure).
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const char* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The text into a new file of that mode; with keepMode exactly that mode (the
// umask does not apply to the mode of the file being replaced).
bool writeAndFlush(const std::string& path, const std::string& text, mode_t mode, bool keepMode)
{
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode));
    if (file.get() < 0 || (keepMode && ::fchmod(file.get(), mode) != 0))
        return false;
    return writeAll(file.get(), text.data(), text.size()) && ::fsync(file.get()) == 0 && file.close();
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename or a new name durable. A folder that cannot be opened or flushed
// (some file systems refuse) does not undo a write that has already replaced the file.
void flushFolder(const std::string& folder)
{
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The temporary files of the writes running in this process: never stale.
std::mutex& liveMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::set<std::string>& liveTemporaries()
{
    static std::set<std::string> live;
    return live;
}

// A temporary file name of its own for one write, known as live while the write runs.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target)
    {
        static std::atomic<unsigned> count{0};
        path_ = target + TEMPORARY_MARK + std::to_string(::getpid()) + "-" + std::to_string(++count) + TEMPORARY_END;
        std::lock_guard<std::mutex> lock(liveMutex());
        liveTemporaries().insert(path_);
    }
    ~TemporaryFile()
    {
        std::remove(path_.c_str()); // gone already after the rename
        std::lock_guard<std::mutex> lock(liveMutex());
        liveTemporaries().erase(path_);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

bool isNumber(const std::string& text, size_t mostDigits)
{
    return !text.empty() && text.size() <= mostDigits && text.find_first_not_of("0123456789") == std::string::npos;
}

// The process that made a temporary file named as ours, or -1 when the name is not one of ours.
long temporaryOwner(const std::string& name)
{
    if (!endsWith(name, TEMPORARY_END))
        return -1;
    const std::string body = name.substr(0, name.size() - TEMPORARY_END.size());
    const size_t mark = body.rfind(TEMPORARY_MARK);
    if (mark == std::string::npos || mark == 0)
        return -1;
    const std::string numbers = body.substr(mark + TEMPORARY_MARK.size());
    const size_t dash = numbers.find('-');
    if (dash == std::string::npos || !isNumber(numbers.substr(0, dash), 9) || !isNumber(numbers.substr(dash + 1), 10))
        return -1;
    return std::stol(numbers.substr(0, dash));
}

bool isStale(const std::string& path, long owner)
{
    if (owner != static_cast<long>(::getpid()))
        return ::kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH;
    std::lock_guard<std::mutex> lock(liveMutex());
    return liveTemporaries().count(path) == 0;
}

// Removes what killed writes left in the folder: our temporary files whose
// process is gone or whose write in this process has ended, and the temporary
// file of the target under its older name.
void removeStaleTemporaries(const std::string& target)
{
    namespace fs = std::filesystem;
    const std::string folder = target.substr(0, target.rfind('/') + 1); // spelled as the target spells it
    std::error_code error;
    for (fs::directory_iterator it(folderOf(target), error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::string path = folder + name;
        const long owner = temporaryOwner(name);
        // <target>.part: the one temporary name of a target before names carried the process.
        const bool stale = owner >= 0 ? isStale(path, owner) : path == target + TEMPORARY_END;
        std::error_code kind;
        if (stale && it->symlink_status(kind).type() == fs::file_type::regular)
            ::unlink(path.c_str());
    }
}

// Byte for byte into a file made for it, which must not exist yet.
// EEXIST in errno when it does.
bool copyInto(const std::string& from, const std::string& to)
{
    FileDescriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return false;
    FileDescriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NEW_FILE_MODE));
    if (out.get() < 0)
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            break;
        if (n < 0 || !writeAll(out.get(), buffer, static_cast<size_t>(n))) {
            ::unlink(to.c_str());
            return false;
        }
    }
    if (::fsync(out.get()) != 0 || !out.close()) {
        ::unlink(to.c_str());
        return false;
    }
    return true;
}

// A second name for the same bytes where the file system allows it (instant,
// whatever the size, and later renames over the file leave it alone), else a copy.
// EEXIST in errno when the name is taken.
bool keepUnder(const std::string& from, const std::string& to)
{
    if (::link(from.c_str(), to.c_str()) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    return copyInto(from, to);
}

} // namespace

bool isReadOnlyFile(const std::string& requested)
{
    const std::string path = resolveAssetPath(requested);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

bool writeFileAtomically(const std::string& requested, const std::string& text)
{
    const std::string path = resolveAssetPath(requested);
    if (isReadOnlyFile(path))
        return false;
    removeStaleTemporaries(path);
    struct stat replaced {};
    const bool replacing = ::stat(path.c_str(), &replaced) == 0;
    const mode_t mode = replacing ? (replaced.st_mode & 0777) : NEW_FILE_MODE;
    const TemporaryFile temporary(path);
    if (!writeAndFlush(temporary.path(), text, mode, replacing)
        || std::rename(temporary.path().c_str(), path.c_str()) != 0)
        return false;
    flushFolder(folderOf(path));
    return true;
}

std::string keepFileAside(const std::string& requested, const std::function<std::string(int)>& nameFor)
{
    const std::string path = resolveAssetPath(requested);
    for (int n = 1; n <= MOST_COPY_NAMES; ++n) {
        const std::string name = nameFor(n);
        if (keepUnder(path, name)) {
            flushFolder(folderOf(name));
            return name;
        }
        if (errno != EEXIST)
            return "";
    }
    return "";
}

#pragma once
// What a file looked like when it was read (its size and last write time): a
// cache of something read from a file tells by it that the file has changed.
#include <cstdint>
#include <filesystem>
#include <string>

struct FileStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written;
    bool operator==(const FileStamp& other) const { return size == other.size && written == other.written; }
};

// The stamp of the file at `path`; false when it cannot be read.
inline bool stampOf(const std::string& path, FileStamp& stamp)
{
    std::error_code ec;
    stamp.size = std::filesystem::file_size(path, ec);
    if (ec)
        return false;
    stamp.written = std::filesystem::last_write_time(path, ec);
    return !ec;
}

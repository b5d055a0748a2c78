#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace platform {

// Whether both paths lead to one existing file, whatever names they use: links,
// other letter case or short 8.3 names on Windows, hard links. False when
// either is missing or cannot be asked about.
bool isSameFile(const std::filesystem::path &first, const std::filesystem::path &second);

// What tells one content of a file from another without reading it: which
// file it is, so that another file put in its name's place differs, and its
// size and the time it last changed, so that a write in place differs too.
struct FileVersion
{
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t size = 0;
    std::int64_t changed = 0; // in the system's own units
    bool operator==(const FileVersion &) const = default;
};

// The version of the regular file the path leads to; none when it is missing,
// no regular file or cannot be asked about.
std::optional<FileVersion> fileVersion(const std::filesystem::path &path);

} // namespace platform

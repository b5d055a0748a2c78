#include "TemporaryFiles.h"

#include <algorithm>
#include <string_view>

namespace platform {

namespace {

using Char = std::filesystem::path::value_type;

constexpr std::string_view kMark = ".ksm-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kUniqueLength = 6;
// The longest file name that the usual file systems take, in the units of a
// native name (bytes, or UTF-16 units on Windows).
constexpr std::size_t kLongestName = 255;

NativeName widened(std::string_view ascii)
{
    return NativeName(ascii.begin(), ascii.end());
}

bool isLetterOrDigit(Char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

std::filesystem::path temporaryPathBeside(const std::filesystem::path &destination,
                                          const NativeName &unique)
{
    const NativeName tail = widened(kMark) + unique + widened(kSuffix);
    NativeName name = destination.filename().native();
    name.resize(std::min(name.size(), kLongestName - 1 - tail.size()));
    return destination.parent_path() / (Char('.') + name + tail);
}

bool isTemporaryFileName(const NativeName &name)
{
    const std::size_t tail = kMark.size() + kUniqueLength + kSuffix.size();
    // A dot, at least one unit of the name it stood for, and the tail.
    if (name.size() < 2 + tail || name.front() != Char('.'))
        return false;
    const std::size_t mark = name.size() - tail;
    const std::size_t unique = mark + kMark.size();
    const std::size_t suffix = unique + kUniqueLength;
    for (std::size_t i = unique; i < suffix; ++i)
        if (!isLetterOrDigit(name[i]))
            return false;
    return name.compare(mark, kMark.size(), widened(kMark)) == 0 &&
           name.compare(suffix, kSuffix.size(), widened(kSuffix)) == 0;
}

} // namespace platform

#include "ActiveSkin.h"

#include "platform/PositionedFile.h"
#include "platform/ReplacingCopy.h"
#include "PlatformEdge.h"

namespace {

namespace fs = std::filesystem;

// The size of a regular file; none for anything else (a folder, a pipe) or
// a file that is not there.
std::optional<std::uintmax_t> sizeOf(const fs::path &file)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    return error ? std::nullopt : std::optional(size);
}

} // namespace

Replacement ReplaceActiveSkin(const fs::path &source, const fs::path &active,
                              const fs::path &activeHolder, HistoryKeeper &history)
{
    const Status notKept = history.keep(active, source, activeHolder);
    if (const platform::Status failed = platform::copyReplacing(source, active)) {
        history.discard();
        return {ToFileError(*failed), std::nullopt, std::nullopt};
    }
    return {std::nullopt, notKept, history.commit()};
}

std::vector<fs::path> SkinsEqualTo(const fs::path &active, const fs::path &folder,
                                   const std::vector<SkinName> &skins)
{
    std::vector<fs::path> equal;
    const std::optional<std::uintmax_t> size = sizeOf(active);
    if (!size)
        return equal;
    std::optional<std::string> activeBytes; // read once a skin's size matches
    for (const SkinName &candidate : skins) {
        const fs::path skin = folder / candidate.file;
        if (sizeOf(skin) != size)
            continue;
        if (!activeBytes) {
            platform::Result<std::string> read = platform::readAt(active, 0, *size + 1);
            if (!read.ok())
                return equal;
            activeBytes = std::move(read.value);
        }
        const platform::Result<std::string> bytes = platform::readAt(skin, 0, *size + 1);
        if (bytes.ok() && bytes.value == *activeBytes)
            equal.push_back(candidate.file);
    }
    return equal;
}

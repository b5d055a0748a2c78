#include "FileListing.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace platform {

Result<std::vector<NativeName>> visibleFileNames(const std::filesystem::path &folder,
                                                 std::string_view extension)
{
    DIR *dir = opendir(folder.c_str());
    if (!dir)
        return {{}, Failure{folder, lastSystemError()}};
    std::vector<NativeName> names;
    for (;;) {
        errno = 0;
        const dirent *entry = readdir(dir);
        if (!entry)
            break;
        // Hidden entries, the folder's own, and other extensions are passed over
        // before anything else is asked of the file system.
        const std::size_t length = std::strlen(entry->d_name);
        if (entry->d_name[0] == '.' || length < extension.size() ||
            strncasecmp(entry->d_name + length - extension.size(), extension.data(),
                        extension.size()) != 0)
            continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat status;
            regular =
                fstatat(dirfd(dir), entry->d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
        }
        if (regular)
            names.emplace_back(entry->d_name, length);
    }
    const std::error_code readError = lastSystemError();
    closedir(dir);
    if (readError.value() != 0)
        return {{}, Failure{folder, readError}};
    return {std::move(names), std::nullopt};
}

} // namespace platform

#include "TemporaryFiles.h"
#include "UnixSupport.h"

#include <dirent.h>
#include <sys/file.h>

namespace platform {

namespace {

// Removes the entry when it is a regular file that no copy of the program
// holds: a copy at work keeps a lock on its temporary file until it has taken
// its name or gone.
void removeIfLeftOver(int folder, const char *name)
{
    const posix::Descriptor file(
        ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened;
    if (!file.valid() || ::fstat(file.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
        ::flock(file.get(), LOCK_EX | LOCK_NB) != 0)
        return;
    // The name must still lead to the file that was found free.
    if (posix::stillNamed(folder, name, opened))
        ::unlinkat(folder, name, 0);
}

} // namespace

void removeLeftoverTemporaryFiles(const std::filesystem::path &folder)
{
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        if (isTemporaryFileName(entry->d_name))
            removeIfLeftOver(::dirfd(dir), entry->d_name);
    }
    ::closedir(dir);
}

} // namespace platform

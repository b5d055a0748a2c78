#include "FileIdentity.h"

#include <sys/stat.h>

namespace platform {

bool isSameFile(const std::filesystem::path &first, const std::filesystem::path &second)
{
    struct stat a;
    struct stat b;
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace platform

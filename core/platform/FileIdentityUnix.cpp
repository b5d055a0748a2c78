#include "FileIdentity.h"
#include "UnixSupport.h"

namespace platform {

bool isSameFile(const std::filesystem::path &first, const std::filesystem::path &second)
{
    struct stat a;
    struct stat b;
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           posix::sameFile(a, b);
}

} // namespace platform

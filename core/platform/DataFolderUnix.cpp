#include "DataFolder.h"

#include "UnixSupport.h"

namespace platform {

std::filesystem::path userDataFolder()
{
    if (std::filesystem::path data = posix::absoluteFromEnvironment("XDG_DATA_HOME"); !data.empty())
        return data;
    if (std::filesystem::path home = posix::absoluteFromEnvironment("HOME"); !home.empty())
        return home / ".local" / "share";
    return {};
}

} // namespace platform

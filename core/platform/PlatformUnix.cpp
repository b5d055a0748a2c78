#include "Platform.h"

#include <string>
#include <unistd.h>

namespace platform {

void prepareUserInterface()
{
    // Nothing to load: the windows draw their controls themselves.
}

void useStartingConsole()
{
    // A program started from a terminal writes to it already.
}

Result<std::filesystem::path> executablePath()
{
    const std::filesystem::path link = "/proc/self/exe";
    std::string target(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink(link.c_str(), target.data(), target.size());
        if (length < 0)
            return {{}, Failure{link, lastSystemError()}};
        if (std::size_t(length) < target.size()) {
            target.resize(std::size_t(length));
            return {std::move(target), std::nullopt};
        }
        target.resize(target.size() * 2);
    }
}

SettingsLocation settingsLocation()
{
    // An INI file named after the program directly in the XDG config folder.
    return {"Kelvora Skin Manager", ""};
}

} // namespace platform

#include "ProgramStart.h"
#include "UnixSupport.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <string_view>
#include <sys/wait.h>

namespace platform {

using posix::Descriptor;

namespace {

// A Windows program begins with the bytes "MZ".
bool isWindowsProgram(const std::filesystem::path &path)
{
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    char magic[2];
    return file.valid() && ::read(file.get(), magic, 2) == 2 && magic[0] == 'M' && magic[1] == 'Z';
}

bool isExecutableFile(const std::string &path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The executable file of that name in a folder of the search path, as a shell
// finds it; empty when there is none.
std::string onPath(std::string_view searchPath, std::string_view name)
{
    for (std::string_view rest = searchPath; !rest.empty();) {
        const std::size_t end = std::min(rest.find(':'), rest.size());
        const std::string candidate =
            std::string(end == 0 ? std::string_view(".") : rest.substr(0, end)) + '/' +
            std::string(name);
        if (isExecutableFile(candidate))
            return candidate;
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return {};
}

// Where packages put Wine's program off the PATH: Debian's and Ubuntu's wine64
// and wine32, then WineHQ's own packages.
const std::filesystem::path kUsualWinePlaces[] = {
    "/usr/lib/wine/wine64",        "/usr/lib/wine/wine",         "/opt/wine-stable/bin/wine",
    "/opt/wine-stable/bin/wine64", "/opt/wine-staging/bin/wine", "/opt/wine-staging/bin/wine64",
    "/opt/wine-devel/bin/wine",    "/opt/wine-devel/bin/wine64",
};

// After fork only calls that are safe in a child of a threaded program.
[[noreturn]] void startGrandchild(char *const *command, const sigset_t &noSignals, int report)
{
    // A session of its own, and a grandchild whose parent ends at once: it
    // belongs to no terminal of ours and nobody has to wait for it.
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild > 0)
        ::_exit(0);
    if (grandchild == 0) {
        ::sigprocmask(SIG_SETMASK, &noSignals, nullptr);
        ::execv(command[0], command);
    }
    // The exec or the fork failed: the caller reads why. A successful exec
    // closes the pipe, which the caller reads as success.
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(report, &error, sizeof error);
    ::_exit(127);
}

} // namespace

std::filesystem::path wineProgram(std::string_view searchPath,
                                  std::span<const std::filesystem::path> usualPlaces)
{
    for (const std::string_view name : {"wine", "wine64"}) {
        if (std::string found = onPath(searchPath, name); !found.empty())
            return found;
    }
    for (const std::filesystem::path &place : usualPlaces) {
        if (isExecutableFile(place.native()))
            return place;
    }
    return {};
}

Status startProgram(const std::filesystem::path &program, const std::vector<std::string> &arguments)
{
    std::vector<std::string> words;
    // A Windows program runs through Wine, whose start passes the show command
    // on; /unix takes the path as it is here. Without Wine the program itself
    // is started, which the system refuses unless it has been taught the format.
    if (isWindowsProgram(program)) {
        const char *searchPath = std::getenv("PATH");
        if (const std::filesystem::path wine =
                wineProgram(searchPath ? searchPath : "", kUsualWinePlaces);
            !wine.empty())
            words = {wine.native(), "start", "/min", "/unix"};
    }
    words.push_back(program.native());
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char *> command;
    for (std::string &word : words)
        command.push_back(word.data());
    command.push_back(nullptr);
    sigset_t noSignals;
    sigemptyset(&noSignals);

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return posix::failureOf(program);
    Descriptor reading(ends[0]);
    Descriptor writing(ends[1]);
    const pid_t child = ::fork();
    if (child < 0)
        return posix::failureOf(program);
    if (child == 0)
        startGrandchild(command.data(), noSignals, writing.get());
    writing.close();

    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    while ((got = ::read(reading.get(), &error, sizeof error)) < 0 && errno == EINTR) {
    }
    if (got == sizeof error)
        return Failure{program, {error, std::system_category()}};
    return std::nullopt;
}

} // namespace platform

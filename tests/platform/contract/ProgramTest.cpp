// Facts of the running program, and starting another.

#include "TempFolder.h"

#include "platform/Platform.h"
#include "platform/ProgramStart.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(Program, ExecutablePathIsTheFileOfThisProgram)
{
    const platform::Result<fs::path> program = platform::executablePath();

    ASSERT_TRUE(program.ok()) << program.failure->reason();
    EXPECT_TRUE(program.value.is_absolute()) << program.value;
    EXPECT_TRUE(fs::is_regular_file(program.value)) << program.value;
    EXPECT_EQ(program.value.stem(), "platform_contract_tests");
}

// Reported before the start returns, so a caller never waits on a program
// that cannot run.
TEST(Program, ProgramThatCannotStartIsReportedNamingIt)
{
    const TempFolder folder;
    writeFile(folder / "Text.exe", "plain text, not a program");
    fs::permissions(folder / "Text.exe", fs::perms::owner_exec, fs::perm_options::add);
    fs::create_directory(folder / "Folder.exe");
    for (const fs::path &program :
         {folder / "Kelvora.exe", folder / "Text.exe", folder / "Folder.exe"}) {
        SCOPED_TRACE(program);
        const platform::Status started = platform::startProgram(program);
        ASSERT_TRUE(started);
        EXPECT_EQ(started->path, program);
        EXPECT_NE(started->reason(), "");
    }
}

#ifndef _WIN32
// Without Windows, a Windows program runs through Wine, whose start is asked
// for the show command and given the path as it is here.
TEST(Program, WindowsProgramRunsThroughWineMinimised)
{
    const TempFolder folder;
    writeFile(folder / "wine",
              "#!/bin/sh\ncd \"$(dirname \"$0\")\" && echo \"$@\" > ran.part && mv ran.part ran\n");
    writeFile(folder / "Kelvora.exe", "MZ and the rest of a Windows program");
    for (const char *name : {"wine", "Kelvora.exe"})
        fs::permissions(folder / name, fs::perms::owner_exec, fs::perm_options::add);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (folder.path().string() + ":" + path).c_str(), 1);

    const platform::Status started = platform::startProgram(folder / "Kelvora.exe", {"--flag"});

    setenv("PATH", path.c_str(), 1);
    ASSERT_FALSE(started) << started->reason();
    for (auto waited = 0ms; !fs::exists(folder / "ran") && waited < 20s; waited += 10ms)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(readFile(folder / "ran"),
              "start /min /unix " + (folder / "Kelvora.exe").string() + " --flag\n");
}

// Debian's wine64 package puts its program off the PATH; a wine package adds
// "wine" to it.
TEST(Program, WineIsFoundOnThePathThenInItsUsualPlaces)
{
    const TempFolder folder;
    for (const char *name : {"first/wine64", "second/wine", "usual/wine64", "plain"}) {
        fs::create_directories((folder / name).parent_path());
        writeFile(folder / name, "#!/bin/sh\n");
        if (std::string_view(name) != "plain")
            fs::permissions(folder / name, fs::perms::owner_exec, fs::perm_options::add);
    }
    const std::vector<fs::path> usual = {folder / "missing", folder / "plain",
                                         folder / "usual/wine64"};
    const std::string both = (folder / "first").string() + ":" + (folder / "second").string();

    EXPECT_EQ(platform::wineProgram(both, usual), folder / "second/wine");
    EXPECT_EQ(platform::wineProgram((folder / "first").string(), usual), folder / "first/wine64");
    EXPECT_EQ(platform::wineProgram("", usual), folder / "usual/wine64");
    EXPECT_EQ(platform::wineProgram("/nonexistent", {}), fs::path());
}
#endif

} // namespace

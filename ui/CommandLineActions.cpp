#include "CommandLineActions.h"

#include "ActiveSkin.h"
#include "AppFolder.h"
#include "Console.h"
#include "DescriptionField.h"
#include "PrintedSkinName.h"
#include "Settings.h"
#include "SkinActions.h"
#include "SkinLibrary.h"
#include "TemporaryLeftovers.h"
#include "ViewerFolderChoice.h"

#include <algorithm>
#include <functional>

namespace {

using Request = CommandLine::Request;

// The line of a skin: "* " before the active one, whose bytes the active skin
// file holds, two spaces before every other, so that names line up and a
// script can cut the mark off. The name is printed so that the other actions
// take it back and it holds no line break.
void listSkins(ConsoleInterface &console)
{
    const Result<std::vector<SkinName>> listed = SkinsOfTheFolder();
    if (!listed.ok()) {
        console.ShowError(*listed.error);
        return;
    }
    const std::vector<std::filesystem::path> active =
        SkinsEqualTo(UsableActiveSkinPath(), SkinsFolderPath(), listed.value);
    for (const SkinName &skin : listed.value) {
        const bool isActive = std::find(active.begin(), active.end(), skin.file) != active.end();
        PrintLine(stdout, (isActive ? QStringLiteral("* ") : QStringLiteral("  ")) +
                              PrintedSkinName(skin.file));
    }
}

void undoApply(ConsoleInterface &console)
{
    // The window's menu item is disabled when there is nothing to go back to;
    // an unfit SkinFileName is told by the undo itself, as by an apply.
    if (CanUndoApply() || UsableActiveSkinPath().empty())
        UndoApply();
    else
        console.Report(QStringLiteral("Вернуть нечего: предыдущего скина нет."));
}

void deleteSkin(const std::filesystem::path &name, ConsoleInterface &console)
{
    if (const Status failed = DeleteSkin(name))
        console.ShowError(*failed);
}

// The text as the window shows it, without the spaces that pad the field.
void printDescription(const std::filesystem::path &name, ConsoleInterface &console)
{
    const Result<QString> field = ReadDescription(SkinFilePath(name));
    if (!field.ok()) {
        console.ShowError(*field.error);
        return;
    }
    QString text = ShownDescription(field.value);
    while (text.endsWith(u' '))
        text.chop(1);
    PrintLine(stdout, text);
}

void writeDescription(const std::filesystem::path &name, const QString &text,
                      ConsoleInterface &console)
{
    // A write makes a missing file; reading first refuses a name that leads to
    // no skin, so a mistyped name makes none.
    const std::filesystem::path skin = SkinFilePath(name);
    if (const QString problem = DescriptionTextProblem(text); !problem.isEmpty())
        console.Report(problem);
    else if (const Result<QString> field = ReadDescription(skin); !field.ok())
        console.ShowError(*field.error);
    else if (const Status failed = WriteDescription(skin, text))
        console.ShowError(*failed);
}

// Runs work on the skin that --list prints as printed; a name that no skin
// prints so is refused before anything is done.
std::function<void(ConsoleInterface &)>
onSkin(const QString &printed,
       std::function<void(const std::filesystem::path &, ConsoleInterface &)> work)
{
    return [printed, work = std::move(work)](ConsoleInterface &console) {
        const Result<std::filesystem::path> skin = SkinFilePrintedAs(printed);
        if (skin.ok())
            work(skin.value, console);
        else
            console.ShowError(*skin.error);
    };
}

} // namespace

int RunCommandLine(const CommandLine &line)
{
    std::function<void(ConsoleInterface &)> work;
    switch (line.request) {
    case Request::Window: // never asked of the console: main opens the window
    case Request::WrongUse:
        PrintLine(stderr, line.output);
        return 1;
    case Request::Help:
    case Request::Version:
        PrintLine(stdout, line.output);
        return 0;
    case Request::List:
        work = listSkins;
        break;
    case Request::Apply:
        work = onSkin(line.name, [](const std::filesystem::path &skin, ConsoleInterface &) {
            ApplySkin(skin);
        });
        break;
    case Request::Undo:
        work = undoApply;
        break;
    case Request::Delete:
        work = onSkin(line.name, deleteSkin);
        break;
    case Request::ReadDescription:
        work = onSkin(line.name, printDescription);
        break;
    case Request::WriteDescription:
        work = onSkin(line.name,
                      [&line](const std::filesystem::path &skin, ConsoleInterface &console) {
                          writeDescription(skin, line.text, console);
                      });
        break;
    }

    // The work of the window's buttons, on the same settings, reporting here.
    ConsoleInterface console;
    const std::optional<std::filesystem::path> folder =
        ViewerFolderForConsole(line.folder, console);
    if (!folder)
        return 1;
    // Without its folder the program would work on some other folder.
    if (const Status failed = UseApplicationFolder(*folder)) {
        console.ShowError(*failed);
        return 1;
    }
    LoadSettings();
    RemoveTemporaryLeftovers(FoldersWrittenTo());
    work(console);
    return console.Failed() ? 1 : 0;
}

#include "CommandLineActions.h"

#include "ActiveSkin.h"
#include "AppFolder.h"
#include "Console.h"
#include "ConsoleOutput.h"
#include "ConsoleViewerFolder.h"
#include "DescriptionField.h"
#include "platform/Platform.h"
#include "PrintedSkinName.h"
#include "QtTranslations.h"
#include "RunStart.h"
#include "SkinActions.h"
#include "SkinArchive.h"
#include "SkinLibrary.h"

#include <QCoreApplication>

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
        console.showError(*listed.error);
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

// The entries of the history, newest first; a failure is told on the console.
std::optional<std::vector<HistoryEntry>> readHistory(ConsoleInterface &console)
{
    const Result<std::vector<HistoryEntry>> entries = ReadHistory();
    if (!entries.ok()) {
        console.showError(*entries.error);
        return std::nullopt;
    }
    return entries.value;
}

// ISO 8601 in local time with its offset from UTC, "2026-12-07T17:06:09+01:00".
QString isoLocalTime(const QDateTime &time)
{
    const QDateTime local = time.toLocalTime();
    const int offset = local.offsetFromUtc();
    const int minutes = qAbs(offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) +
           QStringLiteral("%1%2:%3")
               .arg(QChar(offset < 0 ? u'-' : u'+'))
               .arg(minutes / 60, 2, 10, QChar(u'0'))
               .arg(minutes % 60, 2, 10, QChar(u'0'));
}

// One entry a line: its number, the time it was replaced at and the skin's name.
void printHistory(ConsoleInterface &console)
{
    const std::optional<std::vector<HistoryEntry>> entries = readHistory(console);
    if (!entries)
        return;
    int number = 0;
    for (const HistoryEntry &entry : *entries) {
        // A skin's name as --list prints it: one line, and one file.
        const QString skin = entry.skin ? PrintedSkinName(*entry.skin) : ShownSkinName(entry);
        PrintLine(stdout,
                  QStringLiteral("%1 %2 %3").arg(++number).arg(isoLocalTime(entry.time), skin));
    }
}

void deleteSkin(const std::filesystem::path &name, ConsoleInterface &console)
{
    if (const Status failed = DeleteSkin(name))
        console.showError(*failed);
}

// The text as the window shows it, without the spaces that pad the field.
void printDescription(const std::filesystem::path &name, ConsoleInterface &console)
{
    const Result<QString> field = ReadDescription(SkinFilePath(name));
    if (!field.ok()) {
        console.showError(*field.error);
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
        console.report(problem);
    else if (const Result<QString> field = ReadDescription(skin); !field.ok())
        console.showError(*field.error);
    else if (const Status failed = WriteDescription(skin, text))
        console.showError(*failed);
}

// Installs the skins of each archive that are not in Skins yet: the console
// asks nothing, so it replaces nothing. Each entry refused is told with its
// archive and why.
void importArchives(const std::vector<std::filesystem::path> &archives, ConsoleInterface &console)
{
    for (const std::filesystem::path &archive : archives) {
        const QString shownArchive = PrintedSkinName(archive);
        const auto refuse = [&console, &shownArchive](const RefusedEntry &entry) {
            console.report(
                QStringLiteral("%1: %2: %3").arg(shownArchive, entry.entry, entry.reason));
        };
        if (!IsSkinArchiveName(archive)) {
            console.report(
                QStringLiteral("%1: это не архив zip, 7z, rar или tar").arg(shownArchive));
            continue;
        }
        const Result<ArchiveContents> read = ReadSkinArchive(archive);
        if (!read.ok()) {
            console.showError(*read.error);
            continue;
        }
        std::for_each(read.value.refused.begin(), read.value.refused.end(), refuse);
        std::vector<ArchivedSkin> wanted;
        for (const ArchivedSkin &skin : read.value.skins) {
            std::error_code error;
            if (std::filesystem::exists(SkinFilePath(skin.name), error))
                refuse({skin.entry, QStringLiteral("скин с этим именем уже есть, он не заменён")});
            else
                wanted.push_back(skin);
        }
        const InstallOutcome failures = InstallArchivedSkins(archive, wanted);
        std::for_each(failures.refused.begin(), failures.refused.end(), refuse);
        for (const FileError &failed : failures.failed)
            console.showError(failed);
    }
}

// Runs work on the skin so named; a name of no skin is refused before
// anything is done.
std::function<void(ConsoleInterface &)>
onSkin(const std::filesystem::path &name,
       std::function<void(const std::filesystem::path &, ConsoleInterface &)> work)
{
    return [name, work = std::move(work)](ConsoleInterface &console) {
        const Result<std::filesystem::path> skin = SkinFileNamed(name);
        if (skin.ok())
            work(skin.value, console);
        else
            console.showError(*skin.error);
    };
}

// Does the work asked for; the exit code it earns.
int run(const CommandLine &line)
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
    case Request::History:
        work = printHistory;
        break;
    case Request::Undo:
        // Entry N as --history numbers them, chosen under the history's lock.
        work = [&line](ConsoleInterface &) { UndoApply(std::size_t(line.entry)); };
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
    case Request::Import:
        work = [&line](ConsoleInterface &console) { importArchives(line.files, console); };
        break;
    case Request::Export:
        work = onSkin(line.name,
                      [&line](const std::filesystem::path &skin, ConsoleInterface &console) {
                          if (const Status failed = ExportSkin(skin, line.files.front()))
                              console.showError(*failed);
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
        console.showError(*failed);
        return 1;
    }
    StartRun(Leftovers::RemovedNow);
    work(console);
    return console.failed() ? 1 : 0;
}

} // namespace

int RunCommandLine(const CommandLine &line)
{
    const int code = run(line);
    // Output that went nowhere is no success, however the work went.
    return EndConsoleOutput() ? code : 1;
}

int RunConsole(int argc, char **argv)
{
    platform::useStartingConsole();
    QCoreApplication app(argc, argv);
    InstallQtTranslations(app);
    return RunCommandLine(ParseCommandLine(ProgramArguments(argc, argv)));
}

#include "SkinActions.h"

#include "ActiveSkin.h"
#include "AppFolder.h"
#include "AppInfo.h"
#include "LaunchViewer.h"
#include "Module1.h"
#include "platform/ReplacingCopy.h"
#include "platform/Trash.h"
#include "PlatformEdge.h"
#include "Settings.h"
#include "SkinLibrary.h"
#include "UserInterface.h"

#include <algorithm>

namespace {

// A setting that leads out of the application folder, or onto the library or
// the viewer, is never written to: the user is told which setting is wrong.
bool activeSkinNameIsUsable(UserInterface &ui)
{
    const QString problem = ActiveSkinNameProblem(Module1::SkinFileName);
    if (problem.isEmpty())
        return true;
    ui.showMessage(QStringLiteral("В настройках указано неверное имя файла скина Kelvora «%1»: "
                                  "%2. Исправьте его в окне «Настройки».")
                       .arg(Module1::SkinFileName, problem),
                   UserInterface::Icon::Critical, kApplicationTitle);
    return false;
}

std::chrono::milliseconds &historyLockWait()
{
    static std::chrono::milliseconds wait = kHistoryLockWait;
    return wait;
}

// Another copy of the program that applies holds the history's lock; one that
// is stopped must not stop this one for good.
bool lockHistory(UserInterface &ui, HistoryKeeper &history)
{
    if (history.lock(std::chrono::milliseconds::zero()))
        return true;
    const QString applying = QStringLiteral("Скин применяет другая копия программы");
    ui.showNotice(applying + QStringLiteral(": ожидание…"));
    bool locked = false;
    ui.runLongStep(applying + QStringLiteral("…"),
                   [&locked, &history, wait = historyLockWait()] { locked = history.lock(wait); });
    if (!locked)
        ui.showMessage(applying + QStringLiteral(" и не закончила за %1 с. Скин не изменён; "
                                                 "попробуйте ещё раз позже.")
                                      .arg(historyLockWait().count() / 1000.0),
                       UserInterface::Icon::Critical, kApplicationTitle);
    return locked;
}

// The file that replaces the active skin, chosen under the history's lock: a
// path (empty: nothing selected, which is said), or none when choosing said
// why there is nothing to put back.
using SourceChoice = std::function<std::optional<std::filesystem::path>(const HistoryKeeper &)>;

// The steps of an apply and of an undo, under the history's lock from the
// choice to the viewer's start, so that no other copy of the program meets
// them half-way: the viewer closed first and started afterwards when the
// settings say so, and between them the active skin replaced by the source,
// keeping the file it replaces. The user interface learns which library skin
// it was, when it was one.
void replaceActiveSkinWith(const SourceChoice &choose,
                           const std::filesystem::path &librarySkin = {})
{
    UserInterface &ui = *CurrentUserInterface();
    if (!activeSkinNameIsUsable(ui))
        return;
    HistoryKeeper history(HistoryFolder(), ApplicationFolder(), SkinsFolderPath());
    if (!lockHistory(ui, history))
        return;
    const std::optional<std::filesystem::path> source = choose(history);
    if (!source)
        return;
    if (IsFlagOn(Flag::KillKelvoraEnable))
        Module1::CloseViewer();

    // From here on a step that fails is reported and the next one runs.
    if (source->empty()) {
        ui.showMessage(QStringLiteral("Выберите скин из списка!"), UserInterface::Icon::Information,
                       kApplicationTitle);
    } else {
        Replacement replaced;
        ui.runLongStep(QStringLiteral("Копирование скина…"),
                       [&replaced, &source, &history, active = ActiveSkinPath()] {
                           replaced = ReplaceActiveSkin(*source, active, history);
                       });
        if (replaced.failure)
            ui.showError(*replaced.failure);
        else if (replaced.notKept)
            ui.showWarning(QStringLiteral("Заменённый скин не сохранён в журнале скинов, поэтому "
                                          "это применение нельзя будет отменить.\n%1")
                               .arg(FileErrorText(*replaced.notKept)));
        if (replaced.notPruned)
            ui.showWarning(QStringLiteral("Старые записи журнала скинов не удалены.\n%1")
                               .arg(FileErrorText(*replaced.notPruned)));
        ui.activeSkinChanged(replaced.failure ? std::filesystem::path() : librarySkin);
    }

    if (IsFlagOn(Flag::RunKLVAfterApply)) {
        // A viewer that does not start is not reported: the apply itself is done.
        [[maybe_unused]] const Status ignored = LaunchViewer();
    }
}

// An entry's bytes, unless it is damaged, which is said.
std::optional<std::filesystem::path> soundEntryFile(const HistoryEntry &entry)
{
    if (!entry.damaged)
        return entry.file;
    CurrentUserInterface()->showError(
        {FromNativePath(entry.file),
         QStringLiteral("запись журнала скинов повреждена (это не обычный файл или его размер "
                        "не тот, что указан в имени), поэтому её нельзя вернуть")});
    return std::nullopt;
}

} // namespace

void SetHistoryLockWaitForTesting(std::chrono::milliseconds wait)
{
    historyLockWait() = wait;
}

void ApplySkin(const std::filesystem::path &name)
{
    replaceActiveSkinWith(
        [&name](const HistoryKeeper &) {
            return std::optional(name.empty() ? name : SkinFilePath(name));
        },
        name);
}

bool CanUndoApply()
{
    const Result<std::vector<HistoryEntry>> entries = ReadHistory();
    return entries.ok() && !entries.value.empty();
}

void UndoApply(std::size_t number)
{
    replaceActiveSkinWith(
        [number](const HistoryKeeper &history) -> std::optional<std::filesystem::path> {
            UserInterface &ui = *CurrentUserInterface();
            const Result<std::vector<HistoryEntry>> entries = history.entries();
            if (!entries.ok())
                ui.showError(*entries.error);
            else if (entries.value.empty())
                ui.showMessage(QStringLiteral("Вернуть нечего: журнал скинов пуст."),
                               UserInterface::Icon::Information, kApplicationTitle);
            else if (number > entries.value.size())
                ui.showMessage(QStringLiteral("В журнале скинов нет записи %1: записей в нём %2.")
                                   .arg(number)
                                   .arg(entries.value.size()),
                               UserInterface::Icon::Information, kApplicationTitle);
            else
                return soundEntryFile(entries.value[number - 1]);
            return std::nullopt;
        });
}

void ReturnToEntry(const HistoryEntry &entry)
{
    replaceActiveSkinWith(
        [&entry](const HistoryKeeper &history) -> std::optional<std::filesystem::path> {
            // Another copy of the program may have put it back or pruned it meanwhile.
            const Result<std::vector<HistoryEntry>> entries = history.entries();
            const auto now = std::find_if(
                entries.value.begin(), entries.value.end(),
                [&entry](const HistoryEntry &each) { return each.file == entry.file; });
            if (now != entries.value.end())
                return soundEntryFile(*now);
            CurrentUserInterface()->showError(
                entries.ok() ? FileError{FromNativePath(entry.file),
                                         QStringLiteral("записи больше нет в журнале скинов")}
                             : *entries.error);
            return std::nullopt;
        });
}

Status AddSkin(const std::filesystem::path &skinFile)
{
    const std::filesystem::path name = skinFile.filename();
    if (Status failed = ToStatus(platform::copyReplacing(skinFile, SkinFilePath(name))))
        return failed;
    const std::filesystem::path preview = PreviewBeside(skinFile);
    std::error_code error;
    if (!std::filesystem::exists(preview, error))
        return std::nullopt;
    return ToStatus(platform::copyReplacing(preview, PreviewPathFor(name)));
}

Status DeleteSkin(const std::filesystem::path &name)
{
    // Nothing is asked: a file that cannot go stays. The preview goes with its
    // own skin; the one shown last may belong to another skin, whose picture
    // must stay.
    Status failure;
    if (!name.empty()) {
        failure = ToStatus(platform::moveToTrash(SkinFilePath(name)));
        // A skin without a preview is the usual case, so only the skin file's
        // failure counts.
        [[maybe_unused]] const platform::Status ignored =
            platform::moveToTrash(PreviewPathFor(name));
    }
    CurrentUserInterface()->refreshSkinList(failure ? std::filesystem::path() : name);
    return failure;
}

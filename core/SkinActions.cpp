#include "SkinActions.h"

#include "ActiveSkin.h"
#include "AppFolder.h"
#include "AppInfo.h"
#include "CloseViewer.h"
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

// Says something to the user with the history's lock released, so that
// another copy of the program may apply while the user reads, and takes the
// lock again: false when it cannot, which is said too.
bool sayUnlocked(UserInterface &ui, HistoryKeeper &history, const std::function<void()> &say)
{
    history.unlock();
    say();
    return lockHistory(ui, history);
}

// What replaces the active skin, chosen under the history's lock: a file
// (empty: nothing selected, which is said), or none and why, which is said
// once the lock is released.
struct Choice
{
    std::optional<std::filesystem::path> source;
    std::function<void()> refusal;
};
using SourceChoice = std::function<Choice(const HistoryKeeper &)>;

Choice refused(const QString &text)
{
    return {std::nullopt, [text] {
                CurrentUserInterface()->showMessage(text, UserInterface::Icon::Information,
                                                    kApplicationTitle);
            }};
}

Choice refused(const FileError &error)
{
    return {std::nullopt, [error] { CurrentUserInterface()->showError(error); }};
}

// What came of a replacement, said once the lock is released.
void sayReplaced(UserInterface &ui, const Replacement &replaced)
{
    if (replaced.failure)
        ui.showError(*replaced.failure);
    else if (replaced.notKept)
        ui.showWarning(QStringLiteral("Заменённый скин не сохранён в журнале скинов, поэтому "
                                      "это применение нельзя будет отменить.\n%1")
                           .arg(FileErrorText(*replaced.notKept)));
    if (replaced.notPruned)
        ui.showWarning(QStringLiteral("Старые записи журнала скинов не удалены.\n%1")
                           .arg(FileErrorText(*replaced.notPruned)));
}

// The steps of an apply and of an undo, under the history's lock from the
// choice to the viewer's start, so that no other copy of the program meets
// them half-way: the viewer closed first and started afterwards when the
// settings say so, and between them the active skin replaced by the source,
// keeping the file it replaces. The lock is never held while a message waits
// for the user. The user interface learns which library skin it was, when it
// was one.
void replaceActiveSkinWith(const SourceChoice &choose,
                           const std::filesystem::path &librarySkin = {})
{
    UserInterface &ui = *CurrentUserInterface();
    if (!activeSkinNameIsUsable(ui))
        return;
    HistoryKeeper history(HistoryFolder(), ApplicationFolder(), SkinsFolderPath());
    if (!lockHistory(ui, history))
        return;
    Choice choice = choose(history);
    if (choice.source && IsFlagOn(Flag::KillKelvoraEnable) && Module1::CloseViewer()) {
        if (!sayUnlocked(ui, history, [&ui] { SayViewerStillOpen(ui); }))
            return;
        choice = choose(history); // another copy may have applied meanwhile
    }
    if (!choice.source) {
        history.unlock();
        choice.refusal();
        return;
    }

    // From here on a step that fails is reported and the next one runs.
    std::optional<Replacement> replaced;
    if (choice.source->empty()) {
        if (!sayUnlocked(ui, history, [&ui] {
                ui.showMessage(kChooseSkinFromList, UserInterface::Icon::Information,
                               kApplicationTitle);
            }))
            return;
    } else {
        ui.runLongStep(
            QStringLiteral("Копирование скина…"),
            [&replaced, &choice, &history, active = ActiveSkinPath(), holder = ui.markedSkin()] {
                replaced = ReplaceActiveSkin(*choice.source, active, holder, history);
            });
        ui.activeSkinChanged(replaced->failure ? std::filesystem::path() : librarySkin);
    }

    if (IsFlagOn(Flag::RunKLVAfterApply)) {
        // A viewer that does not start is not reported: the apply itself is done.
        [[maybe_unused]] const Status ignored = LaunchViewer();
    }
    history.unlock();
    if (replaced)
        sayReplaced(ui, *replaced);
}

// An entry's bytes, unless it is damaged, which is said.
Choice soundEntryFile(const HistoryEntry &entry)
{
    if (!entry.damaged)
        return {entry.file, {}};
    return refused(FileError{
        FromNativePath(entry.file),
        QStringLiteral("запись журнала скинов повреждена (это не обычный файл или его размер "
                       "не тот, что указан в имени), поэтому её нельзя вернуть")});
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
            return Choice{name.empty() ? name : SkinFilePath(name), {}};
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
    replaceActiveSkinWith([number](const HistoryKeeper &history) {
        const Result<std::vector<HistoryEntry>> entries = history.entries();
        if (!entries.ok())
            return refused(*entries.error);
        if (entries.value.empty())
            return refused(QStringLiteral("Вернуть нечего: журнал скинов пуст."));
        if (number > entries.value.size())
            return refused(QStringLiteral("В журнале скинов нет записи %1: записей в нём %2.")
                               .arg(number)
                               .arg(entries.value.size()));
        return soundEntryFile(entries.value[number - 1]);
    });
}

void ReturnToEntry(const HistoryEntry &entry)
{
    replaceActiveSkinWith([&entry](const HistoryKeeper &history) {
        // Another copy of the program may have put it back or pruned it meanwhile.
        const Result<std::vector<HistoryEntry>> entries = history.entries();
        const auto now =
            std::find_if(entries.value.begin(), entries.value.end(),
                         [&entry](const HistoryEntry &each) { return each.file == entry.file; });
        if (now != entries.value.end())
            return soundEntryFile(*now);
        return refused(entries.ok()
                           ? FileError{FromNativePath(entry.file),
                                       QStringLiteral("записи больше нет в журнале скинов")}
                           : *entries.error);
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

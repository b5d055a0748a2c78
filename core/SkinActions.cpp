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

// The steps of an apply and of an undo: the viewer closed first and started
// afterwards when the settings say so, and between them the active skin
// replaced by source (none: nothing selected), keeping the file it replaces.
// The user interface learns which library skin it was, when it was one.
void replaceActiveSkinWith(const std::filesystem::path &source,
                           const std::filesystem::path &librarySkin)
{
    UserInterface &ui = *CurrentUserInterface();
    if (!activeSkinNameIsUsable(ui))
        return;
    if (IsFlagOn(Flag::KillKelvoraEnable))
        Module1::CloseViewer();

    // From here on a step that fails is reported and the next one runs.
    if (source.empty()) {
        ui.showMessage(QStringLiteral("Выберите скин из списка!"), UserInterface::Icon::Information,
                       kApplicationTitle);
    } else {
        HistoryKeeper history(HistoryFolder(), ApplicationFolder(), SkinsFolderPath());
        Replacement replaced;
        ui.runLongStep(QStringLiteral("Копирование скина…"),
                       [&replaced, &source, &history, active = ActiveSkinPath()] {
                           replaced = ReplaceActiveSkin(source, active, history);
                       });
        if (replaced.failure)
            ui.showError(*replaced.failure);
        else if (replaced.notKept)
            ui.showWarning(QStringLiteral("Заменённый скин не сохранён в журнале скинов, поэтому "
                                          "это применение нельзя будет отменить.\n%1")
                               .arg(FileErrorText(*replaced.notKept)));
        ui.activeSkinChanged(replaced.failure ? std::filesystem::path() : librarySkin);
    }

    if (IsFlagOn(Flag::RunKLVAfterApply)) {
        // A viewer that does not start is not reported: the apply itself is done.
        [[maybe_unused]] const Status ignored = LaunchViewer();
    }
}

} // namespace

void ApplySkin(const std::filesystem::path &name)
{
    replaceActiveSkinWith(name.empty() ? name : SkinFilePath(name), name);
}

bool CanUndoApply()
{
    const Result<std::vector<HistoryEntry>> entries = ReadHistory();
    return entries.ok() && !entries.value.empty();
}

void UndoApply()
{
    if (!activeSkinNameIsUsable(*CurrentUserInterface()))
        return;
    const Result<std::vector<HistoryEntry>> entries = ReadHistory();
    if (!entries.ok())
        CurrentUserInterface()->showError(*entries.error);
    else if (entries.value.empty())
        CurrentUserInterface()->showMessage(QStringLiteral("Вернуть нечего: журнал скинов пуст."),
                                            UserInterface::Icon::Information, kApplicationTitle);
    else
        ReturnToEntry(entries.value.front());
}

void ReturnToEntry(const HistoryEntry &entry)
{
    replaceActiveSkinWith(entry.file, {});
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

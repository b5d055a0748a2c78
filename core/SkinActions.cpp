#include "SkinActions.h"

#include "AppInfo.h"
#include "FileCopy.h"
#include "LaunchViewer.h"
#include "Module1.h"
#include "Settings.h"
#include "SkinLibrary.h"
#include "Trash.h"
#include "UserInterface.h"

void ApplySkin(const QString &name)
{
    if (IsFlagOn(Module1::KillKelvoraEnable, SettingKeys::KillKelvoraEnable))
        Module1::CloseViewer();

    // From here on a step that fails is skipped and the next one runs.
    const std::optional<CopyFailure> failure =
        CopyFileReplacing(SkinFilePath(name), ActiveSkinPath());
    if (failure && failure->pathNotFound)
        CurrentUserInterface()->ShowMessage(QStringLiteral("Выберите скин из списка!"),
                                            UserInterface::Icon::Information, kApplicationTitle);

    if (IsFlagOn(Module1::RunKLVAfterApply, SettingKeys::RunKLVAfterApply))
        LaunchViewer(); // a viewer that does not start is not reported
}

void DeleteSkin(const QString &name)
{
    // Nothing is asked and nothing is reported: a file that cannot go stays.
    // The preview goes with its own skin; the one shown last may belong to
    // another skin, whose picture must stay.
    if (!name.isEmpty()) {
        MoveToTrash(SkinFilePath(name));
        MoveToTrash(PreviewPathFor(name));
    }
    CurrentUserInterface()->RefreshSkinList();
}

#include "SkinActions.h"

#include "AppInfo.h"
#include "FileCopy.h"
#include "LaunchViewer.h"
#include "Module1.h"
#include "platform/Trash.h"
#include "Settings.h"
#include "SkinLibrary.h"
#include "UserInterface.h"

void ApplySkin(const std::filesystem::path &name)
{
    UserInterface &ui = *CurrentUserInterface();
    // A setting that leads out of the application folder, or onto the library
    // or the viewer, is never written to; the viewer is left as it is.
    if (const QString problem = ActiveSkinNameProblem(Module1::SkinFileName); !problem.isEmpty()) {
        ui.ShowMessage(QStringLiteral("В настройках указано неверное имя файла скина Kelvora "
                                      "«%1»: %2. Исправьте его в окне «Настройки».")
                           .arg(Module1::SkinFileName, problem),
                       UserInterface::Icon::Critical, kApplicationTitle);
        return;
    }

    if (IsFlagOn(Module1::KillKelvoraEnable, SettingKeys::KillKelvoraEnable))
        Module1::CloseViewer();

    // From here on a step that fails is reported and the next one runs.
    if (name.empty()) {
        ui.ShowMessage(QStringLiteral("Выберите скин из списка!"), UserInterface::Icon::Information,
                       kApplicationTitle);
    } else {
        Status failure;
        ui.RunLongStep(QStringLiteral("Копирование скина…"), [&failure, &name] {
            failure = CopyFileReplacing(SkinFilePath(name), ActiveSkinPath());
        });
        if (failure)
            ui.ShowError(*failure);
    }

    if (IsFlagOn(Module1::RunKLVAfterApply, SettingKeys::RunKLVAfterApply))
        LaunchViewer(); // a viewer that does not start is not reported
}

void DeleteSkin(const std::filesystem::path &name)
{
    // Nothing is asked and nothing is reported: a file that cannot go stays.
    // The preview goes with its own skin; the one shown last may belong to
    // another skin, whose picture must stay.
    if (!name.empty()) {
        platform::moveToTrash(SkinFilePath(name));
        platform::moveToTrash(PreviewPathFor(name));
    }
    CurrentUserInterface()->RefreshSkinList();
}

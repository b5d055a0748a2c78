#include "ViewerFolderChoice.h"

#include "AppFolder.h"
#include "frmViewerFolder.h"
#include "Messages.h"
#include "ModalWindows.h"
#include "platform/WinePrefixes.h"
#include "PlatformEdge.h"
#include "Settings.h"
#include "ViewerFolder.h"

namespace {

const QString kOtherFolder = QStringLiteral("кнопкой «Обзор…»");

// Asks with this introduction; the folder chosen is remembered.
std::optional<std::filesystem::path> ask(const QString &intro,
                                         std::vector<std::filesystem::path> found,
                                         const std::filesystem::path &current = {})
{
    frmViewerFolder dialog(intro, std::move(found), current);
    if (ShowModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    // A choice that cannot be stored still serves this run; the next start asks again.
    if (const Status failed = RememberViewerFolder(dialog.chosenFolder()))
        ShowFileError(nullptr, *failed);
    return dialog.chosenFolder();
}

QString whyAsked(const ViewerFolderLookup &lookup)
{
    QString intro;
    if (!lookup.vanished.empty())
        intro = QStringLiteral("В папке «%1» больше нет Kelvora. ").arg(ShownPath(lookup.vanished));
    if (lookup.found.empty())
        return intro + QStringLiteral("Kelvora не найдена ни в папке программы, ни в префиксах "
                                      "Wine. Укажите папку, в которую она установлена, %1.")
                           .arg(kOtherFolder);
    return intro + QStringLiteral("Kelvora найдена в этих папках. Выберите ту, с которой "
                                  "работать, или другую %1.")
                       .arg(kOtherFolder);
}

} // namespace

std::optional<std::filesystem::path> ViewerFolderForWindow(const std::filesystem::path &named)
{
    if (!named.empty())
        return named;
    ViewerFolderLookup lookup = LookUpViewerFolder();
    if (lookup.settled)
        return lookup.folder;
    const QString intro = whyAsked(lookup); // before the folders move into the question
    return ask(intro, std::move(lookup.found));
}

std::optional<std::filesystem::path> ChangeViewerFolder()
{
    return ask(QStringLiteral("Выберите папку Kelvora, с которой работать, или другую %1.")
                   .arg(kOtherFolder),
               FindViewerInstallations(platform::winePrefixes()), ApplicationFolder());
}

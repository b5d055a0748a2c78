#include "ConsoleViewerFolder.h"

#include "AppFolder.h"
#include "Console.h"
#include "PlatformEdge.h"
#include "ViewerFolder.h"

#include <QStringList>

namespace {

const QString kNamingOptions =
    QStringLiteral("--folder <папка>, или выберите её в окне программы (Файл → Папка Kelvora…)");

} // namespace

std::optional<std::filesystem::path> ViewerFolderForConsole(const std::filesystem::path &named,
                                                            ConsoleInterface &console)
{
    if (!named.empty())
        return named;
    const ViewerFolderLookup lookup = LookUpViewerFolder();
    if (lookup.settled)
        return lookup.folder;
    if (!lookup.vanished.empty()) {
        console.report(QStringLiteral("В папке Kelvora «%1», выбранной раньше, больше нет ни "
                                      "Kelvora.exe, ни папки Skins. Укажите папку: %2.")
                           .arg(ShownPath(lookup.vanished), kNamingOptions));
        return std::nullopt;
    }
    if (lookup.found.size() == 1)
        return lookup.found.front();
    if (lookup.found.empty()) {
        console.report(QStringLiteral("Папка Kelvora не найдена ни в папке программы «%1», ни в "
                                      "префиксах Wine. Укажите её: --folder <папка>.")
                           .arg(ShownPath(ProgramFolder())));
        return std::nullopt;
    }
    QStringList folders;
    for (const std::filesystem::path &folder : lookup.found)
        folders.append(QStringLiteral("«%1»").arg(ShownPath(folder)));
    console.report(QStringLiteral("Kelvora установлена в нескольких папках: %1. Укажите одну: %2.")
                       .arg(folders.join(QStringLiteral(", ")), kNamingOptions));
    return std::nullopt;
}

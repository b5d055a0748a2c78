#include "RunStart.h"

#include "Settings.h"
#include "TemporaryLeftovers.h"

#include <QThreadPool>

void StartRun(Leftovers leftovers)
{
    LoadSettings();
    // The folders are named from the settings just read.
    std::vector<std::filesystem::path> folders = FoldersWrittenTo();
    if (leftovers == Leftovers::RemovedNow)
        RemoveTemporaryLeftovers(folders);
    else
        QThreadPool::globalInstance()->start(
            [folders = std::move(folders)] { RemoveTemporaryLeftovers(folders); });
}

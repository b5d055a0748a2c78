// Every function of the platform layer, referenced once. The test program links
// this file, so a function that a platform's files declare but do not define
// fails the build, even when no test calls it. Nothing here is called. The test
// every_service_listed fails when a header or a function is missing here.

#include "platform/CodePage.h"
#include "platform/DataFolder.h"
#include "platform/Failure.h"
#include "platform/FileComparison.h"
#include "platform/FileIdentity.h"
#include "platform/FileListing.h"
#include "platform/FileLock.h"
#include "platform/FolderIdentity.h"
#include "platform/PieceComparison.h"
#include "platform/Platform.h"
#include "platform/PositionedFile.h"
#include "platform/ProgramStart.h"
#include "platform/ReplacingCopy.h"
#include "platform/TemporaryFiles.h"
#include "platform/TextLocale.h"
#include "platform/ThumbnailFolder.h"
#include "platform/Trash.h"
#include "platform/WindowServices.h"
#include "platform/WinePrefixes.h"

namespace every_service {

using namespace platform;
using AnyFunction = void (*)();

// Of external linkage, so that no compiler leaves them out.
extern const AnyFunction kFunctions[];
const AnyFunction kFunctions[] = {
    reinterpret_cast<AnyFunction>(&ansiCodePage),
    reinterpret_cast<AnyFunction>(&codePageTable),
    reinterpret_cast<AnyFunction>(&commonReasonOf),
    reinterpret_cast<AnyFunction>(&commonReasonOfCondition),
    reinterpret_cast<AnyFunction>(&copyReplacing),
    reinterpret_cast<AnyFunction>(&executablePath),
    reinterpret_cast<AnyFunction>(&fileProblemCategory),
    reinterpret_cast<AnyFunction>(&isSameFile),
    reinterpret_cast<AnyFunction>(&fileVersion),
    reinterpret_cast<AnyFunction>(&folderIdentity),
    reinterpret_cast<AnyFunction>(&lastSystemError),
    reinterpret_cast<AnyFunction>(&lockExclusively),
    reinterpret_cast<AnyFunction>(&moveToTrash),
    reinterpret_cast<AnyFunction>(&leadsNowhere),
    reinterpret_cast<AnyFunction>(&prepareUserInterface),
    reinterpret_cast<AnyFunction>(&readAt),
    reinterpret_cast<AnyFunction>(&removeLeftoverTemporaryFiles),
    reinterpret_cast<AnyFunction>(&renameReplacing),
    reinterpret_cast<AnyFunction>(&sameContents),
    reinterpret_cast<AnyFunction>(&settingsLocation),
    reinterpret_cast<AnyFunction>(&sharedThumbnailFolder),
    reinterpret_cast<AnyFunction>(&startProgram),
    reinterpret_cast<AnyFunction>(&systemReason),
    reinterpret_cast<AnyFunction>(&temporaryPathBeside),
    reinterpret_cast<AnyFunction>(&isTemporaryFileName),
    reinterpret_cast<AnyFunction>(&useStartingConsole),
    reinterpret_cast<AnyFunction>(&userDataFolder),
    reinterpret_cast<AnyFunction>(&viewerRunsUnderWine),
    reinterpret_cast<AnyFunction>(&visibleFileNames),
#ifndef _WIN32
    reinterpret_cast<AnyFunction>(&wineProgram),
#endif
    reinterpret_cast<AnyFunction>(&winePrefixes),
    reinterpret_cast<AnyFunction>(&writeAt),
    reinterpret_cast<AnyFunction>(&writeReplacing),
};

// The members of the layer's classes: making and ending the objects refers to the rest.
void useMembers();
void useMembers()
{
    const WindowServices services;
    const ProcessReference process =
        services.openProcess(services.processIdOf(services.findTopLevelWindow({})));
    services.postCloseRequest(0);
    services.waitForEnd(process, {});
    services.isWindow(0);
    [[maybe_unused]] const bool closing = CloseRequests(nullptr, 0).isCloseRequest(nullptr);
    [[maybe_unused]] const bool held = FileLock().held();
    const Utf8TextOnThisThread utf8;
    [[maybe_unused]] const std::string reason = Failure{}.reason();
}

} // namespace every_service

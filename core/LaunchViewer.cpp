#include "LaunchViewer.h"

#include "platform/ProgramStart.h"
#include "PlatformEdge.h"
#include "SkinLibrary.h"

Status LaunchViewer()
{
    return ToStatus(platform::startProgram(ViewerExecutablePath()));
}

#include "LaunchViewer.h"

#include "platform/ProgramStart.h"
#include "SkinLibrary.h"

Status LaunchViewer()
{
    return platform::startProgram(ViewerExecutablePath());
}

#pragma once

#include "FileError.h"

// Starts the viewer executable of the application folder and returns at once.
Status LaunchViewer();

#pragma once

#include <QIcon>

// The program's icon in its two sizes, 16 and 32 pixels; every window carries it.
QIcon ApplicationIcon();

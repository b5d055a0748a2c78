#pragma once

#include <QFont>

// The font the windows are laid out for: 8.25-point MS Sans Serif; where it is
// missing, the system's sans serif stands in. Qt picks Cyrillic glyphs by
// script, so no character set is named.
QFont WindowFont();

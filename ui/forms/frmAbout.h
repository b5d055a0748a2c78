#pragma once

#include "FixedDialog.h"

#include <functional>

class QUrl;

// The About box: the program's icon, name and version, its author and the
// author's two links.
class frmAbout : public FixedDialog
{
    Q_OBJECT

public:
    frmAbout();

    // Hands an address to the desktop's default handler; tests answer in its place.
    std::function<void(const QUrl &)> openUrl;
};

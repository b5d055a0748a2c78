#include "AppIcon.h"

QIcon ApplicationIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/app-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/app-32.png"), QSize(32, 32));
    return icon;
}

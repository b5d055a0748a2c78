#include "Application.h"

#include "QtTranslations.h"
#include "WindowFont.h"

#include <QApplication>

void PrepareApplication(QApplication &app)
{
    QApplication::setFont(WindowFont());
    InstallQtTranslations(app);
}

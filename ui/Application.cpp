#include "Application.h"

#include "WindowFont.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void PrepareApplication(QApplication &app)
{
    QApplication::setFont(WindowFont());
    // Without Qt's translations installed the standard dialogs stay English;
    // that is no reason to refuse to start.
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

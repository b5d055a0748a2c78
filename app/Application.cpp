#include "Application.h"

#include "QtTranslations.h"
#include "WindowFont.h"

#include <QApplication>
#include <QThreadPool>

void PrepareApplication(QApplication &app)
{
    QApplication::setFont(WindowFont());
    InstallQtTranslations(app);
    // The shared pool's threads last until the application ends: no thread
    // ends mid-run (LastingThread).
    QThreadPool::globalInstance()->setExpiryTimeout(-1);
}

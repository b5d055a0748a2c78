#pragma once

class QCoreApplication;

// Qt's own texts (standard dialogs, the command line's help and its errors)
// in Russian, as the program's own texts are.
void InstallQtTranslations(QCoreApplication &app);

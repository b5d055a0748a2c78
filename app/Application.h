#pragma once

class QApplication;

// Readies the application before its first window: every widget, popup menus
// and message boxes included, uses the windows' font, and Qt's standard
// dialogs speak Russian.
void PrepareApplication(QApplication &app);

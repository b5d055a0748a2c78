#pragma once

#include <QByteArray>

// What every test program sets before its application object exists: windows
// on no screen unless a test run asks for one (test discovery runs a program
// without the test's environment), and a trash and a thumbnail cache of the
// build's for the skins that tests delete and show, never the user's.
inline void PrepareTestEnvironment()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_DATA_HOME", KSM_TEST_DATA_HOME);
    qputenv("XDG_CACHE_HOME", KSM_TEST_DATA_HOME "/cache");
}

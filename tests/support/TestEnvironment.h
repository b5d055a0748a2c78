#pragma once

#include <QByteArray>

// What every test program sets before its application object exists: windows
// on no screen unless a test run asks for one (test discovery runs a program
// without the test's environment), and a trash and a thumbnail cache of the
// build's for the skins that tests delete and show, never the user's. The
// Windows build's tests run on a display under Wine, which hands no QT_
// variables on, with the one platform plugin they link.
inline void PrepareTestEnvironment()
{
#ifndef _WIN32
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    qputenv("XDG_DATA_HOME", KSM_TEST_DATA_HOME);
    qputenv("XDG_CACHE_HOME", KSM_TEST_DATA_HOME "/cache");
}

#pragma once

#include "ApplySkinFixture.h"
#include "CloseViewer.h"
#include "platform/WindowServices.h"

inline const RecordedMessage kCloseError{QStringLiteral("Ошибка закрытия Kelvora."),
                                         UserInterface::Icon::None, kApplicationTitle};

// Tests that run stand-in viewers on the X server that ./test starts; they
// skip, saying why, when no X server can be reached.
class ViewerTest : public ApplySkinTest
{
protected:
    void SetUp() override
    {
        ApplySkinTest::SetUp();
        if (!platform::WindowServices().connected())
            GTEST_SKIP() << "no X server could be opened (DISPLAY=\""
                         << qgetenv("DISPLAY").toStdString()
                         << "\"); ./test starts Xvfb for these tests";
    }

    void TearDown() override
    {
        SetViewerWaitLimitForTesting(kViewerWaitLimit);
        ApplySkinTest::TearDown();
    }
};

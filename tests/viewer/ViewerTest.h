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

    // Applies Blue.scn while a viewer that refuses to close is running: the
    // close error comes while the active skin is as it was, the copy after it.
    void applyPastARefusingViewer()
    {
        Module1::KillKelvoraEnable = QStringLiteral("1");
        QByteArray activeAtTheMessage;
        ui.onMessage = [&] { activeAtTheMessage = readFile(activeSkin()); };

        ApplySkin("Blue.scn");

        EXPECT_EQ(ui.messages, std::vector{kCloseError});
        EXPECT_EQ(activeAtTheMessage, kOldActive);
        EXPECT_EQ(readFile(activeSkin()), kBlue);
    }
};

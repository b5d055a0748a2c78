#include "Application.h"
#include "ModalAnswering.h"
#include "TestEnvironment.h"

#include <QApplication>

#include <gtest/gtest.h>

// The windows are tested in an application set up as the program sets up its
// own; a modal window that no test answers fails the test instead of waiting.
int main(int argc, char **argv)
{
    PrepareTestEnvironment();
    testing::InitGoogleTest(&argc, argv);
    // The tests answer Qt's own file chooser from inside its loop; the one of
    // Windows runs a loop of its own that they cannot reach.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    PrepareApplication(app);
    ModalAnswers::SetFallback(MessageBoxCatcher::FailUnanswered);
    return RUN_ALL_TESTS();
}

#pragma once

#include "ModalWindows.h"

#include <QDialog>
#include <QList>
#include <QMessageBox>

#include <functional>

#include <gtest/gtest.h>

// The next modal window must be a Dialog; act gets it and closes it.
template <typename Dialog> void AnswerNext(std::function<void(Dialog &)> act)
{
    ModalAnswers::SetNext([act = std::move(act)](QDialog &window) {
        auto *dialog = qobject_cast<Dialog *>(&window);
        if (!dialog) {
            ADD_FAILURE() << "expected a " << Dialog::staticMetaObject.className() << ", got \""
                          << window.windowTitle().toStdString() << '"';
            window.reject();
            return;
        }
        act(*dialog);
    });
}

// A message box as the user saw it.
struct SeenMessage
{
    QString text;
    QString caption;
    QMessageBox::Icon icon;
};

// While it lives, notes every message box that opens with no answer waiting
// and presses its OK. Any other window that nobody answers fails the test.
class MessageBoxCatcher
{
public:
    MessageBoxCatcher()
    {
        ModalAnswers::SetFallback([this](QDialog &window) {
            if (auto *box = qobject_cast<QMessageBox *>(&window)) {
                seen.append({box->text(), box->windowTitle(), box->icon()});
                box->accept();
            } else {
                FailUnanswered(window);
            }
        });
    }
    ~MessageBoxCatcher() { ModalAnswers::SetFallback(FailUnanswered); }
    MessageBoxCatcher(const MessageBoxCatcher &) = delete;
    MessageBoxCatcher &operator=(const MessageBoxCatcher &) = delete;

    // A modal window that the test did not expect: the test fails, the window closes.
    static void FailUnanswered(QDialog &window)
    {
        ADD_FAILURE() << "a modal window nobody answered opened: \""
                      << window.windowTitle().toStdString() << '"';
        window.reject();
    }

    QList<SeenMessage> seen;
};

// A modal window that the test answered beforehand never opened: the action
// that should have opened it did nothing.
inline void ExpectEveryAnswerUsed()
{
    EXPECT_EQ(ModalAnswers::DropWaiting(), 0) << "answers were left for windows that never opened";
}

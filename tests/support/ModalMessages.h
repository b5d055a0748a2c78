#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <vector>

// Answers the modal message boxes that appear while it lives: records each
// one and presses its OK button, so a test never blocks on a box.
class ModalMessages
{
public:
    struct Message
    {
        QString text;
        QString caption;
        QMessageBox::Icon icon;
    };

    ModalMessages()
    {
        QObject::connect(&poll, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            seen.push_back({box->text(), box->windowTitle(), box->icon()});
            box->button(QMessageBox::Ok)->click();
        });
        poll.start(10);
    }

    std::vector<Message> seen;

private:
    QTimer poll;
};

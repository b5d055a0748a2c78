#pragma once

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <utility>

// While it lives, hands every modal dialog of type Dialog that opens to answer,
// from inside the dialog's own event loop; answer closes it. So a test never
// waits on a modal dialog.
template <typename Dialog> class ModalAnswerer
{
public:
    explicit ModalAnswerer(std::function<void(Dialog *)> answer)
        : answer(std::move(answer))
    {
        QObject::connect(&poll, &QTimer::timeout, [this] {
            if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget()))
                this->answer(dialog);
        });
        poll.start(10);
    }

private:
    std::function<void(Dialog *)> answer;
    QTimer poll;
};

// A message box as the user saw it.
struct SeenMessage
{
    QString text;
    QString caption;
    QMessageBox::Icon icon;
};

// Notes every message box that opens and presses its OK.
class MessageBoxCatcher
{
public:
    QList<SeenMessage> seen;

private:
    ModalAnswerer<QMessageBox> answerer{[this](QMessageBox *box) {
        seen.append({box->text(), box->windowTitle(), box->icon()});
        box->accept();
    }};
};

#include "ModalWindows.h"

#include <QApplication>
#include <QDialog>
#include <QMetaObject>

#include <deque>
#include <utility>

namespace {
std::deque<ModalAnswers::Answer> waiting;
ModalAnswers::Answer fallback;
bool ended = false;
} // namespace

int ShowModal(QDialog &dialog)
{
    if (ended)
        return QDialog::Rejected;
    ModalAnswers::Answer answer;
    if (!waiting.empty()) {
        answer = std::move(waiting.front());
        waiting.pop_front();
    } else {
        answer = fallback;
    }
    if (answer) // runs as the first event of the window's own loop
        QMetaObject::invokeMethod(
            &dialog, [&dialog, answer] { answer(dialog); }, Qt::QueuedConnection);
    return dialog.exec();
}

void EndModalWindows()
{
    ended = true;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isModal())
            dialog->reject(); // its loop ends, and the work that opened it goes on
}

bool ModalWindowsEnded()
{
    return ended;
}

QWidget *WindowActedIn(QWidget *main)
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal ? modal : main;
}

void ModalAnswers::SetNext(Answer answer)
{
    waiting.push_back(std::move(answer));
}

void ModalAnswers::SetFallback(Answer answer)
{
    fallback = std::move(answer);
}

int ModalAnswers::DropWaiting()
{
    const int count = static_cast<int>(waiting.size());
    waiting.clear();
    return count;
}

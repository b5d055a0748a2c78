#include "LongStep.h"

#include "AppInfo.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <thread>

namespace {

constexpr int kQuietMilliseconds = 500;

// Drops the user's input to every window while it lives.
class InputDropper : public QObject
{
public:
    InputDropper() { qApp->installEventFilter(this); }
    ~InputDropper() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Close:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void RunLongStep(QWidget *owner, const QString &waitingFor, const std::function<void()> &work)
{
    const InputDropper dropper;
    QProgressDialog progress(waitingFor, QString(), 0, 0, owner);
    progress.setWindowTitle(kApplicationTitle);
    progress.setCancelButton(nullptr);
    progress.reset(); // stops its own timer: it is shown by the one below
    QTimer::singleShot(kQuietMilliseconds, &progress, &QWidget::show);

    QEventLoop loop;
    std::thread worker([&work, &loop] {
        work();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
}

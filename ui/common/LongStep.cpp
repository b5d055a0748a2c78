#include "LongStep.h"

#include "AppInfo.h"
#include "LastingThread.h"
#include "WindowConventions.h"

#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace {

constexpr int kQuietMilliseconds = 500;

int runningSteps = 0;

// What waits for the running step to end.
std::vector<std::pair<QPointer<QObject>, std::function<void()>>> &waiting()
{
    static std::vector<std::pair<QPointer<QObject>, std::function<void()>>> items;
    return items;
}

bool isInputOrDrop(QEvent::Type type)
{
    switch (type) {
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
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

// Refuses the user's input to every window while it lives. A modal window
// that opens during the step still takes its input, so that it can always be
// closed and the step can end.
class InputRefuser : public QObject
{
public:
    InputRefuser()
        : modalBefore_(QApplication::activeModalWidget())
    {
        qApp->installEventFilter(this);
    }
    ~InputRefuser() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (!isInputOrDrop(event->type()) || opensDuringStep(receiver))
            return false;
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
            event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            drop->setDropAction(Qt::IgnoreAction); // the cursor says no
            drop->ignore();
        }
        return true;
    }

private:
    bool opensDuringStep(QObject *receiver) const
    {
        QWidget *modal = QApplication::activeModalWidget();
        auto *widget = qobject_cast<QWidget *>(receiver);
        return modal && modal != modalBefore_ && widget && widget->window() == modal;
    }

    QPointer<QWidget> modalBefore_;
};

// What the program waits for, under the program's title, shown whole.
class WaitingWindow : public QDialog
{
public:
    WaitingWindow(QWidget *owner, const QString &waitingFor)
        : QDialog(owner, kFixedBorder)
    {
        setObjectName(QStringLiteral("waitingWindow"));
        setWindowTitle(kApplicationTitle);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(waitingFor, this));
        auto *busy = new QProgressBar(this);
        busy->setRange(0, 0);
        busy->setTextVisible(false);
        layout->addWidget(busy);
        setFixedSize(sizeHint().expandedTo(QSize(WidthForCaption(*this), 0)));
    }
};

} // namespace

void RunLongStep(QWidget *owner, const QString &waitingFor, const std::function<void()> &work)
{
    ++runningSteps;
    {
        const InputRefuser refuser;
        WaitingWindow progress(owner, waitingFor);
        QTimer::singleShot(kQuietMilliseconds, &progress, &QWidget::show);

        QEventLoop loop;
        // Steps run one after the other on one thread that lasts: a thread that
        // ends mid-run brings the Windows program down (LastingThread).
        static LastingThread *const steps =
            new LastingThread(QThread::InheritPriority, QStringLiteral("long steps"));
        steps->run([&work, &loop] {
            work();
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
    }
    if (--runningSteps > 0)
        return;
    for (auto &[context, then] : std::exchange(waiting(), {}))
        if (context)
            QTimer::singleShot(0, context, std::move(then));
}

bool LongStepRunning()
{
    return runningSteps > 0;
}

void AfterLongStep(QObject *context, std::function<void()> then)
{
    if (LongStepRunning())
        waiting().emplace_back(context, std::move(then));
    else
        QTimer::singleShot(0, context, std::move(then));
}

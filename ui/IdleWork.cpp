#include "IdleWork.h"

#include "HandOver.h"

#include <QSemaphore>
#include <QThread>

namespace {

struct IdleThread
{
    HandOver<std::function<void()>> works;
    QSemaphore handedOver; // released once for each work put
    QThread *thread = nullptr;
};

// Made at the first work and never ended: it outlives every window, so that
// none waits for it when it closes.
IdleThread &idleThread()
{
    static IdleThread *const idle = [] {
        auto *made = new IdleThread;
        made->thread = QThread::create([made] {
            QThread::currentThread()->setPriority(QThread::IdlePriority);
            for (;;) {
                made->handedOver.acquire();
                for (std::function<void()> &work : made->works.takeAll())
                    work();
            }
        });
        made->thread->setObjectName(QStringLiteral("idle work"));
        made->thread->start();
        return made;
    }();
    return *idle;
}

} // namespace

void RunWhenIdle(std::function<void()> work)
{
    IdleThread &idle = idleThread();
    idle.works.put(std::move(work));
    idle.handedOver.release();
}

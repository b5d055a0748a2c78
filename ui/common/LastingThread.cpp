#include "LastingThread.h"

#include "HandOver.h"

#include <QSemaphore>

struct LastingThread::Queue
{
    HandOver<std::function<void()>> works;
    QSemaphore handedOver; // released once for each work put
};

LastingThread::LastingThread(QThread::Priority priority, const QString &name)
    : queue_(new Queue)
{
    QThread *thread = QThread::create([queue = queue_, priority] {
        if (priority != QThread::InheritPriority)
            QThread::currentThread()->setPriority(priority);
        for (;;) {
            queue->handedOver.acquire();
            for (std::function<void()> &work : queue->works.takeAll())
                work();
        }
    });
    thread->setObjectName(name);
    thread->start();
}

void LastingThread::run(std::function<void()> work)
{
    queue_->works.put(std::move(work));
    queue_->handedOver.release();
}

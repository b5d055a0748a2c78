#include "IdleWork.h"

#include "LastingThread.h"

void RunWhenIdle(std::function<void()> work)
{
    static LastingThread *const idle =
        new LastingThread(QThread::IdlePriority, QStringLiteral("idle work"));
    idle->run(std::move(work));
}

#pragma once

#include <QString>
#include <QThread>

#include <functional>

// A thread made once for one kind of work and never ended: it runs the works
// handed to it one after the other, in the order they came. Handing over takes
// no lock, so whoever hands over never waits for the thread, whatever its
// priority. It outlives every window, so none waits for it when it closes; and
// no thread ends while the program runs: with mingw-w64, the end of a thread
// that used Qt's thread-local data leaves the runtime's thread-exit records
// locked or freed, and the program crashes, or hangs in its exit.
class LastingThread
{
public:
    LastingThread(QThread::Priority priority, const QString &name);
    ~LastingThread() = delete; // made with new, never destroyed
    LastingThread(const LastingThread &) = delete;
    LastingThread &operator=(const LastingThread &) = delete;

    void run(std::function<void()> work);

private:
    struct Queue;
    Queue *queue_;
};

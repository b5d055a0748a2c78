#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

// Where work on another thread, which may outlive the object it works for,
// sends that object its results: each runs later on the object's thread, and
// only while the object lives; once it is gone they are dropped. The work
// shares the address, which goes when the last of it lets go.
class ReturnAddress : public QObject
{
    Q_OBJECT

public:
    static std::shared_ptr<ReturnAddress> of(QObject *owner);

    // From any thread of the owner's priority or above: the owner's event
    // queue takes a lock that the owner's thread takes too.
    void post(std::function<void()> result);

private:
    explicit ReturnAddress(QObject *owner);

    QPointer<QObject> owner_; // read on the owner's thread alone
};

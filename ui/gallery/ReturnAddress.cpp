#include "ReturnAddress.h"

ReturnAddress::ReturnAddress(QObject *owner)
    : owner_(owner)
{
    moveToThread(owner->thread());
}

std::shared_ptr<ReturnAddress> ReturnAddress::of(QObject *owner)
{
    // Deleted on the owner's thread, whichever thread lets it go last.
    return {new ReturnAddress(owner), [](ReturnAddress *address) { address->deleteLater(); }};
}

void ReturnAddress::post(std::function<void()> result)
{
    QMetaObject::invokeMethod(
        this,
        [this, result = std::move(result)] {
            if (owner_)
                result();
        },
        Qt::QueuedConnection);
}

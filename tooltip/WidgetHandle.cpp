#include "WidgetHandle.h"

#include <QHash>
#include <QWidget>

namespace {

struct HandleRegistry
{
    QHash<QWidget *, qint32> handles;
    QHash<qint32, QWidget *> widgets;
    qint32 lastHandle = 0;
};

HandleRegistry &registry()
{
    static HandleRegistry handleRegistry;
    return handleRegistry;
}

} // namespace

qint32 WidgetHandle(QWidget *widget)
{
    if (!widget)
        return 0;
    HandleRegistry &known = registry();
    if (const auto found = known.handles.constFind(widget); found != known.handles.cend())
        return *found;
    const qint32 handle = ++known.lastHandle;
    known.handles.insert(widget, handle);
    known.widgets.insert(handle, widget);
    QObject::connect(widget, &QObject::destroyed, [widget, handle] {
        registry().handles.remove(widget);
        registry().widgets.remove(handle);
    });
    return handle;
}

QWidget *WidgetFromHandle(qint32 handle)
{
    return registry().widgets.value(handle);
}

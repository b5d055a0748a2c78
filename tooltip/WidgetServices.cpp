#include "WidgetServices.h"

#include "WidgetHandle.h"

#include <QWidget>

LResult SendWindowMessage(qint32 hWnd, quint32 msg, WParam wParam, LParam lParam)
{
    auto *target = dynamic_cast<MessageTarget *>(WidgetFromHandle(hWnd));
    return target ? target->handleMessage(msg, wParam, lParam) : 0;
}

ClientRect GetClientRect(qint32 hWnd)
{
    const QWidget *widget = WidgetFromHandle(hWnd);
    return widget ? ClientRect{0, 0, widget->width(), widget->height()} : ClientRect{};
}

void DestroyWindow(qint32 hWnd)
{
    delete WidgetFromHandle(hWnd);
}

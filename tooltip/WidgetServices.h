#pragma once

#include "ToolTipMessages.h"

// The window services the tooltip class uses, on widget handles (see WidgetHandle.h);
// the system's own window services are in platform/WindowServices.h.

using WParam = qintptr;
using LParam = qintptr;
using LResult = qintptr;

// A window that answers numbered messages.
class MessageTarget
{
public:
    virtual LResult handleMessage(quint32 msg, WParam wParam, LParam lParam) = 0;

protected:
    ~MessageTarget() = default;
};

// Delivers a message synchronously and returns the window's answer. A message to
// handle 0, to a destroyed window or to one that answers no messages does nothing
// and returns 0.
LResult SendWindowMessage(qint32 hWnd, quint32 msg, WParam wParam, LParam lParam);

// The widget's own rectangle, at (0, 0); all zero for an unknown handle.
ClientRect GetClientRect(qint32 hWnd);

// Destroys the window and with it its children; nothing for handle 0.
void DestroyWindow(qint32 hWnd);

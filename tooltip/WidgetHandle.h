#pragma once

#include <QtGlobal>

class QWidget;

// Stable non-zero 32-bit handles for widgets, in the role window handles play for
// the tooltip messages. A widget keeps its handle for life; a destroyed widget's
// handle is forgotten and never given out again. Handle 0 means none. No native
// window is created for the widget.
qint32 WidgetHandle(QWidget *widget);

// The live widget behind a handle; nullptr for 0, a forgotten or an unknown handle.
QWidget *WidgetFromHandle(qint32 handle);

#pragma once

#include "cToolTipEx.h"
#include "RecordingToolTipWindow.h"
#include "WidgetHandle.h"

#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

// A form with two buttons and a tooltip object whose window records its messages.
class ToolTipFixture : public testing::Test
{
protected:
    ToolTipFixture()
        : tips([this](qint32 style, QWidget *owner) {
            createdStyle = style;
            window = new RecordingToolTipWindow(style, owner, log);
            return window.data();
        })
    {
        form.resize(300, 200);
        apply.setGeometry(20, 20, 120, 30);
        remove.setGeometry(20, 70, 120, 30);
    }

    // Messages sent from now on.
    void forgetMessages() { log.clear(); }

    QWidget form;
    QPushButton apply{QStringLiteral("Apply"), &form};
    QPushButton remove{QStringLiteral("Delete"), &form};
    const qint32 formHandle = WidgetHandle(&form);
    const qint32 applyHandle = WidgetHandle(&apply);
    const qint32 removeHandle = WidgetHandle(&remove);

    std::vector<SentMessage> log;
    QPointer<QWidget> window;
    qint32 createdStyle = -1;
    cToolTipEx tips;
};

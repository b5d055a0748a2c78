#pragma once

#include <QDialog>
#include <QPushButton>
#include <QScreen>
#include <QStringList>

#include <gtest/gtest.h>

// Object names of the widgets Tab visits, from the one that has the focus.
inline QStringList TabChain(QWidget *window)
{
    QStringList names;
    QWidget *const first = window->focusWidget();
    for (QWidget *widget = first; widget;) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(window))
            names.append(widget->objectName());
        widget = widget->nextInFocusChain();
        if (widget == first)
            break;
    }
    return names;
}

// What every dialog shares: caption, fixed client size, no maximise or minimise
// button, the middle of the screen, the program's icon, no default button.
inline void ExpectFixedDialog(const QDialog &dialog, const QString &caption, QSize clientSize)
{
    EXPECT_EQ(dialog.windowTitle(), caption);
    EXPECT_EQ(dialog.size(), clientSize);
    EXPECT_EQ(dialog.minimumSize(), clientSize);
    EXPECT_EQ(dialog.maximumSize(), clientSize);
    EXPECT_FALSE(dialog.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const QPoint offCentre =
        dialog.geometry().center() - dialog.screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2);
    EXPECT_FALSE(dialog.windowIcon().isNull());
    for (const QPushButton *button : dialog.findChildren<QPushButton *>())
        EXPECT_FALSE(button->isDefault() || button->autoDefault())
            << button->objectName().toStdString();
}

#include "FixedDialog.h"

#include "AppIcon.h"
#include "WindowConventions.h"
#include "WindowFont.h"

#include <QKeyEvent>
#include <QPushButton>

FixedDialog::FixedDialog(const QString &caption, int widthTwips, int heightTwips, QWidget *parent)
    : QDialog(parent, Qt::Dialog | kFixedBorder)
{
    setWindowTitle(caption);
    setWindowIcon(ApplicationIcon());
    setFont(WindowFont());
    setFixedSize(TwipsSize(widthTwips, heightTwips));
    CenterOnScreen(this);
}

void FixedDialog::keyPressEvent(QKeyEvent *event)
{
    if (!event->matches(QKeySequence::Cancel))
        QDialog::keyPressEvent(event);
}

QPushButton *FixedDialog::addButton(const char *name, const QString &caption, const QRect &geometry)
{
    QPushButton *button = place(new QPushButton(caption, this), name, geometry);
    PressOnEnter(button);
    return button;
}

void FixedDialog::setTabChain(std::initializer_list<QWidget *> chain)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : chain) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        else
            widget->setFocus();
        previous = widget;
    }
}

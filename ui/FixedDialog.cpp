#include "FixedDialog.h"

#include "AppIcon.h"
#include "WindowFont.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

FixedDialog::FixedDialog(const QString &caption, int widthTwips, int heightTwips)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(caption);
    setWindowIcon(ApplicationIcon());
    setFont(WindowFont());
    const QSize clientSize = TwipsSize(widthTwips, heightTwips);
    setFixedSize(clientSize);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, clientSize,
                                    screen()->availableGeometry()));
}

void FixedDialog::keyPressEvent(QKeyEvent *event)
{
    if (!event->matches(QKeySequence::Cancel))
        QDialog::keyPressEvent(event);
}

// Only buttons are watched. A button that is no default button leaves Enter to
// its dialog, which would find no default button to press.
bool FixedDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QPushButton *>(watched)->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QPushButton *FixedDialog::addButton(const char *name, const QString &caption, const QRect &geometry)
{
    QPushButton *button = place(new QPushButton(caption, this), name, geometry);
    button->setAutoDefault(false);
    button->installEventFilter(this);
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

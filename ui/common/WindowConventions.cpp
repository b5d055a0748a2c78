#include "WindowConventions.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

// Without a default button Qt leaves Enter to the window, which would find
// nothing to press.
class EnterPresses : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                static_cast<QPushButton *>(watched)->click();
                return true;
            }
        }
        return false;
    }
};

} // namespace

void CenterOnScreen(QWidget *window)
{
    window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(),
                                            window->screen()->availableGeometry()));
}

int WidthForCaption(const QWidget &window)
{
    QFont titleFont = window.font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(10);
    return QFontMetrics(titleFont).horizontalAdvance(window.windowTitle()) + 120;
}

void PressOnEnter(QPushButton *button)
{
    button->setAutoDefault(false);
    button->installEventFilter(new EnterPresses(button));
}

#include "LinkLabel.h"

#include <QMouseEvent>

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // Released elsewhere, the press is withdrawn, as with a button.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

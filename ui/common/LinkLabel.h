#pragma once

#include <QLabel>

// A label that works as a link: a left click on it reports clicked().
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

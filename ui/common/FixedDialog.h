#pragma once

#include "Twips.h"

#include <QDialog>
#include <QLabel>

#include <initializer_list>

class QPushButton;

// What every dialog of the program shares: a fixed client area laid out in
// twips, a border without maximise or minimise button, a place in the middle of
// the screen, the program's icon and the windows' font. No button is a default
// or cancel button: Enter acts only on a focused button and Escape does
// nothing, while the close box still rejects the dialog.
class FixedDialog : public QDialog
{
    Q_OBJECT

public:
    FixedDialog(const QString &caption, int widthTwips, int heightTwips, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;

    // Children carry the names of their controls and sit where the layout puts them.
    template <typename Widget>
    Widget *place(Widget *widget, const char *name, const QRect &geometry)
    {
        widget->setObjectName(QLatin1StringView(name));
        widget->setGeometry(geometry);
        return widget;
    }

    // A button that is never a default button and that Enter presses while it has the focus.
    QPushButton *addButton(const char *name, const QString &caption, const QRect &geometry);

    // Labels draw their text from the top left corner and wrap it at word breaks.
    template <typename Label = QLabel>
    Label *addLabel(const char *name, const QString &caption, const QRect &geometry)
    {
        Label *label = place(new Label(caption, this), name, geometry);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    }

    // Tab moves through the widgets in this order; the first one has the focus on opening.
    static void setTabChain(std::initializer_list<QWidget *> chain);
};

#include "frmAbout.h"

#include "AppIcon.h"
#include "AppInfo.h"
#include "LinkLabel.h"
#include "WindowFont.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

namespace {

QString versionLine()
{
    return QStringLiteral("%1 v%2").arg(kApplicationTitle, kVersion);
}

// Underlined in the colour of selected items, so links follow the colour scheme.
void lookLikeLink(QLabel *label)
{
    QFont font = WindowFont();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
}

// The layout was drawn for a narrower font, and the author's texts come from
// the build: each text keeps to one line, centred where the layout centres
// its label, which grows about that centre as far as the dialog allows.
void fitOnOneLine(QLabel *label)
{
    label->setWordWrap(false);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const QRect planned = label->geometry();
    const QRect client = label->parentWidget()->rect();
    const int width = qMin(label->sizeHint().width(), client.width());
    if (width <= planned.width())
        return;
    QRect wider(0, planned.top(), width, planned.height());
    wider.moveCenter(planned.center());
    wider.moveLeft(qBound(0, wider.left(), client.width() - width));
    label->setGeometry(wider);
}

} // namespace

frmAbout::frmAbout()
    : FixedDialog(QStringLiteral("О программе"), 5370, 2595)
    , openUrl([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
    QLabel *Image1 = place(new QLabel(this), "Image1", TwipsRect(120, 240, 480, 480));
    Image1->setPixmap(ApplicationIcon().pixmap(32, 32));
    QLabel *Label1 = addLabel("Label1", versionLine(), TwipsRect(1200, 120, 3495, 255));
    QFont bold = WindowFont();
    bold.setBold(true);
    Label1->setFont(bold);
    QLabel *Label2 = addLabel("Label2", QStringLiteral("Программа для управления скинами Kelvora"),
                              TwipsRect(840, 480, 3855, 375));
    QLabel *Label3 = addLabel("Label3", QStringLiteral("Автор программы: ") + kAuthorName,
                              TwipsRect(1680, 840, 2055, 375));
    auto *Label4 =
        addLabel<LinkLabel>("Label4", QStringLiteral("Сайт программы: ") + kAuthorWebSite,
                            TwipsRect(1560, 1200, 2295, 255));
    auto *Label5 = addLabel<LinkLabel>("Label5", QStringLiteral("Почта: ") + kAuthorEmail,
                                       TwipsRect(1680, 1560, 2055, 255));
    lookLikeLink(Label4);
    lookLikeLink(Label5);
    for (QLabel *label :
         {Label1, Label2, Label3, static_cast<QLabel *>(Label4), static_cast<QLabel *>(Label5)})
        fitOnOneLine(label);
    QPushButton *Command1 =
        addButton("Command1", QStringLiteral("OK"), TwipsRect(1920, 2040, 1335, 375));
    setTabChain({Command1});

    connect(Label4, &LinkLabel::clicked, this, [this] { openUrl(QUrl(kAuthorWebSite)); });
    connect(Label5, &LinkLabel::clicked, this,
            [this] { openUrl(QUrl(QStringLiteral("mailto:") + kAuthorEmail)); });
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

#include "frmPref.h"

#include "AppInfo.h"
#include "FlagCheckBox.h"
#include "Messages.h"
#include "Module1.h"
#include "SkinLibrary.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

// The layout was drawn for 13-pixel check marks; a box too low for the style's
// mark grows about its centre line.
void fitCheckMark(FlagCheckBox *box)
{
    const QRect planned = box->geometry();
    if (box->sizeHint().height() <= planned.height())
        return;
    QRect taller(planned.left(), 0, planned.width(), box->sizeHint().height());
    taller.moveCenter(planned.center());
    box->setGeometry(taller);
}

} // namespace

frmPref::frmPref()
    : FixedDialog(QStringLiteral("Настройки"), 5070, 2295)
{
    addLabel("Label1", QStringLiteral("Имя файла скина Kelvora:"), TwipsRect(120, 240, 2295, 255));
    Text1 = place(new QLineEdit(this), "Text1", TwipsRect(2400, 200, 1810, 285));
    Check3 =
        place(new FlagCheckBox(QStringLiteral("Закрывать Kelvora перед применением скина"), this),
              "Check3", TwipsRect(120, 600, 4335, 375));
    Check1 =
        place(new FlagCheckBox(QStringLiteral("Запускать Kelvora после установки скина"), this),
              "Check1", TwipsRect(120, 960, 3975, 255));
    Check2 = place(new FlagCheckBox(QStringLiteral("Использовать всплывающие подсказки"), this),
                   "Check2", TwipsRect(120, 1320, 3735, 195));
    for (FlagCheckBox *box : {Check1, Check2, Check3})
        fitCheckMark(box);
    QPushButton *Command1 =
        addButton("Command1", QStringLiteral("OK"), TwipsRect(2160, 1800, 1335, 375));
    QPushButton *Command2 =
        addButton("Command2", QStringLiteral("Отмена"), TwipsRect(3600, 1800, 1215, 375));
    setTabChain({Command1, Command2, Text1, Check1, Check2, Check3});

    connect(Command1, &QPushButton::clicked, this, &frmPref::Command1Clicked);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

    Text1->setText(Module1::SkinFileName);
    Check1->showFlag(Flag::RunKLVAfterApply);
    Check2->showFlag(Flag::ToolTipsEnable);
    Check3->showFlag(Flag::KillKelvoraEnable);
}

void frmPref::Command1Clicked()
{
    if (const QString problem = ActiveSkinNameProblem(Text1->text()); !problem.isEmpty()) {
        ShowMessage(this,
                    QStringLiteral("Неверное имя файла скина Kelvora «%1»: %2. Укажите имя "
                                   "файла в папке Kelvora, например Kelvora.rus.")
                        .arg(Text1->text(), problem),
                    UserInterface::Icon::Critical, kApplicationTitle);
        return;
    }
    const SettingValues values{Text1->text(), Check1->flagText(), Check2->flagText(),
                               Check3->flagText()};
    // On a failure the values saved before it keep their new text; the dialog
    // stays open so that the user can try again or cancel.
    if (const Status failed = SaveSettings(values)) {
        ShowFileError(this, *failed);
        return;
    }
    accept();
}

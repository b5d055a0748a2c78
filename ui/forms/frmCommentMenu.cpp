#include "frmCommentMenu.h"

#include "AppInfo.h"
#include "DescriptionField.h"
#include "Messages.h"
#include "ModalWindows.h"
#include "PlatformEdge.h"

#include <QDir>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString kPathCaption = QStringLiteral("Путь к файлу:");

// The longest path the chooser hands over; a longer choice counts as a cancel.
constexpr qsizetype kLongestPath = 254;

// Asks for the file to open, on top of the editor; empty when cancelled.
QString chooseSkinFile(QWidget *parent)
{
    QFileDialog dialog(parent, QStringLiteral("Открытие файла скина"), QDir::currentPath(),
                       QStringLiteral("Скины (*.scn)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name is taken as it stands; one that names no file is reported
    // when its description is read.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return ShowModal(dialog) == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

// The text box shows the field up to its first NUL. Its line breaks, whether the
// field holds CR LF, a lone CR or a lone LF, become paragraph breaks.
void showFieldText(QPlainTextEdit *box, const QString &field)
{
    box->setPlainText(ShownDescription(field));
}

// Every line break goes back as CR LF. The raw text keeps characters such as the
// no-break space that the plain text would turn into spaces.
QString fieldTextOf(const QPlainTextEdit *box)
{
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

} // namespace

frmCommentMenu::frmCommentMenu(QWidget *parent)
    : FixedDialog(QStringLiteral("Редактор описаний"), 7035, 3390, parent)
{
    Text1 = place(new QPlainTextEdit(this), "Text1", TwipsRect(0, 0, 6975, 2535));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setTabChangesFocus(true);
    Label1 = addLabel("Label1", kPathCaption, TwipsRect(120, 2640, 6735, 255));
    QPushButton *btnOpen =
        addButton("btnOpen", QStringLiteral("Открыть..."), TwipsRect(120, 2880, 2175, 375));
    QPushButton *BtnSave =
        addButton("BtnSave", QStringLiteral("Сохранить"), TwipsRect(2640, 2880, 1935, 375));
    QPushButton *btnCancel =
        addButton("btnCancel", QStringLiteral("Отмена"), TwipsRect(5040, 2880, 1815, 375));
    setTabChain({Text1, btnOpen, BtnSave, btnCancel});

    connect(btnOpen, &QPushButton::clicked, this, &frmCommentMenu::btnOpenClicked);
    connect(BtnSave, &QPushButton::clicked, this, &frmCommentMenu::BtnSaveClicked);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmCommentMenu::btnOpenClicked()
{
    const QString chosen = chooseSkinFile(this);
    if (chosen.isEmpty() || chosen.size() > kLongestPath)
        return;
    if (const Status failed = openFile(chosen))
        ShowFileError(this, *failed);
}

Status frmCommentMenu::openFile(const QString &path)
{
    // A file that cannot be read leaves the file opened before, its path and its text.
    const Result<QString> field = ReadDescription(ToNativePath(path));
    if (!field.ok())
        return field.error;
    FilenameA = path;
    Label1->setText(kPathCaption + u' ' + QDir::toNativeSeparators(FilenameA));
    showFieldText(Text1, field.value);
    return std::nullopt;
}

void frmCommentMenu::BtnSaveClicked()
{
    if (FilenameA.isEmpty()) {
        ShowMessage(this, QStringLiteral("Необходимо открыть файл!"), UserInterface::Icon::Critical,
                    QStringLiteral("Ошибка"));
        return;
    }
    const QString text = fieldTextOf(Text1);
    if (const QString problem = DescriptionTextProblem(text); !problem.isEmpty()) {
        ShowMessage(this, problem, UserInterface::Icon::Critical, kApplicationTitle);
        return;
    }
    if (const Status failed = WriteDescription(ToNativePath(FilenameA), text))
        ShowFileError(this, *failed);
}

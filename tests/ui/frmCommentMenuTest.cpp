#include "frmCommentMenu.h"

#include "DescriptionField.h"
#include "DialogChecks.h"
#include "ModalAnswerer.h"
#include "TempAppFolder.h"
#include "Twips.h"

#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

class frmCommentMenuTest : public TempAppFolderTest
{
protected:
    void SetUp() override
    {
        TempAppFolderTest::SetUp();
        show();
    }

    // A new showing, whose file chooser answers with chosen.
    void show()
    {
        dialog = std::make_unique<frmCommentMenu>();
        dialog->chooseFile = [this](QWidget *parent) {
            EXPECT_EQ(parent, dialog.get());
            return chosen;
        };
        dialog->show();
    }

    QPlainTextEdit *text() const { return dialog->findChild<QPlainTextEdit *>("Text1"); }
    QString pathCaption() const { return dialog->findChild<QLabel *>("Label1")->text(); }
    void click(const char *name) const
    {
        QTest::mouseClick(dialog->findChild<QPushButton *>(QLatin1StringView(name)),
                          Qt::LeftButton);
    }

    void open(const QString &path)
    {
        chosen = path;
        click("btnOpen");
    }

    void save() const { click("BtnSave"); }

    QString skin(const QString &name = QStringLiteral("test.scn")) const
    {
        return skinsFolder() + u'/' + name;
    }

    // A skin file of 900 bytes whose field holds these bytes, padded with spaces.
    void writeSkin(const QString &path, const QByteArray &field) const
    {
        QByteArray bytes(900, 'v');
        bytes.replace(kDescriptionOffset, kDescriptionLength,
                      field.leftJustified(kDescriptionLength, ' '));
        writeFile(path, bytes);
    }

    static QByteArray fieldOf(const QString &path)
    {
        return readFile(path).mid(kDescriptionOffset, kDescriptionLength);
    }

    static QByteArray padded(const QByteArray &field)
    {
        return field.leftJustified(kDescriptionLength, ' ');
    }

    MessageBoxCatcher messages;
    std::unique_ptr<frmCommentMenu> dialog;
    QString chosen;
};

TEST_F(frmCommentMenuTest, OpensWithAnEmptyTextBoxThatHasTheFocus)
{
    ExpectFixedDialog(*dialog, QStringLiteral("Редактор описаний"), TwipsSize(7035, 3390));
    EXPECT_EQ(pathCaption(), QStringLiteral("Путь к файлу:"));
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    EXPECT_EQ(text()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(text()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(TabChain(dialog.get()), QStringList({"Text1", "btnOpen", "BtnSave", "btnCancel"}));
}

TEST_F(frmCommentMenuTest, SaveBeforeOpenAsksForAFileAndWritesNothing)
{
    QTest::keyClicks(text(), "text");
    save();
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_EQ(messages.seen[0].text, QStringLiteral("Необходимо открыть файл!"));
    EXPECT_EQ(messages.seen[0].caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(messages.seen[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(QDir(skinsFolder()).isEmpty());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(frmCommentMenuTest, ANewShowingForgetsTheFileOpenedInTheLastOne)
{
    writeSkin(skin(), "old");
    open(skin());
    click("btnCancel");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);

    show();
    save();
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_EQ(messages.seen[0].text, QStringLiteral("Необходимо открыть файл!"));
    EXPECT_EQ(fieldOf(skin()), padded("old"));
}

TEST_F(frmCommentMenuTest, OpenShowsPathAndWholeFieldAndAnUnchangedSaveKeepsTheBytes)
{
    writeSkin(skin(), "abc");
    const QByteArray before = readFile(skin());
    open(skin());
    EXPECT_EQ(pathCaption(), QStringLiteral("Путь к файлу: ") + QDir::toNativeSeparators(skin()));
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("abc") + QString(252, u' '));
    save();
    EXPECT_EQ(readFile(skin()), before);
    EXPECT_TRUE(messages.seen.isEmpty());
}

TEST_F(frmCommentMenuTest, LongTextIsSavedAsItsFirst255CharactersWithoutAWord)
{
    writeSkin(skin(), "abc");
    open(skin());
    text()->setPlainText(QString(200, u'x') + QString(100, u'y'));
    save();
    EXPECT_EQ(fieldOf(skin()), QByteArray(200, 'x') + QByteArray(55, 'y'));
    EXPECT_TRUE(messages.seen.isEmpty());
}

TEST_F(frmCommentMenuTest, NulPaddedFieldShowsTheTextBeforeTheFirstNul)
{
    writeSkin(skin(), QByteArray("hi\0tail", 7) + QByteArray(248, '\0'));
    open(skin());
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("hi"));
    save();
    EXPECT_EQ(fieldOf(skin()), padded("hi"));
}

TEST_F(frmCommentMenuTest, TypedLineBreaksAreStoredAsCrLfAndComeBack)
{
    writeSkin(skin(), QByteArray());
    open(skin());
    text()->clear();
    QTest::keyClicks(text(), "one");
    QTest::keyClick(text(), Qt::Key_Return);
    QTest::keyClicks(text(), "two");
    QTest::keyClick(text(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(text(), "three");
    EXPECT_TRUE(dialog->isVisible());
    save();
    const QByteArray stored = padded("one\r\ntwo\r\nthree");
    EXPECT_EQ(fieldOf(skin()), stored);

    show();
    open(skin());
    EXPECT_EQ(text()->toPlainText().trimmed(), QStringLiteral("one\ntwo\nthree"));
    save();
    EXPECT_EQ(fieldOf(skin()), stored);
}

TEST_F(frmCommentMenuTest, LoneLineBreakBytesBecomeCrLfAndOtherBytesStay)
{
    writeSkin(skin(), "a\nb\rc\xA0\td");
    open(skin());
    save();
    EXPECT_EQ(fieldOf(skin()), padded("a\r\nb\r\nc\xA0\td"));
}

TEST_F(frmCommentMenuTest, CancelledOpenKeepsFileLabelAndText)
{
    writeSkin(skin(), "abc");
    open(skin());
    const QString caption = pathCaption();
    text()->setPlainText(QStringLiteral("edited"));
    open(QString());
    EXPECT_EQ(pathCaption(), caption);
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("edited"));
    save();
    EXPECT_EQ(fieldOf(skin()), padded("edited"));
}

TEST_F(frmCommentMenuTest, APathLongerThan254CharactersIsRefusedLikeACancel)
{
    const QString base = skinsFolder() + u'/';
    const QString longest = base + QString(254 - base.size() - 4, u'n') + QStringLiteral(".scn");
    const QString tooLong = base + QString(255 - base.size() - 4, u'n') + QStringLiteral(".scn");
    ASSERT_EQ(longest.size(), 254);

    open(tooLong);
    EXPECT_EQ(pathCaption(), QStringLiteral("Путь к файлу:"));
    EXPECT_FALSE(QFileInfo::exists(tooLong));
    open(longest);
    EXPECT_TRUE(QFileInfo::exists(longest));
    EXPECT_TRUE(pathCaption().endsWith(QDir::toNativeSeparators(longest)));
}

TEST_F(frmCommentMenuTest, ANewFileNameCreatesTheFileEmpty)
{
    writeSkin(skin(), "abc");
    open(skin());
    const QString fresh = skin(QStringLiteral(" new skin .scn"));
    open(fresh);
    EXPECT_EQ(QFileInfo(fresh).size(), 0);
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    EXPECT_TRUE(pathCaption().endsWith(QDir::toNativeSeparators(fresh)));
    save();
    EXPECT_EQ(readFile(fresh), QByteArray(581, '\0') + padded(QByteArray()));
    EXPECT_EQ(fieldOf(skin()), padded("abc"));
}

TEST_F(frmCommentMenuTest, AFileThatCannotBeReadIsReportedAndTheOpenedOneStays)
{
    writeSkin(skin(), "abc");
    open(skin());
    const QString caption = pathCaption();
    const QString nowhere = appFolder() + QStringLiteral("/missing/x.scn");
    open(nowhere);
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_TRUE(messages.seen[0].text.contains(QDir::toNativeSeparators(nowhere)));
    EXPECT_EQ(messages.seen[0].icon, QMessageBox::Critical);
    EXPECT_EQ(pathCaption(), caption);
    EXPECT_EQ(text()->toPlainText().trimmed(), QStringLiteral("abc"));
}

TEST_F(frmCommentMenuTest, AFailedSaveIsReportedAndKeepsDialogAndText)
{
    const QString folder = appFolder() + QStringLiteral("/elsewhere");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/x.scn");
    writeSkin(file, "abc");
    open(file);
    text()->setPlainText(QStringLiteral("edited"));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    save();
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_TRUE(messages.seen[0].text.contains(QDir::toNativeSeparators(file)));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("edited"));
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST_F(frmCommentMenuTest, EscapeDoesNothingAndTheCloseBoxCancels)
{
    QTest::keyClick(text(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

// The platform's chooser itself: its title, filter and starting folder, and a
// typed name of a file that does not exist yet.
TEST_F(frmCommentMenuTest, TheChooserStartsInTheCurrentFolderAndTakesANewName)
{
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(skinsFolder()));
    dialog = std::make_unique<frmCommentMenu>();
    QString title;
    QStringList filters;
    QString folder;
    ModalAnswerer<QFileDialog> chooser([&](QFileDialog *fileDialog) {
        title = fileDialog->windowTitle();
        filters = fileDialog->nameFilters();
        folder = fileDialog->directory().canonicalPath();
        fileDialog->selectFile(QStringLiteral("typed.scn"));
        static_cast<QDialog *>(fileDialog)->accept(); // as the Open button does
    });
    click("btnOpen");
    QDir::setCurrent(before);

    EXPECT_EQ(title, QStringLiteral("Открытие файла скина"));
    EXPECT_EQ(filters, QStringList(QStringLiteral("Скины (*.scn)")));
    EXPECT_EQ(folder, QDir(skinsFolder()).canonicalPath());
    EXPECT_TRUE(QFileInfo::exists(skin(QStringLiteral("typed.scn"))));
    EXPECT_TRUE(pathCaption().endsWith(QStringLiteral("typed.scn")));
}

} // namespace

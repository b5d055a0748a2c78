#include "frmCommentMenu.h"

#include "DescriptionField.h"
#include "DialogChecks.h"
#include "ModalAnswering.h"
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

    void TearDown() override
    {
        ExpectEveryAnswerUsed();
        TempAppFolderTest::TearDown();
    }

    // A new showing.
    void show()
    {
        dialog = std::make_unique<frmCommentMenu>();
        dialog->show();
    }

    QPlainTextEdit *text() const { return dialog->findChild<QPlainTextEdit *>("Text1"); }
    QString pathCaption() const { return dialog->findChild<QLabel *>("Label1")->text(); }
    void click(const char *name) const
    {
        QTest::mouseClick(dialog->findChild<QPushButton *>(QLatin1StringView(name)),
                          Qt::LeftButton);
    }

    // "Открыть...", and the file chooser on top of the editor answers with the
    // path; an empty path cancels it.
    void open(const QString &path)
    {
        AnswerNext<QFileDialog>([this, path](QFileDialog &chooser) {
            EXPECT_EQ(chooser.parentWidget(), dialog.get());
            if (path.isEmpty()) {
                chooser.reject();
                return;
            }
            chooser.selectFile(path);
            static_cast<QDialog &>(chooser).accept(); // as its Open button does
        });
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
};

TEST_F(frmCommentMenuTest, OpensEmptyWithTheFocusInTheTextBoxAndOnlyTheCloseBoxCancels)
{
    ExpectFixedDialog(*dialog, QStringLiteral("Редактор описаний"), TwipsSize(7035, 3390));
    EXPECT_EQ(pathCaption(), QStringLiteral("Путь к файлу:"));
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    EXPECT_EQ(text()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(text()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(TabChain(dialog.get()), QStringList({"Text1", "btnOpen", "BtnSave", "btnCancel"}));

    QTest::keyClick(text(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    dialog->close();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(frmCommentMenuTest, SaveBeforeAnOpenInThisShowingAsksForAFileAndWritesNothing)
{
    writeSkin(skin(), "old");
    open(skin());
    click("btnCancel");
    EXPECT_FALSE(dialog->isVisible());

    show();
    QTest::keyClicks(text(), "text");
    save();
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_EQ(messages.seen[0].text, QStringLiteral("Необходимо открыть файл!"));
    EXPECT_EQ(messages.seen[0].caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(messages.seen[0].icon, QMessageBox::Critical);
    EXPECT_EQ(fieldOf(skin()), padded("old"));
    EXPECT_EQ(QDir(skinsFolder()).count(), 3u); // ".", ".." and the skin
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(frmCommentMenuTest, OpenShowsTheFieldUpToItsFirstNulAndSaveWritesItBackFitted)
{
    const struct
    {
        QByteArray field;
        QString shown;
        QString typed; // replaces the shown text when not empty
        QByteArray saved;
    } cases[] = {
        {"abc", "abc" + QString(252, u' '), {}, padded("abc")},
        {QByteArray("hi\0tail", 7) + QByteArray(248, '\0'), "hi", {}, padded("hi")},
        // Lone line break bytes become CR LF; a no-break space stays what it is.
        {"a\nb\rc\xA0\td", {}, {}, padded("a\r\nb\r\nc\xA0\td")},
        {"abc",
         {},
         QString(200, u'x') + QString(100, u'y'),
         QByteArray(200, 'x') + QByteArray(55, 'y')},
    };
    for (const auto &c : cases) {
        writeSkin(skin(), c.field);
        open(skin());
        EXPECT_EQ(pathCaption(),
                  QStringLiteral("Путь к файлу: ") + QDir::toNativeSeparators(skin()));
        if (!c.shown.isNull()) {
            EXPECT_EQ(text()->toPlainText(), c.shown) << c.field.toStdString();
        }
        if (!c.typed.isEmpty())
            text()->setPlainText(c.typed);
        save();
        EXPECT_EQ(fieldOf(skin()), c.saved) << c.field.toStdString();
    }
    EXPECT_TRUE(messages.seen.isEmpty());
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

TEST_F(frmCommentMenuTest, RefusedChoicesKeepTheOpenedFileItsPathAndTheText)
{
    writeSkin(skin(), "abc");
    open(skin());
    const QString caption = pathCaption();
    text()->setPlainText(QStringLiteral("edited"));

    const QString base = skinsFolder() + u'/';
    const QString tooLong = base + QString(255 - base.size() - 4, u'n') + QStringLiteral(".scn");
    const QString unreadable = appFolder() + QStringLiteral("/missing/x.scn");
    const QString missing = skin(QStringLiteral("new.scn")); // reading creates nothing
    for (const QString &choice : {QString(), tooLong, unreadable, missing}) {
        open(choice);
        EXPECT_EQ(pathCaption(), caption);
        EXPECT_EQ(text()->toPlainText(), QStringLiteral("edited"));
    }
    EXPECT_FALSE(QFileInfo::exists(tooLong));
    EXPECT_FALSE(QFileInfo::exists(missing));
    ASSERT_EQ(messages.seen.size(), 2);
    EXPECT_TRUE(messages.seen[0].text.contains(QDir::toNativeSeparators(unreadable)));
    EXPECT_TRUE(messages.seen[1].text.contains(QDir::toNativeSeparators(missing)));
    EXPECT_EQ(messages.seen[1].icon, QMessageBox::Critical);

    save();
    EXPECT_EQ(fieldOf(skin()), padded("edited"));
}

TEST_F(frmCommentMenuTest, APathOfUpTo254CharactersOpens)
{
    const QString base = skinsFolder() + u'/';
    const QString longest = base + QString(254 - base.size() - 5, u'n') + QStringLiteral(" .scn");
    ASSERT_EQ(longest.size(), 254);
    writeFile(longest, "short");
    open(longest);
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    EXPECT_TRUE(pathCaption().endsWith(QDir::toNativeSeparators(longest)));
    save();
    EXPECT_EQ(readFile(longest),
              QByteArray("short") + QByteArray(576, '\0') + padded(QByteArray()));
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

// The platform's chooser itself: its title, filter and starting folder, and a
// typed name.
TEST_F(frmCommentMenuTest, TheChooserStartsInTheCurrentFolderAndTakesATypedName)
{
    writeSkin(skin(QStringLiteral("typed.scn")), "typed");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(skinsFolder()));
    dialog = std::make_unique<frmCommentMenu>();
    QString title;
    QStringList filters;
    QString folder;
    AnswerNext<QFileDialog>([&](QFileDialog &chooser) {
        title = chooser.windowTitle();
        filters = chooser.nameFilters();
        folder = chooser.directory().canonicalPath();
        chooser.selectFile(QStringLiteral("typed.scn"));
        static_cast<QDialog &>(chooser).accept();
    });
    click("btnOpen");
    QDir::setCurrent(before);

    EXPECT_EQ(title, QStringLiteral("Открытие файла скина"));
    EXPECT_EQ(filters, QStringList(QStringLiteral("Скины (*.scn)")));
    EXPECT_EQ(folder, QDir(skinsFolder()).canonicalPath());
    EXPECT_TRUE(text()->toPlainText().startsWith(QStringLiteral("typed")));
    EXPECT_TRUE(pathCaption().endsWith(QStringLiteral("typed.scn")));
}

} // namespace

#include "frmPref.h"

#include "DialogChecks.h"
#include "ModalAnswering.h"
#include "Module1.h"
#include "platform/Platform.h"
#include "Settings.h"
#include "TempAppFolder.h"
#include "Twips.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

class frmPrefTest : public TempAppFolderTest
{
protected:
    void SetUp() override
    {
        TempAppFolderTest::SetUp();
        LoadSettings();
    }

    // A new showing, from the copies as they are now.
    void show()
    {
        dialog = std::make_unique<frmPref>();
        dialog->show();
    }

    template <typename Widget> Widget *child(const char *name) const
    {
        auto *widget = dialog->findChild<Widget *>(QLatin1StringView(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }

    QLineEdit *fileName() const { return child<QLineEdit>("Text1"); }
    QCheckBox *box(const char *name) const { return child<QCheckBox>(name); }
    void click(const char *name) const
    {
        QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
    }

    void type(const QString &text) const
    {
        fileName()->clear();
        fileName()->insert(text);
    }

    static SettingValues copies()
    {
        return {Module1::SkinFileName, Module1::RunKLVAfterApply, Module1::ToolTipsEnable,
                Module1::KillKelvoraEnable};
    }

    static QSettings store()
    {
        const platform::SettingsLocation location = platform::settingsLocation();
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, location.organization,
                         location.application);
    }

    static SettingValues stored()
    {
        const QSettings settings = store();
        const auto value = [&settings](const char *key) {
            return settings.value(QStringLiteral("Options/") + QLatin1StringView(key)).toString();
        };
        return {value("SkinFileName"), value("RunKLVAfterApply"), value("ToolTipsEnable"),
                value("KillKelvoraEnable")};
    }

    std::unique_ptr<frmPref> dialog;
};

TEST_F(frmPrefTest, EmptyStoreShowsTheDefaultsWithTheFocusOnOk)
{
    show();
    ExpectFixedDialog(*dialog, QStringLiteral("Настройки"), TwipsSize(5070, 2295));
    EXPECT_EQ(fileName()->text(), QStringLiteral("Kelvora.rus"));
    EXPECT_EQ(box("Check1")->checkState(), Qt::Unchecked);
    EXPECT_EQ(box("Check2")->checkState(), Qt::Unchecked);
    EXPECT_EQ(box("Check3")->checkState(), Qt::Checked);
    for (const char *name : {"Check1", "Check2", "Check3"})
        EXPECT_GE(box(name)->height(), box(name)->sizeHint().height()) << name; // mark not cut
    EXPECT_EQ(TabChain(dialog.get()),
              QStringList({"Command1", "Command2", "Text1", "Check1", "Check2", "Check3"}));
}

TEST_F(frmPrefTest, OkWithoutChangesWritesAllFourKeys)
{
    ASSERT_TRUE(store().allKeys().isEmpty());
    show();
    click("Command1");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const SettingValues defaults{"Kelvora.rus", "0", "0", "1"};
    EXPECT_EQ(store().allKeys().size(), 4);
    EXPECT_EQ(stored(), defaults);
    EXPECT_EQ(copies(), defaults);
}

TEST_F(frmPrefTest, EachBoxShowsAndSavesItsOwnFlag)
{
    Module1::RunKLVAfterApply = QStringLiteral("1");
    Module1::ToolTipsEnable = QStringLiteral("2");
    Module1::KillKelvoraEnable = QStringLiteral("0");
    show();
    EXPECT_EQ(box("Check1")->checkState(), Qt::Checked);
    EXPECT_EQ(box("Check2")->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(box("Check3")->checkState(), Qt::Unchecked);
    click("Command1");
    const SettingValues same{"Kelvora.rus", "1", "2", "0"};
    EXPECT_EQ(stored(), same);
    EXPECT_EQ(copies(), same);

    // A text that is no number shows the key's default.
    Module1::RunKLVAfterApply = QStringLiteral("yes");
    Module1::KillKelvoraEnable = QString();
    show();
    EXPECT_EQ(box("Check1")->checkState(), Qt::Unchecked);
    EXPECT_EQ(box("Check3")->checkState(), Qt::Checked);
}

TEST_F(frmPrefTest, AClickOnAGrayedBoxChecksItAndNeverGraysItAgain)
{
    Module1::RunKLVAfterApply = QStringLiteral("2");
    show();
    QCheckBox *launch = box("Check1");
    const Qt::CheckState expected[] = {Qt::Checked, Qt::Unchecked, Qt::Checked, Qt::Unchecked};
    for (const Qt::CheckState state : expected) {
        QTest::mouseClick(launch, Qt::LeftButton);
        EXPECT_EQ(launch->checkState(), state);
    }
    QTest::keyClick(launch, Qt::Key_Space);
    EXPECT_EQ(launch->checkState(), Qt::Checked);
    click("Command1");
    EXPECT_EQ(stored().RunKLVAfterApply, QStringLiteral("1"));
}

TEST_F(frmPrefTest, FileNameIsSavedExactlyAsTyped)
{
    const QString typed = QStringLiteral("  Мои скины\\Мой скин.rus  ");
    show();
    type(typed);
    click("Command1");
    EXPECT_EQ(stored().SkinFileName, typed);
    EXPECT_EQ(Module1::SkinFileName, typed);
}

// A name that leads out of the application folder, or onto the library or the
// program itself, is refused with a message; the dialog stays open and nothing
// is saved.
TEST_F(frmPrefTest, OkRefusesAFileNameOutsideTheApplicationFolder)
{
    show();
    MessageBoxCatcher messages;
    for (const QString &typed : {QString(), QStringLiteral("../x.rus"), QStringLiteral("Skins"),
                                 QStringLiteral("KelvoraSkinManager")}) {
        type(typed);
        click("Command1");
    }
    ASSERT_EQ(messages.seen.size(), 4);
    EXPECT_TRUE(messages.seen[1].text.contains(QStringLiteral("../x.rus")));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(store().allKeys().isEmpty());
    EXPECT_EQ(Module1::SkinFileName, QStringLiteral("Kelvora.rus"));
}

TEST_F(frmPrefTest, CancelAndTheCloseBoxChangeNothing)
{
    const SettingValues before{"old.rus", "1", "2", "0"};
    ASSERT_FALSE(SaveSettings(before));
    const std::function<void()> leaveWays[] = {[this] { click("Command2"); },
                                               [this] { dialog->close(); }};
    for (const auto &leave : leaveWays) {
        show();
        type(QStringLiteral("new.rus"));
        for (const char *name : {"Check1", "Check2", "Check3"})
            click(name);
        leave();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(stored(), before);
        EXPECT_EQ(copies(), before);
    }
    show();
    EXPECT_EQ(fileName()->text(), QStringLiteral("old.rus"));
    EXPECT_EQ(box("Check2")->checkState(), Qt::PartiallyChecked);
}

TEST_F(frmPrefTest, AStoreThatCannotBeWrittenIsReportedAndTheDialogStaysOpen)
{
    const QString storeFile = store().fileName();
    ASSERT_TRUE(QDir().mkpath(storeFile)); // a folder where the file belongs
    show();
    type(QStringLiteral("x.rus"));
    MessageBoxCatcher messages;
    click("Command1");
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_TRUE(messages.seen[0].text.contains(QDir::toNativeSeparators(storeFile)));
    EXPECT_EQ(messages.seen[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(fileName()->text(), QStringLiteral("x.rus"));
    EXPECT_EQ(Module1::SkinFileName, QStringLiteral("Kelvora.rus"));
}

TEST_F(frmPrefTest, EnterActsOnlyOnAFocusedButtonAndEscapeDoesNothing)
{
    show();
    fileName()->setFocus();
    QTest::keyClick(fileName(), Qt::Key_Return);
    QTest::keyClick(fileName(), Qt::Key_Escape);
    box("Check1")->setFocus();
    QTest::keyClick(box("Check1"), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(box("Check1")->checkState(), Qt::Unchecked);

    auto *cancel = child<QPushButton>("Command2");
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(store().allKeys().isEmpty());
}

} // namespace

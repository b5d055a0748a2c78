#include "Module1.h"
#include "RecordingUserInterface.h"
#include "SkinActions.h"
#include "SkinLibrary.h"
#include "TempAppFolder.h"

#include <QDir>

namespace {

// The skins "Blue.scn" (with its preview) and "Red.scn", and a home folder of
// the test's own, so that the trash is made there and not in the real home.
class DeleteSkinTest : public TempAppFolderTest
{
protected:
    void SetUp() override
    {
        TempAppFolderTest::SetUp();
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("home/.local/share")));
        setEnvironment("HOME", home());
        setEnvironment("XDG_DATA_HOME", home() + QStringLiteral("/.local/share"));
        for (const char *name : {"Blue.scn", "Blue.jpg", "Red.scn"})
            writeFile(skinsFolder() + u'/' + QLatin1StringView(name), name);
        Module1::PreviewPath = PreviewPathFor("Blue.scn");
    }

    void TearDown() override
    {
        for (const auto &[name, value] : savedEnvironment_) {
            if (value)
                qputenv(name, *value);
            else
                qunsetenv(name);
        }
        TempAppFolderTest::TearDown();
    }

    void setEnvironment(const char *name, const QString &value)
    {
        savedEnvironment_.emplace_back(
            name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        qputenv(name, value.toLocal8Bit());
    }

    QString home() const { return root.path() + QStringLiteral("/home"); }
    QStringList skins() const { return QDir(skinsFolder()).entryList(QDir::Files); }
    QStringList trash() const
    {
        return QDir(home() + QStringLiteral("/.local/share/Trash/files")).entryList(QDir::Files);
    }

    RecordingUserInterface ui;

private:
    std::vector<std::pair<const char *, std::optional<QByteArray>>> savedEnvironment_;
};

TEST_F(DeleteSkinTest, MovesTheSkinAndItsPreviewToTheTrash)
{
    EXPECT_FALSE(DeleteSkin("Blue.scn"));

    EXPECT_EQ(skins(), QStringList{QStringLiteral("Red.scn")});
    EXPECT_EQ(trash(), (QStringList{QStringLiteral("Blue.jpg"), QStringLiteral("Blue.scn")}));
    EXPECT_EQ(readFile(home() + QStringLiteral("/.local/share/Trash/files/Blue.scn")), "Blue.scn");
    EXPECT_EQ(ui.refreshes, 1);
    EXPECT_TRUE(ui.messages.empty());
}

// The preview shown last (Blue's) belongs to another skin and stays.
TEST_F(DeleteSkinTest, SkinWithoutPreviewGoesAlone)
{
    EXPECT_FALSE(DeleteSkin("Red.scn"));

    EXPECT_EQ(skins(), (QStringList{QStringLiteral("Blue.jpg"), QStringLiteral("Blue.scn")}));
    EXPECT_EQ(trash(), QStringList{QStringLiteral("Red.scn")});
    EXPECT_EQ(ui.refreshes, 1);
}

TEST_F(DeleteSkinTest, DeletingASecondTimeWithNothingSelectedChangesNoFile)
{
    EXPECT_FALSE(DeleteSkin("Blue.scn"));
    EXPECT_FALSE(DeleteSkin({}));

    EXPECT_TRUE(QFileInfo(skinsFolder()).isDir());
    EXPECT_EQ(skins(), QStringList{QStringLiteral("Red.scn")});
    EXPECT_EQ(trash(), (QStringList{QStringLiteral("Blue.jpg"), QStringLiteral("Blue.scn")}));
    EXPECT_EQ(ui.refreshes, 2);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DeleteSkinTest, NothingSelectedChangesNoFileNotEvenThePreviewShownLast)
{
    EXPECT_FALSE(DeleteSkin({}));

    EXPECT_TRUE(QFileInfo(skinsFolder()).isDir());
    EXPECT_EQ(skins(), (QStringList{QStringLiteral("Blue.jpg"), QStringLiteral("Blue.scn"),
                                    QStringLiteral("Red.scn")}));
    EXPECT_TRUE(trash().isEmpty());
    EXPECT_EQ(ui.refreshes, 1);
}

TEST_F(DeleteSkinTest, WithoutATrashTheFilesAreRemovedForGood)
{
    // A trash folder cannot be made below a file.
    writeFile(root.path() + QStringLiteral("/not-a-folder"), "x");
    setEnvironment("XDG_DATA_HOME", root.path() + QStringLiteral("/not-a-folder/share"));

    EXPECT_FALSE(DeleteSkin("Blue.scn"));

    EXPECT_EQ(skins(), QStringList{QStringLiteral("Red.scn")});
    EXPECT_TRUE(trash().isEmpty());
    EXPECT_EQ(ui.refreshes, 1);
}

} // namespace

#include "DescriptionField.h"
#include "SkinLibrary.h"

#include "TempAppFolder.h"

#include <QFileInfo>

namespace {

class DescriptionFieldTest : public TempAppFolderTest
{
protected:
    std::filesystem::path skin() const { return SkinFilePath("test.scn"); }

    QByteArray fieldBytes() const { return readFile(skin()).mid(kDescriptionOffset, 255); }
};

TEST_F(DescriptionFieldTest, RoundTripsPadToTheWholeField)
{
    const struct
    {
        QString written;
        QString read;
    } cases[] = {
        {QStringLiteral("abc"), QStringLiteral("abc") + QString(252, u' ')},
        {QString(300, u'x'), QString(255, u'x')},
        {QString(), QString(255, u' ')},
        {QStringLiteral("one\r\ntwo"), QStringLiteral("one\r\ntwo") + QString(247, u' ')},
    };
    for (const auto &c : cases) {
        ASSERT_FALSE(WriteDescription(skin(), c.written));
        const Result<QString> read = ReadDescription(skin());
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.value, c.read) << c.written.toStdString();
    }
    EXPECT_EQ(fieldBytes().left(10), QByteArray("one\r\ntwo  "));
}

TEST_F(DescriptionFieldTest, ReadsNulBytesWholeAndShortFilesAsNul)
{
    QByteArray bytes(900, 'v');
    bytes.replace(kDescriptionOffset, 255, QByteArray("hi") + QByteArray(253, '\0'));
    writeFile(skin(), bytes);
    EXPECT_EQ(ReadDescription(skin()).value, QStringLiteral("hi") + QString(253, QChar(0)));

    writeFile(skin(), QByteArray(600, 'v')); // ends 19 bytes into the field
    EXPECT_EQ(ReadDescription(skin()).value, QString(19, u'v') + QString(236, QChar(0)));
    EXPECT_EQ(QFileInfo(text(skin())).size(), 600);
}

TEST_F(DescriptionFieldTest, GrowsAShortFileWithZeroBytesKeepingItsStart)
{
    const QByteArray start(100, 'S');
    writeFile(skin(), start);
    ASSERT_FALSE(WriteDescription(skin(), QStringLiteral("abc")));

    const QByteArray after = readFile(skin());
    ASSERT_EQ(after.size(), 836);
    EXPECT_EQ(after.left(100), start);
    EXPECT_EQ(after.mid(100, 481), QByteArray(481, '\0'));
    EXPECT_EQ(after.mid(581), QByteArray("abc") + QByteArray(252, ' '));
}

TEST_F(DescriptionFieldTest, ChangesOnlyTheFieldOfALongFile)
{
    QByteArray before(2000, '\0');
    for (int i = 0; i < before.size(); ++i)
        before[i] = static_cast<char>(i * 7);
    writeFile(skin(), before);
    ASSERT_FALSE(WriteDescription(skin(), QStringLiteral("new")));

    const QByteArray after = readFile(skin());
    ASSERT_EQ(after.size(), 2000);
    EXPECT_EQ(after.left(581), before.left(581));
    EXPECT_EQ(after.mid(836), before.mid(836));
    EXPECT_EQ(after.mid(581, 255), QByteArray("new") + QByteArray(252, ' '));
}

TEST_F(DescriptionFieldTest, ReadOfAMissingFileFailsAndCreatesNothing)
{
    const Result<QString> read = ReadDescription(skin());
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error->path, text(skin()));
    EXPECT_FALSE(QFileInfo::exists(text(skin())));
}

TEST_F(DescriptionFieldTest, StoresCyrillicAsWindows1251)
{
    ASSERT_FALSE(WriteDescription(skin(), QStringLiteral("Ночь ёЁ")));
    EXPECT_EQ(fieldBytes().left(7), QByteArray("\xCD\xEE\xF7\xFC \xB8\xA8"));
    EXPECT_EQ(ReadDescription(skin()).value.left(8), QStringLiteral("Ночь ёЁ "));
}

TEST_F(DescriptionFieldTest, WritesUnrepresentableCharactersAsQuestionMarks)
{
    ASSERT_FALSE(WriteDescription(skin(), QStringLiteral("a\u4E2Db\U0001F600c")));
    const QByteArray field = fieldBytes();
    ASSERT_EQ(field.size(), 255);
    EXPECT_EQ(field.left(6), QByteArray("a?b??c"));
}

TEST_F(DescriptionFieldTest, FailuresNameThePathAndChangeNothing)
{
    const QString nowhere = appFolder() + QStringLiteral("/missing/x.scn");
    const Result<QString> read = ReadDescription(ToNativePath(nowhere));
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error->path, nowhere);
    EXPECT_FALSE(read.error->reason.isEmpty());

    const Status written = WriteDescription(ToNativePath(nowhere), QStringLiteral("x"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->path, nowhere);
    EXPECT_FALSE(QFileInfo::exists(nowhere));

    // A folder where a file is expected cannot be opened either.
    EXPECT_TRUE(WriteDescription(SkinsFolderPath(), QStringLiteral("x")));
}

} // namespace

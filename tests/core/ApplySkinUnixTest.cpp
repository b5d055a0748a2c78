// Apply cases that need POSIX facilities: a file-size limit and symbolic links.

#include "ApplySkinFixture.h"
#include "FileSizeLimit.h"

#include <QFileInfo>

namespace {

TEST_F(ApplySkinTest, CopyThatFailsMidwayLeavesTheActiveFileAsItWas)
{
    const QByteArray large = QByteArray("0123456789abcdef").repeated(16 * 1024) + "the end";
    writeFile(skin(QStringLiteral("Large.scn")), large);

    // Cut in the middle of the file, and in its last few bytes.
    for (const rlim_t limit : {rlim_t{100 * 1024}, rlim_t(large.size() - 3)}) {
        SCOPED_TRACE(limit);
        {
            const FileSizeLimit limited(limit);
            ApplySkin(QStringLiteral("Large.scn"));
        }
        EXPECT_EQ(readFile(activeSkin()), kOldActive);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(appFolderFiles(), QStringList{QStringLiteral("Kelvora.rus")});
    }

    ApplySkin(QStringLiteral("Large.scn"));
    EXPECT_EQ(readFile(activeSkin()), large);
}

TEST_F(ApplySkinTest, SymbolicLinkIsWrittenThroughToItsTarget)
{
    const QString target = appFolder() + QStringLiteral("/skins-of-the-viewer.rus");
    ASSERT_TRUE(QFile::rename(activeSkin(), target));
    ASSERT_TRUE(QFile::link(QStringLiteral("skins-of-the-viewer.rus"), activeSkin()));

    ApplySkin(QStringLiteral("Blue.scn"));

    EXPECT_TRUE(QFileInfo(activeSkin()).isSymLink());
    EXPECT_EQ(readFile(target), kBlue);
}

} // namespace

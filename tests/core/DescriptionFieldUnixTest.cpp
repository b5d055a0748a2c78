// Description writes that the system cuts short, by a file-size limit.

#include "DescriptionField.h"
#include "FileSizeLimit.h"
#include "TempAppFolder.h"

#include <QFileInfo>

namespace {

using DescriptionFieldUnixTest = TempAppFolderTest;

TEST_F(DescriptionFieldUnixTest, WriteCutShortLeavesTheFileAsLongAsItWas)
{
    const QString skin = skinsFolder() + QStringLiteral("/short.scn");
    const QByteArray before(100, 'S');
    writeFile(skin, before);

    Status written;
    {
        const FileSizeLimit limit(700); // room for part of the field only
        written = WriteDescription(skin, QStringLiteral("abc"));
    }
    ASSERT_TRUE(written);
    EXPECT_EQ(written->path, skin);
    EXPECT_FALSE(written->reason.isEmpty());
    EXPECT_EQ(readFile(skin), before);
}

} // namespace

// Apply cases that need POSIX facilities: a file-size limit and symbolic links.

#include "ApplySkinFixture.h"

#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>

namespace {

// Writes past this many bytes fail (with EFBIG rather than a signal) while it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

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

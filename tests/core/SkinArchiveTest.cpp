// Skins installed from archives as people share them, and archives made to harm.

#include "SkinArchive.h"
#include "platform/TextLocale.h"
#include "SkinLibrary.h"
#include "TempAppFolder.h"

#include <archive.h>
#include <archive_entry.h>

#include <map>

namespace {

// An entry to write: a file of these bytes, or a link.
struct Entry
{
    QByteArray path; // as it goes into the archive: UTF-8 unless the options say otherwise
    QByteArray bytes;
    enum Kind
    {
        file,
        symlink,
        hardlink
    } kind = file;
    QByteArray linkTarget = {};
};

// Writes the archive with libarchive, in the format and with the options given.
void writeArchive(const QString &path, const std::vector<Entry> &entries,
                  int (*format)(archive *) = archive_write_set_format_zip,
                  const char *options = nullptr)
{
    const platform::Utf8TextOnThisThread utf8;
    archive *writer = archive_write_new();
    format(writer);
    if (options) {
        ASSERT_EQ(archive_write_set_options(writer, options), ARCHIVE_OK)
            << archive_error_string(writer);
    }
    ASSERT_EQ(archive_write_open_filename(writer, QFile::encodeName(path).constData()), ARCHIVE_OK);
    for (const Entry &e : entries) {
        archive_entry *entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.path.constData());
        archive_entry_set_perm(entry, 0644);
        if (e.kind == Entry::symlink) {
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_set_symlink(entry, e.linkTarget.constData());
        } else if (e.kind == Entry::hardlink) {
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_hardlink(entry, e.linkTarget.constData());
        } else {
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_size(entry, e.bytes.size());
        }
        // A name that is no text is written as its bytes, with a warning.
        ASSERT_GE(archive_write_header(writer, entry), ARCHIVE_WARN)
            << archive_error_string(writer);
        if (e.kind == Entry::file && !e.bytes.isEmpty()) {
            ASSERT_EQ(archive_write_data(writer, e.bytes.constData(), size_t(e.bytes.size())),
                      e.bytes.size());
        }
        archive_entry_free(entry);
    }
    ASSERT_EQ(archive_write_close(writer), ARCHIVE_OK);
    archive_write_free(writer);
}

class SkinArchiveTest : public TempAppFolderTest
{
protected:
    QString archivePath(const char *name) const
    {
        return root.path() + u'/' + QLatin1StringView(name);
    }

    // Reads the archive, then installs all it offers; the reasons of what was refused, by entry.
    std::map<QString, QString> install(const QString &archive)
    {
        std::map<QString, QString> refused;
        Result<ArchiveContents> read = ReadSkinArchive(ToNativePath(archive));
        EXPECT_TRUE(read.ok()) << (read.error ? read.error->reason.toStdString() : "");
        for (const RefusedEntry &r : read.value.refused)
            refused[r.entry] = r.reason;
        const InstallOutcome failures =
            InstallArchivedSkins(ToNativePath(archive), read.value.skins);
        for (const RefusedEntry &r : failures.refused)
            refused[r.entry] = r.reason;
        EXPECT_TRUE(failures.failed.empty());
        return refused;
    }

    QStringList skinsFolderFiles() const
    {
        return QDir(skinsFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
};

TEST_F(SkinArchiveTest, TwoSkinsInAFolderComeWithTheirPreviews)
{
    const QString archive = archivePath("skins.zip");
    // The preview of one comes before its skin, the other's after.
    writeArchive(archive, {{"Зимние/Зима.jpg", "jpeg winter"},
                           {"Зимние/Зима.scn", "winter"},
                           {"Зимние/Ночь.scn", "night"},
                           {"Зимние/Ночь.jpg", "jpeg night"},
                           {"Зимние/readme.txt", "about"},
                           {"Другие/Зима.jpg", "another folder's picture"}});

    EXPECT_TRUE(install(archive).empty());

    EXPECT_EQ(skinsFolderFiles(),
              (QStringList{QStringLiteral("Зима.jpg"), QStringLiteral("Зима.scn"),
                           QStringLiteral("Ночь.jpg"), QStringLiteral("Ночь.scn")}));
    EXPECT_EQ(readFile(skinsFolder() + QStringLiteral("/Зима.scn")), "winter");
    EXPECT_EQ(readFile(skinsFolder() + QStringLiteral("/Зима.jpg")), "jpeg winter");
    EXPECT_EQ(readFile(skinsFolder() + QStringLiteral("/Ночь.jpg")), "jpeg night");
}

// A zip made by Windows' own tools: names in CP866, without the UTF-8 flag.
TEST_F(SkinArchiveTest, NamesOfAZipMadeOnRussianWindowsArriveAsText)
{
    const QString archive = archivePath("windows.zip");
    writeArchive(archive, {{"Зима.scn", "winter"}}, archive_write_set_format_zip,
                 "zip:hdrcharset=CP866");
    QFile made(archive);
    ASSERT_TRUE(made.open(QIODevice::ReadOnly));
    ASSERT_TRUE(made.readAll().contains(QByteArray("\x87\xa8\xac\xa0.scn"))) << "not CP866";

    EXPECT_TRUE(install(archive).empty());

    EXPECT_EQ(skinsFolderFiles(), QStringList{QStringLiteral("Зима.scn")});
}

TEST_F(SkinArchiveTest, HostileEntriesAreRefusedByNameAndNothingLandsOutside)
{
    ASSERT_TRUE(QDir(skinsFolder()).mkdir(QStringLiteral("folder.scn")));
    const QByteArray big(kMostArchivedSkinBytes + 1, '\0');
    const struct
    {
        Entry entry;
        QString reason;
    } cases[] = {
        {{"../escape.scn", "x"}, QStringLiteral("путь выходит из папки архива (..)")},
        {{"a/../../escape2.scn", "x"}, QStringLiteral("путь выходит из папки архива (..)")},
        {{"/etc/rooted.scn", "x"}, QStringLiteral("путь от корня диска")},
        {{"C:/drive.scn", "x"}, QStringLiteral("путь с именем диска")},
        {{"con.scn", "x"}, QStringLiteral("имя, запрещённое в Windows")},
        {{"a?b.scn", "x"}, QStringLiteral("имя, запрещённое в Windows")},
        {{"line\nbreak.scn", "x"}, QStringLiteral("в имени управляющие символы")},
        {{"link.scn", {}, Entry::symlink, "/etc/passwd"},
         QStringLiteral("это символическая ссылка, а не файл")},
        {{"hard.scn", {}, Entry::hardlink, "plain.txt"},
         QStringLiteral("это жёсткая ссылка, а не файл")},
        {{"one/twice.scn", "1"}, QStringLiteral("в архиве несколько скинов с этим именем")},
        {{"two/TWICE.scn", "2"}, QStringLiteral("в архиве несколько скинов с этим именем")},
        {{"bomb.scn", big}, QStringLiteral("файл больше 64 МиБ")},
        {{"folder.scn", "x"}, QStringLiteral("в папке скинов так названа папка")},
    };
    // And a name of bytes that are no text, shown as --list shows such names.
    std::vector<Entry> entries{{"plain.txt", "text"}, {"good.scn", "good"}, {"\xff-bad.scn", "x"}};
    for (const auto &c : cases)
        entries.push_back(c.entry);
    const QString archive = archivePath("hostile.tar");
    writeArchive(archive, entries, archive_write_set_format_pax_restricted);

    const std::map<QString, QString> refused = install(archive);

    for (const auto &c : cases)
        EXPECT_EQ(refused.count(QString::fromUtf8(c.entry.path))
                      ? refused.at(QString::fromUtf8(c.entry.path))
                      : QString(),
                  c.reason)
            << c.entry.path.constData();
    EXPECT_EQ(refused.at(QStringLiteral("\\xFF-bad.scn")),
              QStringLiteral("имя не читается как текст"));
    EXPECT_EQ(refused.size(), std::size(cases) + 1);
    EXPECT_EQ(skinsFolderFiles(), QStringList{QStringLiteral("good.scn")});
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{QStringLiteral("app"), QStringLiteral("config"),
                           QStringLiteral("hostile.tar")}));
}

// An archive cut short: what was whole before the cut is added, the rest
// refused with the reason, and no temporary file stays.
TEST_F(SkinArchiveTest, ACutArchiveAddsNothingHalfMade)
{
    const QString archive = archivePath("cut.tar");
    QByteArray noise(300 * 1024, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char(i * 7919 % 251);
    writeArchive(archive, {{"first.scn", "first"}, {"second.scn", noise}},
                 archive_write_set_format_pax_restricted);
    Result<ArchiveContents> read = ReadSkinArchive(ToNativePath(archive));
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.value.skins.size(), 2u);
    ASSERT_TRUE(QFile::resize(archive, 100 * 1024));

    const InstallOutcome failures = InstallArchivedSkins(ToNativePath(archive), read.value.skins);

    EXPECT_EQ(skinsFolderFiles(), QStringList{QStringLiteral("first.scn")});
    ASSERT_EQ(failures.refused.size(), 1u);
    EXPECT_EQ(failures.refused[0].entry, QStringLiteral("second.scn"));
    EXPECT_TRUE(failures.refused[0].reason.startsWith(QStringLiteral("архив повреждён")))
        << failures.refused[0].reason.toStdString();
    EXPECT_FALSE(ReadSkinArchive(ToNativePath(archivePath("missing.zip"))).ok());
}

// A skin shared as a zip and installed in another viewer's folder is the same
// skin, preview included; the zip says its names are UTF-8.
TEST_F(SkinArchiveTest, AnExportedSkinInstallsBackUnchanged)
{
    QByteArray skin(300 * 1024, 'k');
    skin[1000] = '\xff';
    writeFile(skinsFolder() + QStringLiteral("/Зима ❄.scn"), skin);
    writeFile(skinsFolder() + QStringLiteral("/Зима ❄.jpg"), "jpeg");
    const QString zip = archivePath("shared.zip");

    ASSERT_FALSE(ExportSkin(ToNativePath(QStringLiteral("Зима ❄.scn")), ToNativePath(zip)));

    const QByteArray made = readFile(zip);
    ASSERT_TRUE(made.startsWith("PK\x03\x04"));
    EXPECT_TRUE(made[7] & 0x08) << "no UTF-8 flag"; // bit 11 of the general purpose flags
    ASSERT_TRUE(QDir(skinsFolder()).removeRecursively() && QDir().mkdir(skinsFolder()));
    EXPECT_TRUE(install(zip).empty());
    EXPECT_EQ(readFile(skinsFolder() + QStringLiteral("/Зима ❄.scn")), skin);
    EXPECT_EQ(readFile(skinsFolder() + QStringLiteral("/Зима ❄.jpg")), "jpeg");
}

} // namespace

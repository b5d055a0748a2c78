#include "SkinArchive.h"

#include "platform/PositionedFile.h"
#include "platform/ReplacingCopy.h"
#include "platform/TextLocale.h"
#include "PlatformEdge.h"
#include "PrintedSkinName.h"
#include "SkinLibrary.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kReadPiece = 64 * 1024;

const QStringList kArchiveExtensions = {
    QStringLiteral(".zip"),     QStringLiteral(".7z"),     QStringLiteral(".rar"),
    QStringLiteral(".tar"),     QStringLiteral(".tar.gz"), QStringLiteral(".tgz"),
    QStringLiteral(".tar.bz2"), QStringLiteral(".tbz2"),   QStringLiteral(".tar.xz"),
    QStringLiteral(".txz"),
};

// The archive's bytes, read through the platform layer: anything but a
// regular file is refused without waiting on it, and a read that fails says
// why, with the path.
struct Source
{
    fs::path path;
    std::int64_t size = 0;
    std::int64_t offset = 0;
    std::string piece;
    Status failure;
};

la_ssize_t readSource(archive *reader, void *data, const void **bytes)
{
    auto &source = *static_cast<Source *>(data);
    platform::Result<std::string> read =
        platform::readAt(source.path, std::uint64_t(source.offset), kReadPiece);
    if (!read.ok()) {
        source.failure = ToFileError(*read.failure);
        archive_set_error(reader, EIO, "%s", read.failure->reason().c_str());
        return -1;
    }
    source.piece = std::move(read.value);
    source.offset += std::int64_t(source.piece.size());
    *bytes = source.piece.data();
    return la_ssize_t(source.piece.size());
}

la_int64_t seekSource(archive *, void *data, la_int64_t offset, int whence)
{
    auto &source = *static_cast<Source *>(data);
    const std::int64_t from = whence == SEEK_SET   ? 0
                              : whence == SEEK_CUR ? source.offset
                                                   : source.size;
    if (from + offset < 0)
        return ARCHIVE_FATAL;
    source.offset = from + offset;
    return source.offset;
}

la_int64_t skipSource(archive *, void *data, la_int64_t request)
{
    auto &source = *static_cast<Source *>(data);
    const std::int64_t skipped = std::min<std::int64_t>(request, source.size - source.offset);
    source.offset += std::max<std::int64_t>(skipped, 0);
    return std::max<std::int64_t>(skipped, 0);
}

using Reader = std::unique_ptr<archive, decltype(&archive_read_free)>;

// An archive opened for reading its entries in order, or the reason it cannot be.
struct OpenedArchive
{
    Reader reader{nullptr, &archive_read_free};
    std::unique_ptr<Source> source;
    Status failure;
};

QString archiveReason(archive *reader)
{
    const char *text = archive_error_string(reader);
    return text ? QString::fromUtf8(text) : QStringLiteral("неизвестная ошибка");
}

OpenedArchive openArchive(const fs::path &file)
{
    OpenedArchive opened;
    opened.source = std::make_unique<Source>();
    opened.source->path = file;
    std::error_code error;
    opened.source->size = std::int64_t(fs::file_size(file, error));
    if (error) {
        opened.failure = FileError{FromNativePath(file), ToFileError({file, error}).reason};
        return opened;
    }
    opened.reader.reset(archive_read_new());
    archive *reader = opened.reader.get();
    archive_read_support_filter_all(reader);
    archive_read_support_format_zip(reader);
    archive_read_support_format_7zip(reader);
    archive_read_support_format_rar(reader);
    archive_read_support_format_rar5(reader);
    archive_read_support_format_tar(reader);
    // Zip archives made on Windows without the UTF-8 flag hold their names in
    // the OEM code page of Russian Windows; a name with the flag stays UTF-8.
    archive_read_set_format_option(reader, "zip", "hdrcharset", "CP866");
    archive_read_set_read_callback(reader, &readSource);
    archive_read_set_seek_callback(reader, &seekSource);
    archive_read_set_skip_callback(reader, &skipSource);
    archive_read_set_callback_data(reader, opened.source.get());
    if (archive_read_open1(reader) != ARCHIVE_OK)
        opened.failure = opened.source->failure
                             ? opened.source->failure
                             : Status(FileError{FromNativePath(file),
                                                QStringLiteral("это не архив или он повреждён: %1")
                                                    .arg(archiveReason(reader))});
    return opened;
}

// Device names that Windows gives to no file, whatever their extension.
bool isReservedWindowsName(const QString &name)
{
    static const QSet<QString> reserved = [] {
        QSet<QString> names{QStringLiteral("con"), QStringLiteral("prn"), QStringLiteral("aux"),
                            QStringLiteral("nul")};
        for (int i = 1; i <= 9; ++i)
            names << QStringLiteral("com%1").arg(i) << QStringLiteral("lpt%1").arg(i);
        return names;
    }();
    return reserved.contains(name.section(u'.', 0, 0).trimmed().toLower());
}

// The folders and the name of an entry's path; Windows tools may part them with
// backslashes.
QStringList pathParts(QString path)
{
    return path.replace(u'\\', u'/').split(u'/');
}

// Why an entry's path cannot lead into Skins; empty when it can.
QString whyPathRefused(const QString &path)
{
    if (path.startsWith(u'/') || path.startsWith(u'\\'))
        return QStringLiteral("путь от корня диска");
    if (path.size() >= 2 && path[1] == u':' && path[0].isLetter())
        return QStringLiteral("путь с именем диска");
    const QStringList parts = pathParts(path);
    for (const QString &part : parts) {
        if (part == QStringLiteral(".."))
            return QStringLiteral("путь выходит из папки архива (..)");
        for (const QChar c : part)
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                return QStringLiteral("в имени управляющие символы");
    }
    const QString name = parts.last();
    static const QString forbidden = QStringLiteral("<>:\"|?*");
    for (const QChar c : name)
        if (forbidden.contains(c))
            return QStringLiteral("имя, запрещённое в Windows");
    if (name.endsWith(u'.') || name.endsWith(u' ') || isReservedWindowsName(name))
        return QStringLiteral("имя, запрещённое в Windows");
    return {};
}

// The entry's path as UTF-8 text, or empty when the archive's name is none.
QString entryPath(archive_entry *entry)
{
    // As wide characters: the one form that every platform's libarchive gives
    // whole (on Windows a name outside the ANSI code page has no other).
    const wchar_t *name = archive_entry_pathname_w(entry);
    return name ? QString::fromWCharArray(name) : QString();
}

// Why an entry named like a skin cannot be one; empty when it can.
QString whyEntryRefused(archive_entry *entry)
{
    if (archive_entry_hardlink(entry))
        return QStringLiteral("это жёсткая ссылка, а не файл");
    if (archive_entry_filetype(entry) == AE_IFLNK || archive_entry_symlink(entry))
        return QStringLiteral("это символическая ссылка, а не файл");
    if (archive_entry_filetype(entry) != AE_IFREG)
        return QStringLiteral("это не обычный файл");
    if (archive_entry_is_encrypted(entry))
        return QStringLiteral("файл зашифрован");
    if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > kMostArchivedSkinBytes)
        return QStringLiteral("файл больше 64 МиБ");
    return {};
}

bool isPreviewName(const QString &name)
{
    return name.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive);
}

// The key that pairs a skin with its preview: its archive folder and base name.
QString pairingKey(const QString &path)
{
    return CaseFolded(path.left(path.size() - 4));
}

// The entry's bytes, whole, at most kMostArchivedSkinBytes; else why not.
Result<QByteArray> readEntry(archive *reader, archive_entry *entry)
{
    QByteArray bytes;
    char piece[kReadPiece];
    for (;;) {
        const la_ssize_t got = archive_read_data(reader, piece, sizeof piece);
        if (got == 0)
            break;
        if (got < 0)
            return {
                {},
                FileError{{}, QStringLiteral("архив повреждён: %1").arg(archiveReason(reader))}};
        if (bytes.size() + got > kMostArchivedSkinBytes)
            return {{}, FileError{{}, QStringLiteral("распакованный файл больше 64 МиБ")}};
        bytes.append(piece, got);
    }
    if (archive_entry_size_is_set(entry) && bytes.size() != archive_entry_size(entry))
        return {{}, FileError{{}, QStringLiteral("размер не совпадает с указанным в архиве")}};
    return {std::move(bytes), std::nullopt};
}

// Why a skin of this name cannot be written into Skins; empty when it can.
QString whyTargetRefused(const fs::path &target)
{
    std::error_code error;
    switch (fs::symlink_status(target, error).type()) {
    case fs::file_type::not_found:
    case fs::file_type::regular:
        return {};
    case fs::file_type::directory:
        return QStringLiteral("в папке скинов так названа папка");
    case fs::file_type::symlink:
        return QStringLiteral("в папке скинов так названа ссылка");
    default:
        return error ? ToFileError({target, error}).reason
                     : QStringLiteral("в папке скинов так назван не обычный файл");
    }
}

} // namespace

bool IsSkinArchiveName(const fs::path &name)
{
    const QString text = FromNativePath(name.filename());
    for (const QString &extension : kArchiveExtensions)
        if (text.size() > extension.size() && text.endsWith(extension, Qt::CaseInsensitive))
            return true;
    return false;
}

Result<ArchiveContents> ReadSkinArchive(const fs::path &archivePath)
{
    const platform::Utf8TextOnThisThread utf8;
    OpenedArchive opened = openArchive(archivePath);
    if (opened.failure)
        return {{}, opened.failure};
    archive *reader = opened.reader.get();

    ArchiveContents contents;
    QHash<QString, std::pair<std::int64_t, QString>> previews; // by pairing key
    QHash<QString, int> skinsByName; // how many skins have each folded name
    archive_entry *entry = nullptr;
    std::int64_t index = 0;
    int status;
    for (; (status = archive_read_next_header(reader, &entry)) == ARCHIVE_OK ||
           status == ARCHIVE_WARN;
         ++index) {
        const QString path = entryPath(entry);
        if (path.isEmpty()) {
            // Bytes that are no text in the archive's encoding: shown as --list shows them.
            const char *raw = archive_entry_pathname(entry);
            if (!raw || IsSkinFileName(fs::path(raw)))
                contents.refused.push_back({raw ? PrintedSkinName(fs::path(raw))
                                                : QStringLiteral("запись %1 архива").arg(index + 1),
                                            QStringLiteral("имя не читается как текст")});
            continue;
        }
        const QString name = pathParts(path).last();
        if (isPreviewName(name) && whyPathRefused(path).isEmpty() &&
            whyEntryRefused(entry).isEmpty()) {
            previews.insert(pairingKey(path), {index, path});
            continue;
        }
        if (!IsSkinFileName(ToNativePath(name)) || archive_entry_filetype(entry) == AE_IFDIR)
            continue;
        QString why = whyPathRefused(path);
        if (why.isEmpty())
            why = whyEntryRefused(entry);
        if (!why.isEmpty()) {
            contents.refused.push_back({path, why});
            continue;
        }
        ++skinsByName[CaseFolded(name)];
        contents.skins.push_back({ToNativePath(name), path, index, std::nullopt, {}});
    }
    if (status != ARCHIVE_EOF)
        return {{},
                opened.source->failure
                    ? opened.source->failure
                    : Status(FileError{
                          FromNativePath(archivePath),
                          QStringLiteral("архив повреждён: %1").arg(archiveReason(reader))})};

    // Two skins of one name would replace each other: neither is taken.
    std::vector<ArchivedSkin> unique;
    for (ArchivedSkin &skin : contents.skins) {
        if (skinsByName.value(CaseFolded(FromNativePath(skin.name))) > 1) {
            contents.refused.push_back(
                {skin.entry, QStringLiteral("в архиве несколько скинов с этим именем")});
            continue;
        }
        if (const auto preview = previews.constFind(pairingKey(skin.entry));
            preview != previews.cend()) {
            skin.previewIndex = preview->first;
            skin.previewEntry = preview->second;
        }
        unique.push_back(std::move(skin));
    }
    contents.skins = std::move(unique);
    return {std::move(contents), std::nullopt};
}

InstallOutcome InstallArchivedSkins(const fs::path &archivePath,
                                    const std::vector<ArchivedSkin> &skins)
{
    InstallOutcome outcome;
    if (skins.empty())
        return outcome;
    const platform::Utf8TextOnThisThread utf8;
    OpenedArchive opened = openArchive(archivePath);
    if (opened.failure) {
        outcome.failed.push_back(*opened.failure);
        return outcome;
    }
    archive *reader = opened.reader.get();

    // What each wanted entry is: a skin, or the preview of one.
    QHash<std::int64_t, const ArchivedSkin *> skinAt;
    QHash<std::int64_t, const ArchivedSkin *> previewAt;
    for (const ArchivedSkin &skin : skins) {
        skinAt.insert(skin.index, &skin);
        if (skin.previewIndex)
            previewAt.insert(*skin.previewIndex, &skin);
    }
    QSet<const ArchivedSkin *> installed;
    QSet<const ArchivedSkin *> done; // installed or refused
    // Previews that come before their skins wait for them, within a bound.
    QHash<const ArchivedSkin *, QByteArray> waitingPreviews;
    qint64 waitingBytes = 0;
    const auto writePreview = [&outcome](const ArchivedSkin &skin, const QByteArray &bytes) {
        const fs::path target = PreviewPathFor(skin.name);
        if (const QString why = whyTargetRefused(target); !why.isEmpty())
            outcome.refused.push_back({skin.previewEntry, why});
        else if (Status failed = ToStatus(platform::writeReplacing(
                     target, std::string_view(bytes.constData(), std::size_t(bytes.size())))))
            outcome.failed.push_back(std::move(*failed));
    };
    archive_entry *entry = nullptr;
    int status;
    for (std::int64_t index = 0;
         (status = archive_read_next_header(reader, &entry)) == ARCHIVE_OK ||
         status == ARCHIVE_WARN;
         ++index) {
        if (const ArchivedSkin *previewOf = previewAt.value(index)) {
            if (done.contains(previewOf) && !installed.contains(previewOf))
                continue; // its skin was refused
            Result<QByteArray> bytes = readEntry(reader, entry);
            if (!bytes.ok()) {
                outcome.refused.push_back({previewOf->previewEntry, bytes.error->reason});
            } else if (installed.contains(previewOf)) {
                writePreview(*previewOf, bytes.value);
            } else if (waitingBytes + bytes.value.size() > kMostArchivedSkinBytes) {
                outcome.refused.push_back(
                    {previewOf->previewEntry,
                     QStringLiteral("картинки, что ждут своих скинов, больше 64 МиБ")});
            } else {
                waitingBytes += bytes.value.size();
                waitingPreviews.insert(previewOf, std::move(bytes.value));
            }
            continue;
        }
        const ArchivedSkin *skin = skinAt.value(index);
        if (!skin)
            continue;
        done.insert(skin);
        // The archive changed since it was read: its entries are not the ones the user saw.
        if (entryPath(entry) != skin->entry) {
            outcome.refused.push_back({skin->entry, QStringLiteral("архив изменился")});
            continue;
        }
        const fs::path target = SkinFilePath(skin->name);
        if (const QString why = whyTargetRefused(target); !why.isEmpty()) {
            outcome.refused.push_back({skin->entry, why});
            continue;
        }
        Result<QByteArray> bytes = readEntry(reader, entry);
        if (!bytes.ok()) {
            outcome.refused.push_back({skin->entry, bytes.error->reason});
            continue;
        }
        if (Status failed = ToStatus(platform::writeReplacing(
                target,
                std::string_view(bytes.value.constData(), std::size_t(bytes.value.size()))))) {
            outcome.failed.push_back(std::move(*failed));
            continue;
        }
        installed.insert(skin);
        outcome.added.push_back(skin->name);
        if (const auto waiting = waitingPreviews.constFind(skin); waiting != waitingPreviews.cend())
            writePreview(*skin, *waiting);
    }
    if (status != ARCHIVE_EOF) {
        const QString why = opened.source->failure
                                ? opened.source->failure->reason
                                : QStringLiteral("архив повреждён: %1").arg(archiveReason(reader));
        for (const ArchivedSkin &skin : skins)
            if (!done.contains(&skin))
                outcome.refused.push_back({skin.entry, why});
    }
    return outcome;
}

namespace {

la_ssize_t appendToBytes(archive *, void *data, const void *bytes, size_t length)
{
    static_cast<QByteArray *>(data)->append(static_cast<const char *>(bytes), qsizetype(length));
    return la_ssize_t(length);
}

// Reads a file of Skins whole, within the bound an install keeps.
Result<QByteArray> readForExport(const fs::path &file)
{
    platform::Result<std::string> read =
        platform::readAt(file, 0, std::size_t(kMostArchivedSkinBytes) + 1);
    if (!read.ok())
        return {{}, ToFileError(*read.failure)};
    if (std::int64_t(read.value.size()) > kMostArchivedSkinBytes)
        return {{},
                FileError{FromNativePath(file),
                          QStringLiteral("скин больше 64 МиБ: такой не установить из архива")}};
    return {QByteArray(read.value.data(), qsizetype(read.value.size())), std::nullopt};
}

} // namespace

Status ExportSkin(const fs::path &name, const fs::path &zipFile)
{
    const Result<QByteArray> skin = readForExport(SkinFilePath(name));
    if (!skin.ok())
        return skin.error;
    std::optional<QByteArray> preview;
    const fs::path previewFile = PreviewPathFor(name);
    std::error_code error;
    if (fs::is_regular_file(previewFile, error)) {
        Result<QByteArray> read = readForExport(previewFile);
        if (!read.ok())
            return read.error;
        preview = std::move(read.value);
    }

    const platform::Utf8TextOnThisThread utf8;
    QByteArray zip;
    const std::unique_ptr<archive, decltype(&archive_write_free)> writer(archive_write_new(),
                                                                         &archive_write_free);
    const auto failed = [&zipFile, &writer] {
        return Status(
            FileError{FromNativePath(zipFile),
                      QStringLiteral("архив не записан: %1").arg(archiveReason(writer.get()))});
    };
    // A zip is not padded to tape blocks.
    archive_write_set_bytes_in_last_block(writer.get(), 1);
    if (archive_write_set_format_zip(writer.get()) != ARCHIVE_OK ||
        archive_write_set_options(writer.get(), "zip:hdrcharset=UTF-8") != ARCHIVE_OK ||
        archive_write_open2(writer.get(), &zip, nullptr, &appendToBytes, nullptr, nullptr) !=
            ARCHIVE_OK)
        return failed();
    const auto add = [&writer](const fs::path &entryName, const QByteArray &bytes,
                               const fs::path &file) {
        const std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(
            archive_entry_new(), &archive_entry_free);
        // As wide characters: on Windows a name outside the ANSI code page has no
        // other form that the zip writer can take.
        archive_entry_copy_pathname_w(entry.get(),
                                      FromNativePath(entryName).toStdWString().c_str());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), bytes.size());
        archive_entry_set_mtime(
            entry.get(), QFileInfo(FromNativePath(file)).lastModified().toSecsSinceEpoch(), 0);
        return archive_write_header(writer.get(), entry.get()) == ARCHIVE_OK &&
               archive_write_data(writer.get(), bytes.constData(), size_t(bytes.size())) ==
                   bytes.size();
    };
    if (!add(name, skin.value, SkinFilePath(name)) ||
        (preview && !add(PreviewBeside(name), *preview, previewFile)) ||
        archive_write_close(writer.get()) != ARCHIVE_OK)
        return failed();
    return ToStatus(platform::writeReplacing(
        zipFile, std::string_view(zip.constData(), std::size_t(zip.size()))));
}

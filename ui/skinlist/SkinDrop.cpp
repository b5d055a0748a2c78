#include "SkinDrop.h"

#include "AppInfo.h"
#include "LongStep.h"
#include "Messages.h"
#include "PlatformEdge.h"
#include "SkinActions.h"
#include "SkinArchive.h"
#include "SkinLibrary.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <iterator>

namespace {

namespace fs = std::filesystem;

// Why a file named like a skin cannot be one; empty for a regular file.
QString whyNoSkinFile(const fs::path &file)
{
    std::error_code error;
    switch (fs::status(file, error).type()) {
    case fs::file_type::regular:
        return {};
    case fs::file_type::not_found:
        return QStringLiteral("файл не найден");
    case fs::file_type::directory:
        return QStringLiteral("это папка");
    case fs::file_type::fifo:
        return QStringLiteral("это именованный канал");
    case fs::file_type::block:
    case fs::file_type::character:
        return QStringLiteral("это устройство");
    default:
        return error ? ToFileError({file, error}).reason : QStringLiteral("это не обычный файл");
    }
}

} // namespace

SkinDrop::SkinDrop(QAbstractItemView *list)
    : QObject(list)
    , window_(list->window())
{
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
}

bool SkinDrop::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        // While a dialog is open the window takes nothing, dropped files neither.
        if (drag->mimeData()->hasUrls() && takesInput())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!takesInput()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        QList<Dropped> files;
        for (const QUrl &url : drop->mimeData()->urls())
            files.append(url.isLocalFile() ? Dropped{QDir::toNativeSeparators(url.toLocalFile()),
                                                     ToNativePath(url.toLocalFile())}
                                           : Dropped{url.toDisplayString(), {}});
        // Questions wait for the user: not while the file manager waits for the drop.
        AfterLongStep(this, [this, files] { add(files); });
        return true;
    }
    default:
        return false;
    }
}

bool SkinDrop::takesInput() const
{
    const QWidget *modal = QApplication::activeModalWidget();
    return !modal || modal == window_;
}

void SkinDrop::addFiles(const std::vector<fs::path> &paths)
{
    if (paths.empty())
        return;
    QList<Dropped> files;
    for (const fs::path &path : paths) {
        // A file manager may pass a file's address instead of its path. A path
        // is kept as its bytes: decoded, a name that is no text could lead to
        // another file.
        const QUrl url(FromNativePath(path));
        std::error_code error;
        const fs::path local = url.isLocalFile() ? ToNativePath(url.toLocalFile()) : path;
        fs::path absolute = fs::absolute(local, error);
        if (error)
            absolute = local;
        files.append({ShownPath(absolute), absolute});
    }
    AfterLongStep(this, [this, files] { add(files); });
}

void SkinDrop::add(const QList<Dropped> &files)
{
    QStringList notSkins;
    QStringList refused;
    std::vector<fs::path> toCopy;
    QList<Dropped> archives;
    fs::path last;
    for (const Dropped &dropped : files) {
        if (!dropped.file.empty() && IsSkinArchiveName(dropped.file)) {
            archives.append(dropped);
            continue;
        }
        if (dropped.file.empty() || !IsSkinFileName(dropped.file)) {
            notSkins << dropped.shown;
            continue;
        }
        if (const QString why = whyNoSkinFile(dropped.file); !why.isEmpty()) {
            refused << QStringLiteral("%1: %2").arg(dropped.shown, why);
            continue;
        }
        const fs::path name = dropped.file.filename();
        const fs::path target = SkinFilePath(name);
        std::error_code error;
        if (fs::equivalent(dropped.file, target, error)) {
            last = name; // one of the library's own: only selected
            continue;
        }
        if (fs::exists(target, error) && !askToReplace(name))
            continue;
        toCopy.push_back(dropped.file);
    }

    // What each archive holds is read first, then the user says which skins
    // of names already there it replaces.
    std::vector<FileError> failures;
    std::vector<std::pair<Dropped, ArchiveContents>> read;
    if (!archives.isEmpty())
        RunLongStep(window_, QStringLiteral("Чтение архива…"), [&archives, &read, &failures] {
            for (const Dropped &archive : archives) {
                Result<ArchiveContents> contents = ReadSkinArchive(archive.file);
                if (contents.ok())
                    read.emplace_back(archive, std::move(contents.value));
                else
                    failures.push_back(std::move(*contents.error));
            }
        });
    const auto refuse = [&refused](const Dropped &archive, const RefusedEntry &entry) {
        refused << QStringLiteral("%1: %2: %3").arg(archive.shown, entry.entry, entry.reason);
    };
    for (auto &[archive, contents] : read) {
        for (const RefusedEntry &entry : contents.refused)
            refuse(archive, entry);
        std::erase_if(contents.skins, [this](const ArchivedSkin &skin) {
            std::error_code error;
            return fs::exists(SkinFilePath(skin.name), error) && !askToReplace(skin.name);
        });
    }

    // A large skin takes a while to copy: the window waits for it as for an apply.
    QStringList fromArchives;
    if (!toCopy.empty() || !read.empty())
        RunLongStep(window_, QStringLiteral("Копирование скина…"),
                    [&toCopy, &read, &failures, &last, &fromArchives, &refuse] {
                        for (const fs::path &file : toCopy) {
                            if (Status failed = AddSkin(file))
                                failures.push_back(std::move(*failed));
                            else
                                last = file.filename();
                        }
                        for (const auto &[archive, contents] : read) {
                            InstallOutcome outcome =
                                InstallArchivedSkins(archive.file, contents.skins);
                            for (const fs::path &name : outcome.added)
                                fromArchives << FromNativePath(last = name);
                            for (const RefusedEntry &entry : outcome.refused)
                                refuse(archive, entry);
                            std::move(outcome.failed.begin(), outcome.failed.end(),
                                      std::back_inserter(failures));
                        }
                    });

    for (const FileError &failure : failures)
        ShowFileError(window_, failure);
    QStringList told;
    if (!fromArchives.isEmpty())
        told << QStringLiteral("Из архива добавлены скины:\n") + fromArchives.join(u'\n');
    if (!notSkins.isEmpty())
        told << QStringLiteral(
                    "Эти файлы не скины (*.scn) и не архивы скинов, они не добавлены:\n") +
                    notSkins.join(u'\n');
    if (!refused.isEmpty())
        told << QStringLiteral("Эти файлы не добавлены:\n") + refused.join(u'\n');
    if (!told.isEmpty())
        ShowMessage(window_, told.join(QStringLiteral("\n\n")), UserInterface::Icon::Information,
                    kApplicationTitle);
    if (!last.empty())
        emit added(last);
}

bool SkinDrop::askToReplace(const fs::path &name) const
{
    return AskYesNo(window_, QStringLiteral("Скин «%1» уже есть в папке скинов. Заменить его?")
                                 .arg(FromNativePath(name)));
}

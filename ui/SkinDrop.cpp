#include "SkinDrop.h"

#include "AppInfo.h"
#include "Messages.h"
#include "PlatformEdge.h"
#include "SkinActions.h"
#include "SkinLibrary.h"

#include <QAbstractItemView>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

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
        if (drag->mimeData()->hasUrls())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        drop->acceptProposedAction();
        // Questions wait for the user: not while the file manager waits for the drop.
        QTimer::singleShot(0, this, [this, urls = drop->mimeData()->urls()] { addDropped(urls); });
        return true;
    }
    default:
        return false;
    }
}

void SkinDrop::addDropped(const QList<QUrl> &urls)
{
    std::filesystem::path last;
    QStringList refused;
    for (const QUrl &url : urls) {
        const QString shown =
            url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toDisplayString();
        const std::filesystem::path file = ToNativePath(url.toLocalFile());
        std::error_code error;
        if (!url.isLocalFile() || !IsSkinFileName(file) ||
            !std::filesystem::is_regular_file(file, error)) {
            refused << shown;
            continue;
        }
        const std::filesystem::path target = SkinFilePath(file.filename());
        if (std::filesystem::equivalent(file, target, error))
            continue; // one of the library's own
        if (std::filesystem::exists(target, error) &&
            !AskYesNo(window_, QStringLiteral("Скин «%1» уже есть в папке скинов. Заменить его?")
                                   .arg(FromNativePath(file.filename()))))
            continue;
        if (const Status failed = AddSkin(file)) {
            ShowFileError(window_, *failed);
            continue;
        }
        last = file.filename();
    }
    if (!refused.isEmpty())
        ShowMessage(window_,
                    QStringLiteral("Эти файлы не скины (*.scn), они не добавлены:\n") +
                        refused.join(u'\n'),
                    UserInterface::Icon::Information, kApplicationTitle);
    if (!last.empty())
        emit added(last);
}

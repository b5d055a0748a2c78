#include "frmHistory.h"

#include "Messages.h"
#include "PreviewLoader.h"
#include "SkinLibrary.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

namespace {

const QString kTimeFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");

// The entries of the application folder's history; a failure is shown and
// leaves the list empty.
std::vector<HistoryEntry> readEntries(QWidget *parent)
{
    Result<std::vector<HistoryEntry>> entries = ReadHistory();
    if (!entries.ok())
        ShowFileError(parent, *entries.error);
    return std::move(entries.value);
}

} // namespace

frmHistory::frmHistory()
    : FixedDialog(QStringLiteral("Журнал скинов"), 9015, 4515)
{
    entries_ = readEntries(this);
    addLabel("introLabel",
             entries_.empty() ? QStringLiteral("Журнал скинов пуст: ни один скин ещё не заменён.")
                              : QStringLiteral("Скины, которые были активными, новые сверху:"),
             TwipsRect(120, 120, 5535, 255));
    entryList_ = place(new QTreeWidget(this), "entryList", TwipsRect(120, 420, 5535, 3495));
    entryList_->setHeaderLabels({QStringLiteral("Время"), QStringLiteral("Скин")});
    entryList_->setRootIsDecorated(false);
    entryList_->setSelectionMode(QAbstractItemView::SingleSelection);
    entryList_->header()->setSectionsMovable(false);
    entryList_->setColumnWidth(0, Twips(1950));
    for (const HistoryEntry &entry : entries_)
        new QTreeWidgetItem(entryList_,
                            {entry.time.toLocalTime().toString(kTimeFormat), ShownSkinName(entry)});

    auto *previewFrame = place(new QGroupBox(QStringLiteral("Предварительный просмотр"), this),
                               "previewFrame", TwipsRect(5760, 120, 3135, 3795));
    preview_ = place(new QLabel(previewFrame), "preview", TwipsRect(120, 240, 2895, 3435));
    preview_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    returnButton_ =
        addButton("returnButton", QStringLiteral("Вернуть"), TwipsRect(120, 4020, 1815, 375));
    QPushButton *closeButton =
        addButton("closeButton", QStringLiteral("Закрыть"), TwipsRect(7080, 4020, 1815, 375));
    returnButton_->setEnabled(false);
    setTabChain({entryList_, returnButton_, closeButton});

    connect(entryList_, &QTreeWidget::itemSelectionChanged, this, &frmHistory::showSelectedEntry);
    connect(returnButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    if (!entries_.empty())
        entryList_->setCurrentItem(entryList_->topLevelItem(0));
}

const HistoryEntry *frmHistory::chosen() const
{
    const int row = entryList_->indexOfTopLevelItem(entryList_->currentItem());
    return row >= 0 && std::size_t(row) < entries_.size() ? &entries_[std::size_t(row)] : nullptr;
}

void frmHistory::showSelectedEntry()
{
    const HistoryEntry *entry = chosen();
    returnButton_->setEnabled(entry != nullptr);
    preview_->clear();
    if (!entry || !entry->skin)
        return;
    // Scaled down into the frame: the preview of a skin that is still in the library.
    if (const std::optional<QPixmap> preview = LoadPreview(PreviewPathFor(*entry->skin)))
        preview_->setPixmap(
            preview->width() > preview_->width() || preview->height() > preview_->height()
                ? preview->scaled(preview_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)
                : *preview);
}

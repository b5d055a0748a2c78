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
    addLabel("Label1",
             entries_.empty() ? QStringLiteral("Журнал скинов пуст: ни один скин ещё не заменён.")
                              : QStringLiteral("Скины, которые были активными, новые сверху:"),
             TwipsRect(120, 120, 5535, 255));
    lstEntries = place(new QTreeWidget(this), "lstEntries", TwipsRect(120, 420, 5535, 3495));
    lstEntries->setHeaderLabels({QStringLiteral("Время"), QStringLiteral("Скин")});
    lstEntries->setRootIsDecorated(false);
    lstEntries->setSelectionMode(QAbstractItemView::SingleSelection);
    lstEntries->header()->setSectionsMovable(false);
    lstEntries->setColumnWidth(0, Twips(1950));
    for (const HistoryEntry &entry : entries_)
        new QTreeWidgetItem(lstEntries,
                            {entry.time.toLocalTime().toString(kTimeFormat), ShownSkinName(entry)});

    auto *Frame1 = place(new QGroupBox(QStringLiteral("Предварительный просмотр"), this), "Frame1",
                         TwipsRect(5760, 120, 3135, 3795));
    Image1 = place(new QLabel(Frame1), "Image1", TwipsRect(120, 240, 2895, 3435));
    Image1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    btnReturn = addButton("btnReturn", QStringLiteral("Вернуть"), TwipsRect(120, 4020, 1815, 375));
    QPushButton *btnClose =
        addButton("btnClose", QStringLiteral("Закрыть"), TwipsRect(7080, 4020, 1815, 375));
    btnReturn->setEnabled(false);
    setTabChain({lstEntries, btnReturn, btnClose});

    connect(lstEntries, &QTreeWidget::itemSelectionChanged, this, &frmHistory::lstEntriesSelected);
    connect(btnReturn, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    if (!entries_.empty())
        lstEntries->setCurrentItem(lstEntries->topLevelItem(0));
}

const HistoryEntry *frmHistory::chosen() const
{
    const int row = lstEntries->indexOfTopLevelItem(lstEntries->currentItem());
    return row >= 0 && std::size_t(row) < entries_.size() ? &entries_[std::size_t(row)] : nullptr;
}

void frmHistory::lstEntriesSelected()
{
    const HistoryEntry *entry = chosen();
    btnReturn->setEnabled(entry != nullptr);
    Image1->clear();
    if (!entry || !entry->skin)
        return;
    // Scaled down into the frame: the preview of a skin that is still in the library.
    if (const std::optional<QPixmap> preview = LoadPreview(PreviewPathFor(*entry->skin)))
        Image1->setPixmap(
            preview->width() > Image1->width() || preview->height() > Image1->height()
                ? preview->scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)
                : *preview);
}

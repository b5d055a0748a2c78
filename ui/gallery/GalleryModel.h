#pragma once

#include "SkinLibrary.h"

#include "HandOver.h"

#include <QAbstractListModel>
#include <QTimer>

#include <atomic>
#include <filesystem>
#include <memory>
#include <vector>

class SkinListModel;

// The skins of the main window's list as the gallery shows them: those whose
// name or description holds the typed text, case folded as the list sorts.
// It follows the list, so every read of the folder and every mark of the
// active skin shows here too. Names filter at once; descriptions are read at
// idle priority once asked for, and join the filter as they arrive.
class GalleryModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role
    {
        ActiveRole = Qt::UserRole // whether the skin holds the active skin's bytes
    };

    explicit GalleryModel(const SkinListModel &skins, QObject *parent = nullptr);
    ~GalleryModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Starts reading the descriptions in the background, and again after each
    // read of the folder; typing asks for them too. Until then the processor
    // is left to what the window shows first.
    void readDescriptions();
    void setFilter(const QString &text);
    const SkinName &skinAt(int row) const;
    // The row of the skin with this file name; -1 when it is not shown.
    int rowOf(const std::filesystem::path &file) const;
    // Reads the description of the skin in this row again.
    void rereadDescription(int row);

signals:
    // Every skin's description has been read.
    void descriptionsRead();

private:
    // What the background read found of the skins from first on: their names
    // folded (all at once, first), then their descriptions, a batch at a time.
    struct Folded
    {
        bool names;
        std::size_t first;
        std::vector<QString> texts;
    };
    // One read of one list, shared with the idle thread that does it. The
    // window takes what it found as it comes, and drops it when the list
    // changes or the gallery closes, without waiting for the thread.
    struct Reading
    {
        std::atomic<bool> dropped = false;
        HandOver<Folded> found;
    };

    void stopReading();
    void startReading();
    void takeWhatWasRead();
    void follow();
    void foldNames();
    void addNames(Folded names);
    void addDescriptions(Folded batch);
    bool matches(std::size_t skin) const;
    void refilter();
    void resetAround(void (GalleryModel::*change)());

    const SkinListModel &skins_;
    std::vector<QString> foldedNames_; // empty until folded
    std::vector<QString> foldedDescriptions_;
    std::vector<bool> readAgain_; // descriptions read here since the background read began
    std::vector<int> rows_;       // the skins shown, as rows of the list
    QString filter_;              // folded
    std::shared_ptr<Reading> reading_;
    QTimer taking_; // looks for what the reading found
    bool readingWanted_ = false;
};

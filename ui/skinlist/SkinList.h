#pragma once

#include "SkinLibrary.h"

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <optional>
#include <vector>

class FolderWatch;
class QListView;
class SkinListModel;

// What the main window's skin list shows: the skins of the Skins folder, read
// off the window's thread at start, after the program's own changes and
// whenever another program changes the folder (or makes it anew), with the
// skins that hold the active skin's bytes marked. Every read is asked for
// through reread, which gathers the requests of one turn of the event loop
// into one read, and those of a long step into one read once it has ended.
class SkinList : public QObject
{
    Q_OBJECT

public:
    explicit SkinList(QListView *view);
    ~SkinList() override;

    enum class Selection
    {
        Keep, // the selected skin stays selected while it is there, quietly
        Clear
    };

    // Asks for a read of the folder; a Clear request clears the selection at once.
    void reread(Selection selection);
    // Asks for a read, after which this skin is selected, as if by the user.
    void selectWhenListed(const std::filesystem::path &file);
    // Selects this skin of the list as it is, as if by the user, when it is there.
    void select(const std::filesystem::path &file);
    // Finds the skins that hold the active skin's bytes again.
    void markActive();
    // Marks the skin just applied, whose bytes the active skin file holds now,
    // at once: no skin is compared, so a large folder of skins of one size
    // costs nothing. Another skin of the very same bytes is marked from the
    // next read of the folder.
    void markApplied(const std::filesystem::path &skin);
    // Takes a skin that is gone off the list at once, before the next read.
    void forget(const std::filesystem::path &file);

    // The file name of the selected skin; empty when none is.
    std::filesystem::path selected() const;
    // The skins as last read, with their marks.
    const SkinListModel &model() const { return *model_; }

    // A read of the folder, with the skins that hold the active skin's bytes.
    struct Reading
    {
        Result<std::vector<SkinName>> skins;
        std::vector<std::filesystem::path> active;
    };

signals:
    // A read is on screen; with the failure when the folder could not be read.
    void listed(const std::optional<FileError> &failure);
    void activeMarked();
    // Changes of this folder go unseen: the system refused to watch it.
    void unwatched(const QString &folder);

private:
    void startReading();
    void show(Reading reading);

    QListView *view_;
    SkinListModel *model_;
    FolderWatch *watch_;
    QTimer gathering_; // changes of a moment bring one read
    std::optional<std::filesystem::path> toSelect_;
    bool readAsked_ = false; // a read waits for the loop's next turn or a long step's end
    int readsStarted_ = 0;
    int marksStarted_ = 0;
};

#pragma once

#include "FixedDialog.h"

#include <filesystem>
#include <vector>

class QListWidget;
class QPushButton;

// Asks which of the viewer's installations the program works on: the folders
// found, and "Обзор…" for any other. Only a folder of the viewer is taken.
class frmViewerFolder : public FixedDialog
{
    Q_OBJECT

public:
    // intro says why the user is asked; current, when among the folders or
    // not empty, is selected.
    frmViewerFolder(const QString &intro, std::vector<std::filesystem::path> folders,
                    const std::filesystem::path &current = {});

    // The folder chosen, once the dialog is accepted.
    std::filesystem::path chosenFolder() const { return chosen_; }

private:
    void acceptSelectedFolder();
    void browseForFolder();

    std::vector<std::filesystem::path> folders_;
    std::filesystem::path chosen_;

    QListWidget *folderList_;
    QPushButton *okButton_;
};

#pragma once

#include "UserInterface.h"

#include <QString>

#include <functional>
#include <vector>

struct RecordedMessage
{
    QString text;
    UserInterface::Icon icon;
    QString caption;

    bool operator==(const RecordedMessage &) const = default;
};

// Stands in for the main window while it lives: records what core reports.
class RecordingUserInterface : public UserInterface
{
public:
    RecordingUserInterface() { SetUserInterface(this); }
    ~RecordingUserInterface() override { SetUserInterface(nullptr); }
    RecordingUserInterface(const RecordingUserInterface &) = delete;
    RecordingUserInterface &operator=(const RecordingUserInterface &) = delete;

    void showMessage(const QString &text, Icon icon, const QString &caption) override
    {
        messages.push_back({text, icon, caption});
        if (onMessage)
            onMessage();
    }

    void showError(const FileError &error) override
    {
        errors.push_back(error);
        if (onMessage)
            onMessage();
    }

    void showNotice(const QString &text) override { notices.push_back(text); }
    void refreshSkinList(const std::filesystem::path &) override { ++refreshes; }
    // Marks the skin applied, as the window does.
    void activeSkinChanged(const std::filesystem::path &applied) override { marked = applied; }
    std::filesystem::path markedSkin() const override { return marked; }
    void settingsSaved() override { ++saves; }

    std::vector<RecordedMessage> messages;
    std::vector<FileError> errors;
    std::vector<QString> notices;
    std::filesystem::path marked;
    int refreshes = 0;
    int saves = 0;
    std::function<void()> onMessage; // runs while a message or error would be on screen
};

inline void PrintTo(const RecordedMessage &message, std::ostream *out)
{
    *out << '"' << message.text.toStdString() << "\" icon " << static_cast<int>(message.icon)
         << " caption \"" << message.caption.toStdString() << '"';
}

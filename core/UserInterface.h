#pragma once

#include <QString>

// How core reports to whatever user interface runs it: modal messages with a
// single OK button, and a re-read of the skin list.
class UserInterface
{
public:
    enum class Icon
    {
        None,
        Information,
        Critical
    };

    virtual ~UserInterface() = default;

    // Returns when the user has dismissed the message.
    virtual void ShowMessage(const QString &text, Icon icon, const QString &caption) = 0;
    virtual void RefreshSkinList() = 0;
};

// The interface core reports to. Never null: until one is set (or after it is
// reset to null) reports go to an interface that ignores them.
void SetUserInterface(UserInterface *ui);
UserInterface *CurrentUserInterface();

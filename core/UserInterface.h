#pragma once

#include <QString>

// How core reports to whatever user interface runs it: modal messages with a
// single OK button, and a re-read of the skin list.
class UserInterface
{
public:
    enum class Icon { None, Information, Critical };

    virtual ~UserInterface() = default;

    // Returns when the user has dismissed the message.
    virtual void ShowMessage(const QString &text, Icon icon, const QString &caption) = 0;
    virtual void RefreshSkinList() = 0;
};

// The interface core reports to; without one, reports go nowhere.
void SetUserInterface(UserInterface *ui);
UserInterface *CurrentUserInterface();

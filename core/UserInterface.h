#pragma once

#include "AppInfo.h"
#include "FileError.h"

#include <QString>

#include <filesystem>
#include <functional>

// How core reports to whatever user interface runs it: modal messages with a
// single OK button, failures with their path and reason, a re-read of the skin
// list, changed settings, and long steps that must not freeze it.
class UserInterface
{
public:
    enum class Icon
    {
        None,
        Information,
        Warning,
        Critical
    };

    virtual ~UserInterface() = default;

    // Returns when the user has dismissed the message.
    virtual void showMessage(const QString &text, Icon icon, const QString &caption) = 0;
    // A failed file or platform operation; returns when the user has dismissed it.
    virtual void showError(const FileError &error) = 0;
    // What the user must know of work that was done all the same.
    virtual void showWarning(const QString &text)
    {
        showMessage(text, Icon::Warning, kApplicationTitle);
    }
    // What the user should know at once of work that goes on; no answer is
    // waited for. A window says it in its long step's text instead.
    virtual void showNotice(const QString &text) { Q_UNUSED(text); }
    // The Skins folder changed: the list is read again. A skin known to be
    // gone (empty: none) leaves the list at once, before the read.
    virtual void refreshSkinList(const std::filesystem::path &gone) = 0;
    // The active skin file may hold other bytes now: those of the library skin
    // of this name when it was just applied (empty: unknown, or none).
    virtual void activeSkinChanged(const std::filesystem::path &applied) { Q_UNUSED(applied); }
    // The library skin shown as holding the active skin file's bytes (empty:
    // none known): the history compares it first when it names the skin that
    // an apply replaced, instead of every skin of that size.
    virtual std::filesystem::path markedSkin() const { return {}; }
    // The preferences were saved: the copies of the settings may hold other values.
    virtual void settingsSaved() {}

    // Runs work, which touches no part of the user interface, and returns when
    // it is done. An interface with windows runs it off its own thread, so that
    // it keeps painting, takes no input meanwhile and can say what it waits for.
    virtual void runLongStep(const QString &waitingFor, const std::function<void()> &work)
    {
        Q_UNUSED(waitingFor);
        work();
    }
};

// The interface core reports to. Never null: until one is set (or after it is
// reset to null) reports go to an interface that ignores them.
void SetUserInterface(UserInterface *ui);
UserInterface *CurrentUserInterface();

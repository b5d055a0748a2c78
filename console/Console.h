#pragma once

#include "UserInterface.h"

// Core's reports on the console: every message and error is one line on
// standard error, and each one means that the work failed.
class ConsoleInterface final : public UserInterface
{
public:
    ConsoleInterface() { SetUserInterface(this); }
    ~ConsoleInterface() override { SetUserInterface(nullptr); }
    ConsoleInterface(const ConsoleInterface &) = delete;
    ConsoleInterface &operator=(const ConsoleInterface &) = delete;

    void showMessage(const QString &text, Icon icon, const QString &caption) override;
    void showError(const FileError &error) override;
    // The work was done: said on standard error, and the exit code stays 0.
    void showWarning(const QString &text) override;
    void showNotice(const QString &text) override { printOneLine(text); }
    void refreshSkinList(const std::filesystem::path &) override {}

    // Tells the user why the work failed.
    void report(const QString &reason);
    bool failed() const { return failed_; }

private:
    static void printOneLine(const QString &text);

    bool failed_ = false;
};

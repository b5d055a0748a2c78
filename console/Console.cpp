#include "Console.h"

#include "ConsoleOutput.h"

void ConsoleInterface::showMessage(const QString &text, Icon, const QString &)
{
    report(text);
}

void ConsoleInterface::showError(const FileError &error)
{
    report(FileErrorText(error));
}

void ConsoleInterface::showWarning(const QString &text)
{
    printOneLine(text);
}

void ConsoleInterface::report(const QString &reason)
{
    printOneLine(reason);
    failed_ = true;
}

void ConsoleInterface::printOneLine(const QString &text)
{
    // A window's message may break its lines; the console's takes one.
    PrintLine(stderr, QString(text).replace(u'\n', u' '));
}

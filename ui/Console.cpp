#include "Console.h"

void PrintLine(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = (text + u'\n').toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

void ConsoleInterface::ShowMessage(const QString &text, Icon, const QString &)
{
    Report(text);
}

void ConsoleInterface::ShowError(const FileError &error)
{
    Report(FileErrorText(error));
}

void ConsoleInterface::ShowWarning(const QString &text)
{
    printOneLine(text);
}

void ConsoleInterface::Report(const QString &reason)
{
    printOneLine(reason);
    failed = true;
}

void ConsoleInterface::printOneLine(const QString &text)
{
    // A window's message may break its lines; the console's takes one.
    PrintLine(stderr, QString(text).replace(u'\n', u' '));
}

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

void ConsoleInterface::Report(const QString &reason)
{
    // A window's message may break its lines; the console's takes one.
    PrintLine(stderr, QString(reason).replace(u'\n', u' '));
    failed = true;
}

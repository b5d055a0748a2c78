#include "ConsoleOutput.h"

#include "PlatformEdge.h"

#include <cerrno>
#include <optional>

namespace {

struct WriteFailure
{
    std::FILE *stream;
    std::error_code code;
};

std::optional<WriteFailure> &firstWriteFailure()
{
    static std::optional<WriteFailure> failure;
    return failure;
}

void rememberFailure(std::FILE *stream)
{
    if (!firstWriteFailure())
        firstWriteFailure() = WriteFailure{stream, {errno, std::generic_category()}};
}

} // namespace

void PrintLine(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = (text + u'\n').toLocal8Bit();
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream) !=
        std::size_t(bytes.size()))
        rememberFailure(stream);
}

bool EndConsoleOutput()
{
    if (std::fflush(stdout) != 0)
        rememberFailure(stdout);
    const std::optional<WriteFailure> failed = firstWriteFailure();
    if (!failed)
        return true;
    PrintLine(stderr,
              QStringLiteral("Не удалось вывести текст в %1: %2.")
                  .arg(failed->stream == stdout ? QStringLiteral("стандартный вывод")
                                                : QStringLiteral("стандартный поток ошибок"),
                       ToFileError(platform::Failure{{}, failed->code}).reason));
    return false;
}

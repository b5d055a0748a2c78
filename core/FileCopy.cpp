#include "FileCopy.h"

#include "platform/FileReplace.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

constexpr qint64 kChunkSize = 64 * 1024;
constexpr int kMaxLinkDepth = 32;

// Owner bits only: the "User" flags describe whoever runs the program.
constexpr QFileDevice::Permissions kOwnerGroupOther =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
    QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
    QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

// A file that did not exist before: readable by all, writable by its owner.
constexpr QFileDevice::Permissions kNewFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
    QFileDevice::ReadOther;

CopyFailure failure(const QString &path, const QString &reason)
{
    return {{path, reason}, false};
}

bool leadsNowhere(const QString &path)
{
    return path.isEmpty() || QDir::fromNativeSeparators(path).endsWith(u'/') ||
           !QFileInfo(QFileInfo(path).absolutePath()).isDir();
}

// The file a chain of symbolic links ends at; the path itself when it is none.
std::optional<QString> finalTarget(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; info.isSymLink(); ++depth) {
        if (depth == kMaxLinkDepth)
            return std::nullopt;
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
}

std::optional<CopyFailure> copyContents(QFile &input, QFileDevice &output)
{
    QByteArray chunk(kChunkSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = input.read(chunk.data(), chunk.size());
        if (got < 0)
            return failure(input.fileName(), input.errorString());
        if (got == 0)
            return std::nullopt;
        // Every chunk is written through and counted: on a full disk a write
        // can take part of the bytes without reporting an error.
        if (output.write(chunk.constData(), got) != got || !output.flush())
            return failure(output.fileName(), output.errorString());
    }
}

} // namespace

std::optional<CopyFailure> CopyFileReplacing(const QString &source, const QString &destination)
{
    for (const QString &path : {source, destination}) {
        if (leadsNowhere(path))
            return CopyFailure{{path, QStringLiteral("the path leads to no file location")}, true};
    }
    const std::optional<QString> target = finalTarget(destination);
    if (!target)
        return failure(destination, QStringLiteral("too many levels of symbolic links"));
    const QFileInfo existing(*target);
    if (existing.exists() && !existing.permissions().testFlag(QFileDevice::WriteOwner))
        return failure(*target, QStringLiteral("the file is read-only"));

    QFile input(source);
    if (!input.open(QIODevice::ReadOnly))
        return failure(source, input.errorString());
    QTemporaryFile output(*target); // removed again unless it replaces the target
    if (!output.open())
        return failure(*target, output.errorString());
    if (std::optional<CopyFailure> failed = copyContents(input, output))
        return failed;
    if (!output.setPermissions(existing.exists() ? existing.permissions() & kOwnerGroupOther
                                                 : kNewFilePermissions))
        return failure(output.fileName(), output.errorString());
    output.close();
    if (Status replaced = platform::replaceFile(output.fileName(), *target))
        return CopyFailure{*replaced, false};
    output.setAutoRemove(false);
    return std::nullopt;
}

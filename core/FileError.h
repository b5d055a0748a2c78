#pragma once

#include <QString>

#include <optional>
#include <utility>

// A failed file or platform operation: what it was done to, and the system's reason.
struct FileError
{
    QString path;
    QString reason;
};

// The one text of a failure, for every user interface: the path, a line break
// and the reason.
QString FileErrorText(const FileError &error);

// The value of an operation that can fail with a FileError.
template <typename T> struct Result
{
    T value{};
    std::optional<FileError> error;

    bool ok() const { return !error.has_value(); }

    static Result success(T v) { return {std::move(v), std::nullopt}; }
    static Result failure(QString path, QString reason)
    {
        return {T{}, FileError{std::move(path), std::move(reason)}};
    }
};

// The outcome of an operation that only succeeds or fails.
using Status = std::optional<FileError>;

#pragma once

#include <QString>

#include <optional>

// A failed file or platform operation: what it was done to, and the system's reason.
struct FileError
{
    QString path;
    QString reason;
};

// The one text of a failure, for every user interface: the path, a line break
// and the reason.
QString FileErrorText(const FileError &error);

// The outcome of an operation that only succeeds or fails: std::nullopt when
// it succeeded, the FileError when it failed. A status left unused on purpose
// says so where it is dropped.
class [[nodiscard]] Status : public std::optional<FileError>
{
public:
    using std::optional<FileError>::optional;
};

// The value of an operation that can fail with a FileError, built as
// {value, std::nullopt} or {{}, error}.
template <typename T> struct [[nodiscard]] Result
{
    T value{};
    Status error;

    bool ok() const { return !error.has_value(); }
};

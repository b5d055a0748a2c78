#pragma once

// What a failed call of the platform layer concerns and why. The layer speaks
// only the standard library and the system's own calls; core turns a Failure
// into the text it shows.

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <type_traits>

namespace platform {

// Failures the layer finds itself, before or instead of a failing system call.
enum class FileProblem
{
    leadsNowhere = 1, // empty, ends in a separator, or its folder does not exist
    readOnly,         // its owner may not write it; on Windows, the read-only attribute
    notARegularFile,  // a folder, pipe or device where the bytes of a file are wanted
    writeCutShort,    // the system took only part of the bytes and named no reason
};

std::error_code make_error_code(FileProblem problem);
const std::error_category &fileProblemCategory();

// The calling thread's last system error: errno, or GetLastError() on Windows.
std::error_code lastSystemError();

// The system's own text for one of its error codes, in UTF-8, without a final
// full stop or line break.
std::string systemReason(int code);

// System failures common enough that the program words them itself; other
// reasons keep the system's text.
enum class CommonReason
{
    other,
    noSuchFile,
    accessDenied,
    readOnlyFileSystem,
    noSpace,
    fileExists,
    isAFolder,
    nameTooLong,
    fileInUse,
};

// Which common reason a system error code (or a standard one) is.
CommonReason commonReasonOf(const std::error_code &code);
// The same for the standard conditions alone, which every platform's codes
// compare with as far as the standard library knows them.
CommonReason commonReasonOfCondition(const std::error_code &code);

struct Failure
{
    std::filesystem::path path;
    std::error_code code;

    // The system's text for a system error, the layer's own for a FileProblem.
    std::string reason() const;
};

// The outcome of a call that only succeeds or fails: std::nullopt when it
// succeeded, the Failure when it failed. A status left unused on purpose says
// so where it is dropped.
class [[nodiscard]] Status : public std::optional<Failure>
{
public:
    using std::optional<Failure>::optional;
};

// The value of a call that can fail, built as {value, std::nullopt} or
// {{}, failure}.
template <typename T> struct [[nodiscard]] Result
{
    T value{};
    Status failure;

    bool ok() const { return !failure.has_value(); }
};

} // namespace platform

template <> struct std::is_error_code_enum<platform::FileProblem> : std::true_type
{
};

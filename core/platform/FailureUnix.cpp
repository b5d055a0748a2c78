#include "Failure.h"

#include <cerrno>
#include <cstring>

namespace platform {

namespace {
// strerror_r comes in two kinds: the GNU one returns the text, the POSIX one
// fills the buffer and returns a status.
[[maybe_unused]] std::string textOf(const char *text, const char *)
{
    return text;
}

[[maybe_unused]] std::string textOf(int status, const char *buffer)
{
    return status == 0 ? std::string(buffer) : std::string();
}
} // namespace

std::error_code lastSystemError()
{
    return {errno, std::system_category()};
}

CommonReason commonReasonOf(const std::error_code &code)
{
    return commonReasonOfCondition(code); // errno values are the standard's conditions
}

std::string systemReason(int code)
{
    char buffer[256] = {};
    std::string text = textOf(strerror_r(code, buffer, sizeof buffer), buffer);
    return text.empty() ? "error " + std::to_string(code) : text;
}

} // namespace platform

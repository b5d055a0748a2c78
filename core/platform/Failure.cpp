#include "Failure.h"

namespace platform {

namespace {

class FileProblemCategory final : public std::error_category
{
public:
    const char *name() const noexcept override { return "file"; }

    std::string message(int value) const override
    {
        switch (static_cast<FileProblem>(value)) {
        case FileProblem::leadsNowhere:
            return "the path leads to no file location";
        case FileProblem::readOnly:
            return "the file is read-only";
        case FileProblem::notARegularFile:
            return "not a regular file";
        case FileProblem::writeCutShort:
            return "the file could not take all of the bytes";
        }
        return "unknown problem " + std::to_string(value);
    }
};

} // namespace

CommonReason commonReasonOfCondition(const std::error_code &code)
{
    using std::errc;
    if (code == errc::no_such_file_or_directory)
        return CommonReason::noSuchFile;
    if (code == errc::permission_denied || code == errc::operation_not_permitted)
        return CommonReason::accessDenied;
    if (code == errc::read_only_file_system)
        return CommonReason::readOnlyFileSystem;
    if (code == errc::no_space_on_device)
        return CommonReason::noSpace;
    if (code == errc::file_exists)
        return CommonReason::fileExists;
    if (code == errc::is_a_directory)
        return CommonReason::isAFolder;
    if (code == errc::filename_too_long)
        return CommonReason::nameTooLong;
    if (code == errc::text_file_busy || code == errc::device_or_resource_busy)
        return CommonReason::fileInUse;
    return CommonReason::other;
}

const std::error_category &fileProblemCategory()
{
    static const FileProblemCategory category;
    return category;
}

std::error_code make_error_code(FileProblem problem)
{
    return {static_cast<int>(problem), fileProblemCategory()};
}

std::string Failure::reason() const
{
    if (code.category() == std::system_category())
        return systemReason(code.value());
    return code.message();
}

} // namespace platform

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

std::error_code make_error_code(FileProblem problem)
{
    static const FileProblemCategory category;
    return {static_cast<int>(problem), category};
}

std::string Failure::reason() const
{
    if (code.category() == std::system_category())
        return systemReason(code.value());
    return code.message();
}

} // namespace platform

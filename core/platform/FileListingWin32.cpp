#include "FileListing.h"
#include "Win32Support.h"

#include <cwctype>

namespace platform {

namespace {

bool endsWithIgnoringCase(std::wstring_view name, std::string_view extension)
{
    if (name.size() < extension.size())
        return false;
    const std::wstring_view end = name.substr(name.size() - extension.size());
    for (std::size_t i = 0; i < extension.size(); ++i) {
        if (std::towlower(end[i]) != std::towlower(wchar_t(extension[i])))
            return false;
    }
    return true;
}

} // namespace

Result<std::vector<NativeName>> visibleFileNames(const std::filesystem::path &folder,
                                                 std::string_view extension)
{
    // Every entry, matched here: a pattern such as "*.scn" would also match
    // the short 8.3 names of longer extensions.
    WIN32_FIND_DATAW entry;
    const HANDLE search =
        FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        const Failure failure = win32::failureOf(folder);
        // A drive's root folder has no "." entry: it can be readable and empty.
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        if (failure.code.value() == ERROR_FILE_NOT_FOUND && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return {};
        return {{}, failure};
    }
    // A link to a file is listed like the file; a link to a folder carries the
    // folder attribute.
    constexpr DWORD kLeftOut =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    std::vector<NativeName> names;
    do {
        if ((entry.dwFileAttributes & kLeftOut) == 0 &&
            endsWithIgnoringCase(entry.cFileName, extension))
            names.emplace_back(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    const DWORD error = GetLastError();
    FindClose(search);
    if (error != ERROR_NO_MORE_FILES)
        return {{}, Failure{folder, {int(error), std::system_category()}}};
    return {std::move(names), std::nullopt};
}

} // namespace platform

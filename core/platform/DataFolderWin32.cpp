#include "DataFolder.h"

#include <windows.h>

#include <shlobj.h>

namespace platform {

std::filesystem::path userDataFolder()
{
    wchar_t folder[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return folder;
}

} // namespace platform

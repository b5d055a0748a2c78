// The Windows form of the marker viewer: a program that leaves the file
// "viewer-started" beside itself and ends (a shell script cannot be started
// there).

#include <windows.h>

#include <filesystem>
#include <fstream>

int main()
{
    std::wstring self(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, self.data(), DWORD(self.size()))) == self.size())
        self.resize(self.size() * 2);
    self.resize(length);
    std::ofstream marker(std::filesystem::path(self).parent_path() / "viewer-started");
    return marker ? 0 : 1;
}

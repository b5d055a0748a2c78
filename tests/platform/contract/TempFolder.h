#pragma once

// Files and folders of one test, in a folder of its own that goes with the test.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

class TempFolder
{
public:
    TempFolder()
        : path_(fs::temp_directory_path() /
                ("ksm-platform-" + std::to_string(std::random_device()())))
    {
        fs::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored; // what cannot go stays in the system's temporary folder
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const fs::path &path() const { return path_; }
    fs::path operator/(const fs::path &name) const { return path_ / name; }

private:
    fs::path path_;
};

// The path in UTF-8, as the platform layer takes text.
inline std::string utf8(const fs::path &path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// An open C stream; the standard library's file streams of mingw cannot open
// every name that Windows can.
inline std::unique_ptr<FILE, int (*)(FILE *)> openFile(const fs::path &path, bool writing)
{
#ifdef _WIN32
    FILE *file = _wfopen(path.c_str(), writing ? L"wb" : L"rb");
#else
    FILE *file = std::fopen(path.c_str(), writing ? "wb" : "rb");
#endif
    return {file, &std::fclose};
}

inline void writeFile(const fs::path &path, std::string_view bytes)
{
    auto file = openFile(path, true);
    ASSERT_TRUE(file) << path;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file.get()), bytes.size()) << path;
    ASSERT_EQ(std::fclose(file.release()), 0) << path;
}

// Empty when the file cannot be read.
inline std::string readFile(const fs::path &path)
{
    std::string bytes;
    if (auto file = openFile(path, false)) {
        char chunk[64 * 1024];
        while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get()))
            bytes.append(chunk, got);
    }
    return bytes;
}

// Names in the folder, sorted: a temporary file left behind shows here.
inline std::vector<std::string> namesIn(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

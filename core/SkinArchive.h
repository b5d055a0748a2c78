#pragma once

#include "FileError.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// Skins as people share them: archives (zip, 7z, rar, tar with or without
// gzip, bzip2 or xz) that hold ".scn" files at any depth, each with the ".jpg"
// of its base name from the same archive folder as its preview. An archive is
// read twice: once for what it holds, once, after the user's answers, for the
// bytes of the skins that go into Skins. Nothing is ever written outside Skins,
// and each file is written under the program's temporary name first.

// A skin unpacked is at most this large; a larger one is taken for a bomb.
inline constexpr std::int64_t kMostArchivedSkinBytes = std::int64_t(64) * 1024 * 1024;

// A skin found in an archive.
struct ArchivedSkin
{
    std::filesystem::path name; // its file name in Skins
    QString entry;              // its path in the archive, as the user reads it
    std::int64_t index = 0;     // its place among the archive's entries
    std::optional<std::int64_t> previewIndex;
    QString previewEntry;
};

// An entry of the archive that does not go into Skins, and why.
struct RefusedEntry
{
    QString entry;
    QString reason;
};

struct ArchiveContents
{
    std::vector<ArchivedSkin> skins;
    std::vector<RefusedEntry> refused;
};

// Whether the name is one of an archive this program reads, by its extension.
bool IsSkinArchiveName(const std::filesystem::path &name);

// What the archive holds, without unpacking any skin; a failure when it cannot
// be read as an archive at all.
Result<ArchiveContents> ReadSkinArchive(const std::filesystem::path &archive);

// Unpacks these skins of the archive, each with its preview, into Skins,
// replacing a skin of the same name. Returns the skins added, those that could
// not be and why; a failure to write one carries the path and the system's
// reason.
struct InstallOutcome
{
    std::vector<std::filesystem::path> added; // their file names, in the archive's order
    std::vector<RefusedEntry> refused;
    std::vector<FileError> failed;
};
InstallOutcome InstallArchivedSkins(const std::filesystem::path &archive,
                                     const std::vector<ArchivedSkin> &skins);

// Writes the skin of Skins so named, with its preview, as a zip that this
// program installs back unchanged: UTF-8 names with the flag that says so.
// The zip takes its name only once whole. A skin over kMostArchivedSkinBytes
// is refused, as an install would refuse it.
Status ExportSkin(const std::filesystem::path &name, const std::filesystem::path &zipFile);

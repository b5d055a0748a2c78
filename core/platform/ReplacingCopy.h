#pragma once

#include "Failure.h"

#include <filesystem>
#include <string_view>

namespace platform {

// A failure (FileProblem::leadsNowhere) naming the first of the two paths that
// leads to no file location: it is empty, ends in a separator and so names no
// file, or the folder it names a file in does not exist. None when both lead
// somewhere.
Status leadsNowhere(const std::filesystem::path &source, const std::filesystem::path &destination);

// Copies source over destination, creating or replacing it, so that the
// destination is at every moment either the old file or the whole new one: the
// bytes go to a temporary file beside the destination (beside the file that a
// symbolic link leads to), reach the disk, and only then take its name; the
// folder is synced after. The copy is a file of its own (a reflink where the
// file system shares blocks), never a second name of the source. On any
// failure the temporary file is removed and the destination is as it was.
//
// A replaced file keeps its permissions; a new one may be read by all and
// written by its owner. Failures besides the system's own:
// - FileProblem::leadsNowhere when either path leads nowhere;
// - FileProblem::readOnly for a destination that its owner may not write, by
//   its permission bits (so even for root) or its read-only attribute;
// - FileProblem::notARegularFile for a source that is no file.
// A destination that another program holds open on Windows (a virus scanner,
// the viewer) is tried again for about 200 ms before that is reported.
Status copyReplacing(const std::filesystem::path &source, const std::filesystem::path &destination);

// What a file that writeReplacing makes is for.
enum class WrittenFile
{
    kept,  // made as copyReplacing makes its copy: on the disk before it has its name
    cache, // can be made again: readable and writable by its owner alone, not
           // waited for on the disk, and a link of its name is replaced, not followed
};

// Writes the bytes as the whole of destination through a temporary file beside
// it, as copyReplacing does: destination is at every moment the old file or the
// new one.
Status writeReplacing(const std::filesystem::path &destination, std::string_view bytes,
                      WrittenFile kind = WrittenFile::kept);

// Gives the file from the name to in one step, replacing the file of that
// name, so that to names the old file or the new one at every moment, and
// waits until the new name has reached the disk. On Windows it is tried again
// while another program holds to open, as above.
Status renameReplacing(const std::filesystem::path &from, const std::filesystem::path &to);

} // namespace platform

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
// symbolic link leads to), reach the disk, and only then take its name. On any
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

// Gives the file from the name to in one step, replacing the file of that
// name, so that to names the old file or the new one at every moment. On
// Windows it is tried again while another program holds to open, as above.
// Unlike copyReplacing it does not wait for the name to reach the disk.
Status renameReplacing(const std::filesystem::path &from, const std::filesystem::path &to);

// Makes to name the bytes that from holds now, replacing what to named: a
// second name of the same file where the file system allows it and from has
// no other name yet, which costs nothing (and does not wait for the disk),
// else a whole copy as copyReplacing makes. Meant for a file that is only ever
// replaced by name, never written in place: a file with other names could be
// written through one of them.
Status linkOrCopy(const std::filesystem::path &from, const std::filesystem::path &to);

// Makes the bytes the destination's whole content in one step, through a
// temporary file beside it as copyReplacing does; the file made is readable
// and writable by its owner alone. For a file that can be made again (a
// cache's): it does not wait for the bytes to reach the disk.
Status writeReplacing(const std::filesystem::path &destination, std::string_view bytes);

} // namespace platform

#pragma once

// Every file the programs write is written here, one way: whole or not at all.
//
// The bytes go to an unnamed (or, where the file system cannot, a short-named) file in the
// target's folder, are synced to the disk, and then take the target's name in one rename.
// A symbolic link is followed and stays a link; an existing file keeps its permissions and,
// where allowed, its owner; a name as long as the file system allows works; a failure, or the
// process killed part-way, leaves the old file as it was and no other file behind. A target
// that exists but is not a regular file (a folder, a device, a pipe) is refused, never
// replaced.

#include <functional>
#include <string>
#include <string_view>

namespace inlet {

// Saves `bytes` as the file `path` (UTF-8; the file system's bytes on POSIX). Throws a
// Failure (CannotWrite with the system's reason, FolderNotWritable, NotAFileName, IsFolder,
// NotARegularFile) naming `path`.
void saveFileAtomically(const std::string& path, std::string_view bytes);

// Gives the bytes of a file piece by piece to `put`, in order; throws a Failure when it
// cannot.
using FileBytes = std::function<void(const std::function<void(std::string_view)>& put)>;

// As above, the bytes given by `bytes` piece by piece, so that a large file (a workbook made
// in a temporary folder) need not be held in memory whole.
void saveFileAtomically(const std::string& path, const FileBytes& bytes);

// Lets writing past the process's file-size limit fail with "file too large" rather than end
// the process, so that the failure is reported and the old file kept. Call once in main().
void reportFileSizeLimit();

}  // namespace inlet

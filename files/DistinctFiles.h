#pragma once

// One command, one set of distinct files: no file a command writes may be a file it reads
// or another file it writes, however each is named (another spelling, a symbolic link, a
// hard link). Checked before anything is written, so that a clash writes nothing.

#include "messages/Failure.h"

#include <optional>
#include <string>
#include <vector>

namespace inlet {

// A file on a command line: the option that names it ("--dxf", "--open"), the path as given
// (UTF-8; the file system's bytes on POSIX) and whether the command writes it.
struct NamedFile {
    std::string option;
    std::string path;
    bool written = false;
};

// The first file written that is also read (OutputOverwritesInput) or written by an earlier
// option (OutputsSameFile), naming both options and the file; nothing when all are distinct.
// Two existing files are the same where they are the same file on the disk (device and inode,
// symbolic links followed); two that do not exist yet, where their paths resolve alike (the
// folders' links followed, "." and ".." taken away). Standard input ("-") is no file.
std::optional<Failure> sameFileClash(const std::vector<NamedFile>& files);

}  // namespace inlet

// Whole-file access of the core through QtCore. Every function takes a
// document path (Shift_JIS, "\" or "/" separated) and hands the file system
// its native name (NativeFileName). Callers see only the standard library.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace lexicana {

// Reads every byte of the file in blocks of 32768 bytes, without any
// translation. Only a regular file (or a link to one) is read: a folder,
// device, FIFO or socket is refused unread. False (bytes empty) when it
// cannot be opened or read; error (when given) then receives a UTF-8 reason
// naming the file.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error = nullptr);

// Reads the file as ReadFileBytes does, handing each block to take as it
// arrives instead of gathering them: a large file is looked through without
// holding it in memory. False when it cannot be opened or read (error as for
// ReadFileBytes); take may then have seen some of its blocks.
bool ReadFileBlocks(
    const std::string& path, const std::function<void(std::string_view)>& take, std::string* error = nullptr);

// Replaces the file with exactly bytes through a temporary file in the same
// folder and a rename; an existing file keeps its permission bits. Where the
// folder may not be written to but the existing file may, the file is written
// in place instead (not atomic: a failure part way leaves it cut short). An
// existing target that is not a regular file (a device, a FIFO) is written to
// directly and never replaced. An existing read-only file, a folder or a
// missing folder is refused and left untouched. On failure error (when given)
// receives a UTF-8 reason.
bool SaveFileBytes(const std::string& path, std::string_view bytes, std::string* error);

// True when a file (not a folder) exists at the path.
bool PathIsFile(const std::string& path);
// True when a folder exists at the path.
bool PathIsFolder(const std::string& path);
// True when anything (a file, folder, device, FIFO ...) exists at the path.
bool PathExists(const std::string& path);
// Creates the folder and every missing folder above it; true when the
// folder exists afterwards.
bool MakeFolders(const std::string& path);
// What tells one file from another whatever name reaches it (a link, "..",
// another spelling): its device and inode where the system has them, else
// its canonical path; the path itself when nothing exists there.
std::string FileIdentity(const std::string& path);

} // namespace lexicana

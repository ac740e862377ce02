// Whole-file reading and writing of document paths (Shift_JIS, "\" or "/"),
// byte for byte. Only regular files are read. Writes replace a file through a
// temporary file in the same folder and a rename, so a file is always either
// its old or its new self; where the folder takes no new file but the file is
// writable it is written in place, and a device or FIFO is written to, never
// replaced.
#pragma once

#include "common/resultcodes.h"
#include "common/stringlist.h"

#include <cstdint>
#include <string>

namespace lexicana {

// The whole content of the file, every byte. 100, or 105 (text empty) when
// it cannot be read or is not a regular file (a device, FIFO or folder); then
// reason (when given) receives a UTF-8 reason naming the file.
int ReadFileToString(const std::string& path, std::string& text, std::string* reason = nullptr);

// The size and Hash64 of the file's bytes, read in blocks rather than held
// whole; false when it cannot be read.
bool HashFileBytes(const std::string& path, std::uint64_t& size, std::uint64_t& hash);

// Creates or replaces the file with exactly the bytes of text, through a
// temporary file and a rename that keeps the permission bits of an existing
// file (in place when only the folder refuses new files). 100, or 105 when it
// cannot be written (a read-only file is refused, not replaced).
int WriteStringToFile(const std::string& path, const std::string& text);

// Same as WriteStringToFile, but on failure fills error with a readable
// reason (UTF-8) and returns false.
bool SaveFileAtomically(const std::string& path, const std::string& bytes, std::string* error = nullptr);

// True when a file (not a folder) exists at the path.
bool FileExists(const std::string& path);
// True when a folder exists at the path.
bool DirectoryExists(const std::string& path);

// Line lists: loaded from a text split at CR LF, LF or CR; saved with CR LF
// after every line. Loading throws std::runtime_error when the file cannot
// be read; saving throws when it cannot be written.
TStringList LoadLines(const std::string& path);
void SaveLines(const std::string& path, const TStringList& lines);
// The lines of a text split at CR LF, LF or CR (a final line end adds no
// empty line).
TStringList SplitLines(const std::string& text);

} // namespace lexicana

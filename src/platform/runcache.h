// The user's cache of conversion runs: small files in the user's cache folder
// ("lexicana/runs" below XDG_CACHE_HOME or ~/.cache on Linux), never beside
// the pages, where a website deploy would publish them. With them the facts
// about a file that tell whether it has been touched since they were taken,
// and what of the environment a run's output depends on.
#pragma once

#include <string>
#include <string_view>

namespace lexicana {

// What the file system says of a file: whether it is there, its size, its
// modification time in nanoseconds since 1970, and its inode and device
// (0 where the system has none). Two equal sets of facts mean the file has
// not been replaced or written since, unless its time was set back by hand.
struct TFileFacts {
    bool exists = false;
    unsigned long long size = 0;
    long long mtimeNs = 0;
    unsigned long long inode = 0;
    unsigned long long device = 0;
    bool operator==(const TFileFacts&) const = default;
};

// The facts of the file at a document path (a link is followed).
TFileFacts FileFactsOf(const std::string& path);

// When the file at a document path last changed in any way, in nanoseconds
// since 1970: the later of its modification time and its status-change time
// (a rename onto it, a write, or a modification time set back all move the
// latter to now, and nothing can set it back). 0 when there is no file.
long long LastChangeNs(const std::string& path);

// The wall clock in nanoseconds since 1970, the clock of file times.
long long WallClockNs();

// Reads or replaces (through a temporary file and a rename) the cache file
// of the given plain name, or removes it. False when the cache folder or the
// file cannot be read or written.
bool ReadRunCacheFile(const std::string& name, std::string& bytes);
bool WriteRunCacheFile(const std::string& name, std::string_view bytes);
void RemoveRunCacheFile(const std::string& name);

// The parts of the environment that may change what a run writes besides its
// files and options: the program itself (the size, time and inode of its
// executable, which a rebuild changes while the version stays), the Qt
// version and the locale and time-zone variables.
std::string RunEnvironmentText();

} // namespace lexicana

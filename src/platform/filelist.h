// The files of a folder that match a name pattern, with their sizes and
// last-write times, for the file list of the insert-file-record dialog. The
// folder is read where it is: the process's current folder is not changed.
#pragma once

#include <string>
#include <vector>

namespace lexicana {

struct TFolderFile {
    std::string name; // file name without folder, UTF-8 as the file system gives it
    long long size = 0; // bytes
    std::string modified; // last-write time in local time (UTF-8), "" when unknown
};

// The files (not folders) of folder (a document path) whose names match
// pattern (UTF-8 wildcards "*" and "?", letter case ignored; "" matches
// every file), hidden ones included, ordered by name as the locale collates
// them. False, and files empty, when the folder cannot be opened.
bool ListFolderFiles(const std::string& folder, const std::string& pattern, std::vector<TFolderFile>& files);

// A file time as a list shows it: the system's short date format, a space
// and the system's time format (without time zone). secondsSinceEpoch is UTC.
std::string LocalFileTimeText(long long secondsSinceEpoch);

} // namespace lexicana

// The watch mode of lexicana-convert: after a first conversion, convert
// again whenever one of the files the set is made of changes, until Ctrl+C.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lexicana {

// What a conversion leaves to watch: the files it read (native names), and
// whether it could read them all. After a failed read every change in the
// files' folders counts, so that a file that comes back starts a run.
struct TWatchList {
    std::vector<std::string> files;
    bool complete = true;
};

// Runs convert, then waits for a change to any file it named and runs it
// again once no further change has come for quietMs, and so on until
// interrupted() turns true. A file counts as changed when its inode, size,
// modification or status-change time differs, so that an editor that saves
// by renaming a new file over the old one is followed (every file and its
// folder are watched afresh after each run), and a change made while a run
// read the files starts the next run.
void WatchAndConvert(
    const std::function<TWatchList()>& convert, const std::function<bool()>& interrupted, int quietMs = 300);

} // namespace lexicana

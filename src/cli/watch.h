// The watch mode of lexicana-convert: after a first conversion, convert
// again whenever one of the files the set is made of changes, until Ctrl+C.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lexicana {

// Runs convert, then waits for a change to any of the files it returned
// (native names) and runs it again once no further change has come for
// quietMs, and so on until interrupted() turns true. Editors that save by
// writing a new file and renaming it over the old one are followed: every
// file is watched afresh after each run, and its folder as well, so that a
// file that reappears counts as a change.
void WatchAndConvert(const std::function<std::vector<std::string>()>& convert,
    const std::function<bool()>& interrupted, int quietMs = 300);

} // namespace lexicana

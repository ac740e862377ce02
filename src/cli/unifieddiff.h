// The unified diff of two texts by lines, as `diff -u` and `git diff` print
// it, so that `patch` reproduces the new text from the old one.
#pragma once

#include <string>

namespace lexicana {

// "--- a/name", "+++ b/name" and hunks with three lines of context; empty
// when the texts are equal. Each line keeps its own line end (a CR before
// the LF included); a last line without one is followed by "\ No newline at
// end of file". With colour, the lines carry terminal colours as git's do.
std::string UnifiedDiff(
    const std::string& name, const std::string& before, const std::string& after, bool colour);

} // namespace lexicana

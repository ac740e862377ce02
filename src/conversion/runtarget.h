// Where a conversion run puts the files it rewrites: in place (the pages
// themselves), nowhere (a check that only tells what would change), or a
// folder of its own that receives each changed file under the same relative
// name while the originals stay as they are.
#pragma once

#include <string>

namespace lexicana {

struct TRunTarget {
    enum class Mode { InPlace, CheckOnly, Folder };
    Mode mode = Mode::InPlace;
    // Folder: a document path ending in a separator.
    std::string folder;
    // Keep the old and the new content of every changed page in the run's
    // outcome, for a diff.
    bool keepContents = false;

    bool WritesInPlace() const { return mode == Mode::InPlace; }
    // Where a file of the HTML folder baseDir goes in Folder mode: its path
    // below baseDir, under folder. Empty for a file outside baseDir (after
    // "." and ".." are resolved), which a folder run does not write.
    std::string FolderPathOf(const std::string& baseDir, const std::string& path) const;
};

} // namespace lexicana

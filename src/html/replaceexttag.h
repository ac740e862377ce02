// ReplaceExtTag: rewrites marked blocks in a text file. Each entry names a
// start marker, an end marker and a value; every block the pair encloses gets
// the value in place of its old text, and every other byte stays as it was.
#pragma once

#include "conversion/runtarget.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lexicana {

// One replacement string: start marker, end marker, value (bytes as given).
struct RepExtString {
    std::string start;
    std::string end;
    std::string value;
};

// Result codes of ApplyToFile.
// ExtTagOutsideFolder: a folder run cannot place a file outside the HTML
// folder.
enum ExtTagResult : int {
    ExtTagOk = 0,
    ExtTagCannotRead = -99,
    ExtTagCannotWrite = -98,
    ExtTagOutsideFolder = -97
};

class ReplaceExtTag {
public:
    // baseDir: the folder relative file names are resolved against; it may
    // or may not end in a separator.
    explicit ReplaceExtTag(std::string baseDir);

    // Adds an entry; returns the number of entries.
    int AddTag(const std::string& start, const std::string& end, const std::string& value);

    // Rewrites the file (name resolved against BaseDir): 0 done, -99 cannot
    // be read, -98 cannot be written (the file then keeps its old content).
    // A file whose content stays the same is not written at all; a check
    // writes nothing and a folder run writes into its folder. staged (when
    // given) holds the content the run has already given files it did not
    // write in place (by full path), which the update starts from.
    int ApplyToFile(const std::string& name, const TRunTarget& target = {},
        const std::unordered_map<std::string, std::string>* staged = nullptr) const;

    // The full path ApplyToFile uses for name.
    std::string ResolveName(const std::string& name) const;
    // content with every entry applied in order. Markers and values are in
    // the document's code and are put into the content's code as a part is
    // (PartInPageCode), except that a Shift_JIS document's stay as they are
    // in every content that is not UTF-8.
    std::string ApplyToText(std::string content) const;

    const std::string& BaseDir() const { return baseDir_; }
    const std::vector<RepExtString>& Entries() const { return entries_; }

private:
    std::string baseDir_;
    std::vector<RepExtString> entries_;
};

// content with each block between start and end given value: for each end
// marker, left to right, the nearest start marker before it (and after the
// previous block) counts. An entry with an empty marker changes nothing.
void ReplaceMarkedBlocks(std::string_view content, const RepExtString& entry, std::string& out);

} // namespace lexicana

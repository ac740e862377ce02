// The term check: what a glossary's words and pages hold that a reader would
// trip over, found without writing anything. Two records with the same word
// (only the later one receives links), words that never link where a longer
// word containing them stands, entries no other entry links to, empty words
// and names, a name used twice on one page, and file records whose page is
// missing or lacks its markers.
#pragma once

#include "conversion/filerecords.h"
#include "conversion/wordlink.h"

#include <string>
#include <vector>

namespace lexicana {

struct TermFinding {
    enum class Kind { SameWord, HiddenWord, NotLinked, EmptyWord, EmptyName, SameName, PageMissing, NoMarker };
    Kind kind;
    int row; // the grid row of the record the finding is about
    std::string text; // one line (UTF-8) naming every record it concerns by row
};

struct TermCheckInputs {
    const TRecordTable& grid; // the records as a conversion orders them
    const TGlobal& global; // the conversion table read, HTMLDir set
    const FileListGrid& parts;
    const StrGrid& linkTable; // MakeLinkTable of grid and parts
    const WordLink& links; // made from linkTable
    const TStringList& mainLines; // the entry template
    // gridRow[r]: the row the user sees for row r of grid (the check may
    // work on a sorted copy); empty when the rows are the same.
    const std::vector<int>& gridRow;
};

// Every finding, ordered by kind as listed above and then by row.
std::vector<TermFinding> CheckTerms(const TermCheckInputs& in);

} // namespace lexicana

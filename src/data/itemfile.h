// The item data file: the record table as text lines, in the comma form
// (quoted fields) or the tab form, with cell line breaks and backslashes
// escaped so that no line of the file holds a raw line break of a cell.
#pragma once

#include "data/recordtable.h"

#include "common/textcode.h"

#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace lexicana {

// "\" -> "\\", CR -> "\r", LF -> "\n"; double-byte characters (a lead byte
// and a byte of 0x40 or more) copied whole. A stray lead byte right before an
// escaped byte is written with a backslash before it ("\" lead), so that
// it does not pair with the escape's backslash on reading.
std::string EscapeCellText(std::string_view text);
// The exact inverse, for every byte string: "\r" CR, "\n" LF, "\\"
// backslash, "\x" x (a lead byte after the backslash taken alone when a
// backslash follows it); a final lone backslash stays.
std::string UnescapeCellText(std::string_view text);
// text in quotes when quoting, else text.
std::string QuoteField(std::string_view text, bool quoting);

// The cells of one line of the comma form (the reading state machine).
std::vector<std::string> ParseCommaLine(std::string_view line);
// The cells of one line of the tab form, the inverse of the tab writer:
// split at raw tabs, doubled quotes undoubled, escapes undone ("\t" being a
// tab inside a cell).
std::vector<std::string> ParseTabLine(std::string_view line);

// Fills grid from the file (separator ',' with quoting, or '\t' without).
// Returns 0; on failure reports with location "StrLoadFromFile", leaves the
// grid unchanged and returns -2.
// The file's code is detected (DetectFileCode), its byte-order mark is not
// part of the first cell, and the code goes to *readCode when given.
int StrLoadFromFile(TRecordTable& grid, const std::string& path, char separator, bool quoting, int minColCount,
    TFileCode* readCode = nullptr);
// Writes grid to the file (trimming cells of columns 1 and up in the grid),
// replacing it through a temporary file. Quotes are doubled in both forms; in
// the tab form a tab inside a cell is written "\t". Returns 0; on failure
// reports with location "StrSaveToFile", leaves file and grid as they were
// and returns -2.
// The cells are bytes in writeCode's code (the document's code, without a
// byte-order mark, when not given); the mark is written when it asks for one.
int StrSaveToFile(TRecordTable& grid, const std::string& path, char separator, bool quoting,
    int fieldCount = std::numeric_limits<int>::max(), const TFileCode* writeCode = nullptr);

} // namespace lexicana

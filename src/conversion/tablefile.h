// Reading of the conversion table: the grid's columns, headings and widths,
// the sort/name/word columns, the markers and templates of TGlobal, the
// per-column link flags and the head, record and foot templates.
#pragma once

#include "common/stringlist.h"
#include "data/global.h"
#include "data/recordtable.h"

namespace lexicana {

// Where one read of a table puts what it finds.
struct TableTarget {
    TRecordTable& grid;
    TGlobal& global;
    TStringList& headLines;
    TStringList& mainLines;
    TStringList& footLines;
};

// Reads the lines of a table into target, after the table defaults. Each
// line is cut at its first ";" in place. On an exception, what was read so
// far stays, with the grid and the link flags consistent, and the exception
// goes on to the caller.
void ReadTableLines(const TableTarget& target, TStringList& lines);

} // namespace lexicana

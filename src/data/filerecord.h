// Telling a file record (a row that names a target page and a part) from a
// normal record.
#pragma once

#include "data/global.h"
#include "data/recordtable.h"

namespace lexicana {

// True when the row's record code cell is exactly the file record code "\@".
inline bool IsFileRecord(const TRecordTable& grid, const TGlobal& global, int row)
{
    return global.RecordCodeCol < grid.ColCount()
        && grid.Cell(global.RecordCodeCol, row) == global.FileRecordCode;
}

} // namespace lexicana

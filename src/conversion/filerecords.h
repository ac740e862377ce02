// File records and parts: recognising the rows that name a target page and a
// part, and the parts table a conversion works from.
#pragma once

#include "conversion/strgrid.h"
#include "data/global.h"
#include "data/recordtable.h"

namespace lexicana {

// True when the row's record code cell is exactly the file record code "\@".
inline bool IsFileRecord(const TRecordTable& grid, const TGlobal& global, int row)
{
    return global.RecordCodeCol < grid.ColCount() && grid.Cell(global.RecordCodeCol, row) == global.FileRecordCode;
}

// The parts table: entry k = (grid row of file record k, its file name,
// its part ID), then one closing entry (RowCount, "", "").
class FileListGrid : public StrGrid {
public:
    FileListGrid()
        : StrGrid(3, 0)
    {
    }
};

class IDocumentUi;

// Fills parts from the grid. 0 filled; 1 no file record (no message);
// 207 duplicate file record (reported); -2 failure (reported).
// Sets NormalRecordCount and FileRecordCount of global on success.
int GetFileRecord(const TRecordTable& grid, TGlobal& global, FileListGrid& parts, IDocumentUi* ui = nullptr);

// Normal records that belong to some part.
int CountNormalRecords(const FileListGrid& parts);

}  // namespace lexicana

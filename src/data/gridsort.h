// Sorting the record table by one column: the ascending sort of a row range
// (Japanese collation, letter case ignored, equal keys keep their order), the
// heading sort that can reverse it, a byte-wise bubble sort, and the pass
// that puts a file record ahead of the record with the same sort key.
#pragma once

#include "data/global.h"
#include "data/recordtable.h"

namespace lexicana {

// Sorts rows fromRow .. toRow (whole rows, column 0 included) ascending by
// the cells of column col, with the grid's redrawing suspended meanwhile.
// The range is clipped to the table.
void QsortGrid(TRecordTable& grid, int fromRow, int toRow, int col);

// The heading sort: QsortGrid, then the range reversed when descending.
void QuickSortGrid(TRecordTable& grid, int fromRow, int toRow, int col, bool ascending);

// Ascending by byte values with adjacent exchanges until none is needed.
void BubbleSortGrid(TRecordTable& grid, int fromRow, int toRow, int col);

// One forward pass over the records: a file record whose Sort column cell
// equals, byte for byte, the one of the row above is exchanged with that row.
// A file record thus moves up at most one row per call.
void MoveFileRecordsAhead(TRecordTable& grid, const TGlobal& global);

} // namespace lexicana

// Sorting the record table by one column: the ascending sort of a row range
// (Japanese collation, letter case ignored, equal keys keep their order), the
// heading sort that can reverse it, a byte-wise bubble sort, and the pass
// that puts file records ahead of the records with the same sort key.
#pragma once

#include "data/global.h"
#include "data/recordtable.h"

namespace lexicana {

// Sorts rows fromRow .. toRow (whole rows, column 0 included) ascending by
// the cells of column col, with the grid's redrawing suspended meanwhile.
// The range is clipped to the table. The name is the command's historical
// one: the sort is not a quicksort but a stable sort by Japanese
// collation (letter case ignored), each key computed once per sort, so
// records with equal keys keep their order.
void QsortGrid(TRecordTable& grid, int fromRow, int toRow, int col);

// The heading sort: QsortGrid, then the range reversed when descending.
// True when any row changed its place.
bool QuickSortGrid(TRecordTable& grid, int fromRow, int toRow, int col, bool ascending);

// Ascending by byte values with adjacent exchanges until none is needed
// (quadratic, stable). Neither program calls it: it is the plain byte-order
// sort kept beside the collated one, and only the tests use it.
void BubbleSortGrid(TRecordTable& grid, int fromRow, int toRow, int col);

// True when the conversion table's Sort column is a data column of grid.
// Otherwise every Sort cell would read as empty: neither the sort before a
// conversion nor the file-record pass takes place.
bool HasSortColumn(const TRecordTable& grid, const TGlobal& global);

// Puts file records ahead of the records with the same Sort column cell, so
// that after a sort each one starts the part its key belongs to. Consecutive
// records whose Sort cells collate equal form a run (after a sort by the
// Sort column, all records of one key); within a run, the places held by
// the records of one key (byte for byte) go first to its file records, then
// to its other records, each in the order they had. Records of other keys
// keep their places, so a second call changes nothing. Nothing moves
// without a Sort column (HasSortColumn). True when any row moved.
bool MoveFileRecordsAhead(TRecordTable& grid, const TGlobal& global);

} // namespace lexicana

// File records and parts: recognising the rows that name a target page and a
// part, and the parts table a conversion works from.
#pragma once

#include "common/resultcodes.h"
#include "conversion/progress.h"
#include "conversion/strgrid.h"
#include "data/filerecord.h"
#include "data/global.h"
#include "data/recordtable.h"

namespace lexicana {

// The parts table: entry k = (grid row of file record k, its file name,
// its part ID), then one closing entry (RowCount, "", "").
class FileListGrid : public StrGrid {
public:
    FileListGrid()
        : StrGrid(3, 0)
    {
    }
};

// Fills parts from the grid. ResultOk filled; PartTableNoFileRecord (no
// message); PartTableDuplicate (reported); ResultReported.
// Sets NormalRecordCount and FileRecordCount of global on success. events,
// when given, runs pending window events as the grid is walked.
int GetFileRecord(const TRecordTable& grid, TGlobal& global, FileListGrid& parts, IEventPump* events = nullptr);

// Normal records that belong to some part.
int CountNormalRecords(const FileListGrid& parts);

}  // namespace lexicana

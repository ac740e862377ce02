// The term check command of the document.
#include "common/messages.h"
#include "common/resultcodes.h"
#include "common/translate.h"
#include "conversion/linktable.h"
#include "data/gridsort.h"
#include "document/document.h"
#include "html/termcheck.h"

#include <exception>
#include <string>

namespace lexicana {

int TDocument::CheckTerms(std::vector<TermFinding>& findings)
{
    findings.clear();
    if (RefuseConversionWithoutTable())
        return ResultReported;
    try {
        const int table = ReadTableFile(global_.TableFileName);
        if (table != TableRead) {
            if (table != FileCannotOpen)
                ShowError(lexicana::Tr("テーブルファイルが正しい形式ではありません"));
            return ResultReported;
        }
        // A copy ordered as a run orders the records; column 0 keeps each
        // record's row in the grid the user sees.
        TRecordTable grid = grid_;
        std::vector<int> gridRow;
        if (HasSortColumn(grid, global_) && grid.RowCount() > 1) {
            grid.NumberRows();
            QsortGrid(grid, 1, grid.RowCount() - 1, global_.SortCol);
            MoveFileRecordsAhead(grid, global_);
            gridRow.resize(static_cast<std::size_t>(grid.RowCount()));
            for (int row = 1; row < grid.RowCount(); ++row)
                gridRow[static_cast<std::size_t>(row)] = std::stoi(grid.Cell(0, row));
        }
        // The counts GetFileRecord sets belong to the document's own grid.
        TGlobal counted = global_;
        FileListGrid parts;
        const int found = GetFileRecord(grid, counted, parts);
        if (found != ResultOk) {
            if (found == PartTableNoFileRecord)
                ShowMessageBox(lexicana::Tr("ファイルレコードがひとつもありません"), "Lexicana", MbOk);
            return ResultReported;
        }
        StrGrid linkTable(4, 0);
        MakeLinkTable(grid, global_, parts, linkTable);
        const auto links = MakeWordLink(linkTable, global_);
        findings = lexicana::CheckTerms(TermCheckInputs { grid, global_, parts, linkTable, *links, MainTableLines, gridRow });
        return ResultOk;
    } catch (const std::exception& e) {
        ReportError(e, "CheckTerms");
        return ResultReported;
    }
}

} // namespace lexicana

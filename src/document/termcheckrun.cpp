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
        // The order a run would give the records: a run sorts them before it
        // reads the table again, by the Sort column known until then, and
        // numbers them afresh. Column 0 of the sorted copy tells where each
        // record stands in the grid the user sees.
        std::vector<int> gridRow;
        if (HasSortColumn(grid_, global_) && grid_.RowCount() > 1) {
            TRecordTable order = grid_;
            order.NumberRows();
            QsortGrid(order, 1, order.RowCount() - 1, global_.SortCol);
            MoveFileRecordsAhead(order, global_);
            gridRow.resize(static_cast<std::size_t>(order.RowCount()));
            for (int row = 1; row < order.RowCount(); ++row)
                gridRow[static_cast<std::size_t>(row)] = std::stoi(order.Cell(0, row));
        }
        const int table = ReadTableFile(global_.TableFileName);
        if (table != TableRead) {
            if (table != FileCannotOpen)
                ShowError(lexicana::Tr("テーブルファイルが正しい形式ではありません"));
            return ResultReported;
        }
        // The records with the table's columns, in that order.
        TRecordTable grid = grid_;
        if (!gridRow.empty()) {
            for (int row = 1; row < grid.RowCount(); ++row)
                for (int col = 0; col < grid.ColCount(); ++col)
                    grid.SetCell(col, row, grid_.Cell(col, gridRow[static_cast<std::size_t>(row)]));
            grid.NumberRows();
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

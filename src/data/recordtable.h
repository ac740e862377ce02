// TRecordTable: the content of the record grid. Row 0 holds the column
// headings, column 0 the row numbers, records are rows 1 and up and data
// columns 1 and up. Cells are Shift_JIS byte strings (a cell may hold several
// lines separated by CR LF). The window shows it through a Qt model; the core
// uses only cells, counts, headings and widths. A row keeps only the cells up
// to its last non-empty one, so memory follows the text, not the column count.
#pragma once

#include <string>
#include <vector>

namespace lexicana {

// The most data columns a table can hold (the grid has one more, the
// row-number column).
constexpr int kMaxDataColumns = 1000;

// Told about changes so that a view can follow them. Every method has an
// empty default.
class IRecordTableObserver {
public:
    virtual ~IRecordTableObserver() = default;
    virtual void TableReset() { } // sizes or many cells changed
    virtual void CellChanged(int /*col*/, int /*row*/) { }
    virtual void RowsInserted(int /*row*/, int /*count*/) { }
    virtual void RowsRemoved(int /*row*/, int /*count*/) { }
    virtual void RowMoved(int /*from*/, int /*to*/) { }
    // The cells of rows first .. first+count-1 changed (sizes did not).
    virtual void RowsChanged(int /*first*/, int /*count*/) { }
    virtual void ColWidthChanged(int /*col*/) { }
    virtual void UpdatesSuspended(bool /*suspended*/) { } // BeginUpdate / EndUpdate
};

class TRecordTable;

// Told of each change of the cells in time to keep what undoes it (an undo
// history). Cell and row changes are told before they are made, so the old
// cells can still be read; insertions and moves after. Only the table's
// content counts: column widths and redraw suspension are not told.
class IRecordTableJournal {
public:
    virtual ~IRecordTableJournal() = default;
    virtual void BeforeCellSet(const TRecordTable& table, int col, int row) = 0;
    virtual void BeforeRowSet(const TRecordTable& table, int row) = 0; // SetRow, CopyRow
    virtual void RowInserted(int row) = 0; // InsertRow, AppendRow
    virtual void BeforeRowDeleted(const TRecordTable& table, int row) = 0;
    virtual void RowMoved(int from, int to) = 0;
    virtual void RowsExchanged(int a, int b) = 0;
    virtual void RowsReordered(int first, const std::vector<int>& order) = 0;
    virtual void RowsReversed(int first, int last) = 0;
    virtual void BeforeRowCount(const TRecordTable& table, int count) = 0;
    virtual void BeforeColCount(const TRecordTable& table, int count) = 0;
    virtual void BeforeRecordsCleared(const TRecordTable& table) = 0;
    // The whole content was replaced (assignment, SwapContent).
    virtual void ContentReplaced() = 0;
};

class TRecordTable {
public:
    static constexpr int kDefaultColWidth = 64;

    // colCount columns and rowCount rows of empty cells.
    explicit TRecordTable(int colCount = 5, int rowCount = 2);
    // Copies take the cells, sizes and widths, never the observer or the
    // update count; assigning tells the target's observer TableReset.
    TRecordTable(const TRecordTable& other);
    TRecordTable& operator=(const TRecordTable& other);

    int ColCount() const;
    int RowCount() const;
    // Resize keeping the cells that stay; new cells are empty, new columns
    // get the default width.
    void SetColCount(int count);
    void SetRowCount(int count);

    // A cell outside the table reads as empty; writing one throws
    // std::out_of_range.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, std::string value);

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);

    // 1 + the highest column holding a non-empty cell in row firstRow or a
    // later one; 0 when all those cells are empty.
    int UsedColCount(int firstRow = 0) const;
    // The cells of row up to its last non-empty one (0 for an empty row).
    int UsedCellCount(int row) const;

    // Whole rows (every column, column 0 included). Row operations throw
    // std::out_of_range for a row outside the table.
    std::vector<std::string> Row(int row) const; // a copy of ColCount cells
    void SetRow(int row, std::vector<std::string> cells); // resized to ColCount
    void AppendRow(std::vector<std::string> cells); // resized to ColCount
    void InsertRow(int row); // empty row inserted before row
    void DeleteRow(int row);
    void MoveRow(int from, int to); // the row at from ends up at index to
    void ExchangeRows(int a, int b);
    void CopyRow(int from, int to); // row to becomes a copy of row from
    // Rows first .. first+order.size()-1 become the rows that stood at the
    // indexes order[0], order[1], ... (a permutation of that range).
    void ReorderRows(int first, const std::vector<int>& order);
    // Reverses the order of rows first .. last.
    void ReverseRows(int first, int last);

    // Column 0 of rows 1.. gets "1", "2", ...
    void NumberRows();
    // Empties every cell of rows 1.. (headings and sizes stay).
    void ClearRecords();

    // Redraw suspension, nested; observers hear the outermost pair.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const;

    void SetObserver(IRecordTableObserver* observer);
    // One journal at most; copies never take it. Column 0 renumbering
    // (NumberRows) is not told: the row numbers follow the rows.
    void SetJournal(IRecordTableJournal* journal) { journal_ = journal; }

    // Exchanges cells, sizes and widths with other; each table keeps its
    // observer and update count, and both observers hear TableReset.
    void SwapContent(TRecordTable& other);

private:
    void CheckRow(int row) const;
    void CheckRange(int first, int count) const;
    // cells cut to colCount_, without trailing empty cells.
    std::vector<std::string> Stored(std::vector<std::string> cells) const;

    int colCount_ = 0;
    // Each row holds at most colCount_ cells; the cells it lacks are empty.
    std::vector<std::vector<std::string>> rows_;
    std::vector<int> colWidths_;
    int updateCount_ = 0;
    IRecordTableObserver* observer_ = nullptr;
    IRecordTableJournal* journal_ = nullptr;
};

} // namespace lexicana

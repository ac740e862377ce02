// TStrSortGrid: the record grid of the main window, a table view over a
// TRecordTable. The heading row and the row-number column are the view's
// headers; a press on a heading sorts all records by that column (and shows
// an arrow after its title), rows are dragged by their row-number cell,
// columns are resized by their heading borders, and cells are edited in
// place with every keystroke reported so that a text pane can mirror it.
//
// Coordinates in this interface are those of the table: column 0 is the
// row-number column, row 0 the heading row, records are rows 1.. and data
// columns 1... A cell outside the table is (-1, -1).
#pragma once

#include "data/global.h"
#include "data/recordtable.h"

#include <QTableView>

namespace lexicana {

class TCellEditDelegate;
class TRecordTableModel;
class TSortHeaderView;

// What a press on a heading does.
enum TSortops {
    soBoth, // each press reverses the direction (the first one sorts descending)
    soUponly, // always ascending
    soDownOnly, // always descending
    soNon // presses on a heading do not sort
};

class TStrSortGrid : public QTableView {
    Q_OBJECT

public:
    // Shows table, which must outlive the grid. The grid becomes the table's
    // observer (a table has one): change the table freely, the view follows,
    // and BeginUpdate/EndUpdate on the table suspend the view's redrawing.
    explicit TStrSortGrid(TRecordTable& table, QWidget* parent = nullptr);
    ~TStrSortGrid() override;

    TRecordTable& Table() { return table_; }
    TRecordTableModel& Model() { return *model_; }
    TSortHeaderView& HeadingRow() { return *heading_; }

    // File records (IsFileRecord with global's record-code column and
    // marker) are drawn as bars in the title-bar colours; null: none.
    void SetGlobal(const TGlobal* global);
    void SetFileRecordColors(const QColor& background, const QColor& text);

    // Heading sort settings.
    TSortops SortOps() const { return sortOps_; }
    void SetSortOps(TSortops ops) { sortOps_ = ops; }
    // Pixels between a heading's title and the sort arrow (default 10).
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    // Half width in pixels of the band around a column border in which a
    // press is left to resizing instead of sorting (default 4).
    int NonResBand() const { return nonResBand_; }
    void SetNonResBand(int value);

    // State of the last heading sort; nothing resets it when the table is
    // reloaded. The direction flag is one for the whole grid.
    int SortedCol() const { return sortedCol_; }
    const std::string& SortedTitle() const { return sortedTitle_; }
    bool SortShown() const { return sortShown_; }
    bool Ascending() const { return ascending_; }
    // Whether the last sort changed the order of the rows.
    bool LastSortMovedRows() const { return lastSortMoved_; }

    // The heading press at x (heading-row viewport coordinates): sorts when
    // the press is on a heading and not within NonResBand of a border.
    // True when it sorted. Mouse presses on the heading row call it.
    bool HeadingMouseDown(int x);
    // Rows fromRow .. toRow of grid sorted by column col in the current
    // direction (Ascending()), the grid's redrawing suspended meanwhile,
    // then ColumnSorted.
    void QuickSortGrid(TRecordTable& grid, int fromRow, int toRow, int col);

    // Redraw suspension, nested (the table's own counter).
    void BeginUpdate() { table_.BeginUpdate(); }
    void EndUpdate() { table_.EndUpdate(); }

    // While read-only (a conversion runs) cells cannot be edited, rows
    // cannot be dragged and headings do not sort; an open editor is closed.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const;

    // The current cell (the one the text pane shows); (-1, -1) when none.
    int CurrentCol() const;
    int CurrentRow() const;
    // Makes cell (col, row), clipped to the records, the current and only
    // selected cell and scrolls it into view.
    void SetCurrentCell(int col, int row);

    // The text of a cell for editing, every line with CR LF between them.
    QString CellText(int col, int row) const;
    // Stores text in a cell (for the text pane writing back while it is
    // the edit target). A character without a Shift_JIS code is refused
    // with a message and the cell is left as it was; a read-only grid
    // refuses silently. True when stored.
    bool SetCellText(int col, int row, const QString& text);

    // The cell under pos (grid widget coordinates): row 0 on the heading
    // row, column 0 on the row-number column; false and (-1, -1) when pos
    // is on no cell.
    bool MouseCell(const QPoint& pos, int& col, int& row) const;

    // Column 0 of rows first .. last gets the row numbers (last clipped to
    // the table).
    void RenumberRows(int first, int last);

    // Closes the in-place editor if one is open (the cell keeps what was
    // typed).
    void CloseEditor();
    bool IsEditing() const;

signals:
    // Before a sort or a row drag changes the order of the records (an undo
    // history closes the step being typed).
    void AboutToReorder();
    // After every sort made by a heading press (or QuickSortGrid).
    void ColumnSorted();
    // The current cell moved to (col, row).
    void CurrentCellChanged(int col, int row);
    // The user changed the text in the in-place editor of cell (col, row),
    // with every keystroke; the cell holds text already.
    void CellTextEdited(int col, int row, const QString& text);
    // A record was dragged by its row-number cell from row from to row to
    // (table rows); the rows between are renumbered already. The data are
    // modified.
    void RowMoved(int from, int to);
    // A mouse press or release anywhere on the grid (cells, headings, row
    // numbers); (col, row) as MouseCell, pos in grid widget coordinates.
    // A press on a heading is reported after its sort. A right-button press
    // on a cell does not move the current cell.
    void MousePressed(int col, int row, Qt::MouseButton button, const QPoint& pos);
    void MouseReleased(int col, int row, Qt::MouseButton button, const QPoint& pos);
    // A context menu was requested over the grid; (col, row) as MouseCell.
    void CellContextMenu(int col, int row, const QPoint& globalPos);
    // The grid received the keyboard focus (also when it takes it back from
    // its own in-place editor): the grid is the edit target again.
    void Entered();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void ApplyColumnWidths();
    void ApplyColumnWidth(int col);
    void ApplyRowNumberWidth();
    void UpdateSortMark();
    void ColumnResized(int section, int oldSize, int newSize);
    void SectionDragged(int logicalIndex, int oldVisual, int newVisual);
    void RememberCurrentCell();
    void RestoreCurrentCell();

    TRecordTable& table_;
    TRecordTableModel* model_;
    TSortHeaderView* heading_;
    TCellEditDelegate* delegate_;
    const TGlobal* global_ = nullptr;

    TSortops sortOps_ = soBoth;
    int spacing_ = 10;
    int nonResBand_ = 4;
    int sortedCol_ = 0;
    std::string sortedTitle_;
    bool sortShown_ = false;
    bool ascending_ = true;
    bool lastSortMoved_ = false;

    bool applyingWidths_ = false;
    int keptCol_ = -1; // current cell across a model reset
    int keptRow_ = -1;
};

} // namespace lexicana

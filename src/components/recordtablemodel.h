// TRecordTableModel: the record table seen by Qt views. Table rows 1.. and
// columns 1.. are the model's rows and columns; table row 0 (the headings)
// and column 0 (the row numbers) are the horizontal and vertical header
// labels. Cells stay Shift_JIS bytes in the table; they are decoded only when
// a view asks for them and re-encoded only when the user edits a cell.
#pragma once

#include "data/recordtable.h"

#include <QAbstractTableModel>
#include <QColor>
#include <functional>
#include <string>

namespace lexicana {

class TRecordTableModel : public QAbstractTableModel, public IRecordTableObserver {
    Q_OBJECT

public:
    // Extra item role: true for the cells of a file record.
    static constexpr int FileRecordRole = Qt::UserRole + 1;

    // Observes table (its single observer slot) until destroyed.
    explicit TRecordTableModel(TRecordTable& table, QObject* parent = nullptr);
    ~TRecordTableModel() override;

    TRecordTable& Table() { return table_; }
    const TRecordTable& Table() const { return table_; }

    // Table coordinates of a model index and back.
    static int TableCol(const QModelIndex& index) { return index.column() + 1; }
    static int TableRow(const QModelIndex& index) { return index.row() + 1; }
    QModelIndex IndexOfCell(int col, int row) const { return index(row - 1, col - 1); }

    // Tells which table rows are file records; they are drawn as bars in
    // the file-record colours. Without a test no row is one.
    void SetFileRecordTest(std::function<bool(int row)> test);
    bool IsFileRecordRow(int row) const;
    void SetFileRecordColors(const QColor& background, const QColor& text);

    // While read-only no cell is editable and setData refuses.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return readOnly_; }

    // The text of a cell for editing (every line, CR LF kept).
    QString CellText(int col, int row) const;
    // Encodes text to Shift_JIS and stores it in the cell (any cell of the
    // table, headings and row numbers included). A text with a character
    // that has no Shift_JIS code is refused with a message naming the
    // characters, and the cell is left as it was. True when stored.
    bool SetCellText(int col, int row, const QString& text);
    // Stores bytes in the cell without any conversion (restoring a cell).
    void SetCellBytes(int col, int row, std::string bytes);

    // The message shown when a text cannot be stored.
    static void ReportUnencodable(const QString& characters);

    // The display text of a cell: decoded, shortened for one line, line
    // breaks shown as a mark.
    static QString DisplayText(const std::string& cell);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // Relayed table notifications that are no model signals.
    void ColumnWidthChanged(int col);
    void RedrawSuspended(bool suspended);

private:
    // IRecordTableObserver
    void TableReset() override;
    void CellChanged(int col, int row) override;
    void RowsInserted(int row, int count) override;
    void RowsRemoved(int row, int count) override;
    void RowMoved(int from, int to) override;
    void RowsChanged(int first, int count) override;
    void ColWidthChanged(int col) override;
    void UpdatesSuspended(bool suspended) override;

    // The model's counts follow the table only through the notifications,
    // so that views always see counts that match the signals they got.
    int TableModelRows() const;
    // The table row of a model row, or -1 for a row that the table has
    // removed already while the views are being told.
    int TableRowOf(int modelRow) const;
    int TableModelCols() const;
    void Reset();
    void AllChanged();

    TRecordTable& table_;
    int rows_ = 0;
    int cols_ = 0;
    bool readOnly_ = false;
    bool suspended_ = false;
    bool pendingChange_ = false; // cells changed while suspended
    bool pendingReset_ = false; // sizes changed while suspended
    // While views hear of rows the table has inserted or removed already,
    // model rows from shiftFrom_ on are told as they were before:
    // shiftCount_ rows inserted (> 0) or removed (< 0) at shiftFrom_.
    int shiftFrom_ = -1;
    int shiftCount_ = 0;
    std::function<bool(int)> fileRecordTest_;
    QColor fileRecordBackground_;
    QColor fileRecordText_;
};

} // namespace lexicana

#include "components/recordtablemodel.h"

#include "common/messages.h"
#include "common/textcode.h"
#include "components/uitext.h"
#include "platform/qdoctext.h"

#include <QBrush>
#include <algorithm>
#include <string_view>

namespace lexicana {

namespace {

// A cell shows at most this many bytes in one line of the grid; the view
// elides the rest anyway, and a long cell must not cost a long decoding on
// every repaint.
constexpr std::size_t kDisplayBytes = 1024;

// Shown in place of each line break of a cell, which the grid shows in one
// line.
const QString kLineBreakMark = QStringLiteral(u"\u21B5");

} // namespace

TRecordTableModel::TRecordTableModel(TRecordTable& table, QObject* parent)
    : QAbstractTableModel(parent)
    , table_(table)
    , rows_(TableModelRows())
    , cols_(TableModelCols())
{
    table_.SetObserver(this);
}

TRecordTableModel::~TRecordTableModel()
{
    table_.SetObserver(nullptr);
}

void TRecordTableModel::SetFileRecordTest(std::function<bool(int row)> test)
{
    fileRecordTest_ = std::move(test);
    AllChanged();
}

bool TRecordTableModel::IsFileRecordRow(int row) const
{
    return fileRecordTest_ && row >= 1 && row < table_.RowCount() && fileRecordTest_(row);
}

void TRecordTableModel::SetFileRecordColors(const QColor& background, const QColor& text)
{
    fileRecordBackground_ = background;
    fileRecordText_ = text;
    AllChanged();
}

void TRecordTableModel::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
}

QString TRecordTableModel::CellText(int col, int row) const
{
    return QStringFromDoc(table_.Cell(col, row));
}

bool TRecordTableModel::SetCellText(int col, int row, const QString& text)
{
    if (col < 0 || col >= table_.ColCount() || row < 0 || row >= table_.RowCount())
        return false;
    QString unencodable;
    std::optional<std::string> bytes = DocFromQString(text, &unencodable);
    if (!bytes) {
        ReportUnencodable(unencodable);
        return false;
    }
    SetCellBytes(col, row, std::move(*bytes));
    return true;
}

void TRecordTableModel::SetCellBytes(int col, int row, std::string bytes)
{
    if (col < 0 || col >= table_.ColCount() || row < 0 || row >= table_.RowCount())
        return;
    if (table_.Cell(col, row) != bytes)
        table_.SetCell(col, row, std::move(bytes));
}

void TRecordTableModel::ReportUnencodable(const QString& characters)
{
    QString list;
    for (qsizetype i = 0; i < characters.size();) {
        const char32_t code = characters.at(i).isHighSurrogate() && i + 1 < characters.size()
            ? QChar::surrogateToUcs4(characters.at(i), characters.at(i + 1))
            : characters.at(i).unicode();
        const qsizetype length = code > 0xFFFF ? 2 : 1;
        if (!list.isEmpty())
            list += lexicana::TrQ("、");
        list += lexicana::TrQ("「%1」(U+%2)")
                    .arg(characters.mid(i, length),
                        QStringLiteral("%1").arg(static_cast<uint>(code), 4, 16, QLatin1Char('0')).toUpper());
        i += length;
    }
    // Only a Shift_JIS document refuses characters; UTF-8 would keep them.
    const QString text = lexicana::TrQ("次の文字はShift_JISで表せないため入力できません。\r\n") + list
        + QStringLiteral("\r\n")
        + lexicana::TrQ("項目データファイルを「名前を付けて保存」でUTF-8の形式にすると、これらの文字も使えます。");
    ShowError(text.toStdString());
}

QString TRecordTableModel::DisplayText(const std::string& cell)
{
    std::string_view bytes(cell);
    bool cut = false;
    if (bytes.size() > kDisplayBytes) {
        std::size_t pos = 0;
        while (pos < kDisplayBytes)
            pos += CharLength(bytes, pos);
        bytes = bytes.substr(0, pos);
        cut = true;
    }
    QString text = QStringFromDoc(bytes);
    if (bytes.find_first_of("\r\n") != std::string_view::npos) {
        text.replace(QLatin1String("\r\n"), kLineBreakMark);
        text.replace(QLatin1Char('\r'), kLineBreakMark);
        text.replace(QLatin1Char('\n'), kLineBreakMark);
    }
    if (cut)
        text += QChar(0x2026);
    return text;
}

int TRecordTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int TRecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cols_;
}

QVariant TRecordTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int col = TableCol(index);
    const int row = TableRowOf(index.row());
    if (row < 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return DisplayText(table_.Cell(col, row));
    case Qt::EditRole:
        return CellText(col, row);
    case FileRecordRole:
        return IsFileRecordRow(row);
    case Qt::BackgroundRole:
        if (fileRecordBackground_.isValid() && IsFileRecordRow(row))
            return QBrush(fileRecordBackground_);
        return {};
    case Qt::ForegroundRole:
        if (fileRecordText_.isValid() && IsFileRecordRow(row))
            return QBrush(fileRecordText_);
        return {};
    default:
        return {};
    }
}

bool TRecordTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || readOnly_)
        return false;
    return SetCellText(TableCol(index), TableRow(index), value.toString());
}

Qt::ItemFlags TRecordTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!readOnly_)
        result |= Qt::ItemIsEditable;
    return result;
}

QVariant TRecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal) {
        // A column without a heading (one the conversion table does not
        // name) is shown by its number; the heading cell itself stays empty.
        const std::string& heading = table_.Cell(section + 1, 0);
        return heading.empty() ? QVariant(QString::number(section + 1)) : QVariant(DisplayText(heading));
    }
    const int row = TableRowOf(section);
    return row < 0 ? QVariant() : QVariant(DisplayText(table_.Cell(0, row)));
}

int TRecordTableModel::TableRowOf(int modelRow) const
{
    if (shiftFrom_ < 0 || modelRow < shiftFrom_)
        return modelRow + 1;
    if (shiftCount_ > 0)
        return modelRow + 1 + shiftCount_;
    if (modelRow < shiftFrom_ - shiftCount_)
        return -1;
    return modelRow + 1 + shiftCount_;
}

int TRecordTableModel::TableModelRows() const
{
    return table_.ColCount() > 0 ? std::max(table_.RowCount() - 1, 0) : 0;
}

int TRecordTableModel::TableModelCols() const
{
    return table_.RowCount() > 0 ? std::max(table_.ColCount() - 1, 0) : 0;
}

void TRecordTableModel::Reset()
{
    if (suspended_) {
        pendingReset_ = true;
        return;
    }
    beginResetModel();
    rows_ = TableModelRows();
    cols_ = TableModelCols();
    endResetModel();
}

void TRecordTableModel::AllChanged()
{
    if (suspended_) {
        pendingChange_ = true;
        return;
    }
    if (rows_ > 0 && cols_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    if (cols_ > 0)
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    if (rows_ > 0)
        emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
}

void TRecordTableModel::TableReset()
{
    Reset();
}

void TRecordTableModel::CellChanged(int col, int row)
{
    if (suspended_) {
        pendingChange_ = true;
        return;
    }
    if (row == 0 && col >= 1 && col <= cols_)
        emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
    if (col == 0 && row >= 1 && row <= rows_)
        emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    // The whole row: a change of the record code makes or unmakes a file
    // record, which changes the look of every cell of the row.
    if (col >= 1 && row >= 1 && row <= rows_ && cols_ > 0)
        emit dataChanged(index(row - 1, 0), index(row - 1, cols_ - 1));
}

void TRecordTableModel::RowsInserted(int row, int count)
{
    if (suspended_ || row < 1 || count <= 0 || cols_ != TableModelCols() || rows_ + count != TableModelRows()
        || row - 1 > rows_) {
        Reset();
        return;
    }
    shiftFrom_ = row - 1;
    shiftCount_ = count;
    beginInsertRows(QModelIndex(), row - 1, row - 1 + count - 1);
    shiftFrom_ = -1;
    rows_ += count;
    endInsertRows();
}

void TRecordTableModel::RowsRemoved(int row, int count)
{
    if (suspended_ || row < 1 || count <= 0 || cols_ != TableModelCols() || rows_ - count != TableModelRows()
        || row - 1 + count > rows_) {
        Reset();
        return;
    }
    shiftFrom_ = row - 1;
    shiftCount_ = -count;
    beginRemoveRows(QModelIndex(), row - 1, row - 1 + count - 1);
    shiftFrom_ = -1;
    rows_ -= count;
    endRemoveRows();
}

void TRecordTableModel::RowMoved(int from, int to)
{
    if (suspended_) {
        pendingChange_ = true;
        return;
    }
    if (from < 1 || to < 1 || from > rows_ || to > rows_) {
        Reset();
        return;
    }
    // The destination row of a move is counted before the move.
    const int destination = to > from ? to : to - 1;
    if (!beginMoveRows(QModelIndex(), from - 1, from - 1, QModelIndex(), destination)) {
        Reset();
        return;
    }
    endMoveRows();
}

void TRecordTableModel::RowsChanged(int first, int count)
{
    if (suspended_) {
        pendingChange_ = true;
        return;
    }
    int last = first + count - 1;
    if (first <= 0 && last >= 0 && cols_ > 0)
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    first = std::max(first, 1);
    last = std::min(last, rows_);
    if (first > last)
        return;
    if (cols_ > 0)
        emit dataChanged(index(first - 1, 0), index(last - 1, cols_ - 1));
    emit headerDataChanged(Qt::Vertical, first - 1, last - 1);
}

void TRecordTableModel::ColWidthChanged(int col)
{
    emit ColumnWidthChanged(col);
}

void TRecordTableModel::UpdatesSuspended(bool suspended)
{
    suspended_ = suspended;
    if (!suspended) {
        const bool reset = pendingReset_ || rows_ != TableModelRows() || cols_ != TableModelCols();
        const bool change = pendingChange_;
        pendingReset_ = pendingChange_ = false;
        if (reset)
            Reset();
        else if (change)
            AllChanged();
    }
    emit RedrawSuspended(suspended);
}

} // namespace lexicana

#include "data/recordtable.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace lexicana {

namespace {

const std::string& EmptyCell()
{
    static const std::string empty;
    return empty;
}

} // namespace

TRecordTable::TRecordTable(int colCount, int rowCount)
    : colCount_(std::max(colCount, 0))
    , rows_(static_cast<std::size_t>(std::max(rowCount, 0)))
    , colWidths_(static_cast<std::size_t>(std::max(colCount, 0)), kDefaultColWidth)
{
}

TRecordTable::TRecordTable(const TRecordTable& other)
    : colCount_(other.colCount_)
    , rows_(other.rows_)
    , colWidths_(other.colWidths_)
{
}

TRecordTable& TRecordTable::operator=(const TRecordTable& other)
{
    if (this != &other) {
        if (journal_)
            journal_->ContentReplaced();
        colCount_ = other.colCount_;
        rows_ = other.rows_;
        colWidths_ = other.colWidths_;
        if (observer_)
            observer_->TableReset();
    }
    return *this;
}

int TRecordTable::ColCount() const
{
    return colCount_;
}

int TRecordTable::RowCount() const
{
    return static_cast<int>(rows_.size());
}

void TRecordTable::SetColCount(int count)
{
    count = std::max(count, 0);
    if (count == colCount_)
        return;
    if (journal_)
        journal_->BeforeColCount(*this, count);
    if (count < colCount_)
        for (auto& row : rows_)
            if (row.size() > static_cast<std::size_t>(count))
                row.resize(static_cast<std::size_t>(count));
    colCount_ = count;
    colWidths_.resize(static_cast<std::size_t>(count), kDefaultColWidth);
    if (observer_)
        observer_->TableReset();
}

void TRecordTable::SetRowCount(int count)
{
    count = std::max(count, 0);
    const int old = RowCount();
    if (count == old)
        return;
    if (journal_)
        journal_->BeforeRowCount(*this, count);
    rows_.resize(static_cast<std::size_t>(count));
    if (observer_) {
        if (count > old)
            observer_->RowsInserted(old, count - old);
        else
            observer_->RowsRemoved(count, old - count);
    }
}

const std::string& TRecordTable::Cell(int col, int row) const
{
    if (col < 0 || col >= colCount_ || row < 0 || row >= RowCount())
        return EmptyCell();
    const auto& cells = rows_[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)] : EmptyCell();
}

void TRecordTable::SetCell(int col, int row, std::string value)
{
    if (col < 0 || col >= colCount_ || row < 0 || row >= RowCount())
        throw std::out_of_range("cell outside the record table");
    if (journal_)
        journal_->BeforeCellSet(*this, col, row);
    auto& cells = rows_[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(col) < cells.size())
        cells[static_cast<std::size_t>(col)] = std::move(value);
    else if (!value.empty()) {
        cells.resize(static_cast<std::size_t>(col) + 1);
        cells.back() = std::move(value);
    }
    if (observer_)
        observer_->CellChanged(col, row);
}

int TRecordTable::ColWidth(int col) const
{
    if (col < 0 || col >= colCount_)
        return kDefaultColWidth;
    return colWidths_[static_cast<std::size_t>(col)];
}

void TRecordTable::SetColWidth(int col, int width)
{
    if (col < 0 || col >= colCount_)
        throw std::out_of_range("column outside the record table");
    colWidths_[static_cast<std::size_t>(col)] = width;
    if (observer_)
        observer_->ColWidthChanged(col);
}

void TRecordTable::CheckRow(int row) const
{
    if (row < 0 || row >= RowCount())
        throw std::out_of_range("row outside the record table");
}

void TRecordTable::CheckRange(int first, int count) const
{
    if (first < 0 || count < 0 || first > RowCount() - count)
        throw std::out_of_range("rows outside the record table");
}

int TRecordTable::UsedColCount(int firstRow) const
{
    std::size_t used = 0;
    for (std::size_t row = static_cast<std::size_t>(std::max(firstRow, 0)); row < rows_.size(); ++row) {
        const auto& cells = rows_[row];
        std::size_t end = cells.size();
        while (end > used && cells[end - 1].empty())
            --end;
        used = std::max(used, end);
    }
    return static_cast<int>(used);
}

int TRecordTable::UsedCellCount(int row) const
{
    CheckRow(row);
    const auto& cells = rows_[static_cast<std::size_t>(row)];
    std::size_t end = std::min(cells.size(), static_cast<std::size_t>(colCount_));
    while (end > 0 && cells[end - 1].empty())
        --end;
    return static_cast<int>(end);
}

std::vector<std::string> TRecordTable::Row(int row) const
{
    CheckRow(row);
    std::vector<std::string> cells = rows_[static_cast<std::size_t>(row)];
    cells.resize(static_cast<std::size_t>(colCount_));
    return cells;
}

std::vector<std::string> TRecordTable::Stored(std::vector<std::string> cells) const
{
    std::size_t end = std::min(cells.size(), static_cast<std::size_t>(colCount_));
    while (end > 0 && cells[end - 1].empty())
        --end;
    cells.resize(end);
    // A row read from a line of many empty fields gives its spare room back.
    if (cells.capacity() > 2 * end + 8)
        cells.shrink_to_fit();
    return cells;
}

void TRecordTable::SetRow(int row, std::vector<std::string> cells)
{
    CheckRow(row);
    if (journal_)
        journal_->BeforeRowSet(*this, row);
    rows_[static_cast<std::size_t>(row)] = Stored(std::move(cells));
    if (observer_)
        observer_->RowsChanged(row, 1);
}

void TRecordTable::AppendRow(std::vector<std::string> cells)
{
    rows_.push_back(Stored(std::move(cells)));
    if (journal_)
        journal_->RowInserted(RowCount() - 1);
    if (observer_)
        observer_->RowsInserted(RowCount() - 1, 1);
}

void TRecordTable::InsertRow(int row)
{
    if (row < 0 || row > RowCount())
        throw std::out_of_range("row outside the record table");
    rows_.insert(rows_.begin() + row, std::vector<std::string>());
    if (journal_)
        journal_->RowInserted(row);
    if (observer_)
        observer_->RowsInserted(row, 1);
}

void TRecordTable::DeleteRow(int row)
{
    CheckRow(row);
    if (journal_)
        journal_->BeforeRowDeleted(*this, row);
    rows_.erase(rows_.begin() + row);
    if (observer_)
        observer_->RowsRemoved(row, 1);
}

void TRecordTable::MoveRow(int from, int to)
{
    CheckRow(from);
    CheckRow(to);
    if (from == to)
        return;
    auto first = rows_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    if (journal_)
        journal_->RowMoved(from, to);
    if (observer_)
        observer_->RowMoved(from, to);
}

void TRecordTable::ExchangeRows(int a, int b)
{
    CheckRow(a);
    CheckRow(b);
    if (a == b)
        return;
    rows_[static_cast<std::size_t>(a)].swap(rows_[static_cast<std::size_t>(b)]);
    if (journal_)
        journal_->RowsExchanged(a, b);
    if (observer_) {
        observer_->RowsChanged(a, 1);
        observer_->RowsChanged(b, 1);
    }
}

void TRecordTable::CopyRow(int from, int to)
{
    CheckRow(from);
    CheckRow(to);
    if (from == to)
        return;
    if (journal_)
        journal_->BeforeRowSet(*this, to);
    rows_[static_cast<std::size_t>(to)] = rows_[static_cast<std::size_t>(from)];
    if (observer_)
        observer_->RowsChanged(to, 1);
}

void TRecordTable::ReorderRows(int first, const std::vector<int>& order)
{
    const int count = static_cast<int>(order.size());
    CheckRange(first, count);
    std::vector<char> seen(order.size(), 0);
    for (int index : order) {
        if (index < first || index >= first + count || seen[static_cast<std::size_t>(index - first)])
            throw std::invalid_argument("row order is not a permutation of its range");
        seen[static_cast<std::size_t>(index - first)] = 1;
    }
    std::vector<std::vector<std::string>> moved;
    moved.reserve(order.size());
    for (int index : order)
        moved.push_back(std::move(rows_[static_cast<std::size_t>(index)]));
    std::move(moved.begin(), moved.end(), rows_.begin() + first);
    if (journal_ && count > 0)
        journal_->RowsReordered(first, order);
    if (observer_ && count > 0)
        observer_->RowsChanged(first, count);
}

void TRecordTable::ReverseRows(int first, int last)
{
    if (last <= first)
        return;
    CheckRange(first, last - first + 1);
    std::reverse(rows_.begin() + first, rows_.begin() + last + 1);
    if (journal_)
        journal_->RowsReversed(first, last);
    if (observer_)
        observer_->RowsChanged(first, last - first + 1);
}

void TRecordTable::NumberRows()
{
    if (colCount_ == 0)
        return;
    for (int row = 1; row < RowCount(); ++row) {
        auto& cells = rows_[static_cast<std::size_t>(row)];
        if (cells.empty())
            cells.resize(1);
        cells[0] = std::to_string(row);
    }
    if (observer_ && RowCount() > 1)
        observer_->RowsChanged(1, RowCount() - 1);
}

void TRecordTable::ClearRecords()
{
    if (journal_)
        journal_->BeforeRecordsCleared(*this);
    for (std::size_t row = 1; row < rows_.size(); ++row)
        std::vector<std::string>().swap(rows_[row]);
    if (observer_ && RowCount() > 1)
        observer_->RowsChanged(1, RowCount() - 1);
}

void TRecordTable::BeginUpdate()
{
    if (updateCount_++ == 0 && observer_)
        observer_->UpdatesSuspended(true);
}

void TRecordTable::EndUpdate()
{
    if (updateCount_ == 0)
        return;
    if (--updateCount_ == 0 && observer_)
        observer_->UpdatesSuspended(false);
}

int TRecordTable::UpdateCount() const
{
    return updateCount_;
}

void TRecordTable::SetObserver(IRecordTableObserver* observer)
{
    observer_ = observer;
}

void TRecordTable::SwapContent(TRecordTable& other)
{
    if (this == &other)
        return;
    if (journal_)
        journal_->ContentReplaced();
    if (other.journal_)
        other.journal_->ContentReplaced();
    std::swap(colCount_, other.colCount_);
    rows_.swap(other.rows_);
    colWidths_.swap(other.colWidths_);
    if (observer_)
        observer_->TableReset();
    if (other.observer_)
        other.observer_->TableReset();
}

} // namespace lexicana

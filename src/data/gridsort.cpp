#include "data/gridsort.h"

#include "conversion/filerecords.h"
#include "platform/collation.h"

#include <algorithm>
#include <string_view>

namespace lexicana {

namespace {

// BeginUpdate / EndUpdate around a scope, also when it is left by an
// exception.
class UpdateGuard {
public:
    explicit UpdateGuard(TRecordTable& grid)
        : grid_(grid)
    {
        grid_.BeginUpdate();
    }
    ~UpdateGuard() { grid_.EndUpdate(); }
    UpdateGuard(const UpdateGuard&) = delete;
    UpdateGuard& operator=(const UpdateGuard&) = delete;

private:
    TRecordTable& grid_;
};

// Clips the range to the rows of the table; false when fewer than two rows
// remain to sort.
bool ClipRange(const TRecordTable& grid, int& fromRow, int& toRow)
{
    fromRow = std::max(fromRow, 0);
    toRow = std::min(toRow, grid.RowCount() - 1);
    return toRow > fromRow;
}

} // namespace

void QsortGrid(TRecordTable& grid, int fromRow, int toRow, int col)
{
    UpdateGuard update(grid);
    if (!ClipRange(grid, fromRow, toRow))
        return;
    std::vector<std::string_view> keys;
    keys.reserve(static_cast<std::size_t>(toRow - fromRow + 1));
    for (int row = fromRow; row <= toRow; ++row)
        keys.emplace_back(grid.Cell(col, row));
    const std::vector<std::size_t> order = StableCollatedOrder(keys);
    std::vector<int> rows(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        rows[i] = fromRow + static_cast<int>(order[i]);
    grid.ReorderRows(fromRow, rows);
}

void QuickSortGrid(TRecordTable& grid, int fromRow, int toRow, int col, bool ascending)
{
    QsortGrid(grid, fromRow, toRow, col);
    if (!ascending && ClipRange(grid, fromRow, toRow))
        grid.ReverseRows(fromRow, toRow);
}

void BubbleSortGrid(TRecordTable& grid, int fromRow, int toRow, int col)
{
    if (!ClipRange(grid, fromRow, toRow))
        return;
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (int row = fromRow; row < toRow; ++row) {
            if (grid.Cell(col, row) > grid.Cell(col, row + 1)) {
                grid.ExchangeRows(row, row + 1);
                exchanged = true;
            }
        }
    }
}

void MoveFileRecordsAhead(TRecordTable& grid, const TGlobal& global)
{
    const int key = global.SortCol;
    for (int row = 1; row <= grid.RowCount() - 2; ++row) {
        if (grid.Cell(key, row + 1) == grid.Cell(key, row) && IsFileRecord(grid, global, row + 1))
            grid.ExchangeRows(row, row + 1);
    }
}

} // namespace lexicana

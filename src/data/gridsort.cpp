#include "data/gridsort.h"

#include "data/filerecord.h"
#include "platform/collation.h"

#include <algorithm>
#include <numeric>
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

// Rows fromRow .. toRow (a clipped range) in ascending order of column col.
std::vector<int> SortedRows(const TRecordTable& grid, int fromRow, int toRow, int col)
{
    std::vector<std::string_view> keys;
    keys.reserve(static_cast<std::size_t>(toRow - fromRow + 1));
    for (int row = fromRow; row <= toRow; ++row)
        keys.emplace_back(grid.Cell(col, row));
    const std::vector<std::size_t> order = StableCollatedOrder(keys);
    std::vector<int> rows(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        rows[i] = fromRow + static_cast<int>(order[i]);
    return rows;
}

// Puts the rows listed in rows at fromRow and on (ReorderRows); false, and
// the table untouched, when every row is already in its place.
bool Reorder(TRecordTable& grid, int fromRow, const std::vector<int>& rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] != fromRow + static_cast<int>(i)) {
            grid.ReorderRows(fromRow, rows);
            return true;
        }
    }
    return false;
}

// Whether two Sort cells sort together (the sort compares them this way).
bool SortTogether(std::string_view a, std::string_view b)
{
    return a == b || CompareCollated(a, b) == 0;
}

// Within rows first .. last of the table (a run of equal collation), the
// places of each key's records go to its file records first. order holds
// for every table row (from row 1) the row that will stand there.
void FileRecordsFirstInRun(
    const TRecordTable& grid, const TGlobal& global, int first, int last, std::vector<int>& order)
{
    const int key = global.SortCol;
    std::vector<int> byKey(static_cast<std::size_t>(last - first + 1));
    std::iota(byKey.begin(), byKey.end(), first);
    // Rows of one key together, each key's rows still in table order.
    std::stable_sort(byKey.begin(), byKey.end(), [&](int a, int b) {
        return std::string_view(grid.Cell(key, a)) < std::string_view(grid.Cell(key, b));
    });
    auto group = byKey.begin();
    while (group != byKey.end()) {
        const std::string& value = grid.Cell(key, *group);
        const auto groupEnd
            = std::find_if(group, byKey.end(), [&](int row) { return grid.Cell(key, row) != value; });
        std::vector<int> members(group, groupEnd);
        std::stable_partition(
            members.begin(), members.end(), [&](int row) { return IsFileRecord(grid, global, row); });
        for (std::size_t i = 0; i < members.size(); ++i)
            order[static_cast<std::size_t>(group[static_cast<std::ptrdiff_t>(i)] - 1)] = members[i];
        group = groupEnd;
    }
}

} // namespace

bool HasSortColumn(const TRecordTable& grid, const TGlobal& global)
{
    return global.SortCol >= 1 && global.SortCol < grid.ColCount();
}

void QsortGrid(TRecordTable& grid, int fromRow, int toRow, int col)
{
    UpdateGuard update(grid);
    if (ClipRange(grid, fromRow, toRow))
        Reorder(grid, fromRow, SortedRows(grid, fromRow, toRow, col));
}

bool QuickSortGrid(TRecordTable& grid, int fromRow, int toRow, int col, bool ascending)
{
    UpdateGuard update(grid);
    if (!ClipRange(grid, fromRow, toRow))
        return false;
    std::vector<int> rows = SortedRows(grid, fromRow, toRow, col);
    if (!ascending)
        std::reverse(rows.begin(), rows.end());
    return Reorder(grid, fromRow, rows);
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

bool MoveFileRecordsAhead(TRecordTable& grid, const TGlobal& global)
{
    const int lastRow = grid.RowCount() - 1;
    if (!HasSortColumn(grid, global) || lastRow < 2)
        return false;
    const int key = global.SortCol;
    auto together = [&](int row) { return SortTogether(grid.Cell(key, row), grid.Cell(key, row + 1)); };
    std::vector<int> order(static_cast<std::size_t>(lastRow));
    std::iota(order.begin(), order.end(), 1);
    // Only runs holding a file record can change; each is found from its
    // first file record, so collation is consulted only around those.
    for (int row = 1; row <= lastRow; ++row) {
        if (!IsFileRecord(grid, global, row))
            continue;
        int first = row;
        while (first > 1 && together(first - 1))
            --first;
        int last = row;
        while (last < lastRow && together(last))
            ++last;
        if (last > first)
            FileRecordsFirstInRun(grid, global, first, last, order);
        row = last;
    }
    return Reorder(grid, 1, order);
}

} // namespace lexicana

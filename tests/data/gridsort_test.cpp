#include "data/gridsort.h"
#include "platform/sjistext.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace lexicana;

namespace {

// A table whose rows 1.. have the key in column 1 and an identifying tag in
// column 2 (column 0 holds the original row number).
TRecordTable Keyed(const std::vector<std::string>& keys)
{
    TRecordTable t(5, static_cast<int>(keys.size()) + 1);
    t.SetRow(0, { "No", "Key", "Tag" });
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        t.SetRow(row, { std::to_string(row), keys[i], "t" + std::to_string(row) });
    }
    return t;
}

std::vector<std::string> Column(const TRecordTable& t, int col)
{
    std::vector<std::string> cells;
    for (int row = 1; row < t.RowCount(); ++row)
        cells.push_back(t.Cell(col, row));
    return cells;
}

class UpdateWatcher : public IRecordTableObserver {
public:
    std::vector<bool> suspended;
    int changes = 0;
    void UpdatesSuspended(bool s) override { suspended.push_back(s); }
    void RowsChanged(int, int) override { ++changes; }
};

} // namespace

TEST(GridSort, QsortGridIgnoresCaseAndKeepsEqualKeysInOrder)
{
    TRecordTable t = Keyed({ "b", "A", "a", "Z", "B", "a" });
    QsortGrid(t, 1, t.RowCount() - 1, 1);
    EXPECT_EQ(Column(t, 1), (std::vector<std::string> { "A", "a", "a", "b", "B", "Z" }));
    EXPECT_EQ(Column(t, 2), (std::vector<std::string> { "t2", "t3", "t6", "t1", "t5", "t4" }));
    // Whole rows move, column 0 with them; the heading row stays.
    EXPECT_EQ(Column(t, 0), (std::vector<std::string> { "2", "3", "6", "1", "5", "4" }));
    EXPECT_EQ(t.Cell(1, 0), "Key");

    // Sorting again changes nothing: the same data always sort the same way.
    const TRecordTable once = t;
    QsortGrid(t, 1, t.RowCount() - 1, 1);
    for (int row = 0; row < t.RowCount(); ++row)
        EXPECT_EQ(t.Row(row), once.Row(row));
}

TEST(GridSort, QsortGridOrdersJapaneseByCollationAndOnlyTheRange)
{
    const std::string ka = SjisOf("か"), a = SjisOf("ア"), sa = SjisOf("さくら");
    TRecordTable t = Keyed({ "zz", sa, ka, a, "", "aa" });
    QsortGrid(t, 2, 5, 1);
    EXPECT_EQ(Column(t, 1), (std::vector<std::string> { "zz", "", a, ka, sa, "aa" }));

    // A range beyond the table is clipped; a key column beyond it sorts by
    // empty keys and so keeps the order.
    QsortGrid(t, 0, 99, 9);
    EXPECT_EQ(Column(t, 1), (std::vector<std::string> { "zz", "", a, ka, sa, "aa" }));
    QsortGrid(t, 4, 2, 1);
    QsortGrid(t, 3, 3, 1);
    EXPECT_EQ(t.Cell(1, 0), "Key");
}

TEST(GridSort, QuickSortGridReversesForDescendingAndSuspendsRedrawing)
{
    TRecordTable t = Keyed({ "b", "c", "a", "B" });
    UpdateWatcher watch;
    t.SetObserver(&watch);
    QuickSortGrid(t, 1, t.RowCount() - 1, 1, false);
    EXPECT_EQ(Column(t, 1), (std::vector<std::string> { "c", "B", "b", "a" }));
    EXPECT_EQ(watch.suspended, (std::vector<bool> { true, false }));
    EXPECT_EQ(t.UpdateCount(), 0);
    QuickSortGrid(t, 1, t.RowCount() - 1, 1, true);
    EXPECT_EQ(Column(t, 1), (std::vector<std::string> { "a", "B", "b", "c" }));

    // Inside an outer BeginUpdate the view hears nothing more of it.
    watch.suspended.clear();
    t.BeginUpdate();
    QuickSortGrid(t, 1, t.RowCount() - 1, 2, true);
    EXPECT_EQ(watch.suspended, (std::vector<bool> { true }));
    EXPECT_EQ(t.UpdateCount(), 1);
    t.EndUpdate();

    // An empty range sorts nothing and stays harmless.
    TRecordTable headingOnly(3, 1);
    QuickSortGrid(headingOnly, 1, 0, 1, false);
    EXPECT_EQ(headingOnly.RowCount(), 1);
}

TEST(GridSort, BubbleSortGridComparesBytesAndIsStable)
{
    TRecordTable t = Keyed({ "b", "a", "B", "a", SjisOf("あ"), "" });
    BubbleSortGrid(t, 1, t.RowCount() - 1, 1);
    EXPECT_EQ(Column(t, 1), (std::vector<std::string> { "", "B", "a", "a", "b", SjisOf("あ") }));
    EXPECT_EQ(Column(t, 2), (std::vector<std::string> { "t6", "t3", "t2", "t4", "t1", "t5" }));
}

TEST(GridSort, MoveFileRecordsAheadMovesAFileRecordUpOneRowPerPass)
{
    TGlobal global(false);
    global.SortCol = 1;
    global.RecordCodeCol = 3;
    const std::string file = global.FileRecordCode;
    auto table = [](const std::vector<std::pair<std::string, std::string>>& rows) {
        TRecordTable t(5, static_cast<int>(rows.size()) + 1);
        for (std::size_t i = 0; i < rows.size(); ++i)
            t.SetRow(static_cast<int>(i) + 1,
                { std::to_string(i + 1), rows[i].first, "t" + std::to_string(i + 1), rows[i].second });
        return t;
    };

    // Equal key just above: the file record goes ahead of it.
    TRecordTable t = table({ { "a", "" }, { "k", "" }, { "k", file }, { "z", "" } });
    MoveFileRecordsAhead(t, global);
    EXPECT_EQ(Column(t, 2), (std::vector<std::string> { "t1", "t3", "t2", "t4" }));

    // Preceded by two such rows it ends up between them.
    t = table({ { "k", "" }, { "k", "" }, { "k", file } });
    MoveFileRecordsAhead(t, global);
    EXPECT_EQ(Column(t, 2), (std::vector<std::string> { "t1", "t3", "t2" }));
    MoveFileRecordsAhead(t, global);
    EXPECT_EQ(Column(t, 2), (std::vector<std::string> { "t3", "t1", "t2" }));

    // Different key, a key equal only ignoring case, or a code that is not
    // exactly the file record code: nothing moves. The key is the Sort
    // column, not the column that was sorted.
    t = table({ { "k", "" }, { "K", file }, { "m", "" }, { "m", file + " " }, { "x", "" }, { "y", file } });
    t.SetCell(2, 5, "same");
    t.SetCell(2, 6, "same");
    MoveFileRecordsAhead(t, global);
    EXPECT_EQ(Column(t, 0), (std::vector<std::string> { "1", "2", "3", "4", "5", "6" }));

    // A file record just below the heading row never passes it.
    t = table({ { "k", file }, { "k", "" } });
    t.SetCell(1, 0, "k");
    MoveFileRecordsAhead(t, global);
    EXPECT_EQ(Column(t, 0), (std::vector<std::string> { "1", "2" }));
}

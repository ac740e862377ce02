#include "conversion/filerecords.h"
#include "data/gridsort.h"
#include "platform/sjistext.h"

#include <gtest/gtest.h>
#include <random>
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
    EXPECT_TRUE(QuickSortGrid(t, 1, t.RowCount() - 1, 1, false));
    EXPECT_EQ(Column(t, 1), (std::vector<std::string> { "c", "B", "b", "a" }));
    EXPECT_EQ(watch.suspended, (std::vector<bool> { true, false }));
    EXPECT_EQ(t.UpdateCount(), 0);
    EXPECT_TRUE(QuickSortGrid(t, 1, t.RowCount() - 1, 1, true));
    EXPECT_EQ(Column(t, 1), (std::vector<std::string> { "a", "B", "b", "c" }));
    // Sorted already: no row changes its place.
    EXPECT_FALSE(QuickSortGrid(t, 1, t.RowCount() - 1, 1, true));

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

// Rows 1.. of a table with the key in column 1, a tag in column 2 and the
// record code in column 3 (column 0 holds the original row number).
TRecordTable WithCodes(const std::vector<std::pair<std::string, std::string>>& rows)
{
    TRecordTable t(5, static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i)
        t.SetRow(static_cast<int>(i) + 1,
            { std::to_string(i + 1), rows[i].first, "t" + std::to_string(i + 1), rows[i].second });
    return t;
}

TGlobal CodesInColumn3()
{
    TGlobal global(false);
    global.SortCol = 1;
    global.RecordCodeCol = 3;
    return global;
}

TEST(GridSort, MoveFileRecordsAheadPutsFileRecordsFirstAmongTheirKey)
{
    TGlobal global = CodesInColumn3();
    const std::string file = global.FileRecordCode;
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> rows;
        std::vector<std::string> tags; // column 2 afterwards
    };
    const std::vector<Case> cases = {
        { "equal key just above", { { "a", "" }, { "k", "" }, { "k", file }, { "z", "" } },
            { "t1", "t3", "t2", "t4" } },
        { "ahead of every equal key at once", { { "k", "" }, { "k", "" }, { "k", file } },
            { "t3", "t1", "t2" } },
        { "file records keep their order, so do the others",
            { { "k", "" }, { "k", file }, { "k", "" }, { "k", file }, { "m", "" } },
            { "t2", "t4", "t1", "t3", "t5" } },
        // Keys equal but for letter case sort together: the file record
        // takes the first place of its own key, the other key stays put.
        { "keys that sort together", { { "k", "" }, { "K", "" }, { "k", file } }, { "t3", "t2", "t1" } },
        { "key equal only ignoring case", { { "k", "" }, { "K", file } }, { "t1", "t2" } },
        { "code not exactly the file record code", { { "m", "" }, { "m", file + " " } }, { "t1", "t2" } },
        // The key is the Sort column, not the column that was sorted.
        { "other key, same tag", { { "x", "" }, { "y", file } }, { "t1", "t2" } },
    };
    for (const Case& c : cases) {
        TRecordTable t = WithCodes(c.rows);
        const bool moved = MoveFileRecordsAhead(t, global);
        EXPECT_EQ(Column(t, 2), c.tags) << c.what;
        EXPECT_EQ(moved, Column(t, 0) != Column(WithCodes(c.rows), 0)) << c.what;
        // A second pass finds everything in place.
        EXPECT_FALSE(MoveFileRecordsAhead(t, global)) << c.what;
        EXPECT_EQ(Column(t, 2), c.tags) << c.what;
    }

    // A file record just below the heading row never passes it.
    TRecordTable t = WithCodes({ { "k", file }, { "k", "" } });
    t.SetCell(1, 0, "k");
    MoveFileRecordsAhead(t, global);
    EXPECT_EQ(Column(t, 0), (std::vector<std::string> { "1", "2" }));
}

TEST(GridSort, WithoutASortColumnInTheGridNothingMoves)
{
    // With the Sort column outside the grid every key would read as empty
    // and file records would change parts.
    TGlobal global = CodesInColumn3();
    const std::string file = global.FileRecordCode;
    const TRecordTable parts
        = WithCodes({ { "a", file }, { "a", "" }, { "a", "" }, { "b", file }, { "b", "" } });
    for (int sortCol : { 0, -1, 5, 9 }) {
        global.SortCol = sortCol;
        TRecordTable t = parts;
        EXPECT_FALSE(HasSortColumn(t, global)) << sortCol;
        EXPECT_FALSE(MoveFileRecordsAhead(t, global)) << sortCol;
        EXPECT_EQ(Column(t, 2), Column(parts, 2)) << sortCol;
    }
    global.SortCol = 4;
    EXPECT_TRUE(HasSortColumn(parts, global));
}

TEST(GridSort, SortingTwiceGivesTheOrderOfSortingOnce)
{
    // The sort before every conversion: by the Sort column, then the
    // file-record pass. Random tables of few keys (some equal but for case)
    // and many file records.
    const TGlobal global = CodesInColumn3();
    const std::vector<std::string> keys = { "a", "A", "b", "", SjisOf("か"), SjisOf("カ") };
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::pair<std::string, std::string>> rows;
        const int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i)
            rows.emplace_back(keys[random() % keys.size()], random() % 3 == 0 ? global.FileRecordCode : "");
        TRecordTable t = WithCodes(rows);
        auto sort = [&] {
            QsortGrid(t, 1, t.RowCount() - 1, 1);
            MoveFileRecordsAhead(t, global);
        };
        sort();
        const std::vector<std::string> once = Column(t, 2);
        // Every file record stands ahead of every record of its key.
        for (int row = 1; row < t.RowCount(); ++row) {
            for (int above = 1; above < row && IsFileRecord(t, global, row); ++above)
                EXPECT_FALSE(t.Cell(1, above) == t.Cell(1, row) && !IsFileRecord(t, global, above))
                    << "round " << round << " row " << row;
        }
        sort();
        EXPECT_EQ(Column(t, 2), once) << "round " << round;
    }
}

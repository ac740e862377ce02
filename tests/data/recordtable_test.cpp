#include "data/recordtable.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

using namespace lexicana;

namespace {

// Writes every notification as a short text.
class RecordingObserver : public IRecordTableObserver {
public:
    std::vector<std::string> events;
    void TableReset() override { events.push_back("reset"); }
    void CellChanged(int col, int row) override { Add("cell", col, row); }
    void RowsInserted(int row, int count) override { Add("inserted", row, count); }
    void RowsRemoved(int row, int count) override { Add("removed", row, count); }
    void RowMoved(int from, int to) override { Add("moved", from, to); }
    void RowsChanged(int first, int count) override { Add("changed", first, count); }
    void ColWidthChanged(int col) override { events.push_back("width " + std::to_string(col)); }
    void UpdatesSuspended(bool suspended) override { events.push_back(suspended ? "suspend" : "resume"); }

private:
    void Add(const char* what, int a, int b)
    {
        events.push_back(std::string(what) + " " + std::to_string(a) + " " + std::to_string(b));
    }
};

// Column 1 of rows 0.. as one text, e.g. "h|a|b".
std::string Column1(const TRecordTable& t)
{
    std::string s;
    for (int row = 0; row < t.RowCount(); ++row)
        s += (row ? "|" : "") + t.Cell(1, row);
    return s;
}

TRecordTable Letters(const std::string& letters)
{
    TRecordTable t(3, static_cast<int>(letters.size()) + 1);
    t.SetCell(1, 0, "h");
    for (std::size_t i = 0; i < letters.size(); ++i) {
        t.SetCell(1, static_cast<int>(i) + 1, std::string(1, letters[i]));
        t.SetCell(2, static_cast<int>(i) + 1, "x" + std::string(1, letters[i]));
    }
    return t;
}

} // namespace

TEST(RecordTable, ResizingKeepsCellsAndWidthsThatStay)
{
    TRecordTable t(3, 2);
    EXPECT_EQ(t.ColCount(), 3);
    EXPECT_EQ(t.RowCount(), 2);
    t.SetCell(2, 1, "keep");
    t.SetCell(0, 1, "1");
    t.SetColWidth(2, 120);
    t.SetColCount(5);
    t.SetRowCount(4);
    EXPECT_EQ(t.Cell(2, 1), "keep");
    EXPECT_EQ(t.Cell(4, 3), "");
    EXPECT_EQ(t.ColWidth(2), 120);
    EXPECT_EQ(t.ColWidth(4), TRecordTable::kDefaultColWidth);
    EXPECT_EQ(t.Row(3).size(), 5u);

    t.SetColCount(2);
    EXPECT_EQ(t.Cell(2, 1), ""); // outside reads empty
    t.SetColCount(3);
    EXPECT_EQ(t.Cell(2, 1), ""); // a column dropped once is gone
    EXPECT_EQ(t.ColWidth(2), TRecordTable::kDefaultColWidth);
    EXPECT_EQ(t.Cell(0, 1), "1");

    EXPECT_EQ(t.Cell(-1, 0), "");
    EXPECT_EQ(t.Cell(0, 99), "");
    EXPECT_THROW(t.SetCell(3, 0, "x"), std::out_of_range);
    EXPECT_THROW(t.SetCell(0, 4, "x"), std::out_of_range);
    EXPECT_THROW(t.Row(4), std::out_of_range);
    t.SetRowCount(-3);
    EXPECT_EQ(t.RowCount(), 0);
}

TEST(RecordTable, RowOperationsMoveWholeRows)
{
    TRecordTable t = Letters("abcde");
    t.InsertRow(2);
    EXPECT_EQ(Column1(t), "h|a||b|c|d|e");
    EXPECT_EQ(t.Row(2).size(), 3u);
    t.DeleteRow(2);
    t.DeleteRow(5);
    EXPECT_EQ(Column1(t), "h|a|b|c|d");
    t.InsertRow(t.RowCount()); // append
    EXPECT_EQ(Column1(t), "h|a|b|c|d|");
    t.DeleteRow(5);
    t.AppendRow({ "5", "e", "xe", "beyond" });
    EXPECT_EQ(t.Row(5), (std::vector<std::string> { "5", "e", "xe" }));
    t.DeleteRow(5);

    t.MoveRow(1, 3);
    EXPECT_EQ(Column1(t), "h|b|c|a|d");
    t.MoveRow(4, 1);
    EXPECT_EQ(Column1(t), "h|d|b|c|a");
    EXPECT_EQ(t.Cell(2, 1), "xd"); // every column travels with the row
    t.ExchangeRows(1, 4);
    EXPECT_EQ(Column1(t), "h|a|b|c|d");
    t.CopyRow(2, 3);
    EXPECT_EQ(Column1(t), "h|a|b|b|d");
    EXPECT_EQ(t.Cell(2, 3), "xb");

    t.SetRow(3, { "9", "z" });
    EXPECT_EQ(t.Row(3), (std::vector<std::string> { "9", "z", "" }));
    t.SetRow(3, { "9", "c", "xc", "beyond" });
    EXPECT_EQ(t.Row(3).size(), 3u);

    t.ReorderRows(1, { 4, 3, 2, 1 });
    EXPECT_EQ(Column1(t), "h|d|c|b|a");
    t.ReverseRows(2, 4);
    EXPECT_EQ(Column1(t), "h|d|a|b|c");
    EXPECT_THROW(t.ReorderRows(1, { 1, 1 }), std::invalid_argument);
    EXPECT_THROW(t.ReorderRows(1, { 1, 3 }), std::invalid_argument);
    EXPECT_THROW(t.ReorderRows(3, { 3, 4, 5 }), std::out_of_range);
    EXPECT_EQ(Column1(t), "h|d|a|b|c"); // refused orders change nothing

    EXPECT_THROW(t.DeleteRow(5), std::out_of_range);
    EXPECT_THROW(t.InsertRow(6), std::out_of_range);
    EXPECT_THROW(t.MoveRow(0, 5), std::out_of_range);
}

TEST(RecordTable, NumberRowsAndClearRecordsLeaveTheHeadingRow)
{
    TRecordTable t = Letters("abc");
    t.SetCell(0, 0, "No");
    t.NumberRows();
    EXPECT_EQ(t.Cell(0, 0), "No");
    EXPECT_EQ(t.Cell(0, 1), "1");
    EXPECT_EQ(t.Cell(0, 3), "3");
    t.ClearRecords();
    EXPECT_EQ(Column1(t), "h|||");
    EXPECT_EQ(t.Cell(0, 2), "");
    EXPECT_EQ(t.RowCount(), 4);
}

TEST(RecordTable, ObserverHearsEveryChangeAndOnlyTheOutermostUpdatePair)
{
    TRecordTable t = Letters("abc");
    RecordingObserver seen;
    t.SetObserver(&seen);
    t.SetCell(1, 2, "q");
    t.AppendRow({});
    t.DeleteRow(4);
    t.InsertRow(1);
    t.DeleteRow(1);
    t.MoveRow(1, 3);
    t.ExchangeRows(1, 2);
    t.CopyRow(1, 2);
    t.SetRowCount(6);
    t.SetRowCount(4);
    t.SetColWidth(1, 80);
    t.SetColCount(4);
    t.NumberRows();
    t.BeginUpdate();
    t.BeginUpdate();
    t.ReorderRows(1, { 3, 2, 1 });
    t.EndUpdate();
    EXPECT_EQ(t.UpdateCount(), 1);
    t.EndUpdate();
    t.EndUpdate(); // unbalanced: ignored
    EXPECT_EQ(t.UpdateCount(), 0);
    const std::vector<std::string> expected { "cell 1 2", "inserted 4 1", "removed 4 1", "inserted 1 1",
        "removed 1 1", "moved 1 3", "changed 1 1", "changed 2 1", "changed 2 1", "inserted 4 2",
        "removed 4 2", "width 1", "reset", "changed 1 3", "suspend", "changed 1 3", "resume" };
    EXPECT_EQ(seen.events, expected);
}

TEST(RecordTable, SwapAndCopyLeaveObserversWithTheirTables)
{
    TRecordTable shown = Letters("ab");
    RecordingObserver seen;
    shown.SetObserver(&seen);
    shown.BeginUpdate();

    TRecordTable copy(shown);
    EXPECT_EQ(Column1(copy), "h|a|b");
    EXPECT_EQ(copy.UpdateCount(), 0);
    copy.SetCell(1, 1, "changed");
    EXPECT_EQ(seen.events.size(), 1u); // only "suspend"

    TRecordTable loaded(7, 2);
    loaded.SetCell(6, 1, "new");
    loaded.SetColWidth(6, 33);
    shown.SwapContent(loaded);
    EXPECT_EQ(shown.ColCount(), 7);
    EXPECT_EQ(shown.Cell(6, 1), "new");
    EXPECT_EQ(shown.ColWidth(6), 33);
    EXPECT_EQ(shown.UpdateCount(), 1);
    EXPECT_EQ(loaded.ColCount(), 3);
    EXPECT_EQ(seen.events.back(), "reset");
    loaded.SetCell(1, 1, "old table");
    EXPECT_EQ(seen.events.back(), "reset");

    copy = loaded;
    EXPECT_EQ(copy.Cell(1, 1), "old table");
    shown = loaded; // assignment keeps the observer and tells it
    EXPECT_EQ(seen.events.back(), "reset");
    shown.SetCell(1, 1, "x");
    EXPECT_EQ(seen.events.back(), "cell 1 1");
    shown.EndUpdate();
}

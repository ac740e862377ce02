#include "data/gridsort.h"
#include "data/recordhistory.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace lexicana {
namespace {

// The records as the user sees them (row numbers left out), one line each.
std::string Records(const TRecordTable& table)
{
    std::string text;
    for (int row = 1; row < table.RowCount(); ++row) {
        for (int col = 1; col < table.ColCount(); ++col)
            text += table.Cell(col, row) + ",";
        text += "\n";
    }
    return text;
}

TRecordTable Sample(int rows)
{
    TRecordTable table(4, rows + 1);
    for (int row = 1; row <= rows; ++row)
        for (int col = 1; col < 4; ++col)
            if ((row + col) % 4 != 0)
                table.SetCell(col, row,
                    std::string(1, static_cast<char>('a' + (row * 7 + col * 3) % 26)) + std::to_string(row));
    table.NumberRows();
    return table;
}

TEST(RecordHistory, EveryChangeIsUndoneAndRedoneAsOneStep)
{
    using Op = std::function<void(TRecordTable&)>;
    const std::vector<std::pair<const char*, Op>> ops = {
        { "cell typed key by key",
            [](TRecordTable& t) {
                t.SetCell(2, 3, "x");
                t.SetCell(2, 3, "xy");
                t.SetCell(2, 3, "xyz");
            } },
        { "insert", [](TRecordTable& t) { t.InsertRow(2); } },
        { "append",
            [](TRecordTable& t) {
                t.AppendRow({ "", "new" });
            } },
        { "delete", [](TRecordTable& t) { t.DeleteRow(3); } },
        { "move down", [](TRecordTable& t) { t.MoveRow(1, 5); } },
        { "move up", [](TRecordTable& t) { t.MoveRow(6, 2); } },
        { "exchange", [](TRecordTable& t) { t.ExchangeRows(1, 4); } },
        { "sort", [](TRecordTable& t) { QuickSortGrid(t, 1, t.RowCount() - 1, 2, false); } },
        { "reverse", [](TRecordTable& t) { t.ReverseRows(2, 6); } },
        { "copy row", [](TRecordTable& t) { t.CopyRow(1, 3); } },
        { "fewer records", [](TRecordTable& t) { t.SetRowCount(3); } },
        { "more records", [](TRecordTable& t) { t.SetRowCount(12); } },
        { "clear", [](TRecordTable& t) { t.ClearRecords(); } },
        { "replace all",
            [](TRecordTable& t) {
                for (int row = 1; row < t.RowCount(); ++row)
                    t.SetCell(1, row, t.Cell(1, row) + "!");
            } },
        { "insert file record",
            [](TRecordTable& t) {
                t.InsertRow(1);
                t.SetCell(1, 1, "#");
                t.SetCell(2, 1, "p.html");
            } },
    };
    for (const auto& [name, op] : ops) {
        SCOPED_TRACE(name);
        TRecordTable table = Sample(7);
        TRecordHistory history(table);
        const std::string before = Records(table);
        {
            TRecordStep step(history, name);
            op(table);
        }
        const std::string after = Records(table);
        ASSERT_NE(before, after);
        ASSERT_EQ(history.UndoCount(), 1);
        EXPECT_EQ(history.UndoName(), name);
        EXPECT_FALSE(history.AtSavedState());
        ASSERT_TRUE(history.Undo());
        EXPECT_EQ(Records(table), before);
        EXPECT_TRUE(history.AtSavedState());
        EXPECT_EQ(history.RedoName(), name);
        ASSERT_TRUE(history.Redo());
        EXPECT_EQ(Records(table), after);
        ASSERT_TRUE(history.Undo());
        EXPECT_EQ(Records(table), before);
        EXPECT_FALSE(history.CanUndo());
    }
}

TEST(RecordHistory, RandomEditsUndoToTheStartAndRedoToTheEnd)
{
    std::mt19937 random(17);
    for (int trial = 0; trial < 50; ++trial) {
        TRecordTable table = Sample(6);
        TRecordHistory history(table);
        std::vector<std::string> states { Records(table) };
        for (int step = 0; step < 20; ++step) {
            const int rows = table.RowCount();
            auto any = [&](int from) {
                return from + static_cast<int>(random() % static_cast<unsigned>(rows - from));
            };
            TRecordStep scope(history, "step");
            switch (random() % 6) {
            case 0:
                table.SetCell(1 + static_cast<int>(random() % 3), any(1), std::to_string(random() % 100));
                break;
            case 1:
                table.InsertRow(any(1));
                break;
            case 2:
                if (rows > 2)
                    table.DeleteRow(any(1));
                break;
            case 3:
                table.MoveRow(any(1), any(1));
                break;
            case 4:
                QuickSortGrid(table, 1, rows - 1, 1 + static_cast<int>(random() % 3), random() % 2 == 0);
                break;
            default:
                table.SetRowCount(std::max(2, rows + static_cast<int>(random() % 5) - 2));
            }
            if (history.UndoCount() == static_cast<int>(states.size()))
                states.push_back(Records(table));
        }
        ASSERT_EQ(history.UndoCount() + 1, static_cast<int>(states.size()));
        for (std::size_t i = states.size() - 1; i > 0; --i) {
            ASSERT_TRUE(history.Undo());
            ASSERT_EQ(Records(table), states[i - 1]) << "trial " << trial;
        }
        for (std::size_t i = 1; i < states.size(); ++i) {
            ASSERT_TRUE(history.Redo());
            ASSERT_EQ(Records(table), states[i]) << "trial " << trial;
        }
    }
}

TEST(RecordHistory, SavedStateFollowsUndoRedoAndNewSteps)
{
    TRecordTable table = Sample(3);
    TRecordHistory history(table);
    int told = 0;
    history.SetListener([&] { ++told; });
    // Typing outside a step opens one step per cell visit.
    table.SetCell(1, 1, "a");
    table.SetCell(1, 1, "ab");
    history.NameOpenStep("edit");
    EXPECT_EQ(history.UndoCount(), 1);
    history.Seal();
    table.SetCell(1, 2, "c");
    history.MarkSaved();
    EXPECT_TRUE(history.AtSavedState());
    EXPECT_EQ(history.UndoCount(), 2);
    history.Undo();
    EXPECT_FALSE(history.AtSavedState());
    history.Redo();
    EXPECT_TRUE(history.AtSavedState());
    history.Undo();
    // A new change after an undo loses the redo and the saved state with it.
    table.SetCell(2, 2, "d");
    history.Seal();
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.AtSavedState());
    history.Undo();
    EXPECT_FALSE(history.AtSavedState());
    // A cell typed in and put back as it was is no step at all.
    const std::string old = table.Cell(3, 3);
    table.SetCell(3, 3, "zz");
    table.SetCell(3, 3, old);
    history.Seal();
    EXPECT_EQ(history.UndoCount(), 1);
    EXPECT_GT(told, 0);
    // Such a visit after an undo keeps the redo and the saved state.
    history.MarkSaved();
    history.Undo();
    table.SetCell(3, 3, "zz");
    table.SetCell(3, 3, old);
    history.Seal();
    EXPECT_TRUE(history.CanRedo());
    history.Redo();
    EXPECT_TRUE(history.AtSavedState());
    // Fewer columns: steps could hold cells of the columns that go, so the
    // history starts afresh; the records are as saved as they were.
    table.SetColCount(6);
    EXPECT_TRUE(history.CanUndo());
    table.SetColCount(4);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.AtSavedState());
    // Loading replaces the content: the history starts afresh.
    TRecordTable loaded = Sample(2);
    table.SwapContent(loaded);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    // Headings and row numbers are not records.
    history.Clear(true);
    table.SetCell(1, 0, "heading");
    table.SetCell(0, 1, "9");
    EXPECT_FALSE(history.CanUndo());
}

TEST(RecordHistory, MemoryLimitForgetsTheOldestSteps)
{
    TRecordTable table = Sample(3);
    TRecordHistory history(table);
    history.MarkSaved();
    history.SetMemoryLimit(4000);
    for (int i = 0; i < 100; ++i) {
        TRecordStep step(history, "s");
        table.SetCell(1, 1, std::string(100, static_cast<char>('a' + i % 26)));
    }
    EXPECT_LE(history.MemoryUsed(), 4000u);
    EXPECT_LT(history.UndoCount(), 100);
    EXPECT_GT(history.UndoCount(), 5);
    while (history.Undo()) { }
    // The saved state was forgotten with the oldest steps.
    EXPECT_FALSE(history.AtSavedState());
}

} // namespace
} // namespace lexicana

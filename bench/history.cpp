// Cost of the undo history of the records, with the window's grid showing
// the table offscreen: a Replace All over every record of a 100,000-record
// table, its undo and redo, a heading sort undone, and the memory a day of
// editing keeps (typing in cells, inserts, deletes, sorts and replacements).
// Usage: bench_history [records]
#include "benchtable.h"
#include "components/strsortgrid.h"
#include "data/gridsort.h"
#include "data/recordhistory.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>

using namespace lexicana;
using lexicana::bench::MakeTable;

namespace {

double Millis(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

void Paint(QWidget& widget)
{
    widget.repaint();
    QApplication::processEvents();
}

// Times one undo (redo when redo is true) with the grid repainted after it.
double Replay(TRecordHistory& history, QWidget& grid, bool redo)
{
    const auto start = std::chrono::steady_clock::now();
    if (!(redo ? history.Redo() : history.Undo()))
        std::printf("nothing to %s\n", redo ? "redo" : "undo");
    Paint(grid);
    return Millis(start);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? std::stoi(argv[1]) : 100000;

    TRecordTable table = MakeTable(records);
    TStrSortGrid grid(table);
    TRecordHistory history(table);
    grid.resize(1000, 700);
    grid.show();
    Paint(grid);

    // Replace All: one cell of every record, as the find and replace code
    // writes them (the grid's redrawing suspended meanwhile).
    auto start = std::chrono::steady_clock::now();
    {
        TRecordStep step(history, "replace all");
        table.BeginUpdate();
        for (int row = 1; row < table.RowCount(); ++row)
            table.SetCell(3, row, table.Cell(3, row) + "x");
        table.EndUpdate();
    }
    Paint(grid);
    std::printf("replace all of %d cells: %.0f ms, history %.1f MB\n", records, Millis(start),
        static_cast<double>(history.MemoryUsed()) / 1e6);
    std::printf("undo replace all: %.0f ms\n", Replay(history, grid, false));
    std::printf("redo replace all: %.0f ms\n", Replay(history, grid, true));

    start = std::chrono::steady_clock::now();
    grid.QuickSortGrid(table, 1, table.RowCount() - 1, 2);
    Paint(grid);
    std::printf("heading sort: %.0f ms, history %.1f MB\n", Millis(start),
        static_cast<double>(history.MemoryUsed()) / 1e6);
    std::printf("undo sort: %.0f ms\n", Replay(history, grid, false));

    // A day of editing: 5,000 cell visits of 40 keystrokes, 500 inserts and
    // deletes, 20 sorts and 20 replacements of 1,000 cells each.
    history.Clear(true);
    std::mt19937 random(7);
    auto anyRow
        = [&] { return 1 + static_cast<int>(random() % static_cast<unsigned>(table.RowCount() - 1)); };
    start = std::chrono::steady_clock::now();
    for (int visit = 0; visit < 5000; ++visit) {
        const int row = anyRow();
        const int col = 1 + static_cast<int>(random() % 5);
        std::string text = table.Cell(col, row);
        for (int key = 0; key < 40; ++key) {
            text += static_cast<char>('a' + key % 26);
            table.SetCell(col, row, text);
        }
        history.Seal();
        if (visit % 10 == 0) {
            TRecordStep step(history, "insert");
            table.InsertRow(anyRow());
        }
        if (visit % 10 == 5) {
            TRecordStep step(history, "delete");
            table.DeleteRow(anyRow());
        }
        if (visit % 250 == 0) {
            TRecordStep step(history, "sort");
            QuickSortGrid(table, 1, table.RowCount() - 1, 1 + visit / 250 % 3, visit % 500 == 0);
        }
        if (visit % 250 == 100) {
            TRecordStep step(history, "replace");
            for (int i = 0; i < 1000; ++i) {
                const int row2 = anyRow();
                table.SetCell(4, row2, table.Cell(4, row2) + "y");
            }
        }
    }
    std::printf("a day of editing (5,000 cell visits, 1,000 inserts and deletes, 20 sorts, 20 replacements): "
                "%d steps, history %.1f MB (limit 64 MB), %.0f ms\n",
        history.UndoCount(), static_cast<double>(history.MemoryUsed()) / 1e6, Millis(start));
    return 0;
}

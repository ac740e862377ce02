// Speed of the record grid of the window program, offscreen: writes an item
// data file of 100,000 records x 10 columns, then times opening it into the
// grid until the first paint is done, scrolling to the end and back,
// selecting cells, a heading sort of every record and a row drag.
// Usage: bench_gridview [records]
#include "benchtable.h"
#include "components/recordtablemodel.h"
#include "components/sortheaderview.h"
#include "components/strsortgrid.h"
#include "data/global.h"
#include "data/gridsort.h"
#include "data/itemfile.h"
#include "platform/sjistext.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using namespace lexicana;
using lexicana::bench::MakeTable;

namespace {

double Millis(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

// A left click as the window system delivers it.
void Click(QWidget* widget, const QPoint& pos)
{
    const QPointF local(pos);
    const QPointF global(widget->mapToGlobal(pos));
    QMouseEvent press(
        QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(
        QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

// Lets the view lay itself out and paints it once, as a first showing does.
void Paint(QWidget& widget)
{
    QCoreApplication::processEvents();
    (void)widget.grab();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? std::stoi(argv[1]) : 100000;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "lexicana_bench_gridview";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "items.csv").string();
    {
        TRecordTable generated = MakeTable(records);
        if (StrSaveToFile(generated, path, ',', true) != 0)
            return 1;
    }
    std::printf("item data file: %d records x 10 columns, %.1f MB\n", records,
        static_cast<double>(std::filesystem::file_size(path)) / 1e6);

    TGlobal global(false);
    TRecordTable table(6, 8);
    TStrSortGrid grid(table);
    grid.SetGlobal(&global);
    grid.SetSpacing(0);
    grid.resize(1000, 700);
    grid.show();
    Paint(grid);

    auto start = std::chrono::steady_clock::now();
    if (StrLoadFromFile(table, path, ',', true, 4) != 0)
        return 1;
    const double loaded = Millis(start);
    Paint(grid);
    std::printf("open and show: %.0f ms (file read %.0f ms, view %.0f ms)\n", Millis(start), loaded,
        Millis(start) - loaded);

    QScrollBar* bar = grid.verticalScrollBar();
    start = std::chrono::steady_clock::now();
    bar->setValue(bar->maximum());
    Paint(grid);
    const double toEnd = Millis(start);
    start = std::chrono::steady_clock::now();
    bar->setValue(0);
    Paint(grid);
    std::printf("scroll to the end and repaint: %.1f ms, back to the top: %.1f ms\n", toEnd, Millis(start));

    start = std::chrono::steady_clock::now();
    const int steps = 200;
    for (int i = 0; i < steps; ++i) {
        bar->setValue(bar->maximum() * i / steps);
        Paint(grid);
    }
    std::printf("scroll in %d steps, each repainted: %.2f ms per step\n", steps, Millis(start) / steps);

    start = std::chrono::steady_clock::now();
    const int clicks = 100;
    for (int i = 0; i < clicks; ++i) {
        const QModelIndex index = grid.Model().index(i % 20, i % 9);
        Click(grid.viewport(), grid.visualRect(index).center());
    }
    Paint(grid);
    std::printf("select a cell with the mouse: %.2f ms per click\n", Millis(start) / clicks);
    start = std::chrono::steady_clock::now();
    grid.SetCurrentCell(3, records);
    Paint(grid);
    std::printf("select the last record and show it: %.1f ms\n", Millis(start));

    QWidget* heading = grid.HeadingRow().viewport();
    const QPoint onReading(grid.HeadingRow().sectionViewportPosition(4) + 20, heading->height() / 2);
    const QPoint onText(grid.HeadingRow().sectionViewportPosition(5) + 20, heading->height() / 2);
    start = std::chrono::steady_clock::now();
    Click(heading, onReading);
    Paint(grid);
    std::printf("heading sort by the reading column (descending), shown: %.0f ms\n", Millis(start));
    TRecordTable unsorted(table);
    start = std::chrono::steady_clock::now();
    Click(heading, onText);
    Paint(grid);
    std::printf("heading sort by the long text column (ascending), shown: %.0f ms\n", Millis(start));

    // The same sort without the grid: what the view adds is the difference.
    start = std::chrono::steady_clock::now();
    QuickSortGrid(unsorted, 1, unsorted.RowCount() - 1, 6, true);
    std::printf("the same sort of the table alone, no grid: %.0f ms\n", Millis(start));

    start = std::chrono::steady_clock::now();
    grid.RenumberRows(1, table.RowCount() - 1);
    Paint(grid);
    std::printf("renumber every record, shown: %.0f ms\n", Millis(start));
    start = std::chrono::steady_clock::now();
    grid.verticalHeader()->moveSection(0, 30);
    Paint(grid);
    std::printf("drag record 1 to row 31, renumbered, shown: %.1f ms\n", Millis(start));

    std::filesystem::remove_all(dir);
    return 0;
}

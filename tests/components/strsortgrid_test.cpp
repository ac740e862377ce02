#include "components/recordtablemodel.h"
#include "components/sortheaderview.h"
#include "components/strsortgrid.h"

#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace lexicana;

namespace {

// Column 1 holds the keys, column 2 the record code, column 3 a tag that
// tells the rows apart.
class GridTest : public ::testing::Test {
protected:
    GridTest()
        : table(4, 5)
        , grid(table)
    {
        table.SetRow(0, { "", "Key", "Code", "Tag" });
        const char* keys[] = { "b", "A", "a", "Z" };
        for (int row = 1; row <= 4; ++row)
            table.SetRow(row, { std::to_string(row), keys[row - 1], "", "t" + std::to_string(row) });
        for (int col = 1; col < 4; ++col)
            table.SetColWidth(col, 100);
        grid.resize(500, 300);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    // The keys of column 1, top to bottom.
    std::string Keys() const
    {
        std::string keys;
        for (int row = 1; row < table.RowCount(); ++row)
            keys += table.Cell(1, row);
        return keys;
    }

    void PressHeading(int x, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget* heading = grid.HeadingRow().viewport();
        QTest::mousePress(heading, button, {}, QPoint(x, heading->height() / 2));
        QTest::mouseRelease(heading, button, {}, QPoint(x, heading->height() / 2));
    }
    int Middle(int col) { return grid.HeadingRow().sectionViewportPosition(col - 1) + 50; }
    int Border(int col) { return grid.HeadingRow().sectionViewportPosition(col - 1); }

    TRecordTable table;
    TStrSortGrid grid;
};

} // namespace

TEST_F(GridTest, HeadingPressesSortDescendingFirstThenAlternate)
{
    QSignalSpy sorted(&grid, &TStrSortGrid::ColumnSorted);
    EXPECT_EQ(grid.HeadingRow().SortMarkSection(), -1);

    PressHeading(Middle(1));
    ASSERT_EQ(sorted.count(), 1);
    EXPECT_FALSE(grid.Ascending());
    EXPECT_TRUE(grid.SortShown());
    EXPECT_EQ(grid.SortedCol(), 1);
    EXPECT_EQ(grid.SortedTitle(), "Key");
    // Letter case is ignored: A and a in either order.
    EXPECT_TRUE(Keys() == "ZbaA" || Keys() == "ZbAa") << Keys();
    EXPECT_EQ(grid.HeadingRow().SortMarkSection(), 0);
    EXPECT_FALSE(grid.HeadingRow().SortMarkAscending());
    // Rows move whole, the row-number cell included.
    EXPECT_EQ(table.Cell(3, 1), "t4");
    EXPECT_EQ(table.Cell(0, 1), "4");

    // The direction flag is one for the grid: the next press on another
    // heading sorts ascending.
    PressHeading(Middle(3), Qt::RightButton);
    EXPECT_EQ(sorted.count(), 2);
    EXPECT_TRUE(grid.Ascending());
    EXPECT_EQ(grid.SortedCol(), 3);
    EXPECT_EQ(table.Cell(3, 1), "t1");
    PressHeading(Middle(1));
    EXPECT_FALSE(grid.Ascending());

    grid.SetSortOps(soUponly);
    PressHeading(Middle(1));
    PressHeading(Middle(1));
    EXPECT_TRUE(grid.Ascending());
    EXPECT_TRUE(Keys() == "AabZ" || Keys() == "aAbZ") << Keys();
    grid.SetSortOps(soDownOnly);
    PressHeading(Middle(1));
    PressHeading(Middle(1));
    EXPECT_FALSE(grid.Ascending());
    EXPECT_EQ(sorted.count(), 7);

    grid.SetSortOps(soNon);
    PressHeading(Middle(3));
    EXPECT_EQ(sorted.count(), 7);
    EXPECT_EQ(grid.SortedCol(), 1);
}

TEST_F(GridTest, PressesNearBordersBeyondTheHeadingsOrOnCellsDoNotSort)
{
    QSignalSpy sorted(&grid, &TStrSortGrid::ColumnSorted);
    PressHeading(Border(2) - 3); // left of the border between columns 1 and 2
    PressHeading(Border(2) + 3);
    PressHeading(2); // next to the row-number column
    PressHeading(Border(3) + 100 + 20); // beyond the last heading
    EXPECT_EQ(sorted.count(), 0);
    EXPECT_FALSE(grid.SortShown());
    PressHeading(Border(2) - 5); // just outside the band
    EXPECT_EQ(sorted.count(), 1);

    const std::string sortedKeys = Keys();
    const QRect cell = grid.visualRect(grid.Model().IndexOfCell(1, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QWidget* numbers = grid.verticalHeader()->viewport();
    QTest::mouseClick(numbers, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(sorted.count(), 1);
    EXPECT_EQ(Keys(), sortedKeys);

    grid.SetReadOnly(true);
    PressHeading(Middle(1));
    EXPECT_EQ(sorted.count(), 1);
}

TEST_F(GridTest, SortArrowIsDrawnAfterTheTitle)
{
    grid.SetSpacing(0);
    PressHeading(Middle(1));
    TSortHeaderView& heading = grid.HeadingRow();
    const QRect arrow = heading.SortMarkRect();
    ASSERT_FALSE(arrow.isEmpty());
    EXPECT_GT(arrow.left(), Border(1) + heading.fontMetrics().horizontalAdvance("Key"));
    EXPECT_LT(arrow.right(), Border(2));

    // Every opaque pixel of the down arrow shows in the heading.
    auto matches = [&](const QPixmap& glyph) {
        const QImage shown = heading.viewport()->grab().toImage();
        const QImage expected = glyph.toImage();
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                if (qAlpha(expected.pixel(x, y)) == 255
                    && shown.pixelColor(arrow.left() + x, arrow.top() + y) != expected.pixelColor(x, y))
                    return false;
        return true;
    };
    EXPECT_TRUE(matches(GetSortDownGlyps(bkDown)));
    EXPECT_FALSE(matches(GetSortUpGlyps(bkUp)));
    PressHeading(Middle(1));
    EXPECT_TRUE(matches(GetSortUpGlyps(bkUp)));

    // A column without a title shows no arrow.
    table.SetCell(2, 0, "");
    PressHeading(Middle(2));
    EXPECT_TRUE(heading.SortMarkRect().isEmpty());
}

TEST_F(GridTest, DraggingARowByItsNumberMovesAndRenumbersIt)
{
    QSignalSpy moved(&grid, &TStrSortGrid::RowMoved);
    QHeaderView* numbers = grid.verticalHeader();
    // Below the middle of a row: a drop there lands on that row.
    auto rowPoint = [&](int row) { return QPoint(10, numbers->sectionViewportPosition(row - 1) + 15); };
    QTest::mousePress(numbers->viewport(), Qt::LeftButton, {}, rowPoint(1));
    QTest::mouseMove(numbers->viewport(), rowPoint(2));
    QTest::mouseMove(numbers->viewport(), rowPoint(3));
    QTest::mouseRelease(numbers->viewport(), Qt::LeftButton, {}, rowPoint(3));

    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.at(0).at(0).toInt(), 1);
    EXPECT_EQ(moved.at(0).at(1).toInt(), 3);
    EXPECT_EQ(Keys(), "AabZ");
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(table.Cell(0, row), std::to_string(row));
    // The header shows the table's order again, numbers included.
    EXPECT_EQ(numbers->visualIndex(0), 0);
    EXPECT_EQ(grid.Model().headerData(2, Qt::Vertical).toString(), "3");
    EXPECT_EQ(numbers->logicalIndexAt(rowPoint(3).y()), 2);

    grid.SetReadOnly(true);
    numbers->moveSection(0, 2);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(Keys(), "AabZ");
}

TEST_F(GridTest, ColumnWidthsFollowTheTableBothWays)
{
    EXPECT_EQ(grid.columnWidth(0), 100);
    grid.HeadingRow().resizeSection(1, 140); // as a drag of the border does
    EXPECT_EQ(table.ColWidth(2), 140);
    table.SetColWidth(3, 70);
    EXPECT_EQ(grid.columnWidth(2), 70);

    // A loaded table brings its widths along.
    TRecordTable loaded(3, 3);
    loaded.SetColWidth(1, 55);
    table.SwapContent(loaded);
    EXPECT_EQ(grid.columnWidth(0), 55);
    EXPECT_EQ(grid.Model().columnCount(), 2);
}

TEST_F(GridTest, CurrentCellIsReportedAndKeptAcrossReloads)
{
    QSignalSpy current(&grid, &TStrSortGrid::CurrentCellChanged);
    EXPECT_EQ(grid.CurrentCol(), 1);
    EXPECT_EQ(grid.CurrentRow(), 1);
    const QRect cell = grid.visualRect(grid.Model().IndexOfCell(3, 2));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_GE(current.count(), 1);
    EXPECT_EQ(current.last().at(0).toInt(), 3);
    EXPECT_EQ(current.last().at(1).toInt(), 2);

    // Loading another table keeps the position, clipped to the new size.
    TRecordTable loaded(3, 10);
    table.SwapContent(loaded);
    EXPECT_EQ(grid.CurrentCol(), 2);
    EXPECT_EQ(grid.CurrentRow(), 2);

    int col = -2, row = -2;
    const QRect other = grid.visualRect(grid.Model().IndexOfCell(2, 5));
    EXPECT_TRUE(grid.MouseCell(grid.viewport()->mapTo(&grid, other.center()), col, row));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 5);
    const QPoint onHeading = grid.HeadingRow().mapTo(&grid, QPoint(5, 5));
    EXPECT_TRUE(grid.MouseCell(onHeading, col, row));
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 0);
    EXPECT_FALSE(grid.MouseCell(QPoint(grid.width() - 30, grid.height() - 30), col, row));
    EXPECT_EQ(col, -1);
}

TEST_F(GridTest, MouseSignalsCarryTableCoordinatesAndFollowTheSort)
{
    std::vector<std::string> seen;
    QObject::connect(
        &grid, &TStrSortGrid::MousePressed, [&](int col, int row, Qt::MouseButton, const QPoint&) {
            // A press on a heading is told after its sort.
            seen.push_back(std::to_string(col) + "," + std::to_string(row) + ":" + table.Cell(1, 1));
        });
    QSignalSpy menus(&grid, &TStrSortGrid::CellContextMenu);

    PressHeading(Middle(1));
    const QRect cell = grid.visualRect(grid.Model().IndexOfCell(2, 3));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QHeaderView* numbers = grid.verticalHeader();
    const QPoint onNumber(5, numbers->sectionViewportPosition(3) + 5);
    QTest::mouseClick(numbers->viewport(), Qt::LeftButton, {}, onNumber);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], "1,0:Z");
    EXPECT_EQ(seen[1], "2,3:Z");
    EXPECT_EQ(seen[2], "0,4:Z");

    QContextMenuEvent onCell(
        QContextMenuEvent::Mouse, cell.center(), grid.viewport()->mapToGlobal(cell.center()));
    QCoreApplication::sendEvent(grid.viewport(), &onCell);
    QContextMenuEvent onRow(QContextMenuEvent::Mouse, onNumber, numbers->viewport()->mapToGlobal(onNumber));
    QCoreApplication::sendEvent(numbers->viewport(), &onRow);
    ASSERT_EQ(menus.count(), 2);
    EXPECT_EQ(menus.at(0).at(0).toInt(), 2);
    EXPECT_EQ(menus.at(0).at(1).toInt(), 3);
    EXPECT_EQ(menus.at(1).at(0).toInt(), 0);
    EXPECT_EQ(menus.at(1).at(1).toInt(), 4);
}

#include "components/recordtablemodel.h"
#include "common/textcode.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace lexicana;

namespace {

// Three data columns, four records; column 0 numbered, row 0 headings.
TRecordTable MakeTable()
{
    TRecordTable table(4, 5);
    table.SetRow(0, { "", "Word", "Code", "Text" });
    for (int row = 1; row < 5; ++row)
        table.SetRow(row, { std::to_string(row), "w" + std::to_string(row), "", "t" });
    return table;
}

// "纊" in the NEC-selected range: decodes to a character whose Shift_JIS
// code is another one, so decoding and encoding it again changes its bytes.
const std::string kLossy = "\xED\x40";

} // namespace

TEST(RecordTableModel, EditingEncodesOnlyTheEditedCellAndDecodesForDisplay)
{
    TRecordTable table = MakeTable();
    table.SetCell(1, 1, kLossy);
    table.SetCell(2, 1, kLossy);
    table.SetCell(3, 2, SjisOf("一行目") + "\r\n" + SjisOf("二行目"));
    TRecordTableModel model(table);

    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Code");
    EXPECT_EQ(model.headerData(3, Qt::Vertical).toString(), "4");
    // One line in the grid, every line for editing.
    EXPECT_EQ(model.data(model.IndexOfCell(3, 2)).toString(), QString::fromUtf8("一行目↵二行目"));
    EXPECT_EQ(
        model.data(model.IndexOfCell(3, 2), Qt::EditRole).toString(), QString::fromUtf8("一行目\r\n二行目"));

    ASSERT_TRUE(model.setData(model.IndexOfCell(2, 1), QString::fromUtf8("ア")));
    EXPECT_EQ(table.Cell(2, 1), SjisOf("ア"));
    EXPECT_EQ(table.Cell(1, 1), kLossy); // the neighbour was not re-encoded

    // A long cell is cut for display on a character boundary.
    std::string longCell;
    for (int i = 0; i < 1000; ++i)
        longCell += SjisOf("あ");
    table.SetCell(3, 3, "x" + longCell);
    const QString shown = model.data(model.IndexOfCell(3, 3)).toString();
    EXPECT_LT(shown.size(), 600);
    EXPECT_TRUE(shown.startsWith(QString::fromUtf8("xあああ")));
    EXPECT_FALSE(shown.contains(QChar(0xFFFD)));
}

TEST(RecordTableModel, RefusesCharactersWithoutShiftJisCodeAndKeepsTheCell)
{
    test::RecordingSink sink;
    TRecordTable table = MakeTable();
    TRecordTableModel model(table);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    EXPECT_FALSE(model.setData(model.IndexOfCell(1, 2), QString::fromUtf8("a한b😀")));
    EXPECT_EQ(table.Cell(1, 2), "w2");
    EXPECT_EQ(changed.count(), 0);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().caption, "エラー");
    EXPECT_NE(sink.last().text.find("「한」(U+D55C)"), std::string::npos);
    EXPECT_NE(sink.last().text.find("(U+1F600)"), std::string::npos);

    EXPECT_NE(sink.last().text.find("UTF-8"), std::string::npos); // saving as UTF-8 would keep them

    // The same refusal for the text pane's path, on a heading too.
    EXPECT_FALSE(model.SetCellText(1, 0, QString::fromUtf8("한")));
    EXPECT_EQ(table.Cell(1, 0), "Word");
    EXPECT_EQ(sink.count(), 2u);

    // A UTF-8 document takes every character, as UTF-8 bytes, and shows them.
    SetDocumentTextCode(TextCode::Utf8);
    const bool taken = model.setData(model.IndexOfCell(1, 2), QString::fromUtf8("a한b😀"));
    const QString shown = model.data(model.IndexOfCell(1, 2)).toString();
    SetDocumentTextCode(TextCode::ShiftJis);
    EXPECT_TRUE(taken);
    EXPECT_EQ(table.Cell(1, 2), "a한b😀");
    EXPECT_EQ(shown, QString::fromUtf8("a한b😀"));
    EXPECT_EQ(sink.count(), 2u);

    model.SetReadOnly(true);
    EXPECT_FALSE(model.flags(model.IndexOfCell(1, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(model.IndexOfCell(1, 1), "x"));
    EXPECT_EQ(table.Cell(1, 1), "w1");
    model.SetReadOnly(false);
    EXPECT_TRUE(model.flags(model.IndexOfCell(1, 1)) & Qt::ItemIsEditable);
}

TEST(RecordTableModel, FollowsEveryTableChangeConsistently)
{
    TRecordTable table = MakeTable();
    TRecordTableModel model(table);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    // A cell change is no reset; a moved row keeps its persistent index.
    table.SetCell(1, 2, "x");
    EXPECT_EQ(changed.count(), 1);
    QPersistentModelIndex second = model.IndexOfCell(1, 2);
    table.MoveRow(2, 4);
    EXPECT_EQ(second.row(), 3);
    EXPECT_EQ(model.data(second).toString(), "x");
    table.MoveRow(4, 1);
    EXPECT_EQ(second.row(), 0);

    table.InsertRow(3);
    table.AppendRow({ "", "last" });
    EXPECT_EQ(model.rowCount(), 6);
    EXPECT_EQ(model.data(model.IndexOfCell(1, 6)).toString(), "last");
    table.DeleteRow(1);
    EXPECT_EQ(second.isValid(), false);
    table.SetRowCount(3);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(resets.count(), 0);

    // A new table (loading a file) is one reset.
    TRecordTable loaded(6, 100);
    table.SwapContent(loaded);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model.rowCount(), 99);
    EXPECT_EQ(model.columnCount(), 5);

    // Changes inside BeginUpdate / EndUpdate are told once at the end.
    changed.clear();
    table.BeginUpdate();
    for (int row = 1; row < 100; ++row)
        table.SetCell(2, row, "y");
    table.ExchangeRows(1, 2);
    EXPECT_EQ(changed.count(), 0);
    table.EndUpdate();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(resets.count(), 1);
    table.BeginUpdate();
    table.SetRowCount(10);
    table.SetColCount(3);
    EXPECT_EQ(model.rowCount(), 99); // the view has not been told yet
    table.EndUpdate();
    EXPECT_EQ(resets.count(), 2);
    EXPECT_EQ(model.rowCount(), 9);
    EXPECT_EQ(model.columnCount(), 2);

    // Down to the heading row alone, and to nothing at all.
    table.SetRowCount(1);
    EXPECT_EQ(model.rowCount(), 0);
    table.SetRowCount(0);
    EXPECT_EQ(model.rowCount(), 0);
    table.SetRowCount(4);
    EXPECT_EQ(model.rowCount(), 3);
}

TEST(RecordTableModel, FileRecordsAreMarkedForDrawingAndFollowTheirCode)
{
    TRecordTable table = MakeTable();
    table.SetCell(2, 3, "\\@");
    TRecordTableModel model(table);
    model.SetFileRecordColors(Qt::blue, Qt::white);
    EXPECT_FALSE(model.data(model.IndexOfCell(1, 3), TRecordTableModel::FileRecordRole).toBool());

    model.SetFileRecordTest([&table](int row) { return table.Cell(2, row) == "\\@"; });
    EXPECT_TRUE(model.data(model.IndexOfCell(1, 3), TRecordTableModel::FileRecordRole).toBool());
    EXPECT_EQ(
        model.data(model.IndexOfCell(3, 3), Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::blue));
    EXPECT_EQ(
        model.data(model.IndexOfCell(3, 3), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::white));
    EXPECT_FALSE(model.data(model.IndexOfCell(3, 2), Qt::BackgroundRole).isValid());

    // Typing the marker into the code cell repaints the whole row.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    table.SetCell(2, 1, "\\@");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex(), model.IndexOfCell(1, 1));
    EXPECT_EQ(changed.at(0).at(1).toModelIndex(), model.IndexOfCell(3, 1));
    EXPECT_TRUE(model.IsFileRecordRow(1));
}

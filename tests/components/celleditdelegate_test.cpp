#include "components/celleditdelegate.h"
#include "components/recordtablemodel.h"
#include "components/strsortgrid.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace lexicana;

namespace {

// "纊" in the NEC-selected range: decoding and encoding it again changes
// its bytes.
const std::string kLossy = "\xED\x40";

class EditTest : public ::testing::Test {
protected:
    EditTest()
        : table(3, 4)
        , grid(table)
    {
        table.SetRow(0, { "", "Word", "Text" });
        table.SetRow(1, { "1", "ab", kLossy });
        table.SetRow(2, { "2", SjisOf("一\r\n二"), "" });
        grid.resize(400, 300);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    // Opens the in-place editor of a cell.
    TCellEditor* Edit(int col, int row)
    {
        const QModelIndex index = grid.Model().IndexOfCell(col, row);
        grid.SetCurrentCell(col, row);
        grid.edit(index);
        return qobject_cast<TCellEditor*>(grid.indexWidget(index));
    }

    TRecordTable table;
    TStrSortGrid grid;
};

} // namespace

TEST_F(EditTest, EveryKeystrokeIsWrittenAndReported)
{
    QSignalSpy edited(&grid, &TStrSortGrid::CellTextEdited);
    TCellEditor* editor = Edit(1, 1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "ab");
    editor->end(false);

    QTest::keyClick(editor, Qt::Key_C, {}, 'c');
    EXPECT_EQ(table.Cell(1, 1), "abc");
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toInt(), 1);
    EXPECT_EQ(edited.at(0).at(1).toInt(), 1);
    EXPECT_EQ(edited.at(0).at(2).toString(), "abc");
    // Typing in the middle keeps the caret where it is.
    editor->setCursorPosition(1);
    editor->insert(QString::fromUtf8("ア"));
    QTest::keyClick(editor, Qt::Key_X, {}, 'x');
    EXPECT_EQ(table.Cell(1, 1), "a" + SjisOf("ア") + "xbc");
    EXPECT_EQ(editor->cursorPosition(), 3);

    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor closes from the event loop
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(table.Cell(1, 1), "a" + SjisOf("ア") + "xbc");

    // Typing on a cell opens its editor with the typed text replacing it.
    grid.SetCurrentCell(2, 1);
    QTest::keyClick(&grid, Qt::Key_Q, {}, 'q');
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_EQ(table.Cell(2, 1), "q");
}

TEST_F(EditTest, OpeningAndClosingAnEditorLeavesTheBytesAlone)
{
    QSignalSpy edited(&grid, &TStrSortGrid::CellTextEdited);
    TCellEditor* editor = Edit(2, 1);
    ASSERT_NE(editor, nullptr);
    grid.CloseEditor();
    EXPECT_EQ(table.Cell(2, 1), kLossy);

    // A cell of two lines keeps its line break through an edit.
    editor = Edit(1, 2);
    ASSERT_NE(editor, nullptr);
    editor->end(false);
    QTest::keyClick(editor, Qt::Key_3, {}, '3');
    EXPECT_EQ(table.Cell(1, 2), SjisOf("一\r\n二3"));
    grid.CloseEditor();
    EXPECT_EQ(edited.count(), 1);

    // Escape puts the cell back as it was, bytes and all.
    editor = Edit(2, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Z, {}, 'z');
    EXPECT_NE(table.Cell(2, 1), kLossy);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(table.Cell(2, 1), kLossy);
    EXPECT_EQ(edited.count(), 3);
    EXPECT_EQ(edited.last().at(2).toString(), grid.CellText(2, 1));
}

TEST_F(EditTest, TypedCharacterWithoutShiftJisCodeIsRefused)
{
    test::RecordingSink sink;
    QSignalSpy edited(&grid, &TStrSortGrid::CellTextEdited);
    TCellEditor* editor = Edit(1, 1);
    ASSERT_NE(editor, nullptr);
    editor->setCursorPosition(1);
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("한"));
    QCoreApplication::sendEvent(editor, &typed);
    EXPECT_EQ(editor->text(), "ab");
    EXPECT_EQ(editor->cursorPosition(), 1);
    EXPECT_EQ(table.Cell(1, 1), "ab");
    EXPECT_EQ(edited.count(), 0);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_NE(sink.last().text.find("한"), std::string::npos);
    // The editor stays open and goes on working.
    EXPECT_TRUE(grid.IsEditing());
    QTest::keyClick(editor, Qt::Key_X, {}, 'x');
    EXPECT_EQ(table.Cell(1, 1), "axb");
}

TEST_F(EditTest, ReadOnlyGridClosesTheEditorAndEditsNothing)
{
    TCellEditor* editor = Edit(1, 1);
    ASSERT_NE(editor, nullptr);
    grid.SetReadOnly(true);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(Edit(1, 1), nullptr);
    EXPECT_FALSE(grid.SetCellText(1, 1, "x"));
    EXPECT_EQ(table.Cell(1, 1), "ab");
    grid.SetReadOnly(false);
    EXPECT_TRUE(grid.SetCellText(1, 1, "x"));
    EXPECT_EQ(table.Cell(1, 1), "x");
}

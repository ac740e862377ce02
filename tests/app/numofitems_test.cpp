#include "app/numofitems.h"
#include "data/global.h"
#include "data/recordtable.h"
#include "support/recordingsink.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace lexicana;
using lexicana::test::RecordingSink;

namespace {

// A table of 3 records and 3 data columns with headings, and the dialog on it.
struct CountDialog {
    RecordingSink sink;
    TGlobal global { false };
    TRecordTable grid { 4, 4 };
    int callbacks = 0;
    std::unique_ptr<TDlg_NumOfItems> dialog;

    explicit CountDialog(bool newMode = false)
    {
        global.NewItemFileMode = newMode;
        global.ItemFileUntitled = false;
        global.ItemFileName = "items.csv";
        for (int col = 1; col < 4; ++col)
            for (int row = 0; row < 4; ++row)
                grid.SetCell(col, row, "c" + std::to_string(col) + std::to_string(row));
        grid.NumberRows();
        dialog = std::make_unique<TDlg_NumOfItems>(
            nullptr, [this] { ++callbacks; }, [this] { ++callbacks; }, grid, global);
        dialog->show();
    }
    QLineEdit* edit() const { return dialog->Edit_Record; }
    void type(const QString& text, int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(edit(), &press);
    }
    void ok(const QString& text)
    {
        edit()->setText(text);
        dialog->OKBtn->click();
    }
};

} // namespace

TEST(NumOfItems, KeyAndChangeFiltersKeepANumber)
{
    CountDialog s;
    EXPECT_EQ(s.dialog->windowTitle(), "表のレコード数を変更");
    EXPECT_EQ(s.edit()->text(), "3");
    s.edit()->setCursorPosition(1);
    s.type("a", Qt::Key_A);
    s.type("-", Qt::Key_Minus);
    s.type("7", Qt::Key_7);
    EXPECT_EQ(s.edit()->text(), "37");
    s.type("\b", Qt::Key_Backspace);
    EXPECT_EQ(s.edit()->text(), "3");

    // A pasted digit and letter: the previous text comes back, the caret
    // where it was.
    s.edit()->setText("123");
    s.edit()->setCursorPosition(1);
    s.edit()->insert("4x");
    EXPECT_EQ(s.edit()->text(), "123");
    EXPECT_EQ(s.edit()->cursorPosition(), 1);
    s.edit()->insert("\uFF15"); // a full-width digit
    EXPECT_EQ(s.edit()->text(), "123");
    s.edit()->setText("-1.5"); // a form the box keeps; OK judges it
    EXPECT_EQ(s.edit()->text(), "-1.5");
}

TEST(NumOfItems, ArrowButtonsStayWithinTheRange)
{
    CountDialog s;
    for (auto [text, up, expected] : { std::tuple { "3", true, "4" }, { "1", false, "1" },
             { "999999", true, "999999" }, { "", true, "1" }, { "-20", false, "1" } }) {
        s.edit()->setText(text);
        (up ? s.dialog->SpeedButton_Up : s.dialog->SpeedButton_Down)->click();
        EXPECT_EQ(s.edit()->text(), expected) << text;
    }
    EXPECT_EQ(s.sink.count(), 0u);
}

TEST(NumOfItems, OkChangesTheRecordCountKeepingTheRecords)
{
    CountDialog grow;
    grow.ok("5");
    EXPECT_EQ(grow.dialog->result(), QDialog::Accepted);
    ASSERT_EQ(grow.grid.RowCount(), 6);
    EXPECT_EQ(grow.grid.Cell(2, 3), "c23");
    EXPECT_EQ(grow.grid.Cell(1, 0), "c10");
    EXPECT_EQ(grow.grid.Cell(0, 5), "5");
    EXPECT_EQ(grow.grid.Cell(1, 5), "");
    EXPECT_TRUE(grow.global.ItemDataModified);
    EXPECT_EQ(grow.global.ItemFileName, "items.csv");
    EXPECT_EQ(grow.callbacks, 2);

    CountDialog shrink;
    shrink.ok("1");
    ASSERT_EQ(shrink.grid.RowCount(), 2);
    EXPECT_EQ(shrink.grid.Cell(3, 1), "c31");
}

TEST(NumOfItems, OkInNewModeEmptiesEverythingButTheRowNumbers)
{
    CountDialog s(true);
    EXPECT_EQ(s.dialog->windowTitle(), "新規作成");
    s.ok("2");
    ASSERT_EQ(s.grid.RowCount(), 3);
    for (int col = 1; col < 4; ++col)
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(s.grid.Cell(col, row), "") << col << "," << row;
    EXPECT_EQ(s.grid.Cell(0, 2), "2");
    EXPECT_TRUE(s.global.ItemFileUntitled);
    EXPECT_EQ(s.global.ItemFileName, kUntitledName);
    EXPECT_TRUE(s.global.ItemDataModified);
}

TEST(NumOfItems, UnusableNumberOrCancelChangesNothing)
{
    for (const char* text : { "", "1.5", "0", "-3", "1000000", "99999999999999999999" }) {
        CountDialog s;
        s.ok(text);
        ASSERT_EQ(s.sink.count(), 1u) << text;
        EXPECT_EQ(s.sink.last().caption, "エラー");
        EXPECT_TRUE(s.dialog->isVisible()) << text; // left open to correct the number
        EXPECT_EQ(s.grid.RowCount(), 4) << text;
        EXPECT_FALSE(s.global.ItemDataModified);
        EXPECT_EQ(s.callbacks, 0);
    }
    CountDialog s;
    s.edit()->setText("9");
    s.dialog->CancelBtn->click();
    EXPECT_EQ(s.dialog->result(), QDialog::Rejected);
    EXPECT_EQ(s.grid.RowCount(), 4);
    EXPECT_FALSE(s.global.ItemDataModified);
}

#include "app/numofitems.h"
#include "data/global.h"
#include "data/recordtable.h"
#include "support/recordingsink.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace lexicana;
using lexicana::test::RecordingSink;

namespace {

// A table of 3 records and 3 data columns with headings, and the dialog on it.
struct CountDialog {
    RecordingSink sink;
    TGlobal global { false };
    TRecordTable grid { 4, 4 };
    int captions = 0;
    int positions = 0;
    std::unique_ptr<TDlg_NumOfItems> dialog;

    explicit CountDialog(bool newMode = false)
    {
        global.NewItemFileMode = newMode;
        global.ItemFileUntitled = false;
        global.ItemFileName = "items.csv";
        for (int col = 1; col < 4; ++col) {
            grid.SetCell(col, 0, "head" + std::to_string(col));
            for (int row = 1; row < 4; ++row)
                grid.SetCell(col, row, "c" + std::to_string(col) + std::to_string(row));
        }
        grid.NumberRows();
        dialog = std::make_unique<TDlg_NumOfItems>(
            nullptr, [this] { ++positions; }, [this] { ++captions; }, grid, global);
        dialog->show();
    }
    QLineEdit* edit() const { return dialog->Edit_Record; }
    void type(const QString& text, int key = 0)
    {
        QKeyEvent press(QEvent::KeyPress, key ? key : Qt::Key_unknown, Qt::NoModifier, text);
        QCoreApplication::sendEvent(edit(), &press);
    }
};

} // namespace

TEST(NumOfItems, ShowsTheCountAndTheCaptionOfItsMode)
{
    CountDialog change;
    EXPECT_EQ(change.dialog->windowTitle(), "表のレコード数を変更");
    EXPECT_EQ(change.edit()->text(), "3");
    EXPECT_EQ(change.dialog->minimumSize(), change.dialog->maximumSize());
    CountDialog fresh(true);
    EXPECT_EQ(fresh.dialog->windowTitle(), "新規作成");
}

TEST(NumOfItems, KeyAndChangeFiltersKeepANumber)
{
    CountDialog s;
    s.edit()->setCursorPosition(1);
    s.type("a", Qt::Key_A);
    s.type("-", Qt::Key_Minus);
    s.type("\u3042");
    EXPECT_EQ(s.edit()->text(), "3");
    s.type("7", Qt::Key_7);
    EXPECT_EQ(s.edit()->text(), "37");
    s.type("\b", Qt::Key_Backspace);
    EXPECT_EQ(s.edit()->text(), "3");

    // Pasting a digit and a letter puts the previous text back with the
    // caret where it was relative to the end.
    s.edit()->setText("123");
    s.edit()->setCursorPosition(1);
    s.edit()->insert("4x"); // "14x23", caret 3
    EXPECT_EQ(s.edit()->text(), "123");
    EXPECT_EQ(s.edit()->cursorPosition(), 1);
    // Full-width digits are not digits here.
    s.edit()->insert("\uFF15");
    EXPECT_EQ(s.edit()->text(), "123");
    // Forms a paste may give: accepted by the box, judged by OK.
    for (const char* kept : { "", "-5", "1.5" }) {
        s.edit()->setText(kept);
        EXPECT_EQ(s.edit()->text(), kept);
    }
}

TEST(NumOfItems, ArrowButtonsStayWithinTheRange)
{
    CountDialog s;
    s.dialog->SpeedButton_Up->click();
    EXPECT_EQ(s.edit()->text(), "4");
    s.edit()->setText("1");
    s.dialog->SpeedButton_Down->click();
    EXPECT_EQ(s.edit()->text(), "1");
    s.edit()->setText("999999");
    s.dialog->SpeedButton_Up->click();
    EXPECT_EQ(s.edit()->text(), "999999");
    s.edit()->setText("");
    s.dialog->SpeedButton_Up->click();
    EXPECT_EQ(s.edit()->text(), "1");
    s.edit()->setText("-20");
    s.dialog->SpeedButton_Down->click();
    EXPECT_EQ(s.edit()->text(), "1");
    EXPECT_EQ(s.sink.count(), 0u);
}

TEST(NumOfItems, OkChangesTheRecordCountKeepingTheRecords)
{
    CountDialog grow;
    grow.edit()->setText("5");
    grow.dialog->OKBtn->click();
    EXPECT_EQ(grow.dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(grow.dialog->isVisible());
    ASSERT_EQ(grow.grid.RowCount(), 6);
    EXPECT_EQ(grow.grid.Cell(2, 3), "c23");
    EXPECT_EQ(grow.grid.Cell(0, 5), "5");
    EXPECT_EQ(grow.grid.Cell(1, 5), "");
    EXPECT_EQ(grow.grid.Cell(1, 0), "head1");
    EXPECT_TRUE(grow.global.ItemDataModified);
    EXPECT_FALSE(grow.global.ItemFileUntitled);
    EXPECT_EQ(grow.global.ItemFileName, "items.csv");
    EXPECT_EQ(grow.captions, 1);
    EXPECT_EQ(grow.positions, 1);

    CountDialog shrink;
    shrink.edit()->setText("1");
    shrink.dialog->OKBtn->click();
    ASSERT_EQ(shrink.grid.RowCount(), 2);
    EXPECT_EQ(shrink.grid.Cell(3, 1), "c31");
}

TEST(NumOfItems, OkInNewModeEmptiesEverythingButTheRowNumbers)
{
    CountDialog s(true);
    s.edit()->setText("2");
    s.dialog->OKBtn->click();
    ASSERT_EQ(s.grid.RowCount(), 3);
    for (int col = 1; col < 4; ++col)
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(s.grid.Cell(col, row), "") << col << "," << row;
    EXPECT_EQ(s.grid.Cell(0, 1), "1");
    EXPECT_EQ(s.grid.Cell(0, 2), "2");
    EXPECT_TRUE(s.global.ItemFileUntitled);
    EXPECT_EQ(s.global.ItemFileName, kUntitledName);
    EXPECT_TRUE(s.global.ItemDataModified);
    EXPECT_EQ(s.captions, 1);
}

TEST(NumOfItems, OkWithAnUnusableNumberReportsAndChangesNothing)
{
    for (const char* text : { "", "1.5", "0", "-3", "1000000", "99999999999999999999" }) {
        CountDialog s;
        s.edit()->setText(text);
        s.dialog->OKBtn->click();
        ASSERT_EQ(s.sink.count(), 1u) << text;
        EXPECT_EQ(s.sink.last().caption, "エラー");
        EXPECT_EQ(s.grid.RowCount(), 4) << text;
        EXPECT_EQ(s.grid.Cell(1, 1), "c11");
        EXPECT_FALSE(s.global.ItemDataModified);
        EXPECT_EQ(s.captions, 0);
        EXPECT_TRUE(s.dialog->isVisible()) << text; // left open to correct the number
    }
}

TEST(NumOfItems, CancelChangesNothing)
{
    CountDialog s;
    s.edit()->setText("9");
    s.dialog->CancelBtn->click();
    EXPECT_EQ(s.dialog->result(), QDialog::Rejected);
    EXPECT_EQ(s.grid.RowCount(), 4);
    EXPECT_FALSE(s.global.ItemDataModified);
    EXPECT_EQ(s.captions + s.positions, 0);
}

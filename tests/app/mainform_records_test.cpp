// Record editing in the main window: insert and delete with their
// numbering, the record-operation position in both modes, counting, the
// record-count dialog in change and New mode, copying a part's tags, and the
// heading sort with its file-record pass.
#include "app/numofitems.h"
#include "mainformharness.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace lexicana::test {
namespace {

std::vector<std::vector<std::string>> Numbered(int count)
{
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({ "r" + std::to_string(i) });
    return rows;
}

void Click(QWidget* widget, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent press(
        QEvent::MouseButtonPress, pos, widget->mapToGlobal(pos), button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(
        QEvent::MouseButtonRelease, pos, widget->mapToGlobal(pos), button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// Asks for the context menu at pos of the grid's cells; true when it opened.
bool ContextMenuOpens(WindowTest& w, const QPoint& pos)
{
    bool opened = false;
    auto connection = QObject::connect(w.form->PopupMenu_Item, &QMenu::aboutToShow, [&opened] {
        opened = true;
        QTimer::singleShot(0, [] {
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
    });
    QWidget* cells = w.grid()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, cells->mapToGlobal(pos));
    QApplication::sendEvent(cells, &event);
    QObject::disconnect(connection);
    return opened;
}

TEST(MainFormRecords, InsertAndInsertAfterRenumberTheRecords)
{
    WindowTest w;
    w.Records(Numbered(10));
    w.form->SelectCell(1, 5);
    PressKey(w.grid(), Qt::Key_I, Qt::ControlModifier);
    ASSERT_EQ(w.table().RowCount(), 12);
    EXPECT_EQ(w.cell(1, 5), "");
    EXPECT_EQ(w.cell(1, 6), "r5");
    EXPECT_EQ(w.cell(1, 11), "r10");
    for (int row = 1; row <= 11; ++row)
        EXPECT_EQ(w.cell(0, row), std::to_string(row));
    EXPECT_EQ(w.caption(), "無題 * - Lexicana");

    w.form->SelectCell(1, 11);
    PressKey(w.grid(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(w.table().RowCount(), 13);
    EXPECT_EQ(w.cell(1, 11), "r10");
    EXPECT_EQ(w.cell(1, 12), "");
    EXPECT_EQ(w.cell(0, 12), "12");

    // A position outside the records does nothing.
    w.global().PopupOperatePosition = true;
    for (int row : { 0, -1, 13, 40 }) {
        w.global().OpRow = row;
        w.action("InsertRecord")->trigger();
        w.action("InsertRecordNext")->trigger();
    }
    EXPECT_EQ(w.table().RowCount(), 13);
}

TEST(MainFormRecords, DeleteAsksFirstAndRenumbers)
{
    WindowTest w;
    w.Records(Numbered(3));
    w.form->SelectCell(1, 1);
    w.sink.Answer(IdCancel);
    PressKey(w.grid(), Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_EQ(w.sink.last().text, "レコード1を本当に削除してもいいですか？");
    EXPECT_EQ(w.sink.last().caption, "確認");
    EXPECT_EQ(w.sink.last().flags, MbOkCancel | MbIconWarning);
    EXPECT_EQ(w.table().RowCount(), 4);

    w.sink.Answer(IdOk);
    PressKey(w.grid(), Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(w.table().RowCount(), 3);
    EXPECT_EQ(w.cell(1, 1), "r2");
    EXPECT_EQ(w.cell(0, 1), "1");
    EXPECT_EQ(w.cell(0, 2), "2");
    EXPECT_EQ(w.form->Memo_Main->toPlainText(), "r2");

    // The last record left is emptied, not removed: the heading row stays.
    w.sink.Answer(IdOk).Answer(IdOk);
    w.action("D2")->trigger();
    w.action("D2")->trigger();
    EXPECT_EQ(w.table().RowCount(), 2);
    EXPECT_EQ(w.cell(1, 1), "");
    EXPECT_EQ(w.cell(1, 0), "h1");
}

TEST(MainFormRecords, OperationPositionFollowsTheMouseOrTheSelection)
{
    WindowTest w;
    w.Records(Numbered(3));
    QWidget* cells = w.grid()->viewport();
    const QRect r2 = w.grid()->visualRect(w.grid()->model()->index(1, 2));
    const QPoint beyond(cells->width() - 5, 5);
    ASSERT_LT(w.grid()->columnViewportPosition(4) + w.grid()->columnWidth(4), beyond.x());

    // Selected cell: the menu opens anywhere and acts at the selected cell.
    w.form->SelectCell(1, 3);
    EXPECT_TRUE(ContextMenuOpens(w, beyond));
    EXPECT_EQ(w.global().OpRow, 3);

    // Mouse pointer: a release sets the position, beyond the columns no menu.
    w.global().PopupOperatePosition = true;
    Click(cells, r2.center());
    EXPECT_EQ(w.global().OpCol, 3);
    EXPECT_EQ(w.global().OpRow, 2);
    EXPECT_FALSE(ContextMenuOpens(w, beyond));
    EXPECT_EQ(w.global().OpRow, -1);
    EXPECT_TRUE(ContextMenuOpens(w, r2.center()));
    EXPECT_EQ(w.global().OpRow, 2);
    w.sink.Answer(IdOk);
    w.action("D2")->trigger();
    EXPECT_EQ(w.cell(1, 2), "r3");
}

TEST(MainFormRecords, RightClickDragAndInsertKeepTheCurrentCellWhereTheUserLooks)
{
    WindowTest w;
    w.Records(Numbered(6));
    QAbstractItemModel* model = w.grid()->model();
    auto selected = [&w] {
        std::vector<std::pair<int, int>> cells;
        for (const QModelIndex& index : w.grid()->selectionModel()->selectedIndexes())
            cells.emplace_back(index.column() + 1, index.row() + 1);
        return cells;
    };
    using Cells = std::vector<std::pair<int, int>>;

    // Selected-cell mode: a right-click on another cell leaves the current
    // cell, and the record commands act there.
    w.form->SelectCell(1, 2);
    Click(w.grid()->viewport(), w.grid()->visualRect(model->index(4, 2)).center(), Qt::RightButton);
    EXPECT_EQ(w.grid()->CurrentRow(), 2);
    EXPECT_EQ(selected(), (Cells { { 1, 2 } }));
    EXPECT_EQ(w.global().OpRow, 2);

    // A record dragged by its number: the status bar follows the current
    // cell to the record's new place.
    w.grid()->verticalHeader()->moveSection(1, 4);
    EXPECT_EQ(w.cell(1, 5), "r2");
    EXPECT_EQ(w.grid()->CurrentRow(), 5);
    EXPECT_EQ(w.form->StatusText(0), "5行 1列目 / 6行 5列");
    EXPECT_EQ(w.global().OpRow, 5);

    // Ctrl+I and Ctrl+N (the Ctrl key held as on a keyboard): the new
    // record's cell is the current and only selected one.
    w.grid()->selectionModel()->select(
        QItemSelection(model->index(0, 0), model->index(2, 2)), QItemSelectionModel::Select);
    QTest::keyClick(w.grid(), Qt::Key_I, Qt::ControlModifier);
    ASSERT_EQ(w.table().RowCount(), 8);
    EXPECT_EQ(w.cell(1, 5), "");
    EXPECT_EQ(w.grid()->CurrentRow(), 5);
    EXPECT_EQ(selected(), (Cells { { 1, 5 } }));
    QTest::keyClick(w.grid(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(w.table().RowCount(), 9);
    EXPECT_EQ(w.cell(1, 6), "");
    EXPECT_EQ(w.cell(1, 7), "r2");
    EXPECT_EQ(selected(), (Cells { { 1, 6 } }));
    EXPECT_EQ(w.form->StatusText(0), "6行 1列目 / 8行 5列");
}

TEST(MainFormRecords, CountingReportsFileAndNormalRecordsOfTheParts)
{
    std::vector<std::vector<std::string>> rows(10, std::vector<std::string> { "k" });
    rows[3] = { "k", "\\@", "a.html", "A" };
    rows[6] = { "k", "\\@", "b.html", "B" };
    WindowSet set(rows);
    WindowTest w;
    w.dialogs.Choose(set.set);
    w.action("Open2")->trigger();
    w.action("C2")->trigger();
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_EQ(w.sink.last().text, "ファイルレコード\t2\n通常レコード\t5");
    EXPECT_EQ(w.sink.last().caption, "レコード数カウント結果");
    EXPECT_EQ(w.sink.last().icon(), MessageIcon::Information);

    w.table().SetCell(2, 4, "");
    w.table().SetCell(2, 7, "");
    w.action("C2")->trigger();
    EXPECT_EQ(w.sink.last().text, "ファイルレコードがひとつもありません");
}

TEST(MainFormRecords, RecordCountDialogChangesTheCountOrStartsANewTable)
{
    WindowSet set(Numbered(3));
    WindowTest w;
    w.dialogs.Choose(set.set);
    w.action("Open2")->trigger();

    QString shownCount;
    AnswerNextModal([&shownCount](QWidget* modal) {
        auto* dialog = qobject_cast<TDlg_NumOfItems*>(modal);
        ASSERT_NE(dialog, nullptr);
        shownCount = dialog->Edit_Record->text();
        dialog->Edit_Record->setText("1");
        dialog->SpeedButton_DownClick(); // stays at the lowest count
        dialog->SpeedButton_UpClick();
        dialog->SpeedButton_UpClick();
        dialog->SpeedButton_UpClick();
        dialog->SpeedButton_UpClick();
        dialog->OKBtnClick();
    });
    w.action("N14")->trigger();
    EXPECT_EQ(shownCount, "3");
    ASSERT_EQ(w.table().RowCount(), 6);
    EXPECT_EQ(w.cell(1, 3), "r3");
    EXPECT_EQ(w.cell(0, 5), "5");
    EXPECT_EQ(w.caption(), "set.lxs * - Lexicana");
    EXPECT_EQ(w.form->StatusText(0), "1行 1列目 / 5行 5列");

    // New: asks about the changes, then an empty untitled table of 2 records
    // with the headings of the conversion table.
    QString caption;
    AnswerNextModal([&caption](QWidget* modal) {
        auto* dialog = qobject_cast<TDlg_NumOfItems*>(modal);
        ASSERT_NE(dialog, nullptr);
        caption = dialog->windowTitle();
        dialog->Edit_Record->setText("2");
        dialog->OKBtnClick();
    });
    w.sink.Answer(IdNo);
    w.action("N16")->trigger();
    EXPECT_EQ(caption, "新規作成");
    ASSERT_EQ(w.table().RowCount(), 3);
    EXPECT_EQ(w.cell(1, 1), "");
    EXPECT_EQ(w.cell(0, 2), "2");
    EXPECT_EQ(w.cell(5, 0), "word");
    EXPECT_EQ(w.global().ItemFileName, kUntitledName);
    EXPECT_TRUE(w.global().ItemFileUntitled);
    EXPECT_TRUE(w.global().ItemDataModified);
}

TEST(MainFormRecords, CopyTagPutsBothMarkersOfThePartOnTheClipboard)
{
    WindowTest w;
    w.Records({ { "k", "\\@", "a.html", "P1" } });
    w.global().PartStartMarker = "<!-- s {ID} -->";
    w.global().PartEndMarker = "<!-- e {ID} {ID} -->";
    w.global().OpRow = 1;
    w.action("CopyTag")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "<!-- s P1 -->\n<!-- e P1 P1 -->");
}

TEST(MainFormRecords, HeadingSortAlternatesPutsFileRecordsAheadAndMarksANewOrder)
{
    WindowTest w;
    w.Records({ { "a", "\\@", "f.html", "F" }, { "a" }, { "b" } });
    QWidget* heading = w.grid()->horizontalHeader()->viewport();
    const QPoint firstColumn(w.grid()->columnWidth(0) / 2, heading->height() / 2);

    // The first press sorts descending; the reversed order would put the
    // file record below its equal key, the pass moves it up again.
    Click(heading, firstColumn);
    EXPECT_FALSE(w.grid()->Ascending());
    EXPECT_EQ(w.cell(1, 1), "b");
    EXPECT_EQ(w.cell(2, 2), "\\@");
    EXPECT_EQ(w.cell(2, 3), "");
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(w.cell(0, row), std::to_string(row));
    EXPECT_EQ(w.caption(), "無題 * - Lexicana");

    Click(heading, firstColumn);
    EXPECT_TRUE(w.grid()->Ascending());
    EXPECT_EQ(w.cell(2, 1), "\\@");
    EXPECT_EQ(w.cell(1, 3), "b");

    // A sort that keeps the order changes nothing to save. With the Sort
    // column outside the grid no file record moves among the others.
    w.Records({ { "a", "\\@" }, { "a" }, { "a" }, { "b", "\\@" }, { "b" } });
    w.global().ItemDataModified = false;
    w.form->UpdateCaption();
    w.global().SortCol = 9;
    w.grid()->SetSortOps(soUponly);
    Click(heading, firstColumn);
    EXPECT_EQ(w.cell(2, 1), "\\@");
    EXPECT_EQ(w.cell(2, 3), "");
    EXPECT_EQ(w.cell(2, 4), "\\@");
    EXPECT_EQ(w.caption(), "無題 - Lexicana");
}

} // namespace
} // namespace lexicana::test

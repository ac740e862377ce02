// Record-level undo and redo in the main window: each record command is one
// named step that Ctrl+Z takes back and Ctrl+Y does again, the " *" of the
// caption following.
#include "app/mainformharness.h"
#include "app/numofitems.h"

#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace lexicana::test {
namespace {

// The records (the row numbers are the window's, not data).
std::string Records(const TRecordTable& table)
{
    std::string text;
    for (int row = 1; row < table.RowCount(); ++row) {
        for (int col = 1; col < table.ColCount(); ++col)
            text += table.Cell(col, row) + "|";
        text += "\n";
    }
    return text;
}

TEST(MainFormUndo, EveryRecordCommandIsOneStepUndoneAndRedone)
{
    using Command = std::function<void(WindowTest&)>;
    const std::vector<std::tuple<const char*, const char*, Command>> commands = {
        { "typing in the pane", "セルの編集",
            [](WindowTest& w) {
                w.form->SelectCell(2, 2);
                w.form->Memo_Main->setFocus();
                w.form->Memo_MainEnter();
                PressKey(w.form->Memo_Main, Qt::Key_X, Qt::NoModifier, "x");
                PressKey(w.form->Memo_Main, Qt::Key_Y, Qt::NoModifier, "y");
                w.grid()->setFocus();
                w.form->StringGrid_MainEnter();
            } },
        { "typing in the grid", "セルの編集",
            [](WindowTest& w) {
                w.form->SelectCell(1, 3);
                w.grid()->edit(w.grid()->currentIndex());
                auto* editor = w.grid()->findChild<QLineEdit*>();
                ASSERT_NE(editor, nullptr);
                PressKey(editor, Qt::Key_Q, Qt::NoModifier, "q");
                PressKey(editor, Qt::Key_Return);
            } },
        { "insert", "レコードの追加",
            [](WindowTest& w) {
                w.form->SelectCell(1, 2);
                PressKey(w.grid(), Qt::Key_I, Qt::ControlModifier);
            } },
        { "delete", "レコードの削除",
            [](WindowTest& w) {
                w.form->SelectCell(1, 2);
                w.sink.Answer(IdOk);
                PressKey(w.grid(), Qt::Key_D, Qt::ControlModifier);
            } },
        { "drag", "行の移動", [](WindowTest& w) { w.grid()->verticalHeader()->moveSection(0, 2); } },
        { "sort", "並べ替え",
            [](WindowTest& w) { w.grid()->QuickSortGrid(w.table(), 1, w.table().RowCount() - 1, 3); } },
        { "cut", "切り取り",
            [](WindowTest& w) {
                w.form->SelectCell(1, 1);
                w.action("Cut1")->trigger();
            } },
        { "paste", "貼り付け",
            [](WindowTest& w) {
                w.form->SelectCell(3, 4);
                QApplication::clipboard()->setText("pasted");
                w.action("Paste1")->trigger();
            } },
        { "record count", "レコード数の変更",
            [](WindowTest& w) {
                AnswerNextModal([](QWidget* modal) {
                    auto* dialog = qobject_cast<TDlg_NumOfItems*>(modal);
                    ASSERT_NE(dialog, nullptr);
                    dialog->Edit_Record->setText("2");
                    dialog->OKBtnClick();
                });
                w.action("N14")->trigger();
                QApplication::setActiveWindow(w.form.get());
            } },
    };
    for (const auto& [what, name, command] : commands) {
        SCOPED_TRACE(what);
        WindowTest w;
        w.Records({ { "c", "", "x" }, { "a", "", "z" }, { "d", "", "y" }, { "b", "", "w" } });
        const std::string before = Records(w.table());
        command(w);
        const std::string after = Records(w.table());
        ASSERT_NE(before, after);
        EXPECT_EQ(w.caption(), "無題 * - Lexicana");

        w.grid()->setFocus();
        w.form->StringGrid_MainEnter();
        w.form->Edit1Click();
        EXPECT_EQ(w.form->Undo1->text().toStdString(), std::string("元に戻す: ") + name + "(&U)");
        PressKey(w.grid(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Records(w.table()), before);
        // Back at the saved state: nothing to save.
        EXPECT_EQ(w.caption(), "無題 - Lexicana");
        EXPECT_FALSE(w.global().ItemDataModified);

        PressKey(w.grid(), Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(Records(w.table()), after);
        EXPECT_EQ(w.caption(), "無題 * - Lexicana");
        PressKey(w.grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(Records(w.table()), after); // nothing left to redo
        w.action("Undo1")->trigger();
        EXPECT_EQ(Records(w.table()), before);
        EXPECT_EQ(w.form->Memo_Main->toPlainText().toStdString(),
            w.cell(w.grid()->CurrentCol(), w.grid()->CurrentRow()));
    }
}

} // namespace
} // namespace lexicana::test

// The main window as the user sees it: caption, status bar, the command
// table's captions and keys, the enabling rules, the context menu's keys
// winning over the main menu's, and the toolbars.
#include "mainformharness.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>
#include <gtest/gtest.h>

namespace lexicana::test {
namespace {

TEST(MainFormWindow, CaptionShowsSetFileNameAndModifiedMark)
{
    WindowTest w;
    EXPECT_EQ(w.caption(), "無題 - Lexicana");
    EXPECT_EQ(w.form->font().pointSize(), 9);

    // Typing into a cell marks the data modified.
    w.grid()->SetCurrentCell(1, 1);
    w.grid()->edit(w.grid()->currentIndex());
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    PressKey(editor, Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_EQ(w.caption(), "無題 * - Lexicana");

    w.global().ItemDataModified = false;
    w.global().SetFileName = "D:\\x\\y.lxs";
    w.form->UpdateCaption();
    EXPECT_EQ(w.caption(), "y.lxs - Lexicana");
    // ":" is an ordinary character of a Linux file name.
    w.global().SetFileName = "A:y.lxs";
    w.form->UpdateCaption();
    EXPECT_EQ(w.caption(), "A:y.lxs - Lexicana");
    w.global().FullPath = true;
    w.form->UpdateCaption();
    EXPECT_EQ(w.caption(), "A:y.lxs - Lexicana");
}

TEST(MainFormWindow, OpensWideEnoughForTheExampleAndRemembersItsLayout)
{
    {
        WindowTest w({ QStringLiteral(LEXICANA_SOURCE_DIR "/examples/glossary/glossary.lxs") });
        ASSERT_EQ(w.table().ColCount(), 6);
        // At the first start's size every column of the example is in view
        // (the window opens at that size wherever the screen is big enough).
        const QSize initial = TMainForm::InitialWindowSize();
        if (initial.boundedTo(QGuiApplication::primaryScreen()->availableGeometry().size()) == initial) {
            EXPECT_EQ(w.form->size(), initial);
        }
        w.form->resize(initial);
        QApplication::processEvents();
        TStrSortGrid* grid = w.grid();
        EXPECT_LE(grid->columnViewportPosition(4) + grid->columnWidth(4), grid->viewport()->width());

        // Size and pane height come back in the next session.
        w.form->resize(640, 480);
        w.form->Splitter1->setSizes({ 200, 150 });
        QApplication::processEvents();
        const int pane = w.form->Splitter1->sizes().at(1);
        EXPECT_TRUE(w.form->close());
        WindowTest again({}, false);
        EXPECT_EQ(again.form->size(), QSize(640, 480));
        EXPECT_EQ(again.form->Splitter1->sizes().at(1), pane);
    }
}

TEST(MainFormWindow, StatusBarNamesPositionRecordKindAndColumnRole)
{
    WindowTest w;
    std::vector<std::vector<std::string>> rows(120, std::vector<std::string>(5));
    rows[3] = { "k", "\\@", "a.html", "A", "" }; // row 4 is a file record
    w.Records(rows);
    w.form->SelectCell(2, 3);
    EXPECT_EQ(w.form->StatusText(0), "3行 2列目 / 120行 5列");
    EXPECT_EQ(w.form->StatusText(1), "通常レコード");
    EXPECT_EQ(w.form->StatusText(2), "h2");

    const std::pair<int, const char*> roles[] = { { 1, "h1" }, { 2, "レコード識別コード" },
        { 3, "ファイル名" }, { 4, "パートＩＤ" }, { 5, "何も入力しないでください" } };
    for (const auto& [col, role] : roles) {
        w.form->SelectCell(col, 4);
        EXPECT_EQ(w.form->StatusText(1), "ファイルレコード");
        EXPECT_EQ(w.form->StatusText(2), QString::fromUtf8(role)) << col;
    }
}

TEST(MainFormWindow, MenusCarryTheirCaptionsAndKeys)
{
    WindowTest w;
    TMainForm& f = *w.form;
    const struct {
        QAction* item;
        const char* caption;
        const char* key;
    } items[] = {
        { f.New1, "新規作成(&N)...", "" },
        { f.LexicanaX1, "Lexicanaの終了(&X)", "Alt+F4" },
        { f.N14, "表のレコード数変更(&S)...", "" },
        { f.N16, "新規作成(&N)...", "Ctrl+N" },
        { f.Open1, "開く(&O)...", "Ctrl+O" },
        { f.S1, "上書き保存(&S)", "Ctrl+S" },
        { f.C2, "レコード数のカウント(&C)", "" },
        { f.T1, "変換テーブルファイルの編集(&T)", "" },
        { f.S2, "変換開始(&G)", "Alt+T" },
        { f.P1, "選択中のパートだけを変換(&P)", "Alt+P" },
        { f.Undo1, "元に戻す(&U)", "Ctrl+Z" },
        { f.SelAll1, "全て選択(&S)", "Ctrl+A" },
        { f.Menu_ReplaceAllCell, "全セル内を置換(&A)...", "" },
        { f.R2, "再描画(&R)", "" },
        { f.HTMLH1, "HTMLヘルプ(&H)", "F1" },
        { f.N20, "全て選択(&A)", "Ctrl+A" },
        { f.InsertRecord, "現在の位置に空きレコードを追加(&I)", "Ctrl+I" },
        { f.InsertRecordNext, "現在の次の位置に空きレコードを追加(&N)", "Ctrl+N" },
        { f.InsertFileRecord, "ファイルレコードを追加(&F)...", "Ctrl+F" },
        { f.D2, "現在のレコードを削除(&D)", "Ctrl+D" },
        { f.CopyTag, "Lexicanaタグをコピー(&W)", "" },
        { f.ConvPart, "このパートだけを変換(&C)", "" },
    };
    for (const auto& item : items) {
        EXPECT_EQ(item.item->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(item.item->shortcut().toString(QKeySequence::PortableText), QString::fromLatin1(item.key))
            << item.caption;
    }
    QStringList menus;
    for (QAction* top : f.menuBar()->actions())
        menus << top->text();
    EXPECT_EQ(menus.join("|"),
        "セットファイル(&S)|データファイル(&D)|変換(&C)|編集(&E)|表示/ツールバー(&O)|ヘルプ(&H)");
    EXPECT_EQ(f.ToolBar_lxs->windowTitle(), "セットファイル");
    EXPECT_EQ(f.SpeedButton_Convert->toolTip(), "変換開始");
    EXPECT_EQ(f.ToolButton_NewItem->toolTip(), "項目データファイルの新規作成");
}

TEST(MainFormWindow, CtrlNInsertsAfterCurrentOnGridAndPaneButCreatesNewFileElsewhere)
{
    WindowTest w;
    w.Records({ { "a" }, { "b" }, { "c" } });
    w.form->SelectCell(1, 2);
    PressKey(w.grid(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(w.table().RowCount(), 5);
    EXPECT_EQ(w.cell(1, 2), "b");
    EXPECT_EQ(w.cell(1, 3), "");
    EXPECT_EQ(w.cell(1, 4), "c");
    EXPECT_EQ(w.cell(0, 4), "4");
    EXPECT_EQ(w.caption(), "無題 * - Lexicana");

    // In the text pane too (the record operations act at OpRow).
    w.form->Memo_Main->setFocus();
    w.form->Memo_MainEnter();
    PressKey(w.form->Memo_Main, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(w.table().RowCount(), 6);
    EXPECT_EQ(w.sink.count(), 0u);

    // With the focus on neither, Ctrl+N is the main menu's New item data
    // file: the save question comes first.
    w.form->ToolBar_Edit->setFocusPolicy(Qt::StrongFocus);
    w.form->ToolBar_Edit->setFocus();
    w.sink.Answer(IdCancel);
    PressKey(w.form->ToolBar_Edit, Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_EQ(w.sink.last().text, "無題 への変更を保存しますか？");
    EXPECT_EQ(w.table().RowCount(), 6);

    // The toolbar button runs New as well; the record-count dialog opens.
    bool opened = false;
    AnswerNextModal([&opened](QWidget* dialog) {
        opened = dialog->windowTitle() == "新規作成";
        dialog->close();
    });
    w.sink.Answer(IdNo);
    w.action("ToolButton_NewItem")->trigger();
    EXPECT_TRUE(opened);
}

TEST(MainFormWindow, TheCellEditorKeepsItsEditingKeysButNotTheRecordKeys)
{
    WindowTest w;
    w.Records({ { "ab" }, { "c" } });
    w.form->SelectCell(1, 1);
    w.grid()->edit(w.grid()->currentIndex());
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, w.grid());
    // Ctrl+A selects the editor's text instead of moving to the pane.
    PressKey(editor, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), editor);
    PressKey(editor, Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(w.table().RowCount(), 4);
    EXPECT_EQ(w.cell(1, 2), "");
    EXPECT_EQ(w.sink.count(), 0u);
}

TEST(MainFormWindow, DisabledItemsIgnoreTheirKeysButTheConversionButtonWorks)
{
    WindowTest w;
    w.Records({ { "a" } });
    ASSERT_TRUE(w.global().TableFileName.empty());
    // The key brings the menu's enabling up to date, as opening it would,
    // before it is matched: the disabled item does nothing.
    PressKey(w.grid(), Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(w.sink.count(), 0u);
    for (const char* name : { "T1", "R1", "S2", "P1" })
        EXPECT_FALSE(w.action(name)->isEnabled()) << name;

    // The toolbar's conversion button starts a run even so; it fails on the
    // missing table and says so.
    w.action("SpeedButton_Convert")->trigger();
    EXPECT_GE(w.sink.count(), 1u);
    EXPECT_EQ(w.form->ConvertingDialog(), nullptr);

    // Ctrl+Z does nothing while the grid is the edit target and no record
    // change is there to undo.
    w.sink.clear();
    w.form->Document().ResetHistory(true);
    w.form->SelectCell(1, 1);
    w.grid()->setFocus();
    w.form->StringGrid_MainEnter();
    w.form->Edit1Click();
    EXPECT_FALSE(w.form->Undo1->isEnabled());
    EXPECT_TRUE(w.form->Cut1->isEnabled());
    PressKey(w.grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.cell(1, 1), "a");
}

TEST(MainFormWindow, CutAndPasteOnTheGridActOnTheWholeCell)
{
    WindowTest w;
    w.Records({ { "abc" }, { "x" } });
    w.form->SelectCell(1, 1);
    w.grid()->setFocus();
    w.form->StringGrid_MainEnter();
    PressKey(w.grid(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(w.cell(1, 1), "");
    EXPECT_EQ(QApplication::clipboard()->text(), "abc");
    EXPECT_EQ(w.caption(), "無題 * - Lexicana");
    EXPECT_EQ(w.global().EditTarget, 0);

    w.form->SelectCell(1, 2);
    PressKey(w.grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.cell(1, 2), "abc");
    w.action("Copy1")->trigger();
    EXPECT_EQ(w.cell(1, 2), "abc");

    // A pasted character without a Shift_JIS code is refused.
    QApplication::clipboard()->setText(QString::fromUtf8("d\xF0\x9F\x98\x80"));
    w.sink.clear();
    w.action("Paste1")->trigger();
    EXPECT_EQ(w.cell(1, 2), "abc");
    EXPECT_EQ(w.sink.count(), 1u);
}

TEST(MainFormWindow, TextPaneMirrorsTheCurrentCellAndWritesBackItsOwnTyping)
{
    WindowTest w;
    w.Records({ { "one\r\ntwo" }, { "x" } });
    w.form->SelectCell(1, 1);
    EXPECT_EQ(w.form->Memo_Main->toPlainText(), "one\ntwo");
    EXPECT_EQ(w.form->Memo_Main->document()->blockCount(), 2);

    // Typing in the grid's editor shows every keystroke in the pane.
    w.form->SelectCell(1, 2);
    w.grid()->setFocus();
    w.grid()->edit(w.grid()->currentIndex());
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, w.grid());
    PressKey(editor, Qt::Key_End);
    PressKey(editor, Qt::Key_Y, Qt::NoModifier, "y");
    EXPECT_EQ(w.cell(1, 2), "xy");
    EXPECT_EQ(w.form->Memo_Main->toPlainText(), "xy");
    w.grid()->CloseEditor();

    // Typing in the pane writes the lines back with CR LF.
    w.global().ItemDataModified = false;
    w.form->Memo_Main->setFocus();
    w.form->Memo_MainEnter();
    w.form->Memo_Main->setPlainText("p\nq");
    EXPECT_EQ(w.cell(1, 2), "p\r\nq");
    EXPECT_TRUE(w.global().ItemDataModified);
}

TEST(MainFormWindow, ContextMenuShowsRecordItemsOnlyForTheGrid)
{
    WindowTest w;
    w.Records({ { "k", "\\@", "a.html", "A" }, { "n" } });
    w.global().OpRow = 1;
    w.global().EditTarget = 0;
    w.form->PopupMenu_ItemPopup();
    EXPECT_TRUE(w.form->PopUpRecOpe1->menuAction()->isVisible());
    EXPECT_TRUE(w.form->ConvPart->isVisible());
    EXPECT_TRUE(w.form->CopyTag->isVisible());
    EXPECT_TRUE(w.form->OpenEditor->isVisible());

    w.global().OpRow = 2;
    w.form->PopupMenu_ItemPopup();
    EXPECT_FALSE(w.form->CopyTag->isVisible());
    EXPECT_TRUE(w.form->ConvPart->isVisible());

    w.global().EditTarget = 1;
    w.form->PopupMenu_ItemPopup();
    EXPECT_FALSE(w.form->PopUpRecOpe1->menuAction()->isVisible());
    EXPECT_FALSE(w.form->ConvPart->isVisible());
    EXPECT_TRUE(w.form->Edit3->menuAction()->isVisible());
}

TEST(MainFormWindow, ViewMenuTogglesTheToolbars)
{
    WindowTest w;
    w.form->N4Click();
    EXPECT_TRUE(w.form->S4->isChecked());
    w.action("S4")->trigger();
    EXPECT_TRUE(w.form->ToolBar_lxs->isHidden());
    w.form->N4Click();
    EXPECT_FALSE(w.form->S4->isChecked());
    EXPECT_TRUE(w.form->Edit2->isChecked());
    w.action("S4")->trigger();
    EXPECT_FALSE(w.form->ToolBar_lxs->isHidden());
}

} // namespace
} // namespace lexicana::test

// The find and replace dialogs driven through their controls, on a real
// grid and text pane over a document.
#include "app/finddialogs.h"
#include "app/findreplacecontroller.h"
#include "components/strsortgrid.h"
#include "document/document.h"
#include "platform/qsjis.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextCursor>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>

using namespace lexicana;
using lexicana::test::RecordingSink;

namespace {

// Three data columns and three records named "c<col><row>", the grid on
// (1, 1) and the pane showing it.
struct Window {
    RecordingSink sink;
    TGlobal global { false };
    TDocument doc { global };
    std::unique_ptr<TStrSortGrid> grid;
    std::unique_ptr<QPlainTextEdit> pane;
    std::unique_ptr<TFindReplaceController> control;
    int edits = 0;

    Window()
    {
        TRecordTable& table = doc.Grid();
        table.SetColCount(4);
        table.SetRowCount(4);
        for (int c = 1; c < 4; ++c)
            for (int r = 1; r < 4; ++r)
                table.SetCell(c, r, "c" + std::to_string(c) + std::to_string(r));
        grid = std::make_unique<TStrSortGrid>(table);
        pane = std::make_unique<QPlainTextEdit>();
        TFindReplaceController::THooks hooks;
        hooks.CellsEdited = [this] { ++edits; };
        control = std::make_unique<TFindReplaceController>(doc, grid.get(), pane.get(), hooks);
        grid->SetCurrentCell(1, 1);
        doc.ResetHistory(true);
    }
    TFindDialog& find() { return *control->FindDialog_SingleCell; }
    TReplaceDialog& replace() { return *control->ReplaceDialog_SingleCell; }
    // A cell as loaded (no change to save).
    void Cell(int c, int r, const char* utf8)
    {
        doc.Grid().SetCell(c, r, SjisOf(utf8));
        doc.ResetHistory(true);
    }
    std::string Cell(int c, int r) const { return SjisToUtf8(doc.Grid().Cell(c, r)); }
    std::pair<int, int> Current() const { return { grid->CurrentCol(), grid->CurrentRow() }; }
    QString Selected() const { return pane->textCursor().selectedText(); }
    int SelectionStart() const { return pane->textCursor().selectionStart(); }
    // Typed over the whole text: ASCII by keys, the rest as the input
    // method commits it.
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            QTest::keyClicks(edit, text);
            return;
        }
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(edit, &commit);
    }
    void Select(int start, int length)
    {
        QTextCursor cursor = pane->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        pane->setTextCursor(cursor);
    }
};

} // namespace

TEST(FindDialogs, ControlsCaptionsAndTheirStates)
{
    Window w;
    TFindDialog& find = w.find();
    EXPECT_EQ(find.windowTitle(), "検索");
    EXPECT_FALSE(find.isModal());
    EXPECT_EQ(find.Label_Find->text(), "検索する文字列(&N):");
    EXPECT_EQ(find.CheckBox_MatchCase->text(), "大文字と小文字を区別する(&C)");
    EXPECT_EQ(find.CheckBox_WholeWord->text(), "単語単位で探す(&W)");
    EXPECT_EQ(find.GroupBox_Direction->title(), "方向");
    EXPECT_EQ(find.RadioButton_Up->text(), "上へ(&U)");
    EXPECT_TRUE(find.RadioButton_Down->isChecked());
    EXPECT_EQ(find.Button_FindNext->text(), "次を検索(&F)");
    EXPECT_EQ(find.Button_Cancel->text(), "キャンセル");
    TReplaceDialog& replace = w.replace();
    EXPECT_EQ(replace.windowTitle(), "置換");
    EXPECT_EQ(replace.Label_Replace->text(), "置換後の文字列(&P):");
    EXPECT_EQ(replace.Button_Replace->text(), "置換して次に(&R)");
    EXPECT_EQ(replace.Button_ReplaceAll->text(), "すべて置換(&A)");

    // The buttons wait for a find text.
    w.control->Menu_ReplaceSingleCellClick();
    EXPECT_TRUE(replace.isVisible());
    EXPECT_TRUE(w.global.FindSingleCell);
    for (QPushButton* button : { replace.Button_FindNext, replace.Button_Replace, replace.Button_ReplaceAll })
        EXPECT_FALSE(button->isEnabled());
    Window::Type(replace.Edit_Find, "c");
    for (QPushButton* button : { replace.Button_FindNext, replace.Button_Replace, replace.Button_ReplaceAll })
        EXPECT_TRUE(button->isEnabled());

    // All-cell mode offers only Down; the Up chosen before comes back in
    // single-cell mode.
    w.control->Menu_FindSingleCellClick();
    find.RadioButton_Up->setChecked(true);
    w.control->Menu_FindAllCellClick();
    EXPECT_FALSE(w.global.FindSingleCell);
    EXPECT_FALSE(find.RadioButton_Up->isEnabled());
    EXPECT_TRUE(find.RadioButton_Down->isChecked());
    EXPECT_FALSE(replace.RadioButton_Up->isEnabled());
    w.control->Menu_FindSingleCellClick();
    EXPECT_TRUE(find.RadioButton_Up->isChecked());

    find.Button_Cancel->click();
    EXPECT_FALSE(find.isVisible());
    EXPECT_TRUE(replace.isVisible());
}

TEST(FindDialogs, FindNextSelectsDoubleByteMatchesInThePane)
{
    Window w;
    w.Cell(1, 1, "x\r\nあいう　あい");
    w.control->Menu_FindSingleCellClick();
    EXPECT_EQ(w.global.EditTarget, 1);
    EXPECT_EQ(w.pane->toPlainText(), "x\nあいう　あい");
    TFindDialog& find = w.find();
    Window::Type(find.Edit_Find, "あい");
    // Enter presses Find Next.
    QTest::keyClick(find.Edit_Find, Qt::Key_Return);
    EXPECT_EQ(w.SelectionStart(), 2);
    EXPECT_EQ(w.Selected(), "あい");
    find.Button_FindNext->click();
    EXPECT_EQ(w.SelectionStart(), 6);
    // The last match of the cell: nothing more, the selection stays and the
    // grid does not move.
    find.Button_FindNext->click();
    EXPECT_EQ(w.SelectionStart(), 6);
    EXPECT_EQ(w.Selected(), "あい");
    EXPECT_EQ(w.Current(), std::make_pair(1, 1));
    EXPECT_FALSE(w.global.FindMatched);
    // Upward, from the selection.
    find.RadioButton_Up->setChecked(true);
    find.Button_FindNext->click();
    EXPECT_EQ(w.SelectionStart(), 2);
    EXPECT_EQ(w.sink.count(), 0u);

    // Bytes that are no character keep the positions of what follows.
    w.doc.Grid().SetCell(1, 1, "\x81\x20x\xFFx");
    w.Select(0, 0);
    Window::Type(find.Edit_Find, "x");
    find.RadioButton_Down->setChecked(true);
    find.Button_FindNext->click();
    EXPECT_EQ(w.Selected(), "x");
    find.Button_FindNext->click();
    EXPECT_EQ(w.Selected(), "x");
    EXPECT_EQ(w.SelectionStart(), w.pane->toPlainText().size() - 1);
}

TEST(FindDialogs, AllCellFindMovesTheGridAndAsksAtTheEnd)
{
    Window w;
    w.Cell(3, 1, "見出し");
    w.Cell(2, 3, "見出し語");
    w.grid->SetCurrentCell(2, 1);
    w.control->Menu_FindAllCellClick();
    TFindDialog& find = w.find();
    Window::Type(find.Edit_Find, "見出し");
    find.Button_FindNext->click();
    EXPECT_EQ(w.Current(), std::make_pair(3, 1));
    EXPECT_EQ(w.pane->toPlainText(), "見出し");
    EXPECT_EQ(w.Selected(), "見出し");
    find.Button_FindNext->click();
    EXPECT_EQ(w.Current(), std::make_pair(2, 3));
    EXPECT_EQ(w.Selected(), "見出し");
    EXPECT_EQ(w.global.EditTarget, 1);

    // At the end: the last cell in the grid, which stays the edit target
    // after No.
    w.sink.Answer(IdNo);
    find.Button_FindNext->click();
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_EQ(w.sink.last().caption, "検索終了");
    EXPECT_EQ(w.Current(), std::make_pair(3, 3));
    EXPECT_EQ(w.global.EditTarget, 0);
    EXPECT_EQ(w.pane->toPlainText(), "c33");
    // Yes goes on from the first cell (column by column now).
    w.global.RepDirectVert = false;
    w.sink.Answer(IdYes);
    find.Button_FindNext->click();
    EXPECT_EQ(w.Current(), std::make_pair(2, 3));

    // A text without a Shift_JIS code is refused before any search.
    w.sink.clear();
    Window::Type(find.Edit_Find, QStringLiteral(u"한"));
    find.Button_FindNext->click();
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_EQ(w.sink.last().caption, "エラー");
    EXPECT_NE(w.sink.last().text.find("U+D55C"), std::string::npos);
    EXPECT_EQ(w.Current(), std::make_pair(2, 3));
}

TEST(FindDialogs, ReplaceWritesTheCellsAndMarksTheDataModified)
{
    Window w;
    w.Cell(1, 1, "語と語");
    w.control->Menu_ReplaceSingleCellClick();
    TReplaceDialog& replace = w.replace();
    Window::Type(replace.Edit_Find, "語");
    Window::Type(replace.Edit_Replace, "用語");
    // Nothing selected: the first match is selected, nothing replaced.
    replace.Button_Replace->click();
    EXPECT_EQ(w.Cell(1, 1), "語と語");
    EXPECT_EQ(w.Selected(), "語");
    EXPECT_FALSE(w.global.ItemDataModified);
    replace.Button_Replace->click();
    EXPECT_EQ(w.Cell(1, 1), "用語と語");
    EXPECT_EQ(w.pane->toPlainText(), "用語と語");
    EXPECT_EQ(w.SelectionStart(), 3);
    EXPECT_TRUE(w.global.ItemDataModified);
    EXPECT_EQ(w.edits, 1);

    // Replace All in one cell: the inserted text is not searched again.
    replace.Button_ReplaceAll->click();
    EXPECT_EQ(w.Cell(1, 1), "用用語と用語");
    EXPECT_EQ(w.Cell(2, 1), "c21");
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_EQ(w.sink.last().text, "2 件置換しました。");
    EXPECT_EQ(w.sink.last().caption, "置換");
    EXPECT_EQ(w.sink.last().icon(), MessageIcon::Information);
    w.sink.clear();

    // Through the table from (2, 2); Yes at the end covers the cells before.
    w.control->Menu_ReplaceAllCellClick();
    w.grid->SetCurrentCell(2, 2);
    Window::Type(replace.Edit_Find, "C");
    Window::Type(replace.Edit_Replace, "セル");
    w.sink.Answer(IdYes);
    replace.Button_ReplaceAll->click();
    ASSERT_EQ(w.sink.count(), 2u);
    EXPECT_EQ(w.sink.last().text, "8 件置換しました。");
    EXPECT_EQ(w.Cell(2, 2), "セル22");
    EXPECT_EQ(w.Cell(1, 2), "セル12");
    EXPECT_EQ(w.Cell(1, 1), "用用語と用語");
    EXPECT_EQ(w.Current(), std::make_pair(2, 2));
    EXPECT_EQ(w.pane->toPlainText(), "セル22");
    // All the cells of Replace All are one step to undo and redo.
    TRecordHistory& history = w.doc.RecordHistory();
    EXPECT_EQ(history.UndoName(), "すべて置換");
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(w.Cell(2, 2), "c22");
    EXPECT_EQ(w.Cell(1, 1), "用用語と用語");
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(w.Cell(2, 2), "セル22");
    // While a conversion keeps the grid read-only nothing is done.
    w.grid->SetReadOnly(true);
    Window::Type(replace.Edit_Find, "セ");
    Window::Type(replace.Edit_Replace, "y");
    replace.Button_ReplaceAll->click();
    replace.Button_FindNext->click();
    EXPECT_EQ(w.Cell(3, 3), "セル33");
    EXPECT_EQ(w.Current(), std::make_pair(2, 2));
    EXPECT_EQ(w.sink.count(), 2u);
}

// A box hands the activation to the window that owns it when it closes, as
// Qt's boxes do; the data's state is noted when a question comes.
class OwnerActivatingSink final : public IMessageSink {
public:
    OwnerActivatingSink(IMessageSink& inner, QWidget* owner, std::function<void()> onQuestion)
        : inner_(inner)
        , owner_(owner)
        , onQuestion_(std::move(onQuestion))
        , previous_(SetMessageSink(this))
    {
    }
    ~OwnerActivatingSink() override { SetMessageSink(previous_); }
    int Show(const MessageRequest& request) override
    {
        if (request.buttons() == MessageButtons::YesNo)
            onQuestion_();
        const int answer = inner_.Show(request);
        QApplication::setActiveWindow(owner_);
        return answer;
    }

private:
    IMessageSink& inner_;
    QWidget* owner_;
    std::function<void()> onQuestion_;
    IMessageSink* previous_;
};

TEST(FindDialogs, AfterTheQuestionTheAskingDialogHasTheFocusAndEnterEditsNothing)
{
    Window w;
    w.pane->show();
    bool modifiedAtQuestion = false;
    OwnerActivatingSink boxes(
        w.sink, w.pane.get(), [&] { modifiedAtQuestion = w.global.ItemDataModified && w.edits > 0; });
    w.Cell(1, 1, "語");
    w.grid->SetCurrentCell(2, 3);
    w.control->Menu_FindAllCellClick();
    TFindDialog& find = w.find();
    Window::Type(find.Edit_Find, "語");
    find.Button_FindNext->click(); // to the end, Yes, on from the start
    QApplication::processEvents();
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_EQ(w.Current(), std::make_pair(1, 1));
    EXPECT_EQ(w.Selected(), "語");
    EXPECT_EQ(QApplication::activeWindow(), &find);
    // Enter presses Find Next again instead of typing over the match.
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(w.pane->toPlainText(), "語");
    EXPECT_EQ(w.sink.count(), 2u);

    // Replace All: the data are modified before the question, the count
    // follows, and the replace dialog has the focus again.
    find.hide();
    w.grid->SetCurrentCell(3, 1);
    w.control->Menu_ReplaceAllCellClick();
    TReplaceDialog& replace = w.replace();
    Window::Type(replace.Edit_Find, "c");
    Window::Type(replace.Edit_Replace, "d");
    replace.Button_ReplaceAll->click();
    QApplication::processEvents();
    EXPECT_TRUE(modifiedAtQuestion);
    EXPECT_EQ(w.sink.last().text, "8 件置換しました。");
    EXPECT_EQ(QApplication::activeWindow(), &replace);
}

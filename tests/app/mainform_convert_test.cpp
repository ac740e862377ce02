// Conversions started from the main window: a whole run with its progress
// dialog and final message, the records read-only and no second run while it
// lasts, the cancel question answered No and Yes, and the one-part command.
#include "app/dlgconverting.h"
#include "app/termcheckdialog.h"
#include "mainformharness.h"

#include <QAction>
#include <QListWidget>
#include <QProgressBar>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace lexicana::test {
namespace {

// Runs a function when the progress dialog appears (inside the run).
class DialogWatcher : public QObject {
public:
    explicit DialogWatcher(std::function<void(TDlg_Converting*)> onShow)
        : onShow_(std::move(onShow))
    {
        qApp->installEventFilter(this);
    }
    ~DialogWatcher() override { qApp->removeEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* dialog = qobject_cast<TDlg_Converting*>(watched)) {
                ++shown;
                if (onShow_)
                    onShow_(dialog);
            }
        return false;
    }

private:
    std::function<void(TDlg_Converting*)> onShow_;
};

// A set of one page with a part of two records, opened in a window.
struct ConvertedSet {
    ConvertedSet()
        : set({ { "a", "\\@", "page.html", "P" }, { "b", "", "", "", "alpha" }, { "c", "", "", "", "beta" } })
    {
        set.Page("page.html");
        w.dialogs.Choose(set.set);
        w.action("Open2")->trigger();
    }
    WindowSet set;
    WindowTest w;
};

TEST(MainFormConvert, WholeRunKeepsTheRecordsReadOnlyAndEndsWithTheSuccessMessage)
{
    ConvertedSet c;
    WindowTest& w = c.w;
    bool readOnly = false;
    int rowsDuringRun = 0;
    DialogWatcher watcher([&](TDlg_Converting* dialog) {
        readOnly = w.grid()->IsReadOnly() && w.form->Memo_Main->isReadOnly();
        EXPECT_EQ(w.form->ConvertingDialog(), dialog);
        EXPECT_EQ(dialog->ProgressBar_Record->minimum(), 1);
        EXPECT_EQ(dialog->ProgressBar_Record->maximum(), 3);
        // Neither a second run nor a record command gets in.
        w.action("S2")->trigger();
        w.action("SpeedButton_Convert")->trigger();
        w.action("InsertRecordNext")->trigger();
        rowsDuringRun = w.table().RowCount();
    });
    PressKey(w.grid(), Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(watcher.shown, 1);
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(rowsDuringRun, 4);
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_EQ(w.sink.last().text, "HTMLファイルの書き換えが正常に終了しました。");
    EXPECT_EQ(w.sink.last().caption, "完了");
    EXPECT_EQ(c.set.Read("page.html"), "head" + kPageStart + "<i>alpha</i><i>beta</i>" + kPageEnd + "tail");
    EXPECT_EQ(w.form->statusBar()->currentMessage(), "書き換えたページ: 1、変更のなかったページ: 0");
    EXPECT_EQ(w.form->ConvertingDialog(), nullptr);
    EXPECT_FALSE(w.grid()->IsReadOnly());
    EXPECT_FALSE(w.form->Memo_Main->isReadOnly());
    EXPECT_FALSE(w.global().Converting);
}

TEST(MainFormConvert, CancelQuestionAnsweredNoGoesOnAndYesInterrupts)
{
    for (bool stop : { false, true }) {
        ConvertedSet c;
        WindowTest& w = c.w;
        DialogWatcher watcher([](TDlg_Converting* dialog) {
            // The click arrives at the run's first event pass.
            QTimer::singleShot(0, dialog, [dialog] { dialog->CancelBottunClick(); });
        });
        w.sink.Answer(stop ? IdYes : IdNo);
        w.action("S2")->trigger();
        ASSERT_EQ(w.sink.count(), 2u) << stop;
        EXPECT_EQ(w.sink.boxes[0].text, "変換を中断しますか？");
        EXPECT_EQ(w.sink.boxes[0].caption, "確認");
        EXPECT_EQ(w.sink.boxes[0].flags, MbYesNo | MbIconQuestion);
        if (stop) {
            EXPECT_EQ(w.sink.last().text, "HTML書き換えを中断しました。");
            EXPECT_EQ(w.sink.last().caption, "中断");
            EXPECT_EQ(c.set.Read("page.html"), "head" + kPageStart + "old" + kPageEnd + "tail");
        } else {
            EXPECT_EQ(w.sink.last().text, "HTMLファイルの書き換えが正常に終了しました。");
            EXPECT_NE(c.set.Read("page.html").find("<i>alpha</i>"), std::string::npos);
        }
        EXPECT_EQ(w.form->ConvertingDialog(), nullptr);
    }
}

TEST(MainFormConvert, OnePartNeedsAFileRecordAtOrAboveTheRow)
{
    WindowSet set(
        { { "0", "", "", "", "intro" }, { "a", "\\@", "page.html", "P" }, { "b", "", "", "", "alpha" } });
    set.Page("page.html");
    WindowTest w;
    w.dialogs.Choose(set.set);
    w.action("Open2")->trigger();
    DialogWatcher watcher(nullptr);

    w.form->SelectCell(1, 1);
    PressKey(w.grid(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(watcher.shown, 0);
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_EQ(w.sink.last().text, "ファイルレコードがここより前に存在しないため変換できません。");

    // From the context menu, at the operation row.
    w.global().OpRow = 3;
    w.action("ConvPart")->trigger();
    EXPECT_EQ(watcher.shown, 1);
    EXPECT_EQ(w.sink.last().text, "HTMLファイルの書き換えが正常に終了しました。");
    EXPECT_NE(set.Read("page.html").find("<i>alpha</i>"), std::string::npos);
}

TEST(MainFormConvert, TermCheckListsFindingsAndSelectsTheirRecordWithoutChangingAnything)
{
    WindowTest w({ QStringLiteral(LEXICANA_SOURCE_DIR "/examples/glossary/glossary.lxs") });
    const std::string before = w.table().Cell(3, 42);
    w.action("TermCheck1")->trigger();
    TTermCheckDialog* dialog = w.form->TermCheckDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->List()->count(), 1);
    EXPECT_EQ(dialog->List()->item(0)->text().toStdString(),
        "行 42: 語「メモリ」は行 7 の「仮想メモリ」の中ではリンクされません。");
    emit dialog->List()->itemActivated(dialog->List()->item(0));
    EXPECT_EQ(w.grid()->CurrentRow(), 42);
    EXPECT_EQ(w.table().Cell(3, 42), before);
    EXPECT_FALSE(w.global().ItemDataModified);
    EXPECT_EQ(w.sink.count(), 0u);
}

} // namespace
} // namespace lexicana::test

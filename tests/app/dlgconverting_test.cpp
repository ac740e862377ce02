#include "app/dlgconverting.h"
#include "data/global.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

using namespace lexicana;
using lexicana::test::RecordingSink;

namespace {

struct ConversionDialog {
    RecordingSink sink;
    TGlobal global { false };
    TDlg_Converting dialog { global };
    ConversionDialog()
    {
        global.Converting = true;
        dialog.Open(3, 40);
    }
};

} // namespace

TEST(DlgConverting, ShowsItsLayoutModelessWithTheBarSetUp)
{
    ConversionDialog run;
    TDlg_Converting& d = run.dialog;
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(d.isModal());
    EXPECT_EQ(d.windowTitle(), "変換処理中");
    EXPECT_EQ(d.Label_Message->text(), "変換処理中です。しばらくお待ちください。");
    EXPECT_EQ(d.RadioGroup_Process->title(), "変換処理ステップ");
    EXPECT_FALSE(d.RadioGroup_Process->isEnabled());
    auto items = d.RadioGroup_Process->findChildren<QRadioButton*>();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), "HTMLファイル読み込み");
    EXPECT_EQ(items[3]->text(), "元のHTMLファイルに上書き");
    EXPECT_EQ(d.CancelBottun->text(), "キャンセル");
    EXPECT_EQ(d.minimumSize(), d.maximumSize()); // not resizable
    EXPECT_EQ(d.ProgressBar_Record->minimum(), 3);
    EXPECT_EQ(d.ProgressBar_Record->maximum(), 40);
    EXPECT_EQ(d.ProgressBar_Record->value(), 3);

    // A run of a single record: minimum and maximum equal.
    d.Open(7, 7);
    EXPECT_EQ(d.ProgressBar_Record->minimum(), 7);
    EXPECT_EQ(d.ProgressBar_Record->maximum(), 7);
    EXPECT_EQ(d.ProgressBar_Record->value(), 7);
}

TEST(DlgConverting, ShowsStepFilePartAndRecord)
{
    ConversionDialog run;
    TDlg_Converting& d = run.dialog;
    EXPECT_EQ(d.ProcessIndex(), -1);
    d.SelectStep(IConversionProgress::StepWriteTemp);
    EXPECT_EQ(d.ProcessIndex(), 2);
    d.SelectStep(9);
    EXPECT_EQ(d.ProcessIndex(), -1);

    d.SetFileName(SjisOf("用語/あ.html"));
    d.SetPartId(SjisOf("ア行"));
    d.SetRecord(12, 40);
    EXPECT_EQ(d.Label_FileName->text(), "変換対象のHTMLファイル : 用語/あ.html");
    EXPECT_EQ(d.Label_Part->text(), "変換対象のパートID : ア行");
    EXPECT_EQ(d.Label_Record->text(), "変換処理中のレコード : 12 / 40");
    EXPECT_EQ(d.ProgressBar_Record->value(), 12);
}

TEST(DlgConverting, CancelAsksAndOnlyYesStopsTheRun)
{
    ConversionDialog run;
    TDlg_Converting& d = run.dialog;

    // No: the dialog stays and the run goes on; cancel button, Esc and close box alike.
    run.sink.Answer(IdNo).Answer(IdNo).Answer(IdNo);
    d.CancelBottun->click();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&d, &esc);
    d.close();
    ASSERT_EQ(run.sink.count(), 3u);
    for (const auto& box : run.sink.boxes) {
        EXPECT_EQ(box.text, "変換を中断しますか？");
        EXPECT_EQ(box.caption, "確認");
        EXPECT_EQ(box.flags, 36);
    }
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(run.global.Converting);

    // Yes: Converting is cleared and the dialog closes.
    run.sink.Answer(IdYes);
    QCoreApplication::sendEvent(&d, &esc);
    EXPECT_FALSE(run.global.Converting);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(run.sink.count(), 4u);

    // The run's own Close() after that asks nothing.
    d.Close();
    EXPECT_EQ(run.sink.count(), 4u);
}

TEST(DlgConverting, ClosesWithoutAskingWhenNotConvertingOrClosedByTheRun)
{
    ConversionDialog run;
    run.dialog.Close(); // Converting still true: the run closes it anyway
    EXPECT_FALSE(run.dialog.isVisible());
    EXPECT_TRUE(run.global.Converting);

    run.dialog.Open(1, 2);
    run.global.Converting = false;
    run.dialog.CancelBottun->click();
    EXPECT_FALSE(run.dialog.isVisible());
    EXPECT_EQ(run.sink.count(), 0u);
}

TEST(DlgConverting, PendingEventsRunButNotOnEveryCall)
{
    ConversionDialog run;
    int delivered = 0;
    auto post = [&] { QTimer::singleShot(0, [&] { ++delivered; }); };

    QElapsedTimer clock;
    clock.start();
    post();
    run.dialog.ProcessEvents(); // the first call always lets events run
    EXPECT_EQ(delivered, 1);
    post();
    run.dialog.ProcessEvents(); // at once again: skipped
    if (clock.elapsed() < TDlg_Converting::kEventInterval) { // a slow machine may not be "at once"
        EXPECT_EQ(delivered, 1);
    }
    QThread::msleep(TDlg_Converting::kEventInterval + 5);
    run.dialog.ProcessEvents();
    EXPECT_EQ(delivered, 2);

    // A cancel arriving through the event loop clears Converting.
    run.sink.Answer(IdYes);
    QTimer::singleShot(0, run.dialog.CancelBottun, &QPushButton::click);
    QThread::msleep(TDlg_Converting::kEventInterval + 5);
    run.dialog.ProcessEvents();
    EXPECT_FALSE(run.global.Converting);
}

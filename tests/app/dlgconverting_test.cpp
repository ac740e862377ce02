#include "app/dlgconverting.h"
#include "data/global.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"

#include <QCoreApplication>
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
    TDlg_Converting d { global };
    ConversionDialog()
    {
        global.Converting = true;
        d.Open(3, 40);
    }
};

} // namespace

TEST(DlgConverting, ShowsModelessWithTheBarSetUpAndReportsProgress)
{
    ConversionDialog run;
    TDlg_Converting& d = run.d;
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(d.isModal());
    EXPECT_EQ(d.windowTitle(), "変換処理中");
    EXPECT_FALSE(d.RadioGroup_Process->isEnabled());
    EXPECT_EQ(d.RadioGroup_Process->findChildren<QRadioButton*>().size(), 4);
    EXPECT_EQ(d.minimumSize(), d.maximumSize()); // not resizable
    EXPECT_EQ(d.ProgressBar_Record->minimum(), 3);
    EXPECT_EQ(d.ProgressBar_Record->maximum(), 40);
    EXPECT_EQ(d.ProgressBar_Record->value(), 3);
    d.Open(70, 70); // a one-record part above the old range
    EXPECT_EQ(d.ProgressBar_Record->minimum(), 70);
    EXPECT_EQ(d.ProgressBar_Record->value(), 70);

    d.SelectStep(IConversionProgress::StepWriteTemp);
    EXPECT_EQ(d.ProcessIndex(), 2);
    d.SelectStep(9);
    EXPECT_EQ(d.ProcessIndex(), -1);
    d.SetFileName(SjisOf("用語/あ.html"));
    d.SetPartId(SjisOf("ア行"));
    d.SetRecord(70, 70);
    EXPECT_EQ(d.Label_FileName->text(), "変換対象のHTMLファイル : 用語/あ.html");
    EXPECT_EQ(d.Label_Part->text(), "変換対象のパートID : ア行");
    EXPECT_EQ(d.Label_Record->text(), "変換処理中のレコード : 70 / 70");
}

TEST(DlgConverting, CancelAsksAndOnlyYesStopsTheRun)
{
    ConversionDialog run;
    TDlg_Converting& d = run.d;
    // No keeps the dialog and the run: cancel button, Esc and close box alike.
    run.sink.Answer(IdNo).Answer(IdNo).Answer(IdNo);
    d.CancelBottun->click();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&d, &esc);
    d.close();
    ASSERT_EQ(run.sink.count(), 3u);
    EXPECT_EQ(run.sink.last().text, "変換を中断しますか？");
    EXPECT_EQ(run.sink.last().caption, "確認");
    EXPECT_EQ(run.sink.last().flags, 36);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(run.global.Converting);

    run.sink.Answer(IdYes);
    QCoreApplication::sendEvent(&d, &esc);
    EXPECT_FALSE(run.global.Converting);
    EXPECT_FALSE(d.isVisible());

    // Not converting, or closed by the run: no question.
    d.Open(1, 2);
    d.CancelBottun->click();
    EXPECT_FALSE(d.isVisible());
    run.global.Converting = true;
    d.Open(1, 2);
    d.Close();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(run.sink.count(), 4u);
}

TEST(DlgConverting, PendingEventsRunButNotOnEveryCall)
{
    ConversionDialog run;
    int delivered = 0;
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(0, [&] { ++delivered; });
    run.d.ProcessEvents(); // the first call always lets events run
    EXPECT_EQ(delivered, 1);
    QTimer::singleShot(0, [&] { ++delivered; });
    run.d.ProcessEvents();
    if (clock.elapsed() < TDlg_Converting::kEventInterval) { // a slow machine may not be "at once"
        EXPECT_EQ(delivered, 1);
    }
    // A cancel arriving through the event loop clears Converting.
    run.sink.Answer(IdYes);
    QTimer::singleShot(0, run.d.CancelBottun, &QPushButton::click);
    QThread::msleep(TDlg_Converting::kEventInterval + 5);
    run.d.ProcessEvents();
    EXPECT_EQ(delivered, 2);
    EXPECT_FALSE(run.global.Converting);
}

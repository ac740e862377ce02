// The external output list dialog driven through its list, edit and buttons.
#include "app/editinfooutput.h"
#include "app/scriptedchooser.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace lexicana::test {
namespace {

struct ListDialog {
    RecordingSink sink;
    TempDir dir;
    std::string html = dir.path() + "/html";
    std::string list = dir.file("out.lst");
    ScriptedChooser chooser;
    std::unique_ptr<TDlg_EditInfoOutput> dialog;

    ListDialog() { QDir().mkpath(QString::fromStdString(html)); }
    void open(const std::string& htmlDir)
    {
        dialog = std::make_unique<TDlg_EditInfoOutput>(nullptr, list, htmlDir);
        dialog->SetFileChooser(chooser.Files());
        dialog->show();
    }
    QStringList shown() const
    {
        QStringList texts;
        for (int i = 0; i < dialog->ListBox_InfoOutput->count(); ++i)
            texts << dialog->ListBox_InfoOutput->item(i)->text();
        return texts;
    }
    QListWidget* box() const { return dialog->ListBox_InfoOutput; }
};

TEST(EditInfoOutput, ShowsFullPathsAndWritesNamesRelativeToTheHtmlFolder)
{
    ListDialog s;
    s.dir.write("out.lst", "top.html\r\n\r\nsub/" + SjisOf("新着") + ".html\n../outside.txt\r\n");
    s.open(s.html);
    EXPECT_EQ(s.dialog->windowTitle(), "外部出力ファイルリストの編集");
    const QString html = QString::fromStdString(s.html);
    EXPECT_EQ(s.shown(),
        QStringList({ html + "/top.html", html + "/sub/新着.html",
            QString::fromStdString(s.dir.path()) + "/outside.txt" }));

    s.dialog->OKBtn->click();
    EXPECT_EQ(s.dialog->result(), QDialog::Accepted);
    EXPECT_EQ(TempDir::read(s.list), "top.html\r\nsub/" + SjisOf("新着") + ".html\r\n../outside.txt\r\n");

    // A Windows base folder: a name on another drive stays absolute.
    ListDialog w;
    w.dir.write("out.lst", "top.html\r\nD:\\news.html\r\n");
    w.open("C:\\site");
    EXPECT_EQ(w.shown(), QStringList({ "C:\\site\\top.html", "D:\\news.html" }));
    w.dialog->OKBtn->click();
    EXPECT_EQ(TempDir::read(w.list), "top.html\r\nD:\\news.html\r\n");
}

TEST(EditInfoOutput, AddChangeAndDeleteEditTheListOnly)
{
    ListDialog s;
    s.dir.write("out.lst", "a.html\r\nb.html\r\n");
    s.open(s.html);
    const QString html = QString::fromStdString(s.html);

    s.dialog->Edit_FileName->setText("/pub/c.html");
    s.dialog->Button_add->click();
    s.dialog->Edit_FileName->clear();
    s.dialog->Button_add->click(); // an empty entry is kept in the list, left out on OK
    EXPECT_EQ(s.shown(), QStringList({ html + "/a.html", html + "/b.html", "/pub/c.html", "" }));

    // A click on an entry puts it into the edit box; "変更" writes the box back.
    QTest::mouseClick(
        s.box()->viewport(), Qt::LeftButton, {}, s.box()->visualItemRect(s.box()->item(1)).center());
    EXPECT_EQ(s.dialog->Edit_FileName->text(), html + "/b.html");
    s.dialog->Edit_FileName->setText(html + "/b2.html");
    s.dialog->Button_change->click();
    EXPECT_EQ(s.box()->item(1)->text(), html + "/b2.html");

    // A name without a Shift_JIS code is refused.
    s.dialog->Edit_FileName->setText(QString::fromUtf8("\xED\x95\x9C.html"));
    s.dialog->Button_add->click();
    s.dialog->Button_change->click();
    EXPECT_EQ(s.sink.count(), 2u);
    EXPECT_EQ(s.box()->count(), 4);

    // "削除" and the Delete key remove every selected entry.
    s.box()->clearSelection();
    s.box()->item(0)->setSelected(true);
    s.box()->item(2)->setSelected(true);
    s.dialog->Button_delete->click();
    EXPECT_EQ(s.shown(), QStringList({ html + "/b2.html", "" }));
    s.box()->clearSelection();
    s.box()->item(1)->setSelected(true);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(s.box(), &release);
    EXPECT_EQ(s.shown(), QStringList({ html + "/b2.html" }));
    EXPECT_EQ(TempDir::read(s.list), "a.html\r\nb.html\r\n"); // nothing written before OK

    s.dialog->OKBtn->click();
    EXPECT_EQ(TempDir::read(s.list), "b2.html\r\n");
}

TEST(EditInfoOutput, BrowseAppendsEveryChosenFile)
{
    ListDialog s;
    s.open(s.html);
    EXPECT_EQ(s.box()->count(), 0); // a list that does not exist yet starts empty
    s.chooser.fileAnswers.push_back({ s.html + "/x.html", s.dir.file("y.txt") });
    s.dialog->BitBtn_ref->click();
    ASSERT_EQ(s.chooser.fileRequests.size(), 1u);
    EXPECT_EQ(s.chooser.fileRequests[0].mode, TFileChoiceRequest::OpenExistingMany);
    EXPECT_EQ(s.chooser.fileRequests[0].folder, s.html);
    s.dialog->BitBtn_ref->click(); // cancelled
    EXPECT_EQ(s.shown(),
        QStringList(
            { QString::fromStdString(s.html) + "/x.html", QString::fromStdString(s.dir.file("y.txt")) }));
    s.dialog->OKBtn->click();
    EXPECT_EQ(TempDir::read(s.list), "x.html\r\n../y.txt\r\n");
}

TEST(EditInfoOutput, CancelOrAFailedWriteLeavesTheListFileAsItWas)
{
    ListDialog s;
    s.dir.write("out.lst", "a.html\r\n");
    s.open(s.html);
    s.box()->item(0)->setSelected(true);
    s.dialog->Button_delete->click();
    s.dialog->CancelBtn->click();
    EXPECT_EQ(s.dialog->result(), QDialog::Rejected);
    EXPECT_EQ(TempDir::read(s.list), "a.html\r\n");

    // A list in a folder that does not exist: the error is shown and the
    // dialog stays open with its entries.
    ListDialog bad;
    bad.list = bad.dir.file("missing/out.lst");
    bad.open(bad.html);
    bad.dialog->Edit_FileName->setText("n.html");
    bad.dialog->Button_add->click();
    bad.dialog->OKBtn->click();
    ASSERT_EQ(bad.sink.count(), 1u);
    EXPECT_EQ(bad.sink.last().caption, "エラー");
    EXPECT_TRUE(bad.dialog->isVisible());
    EXPECT_EQ(bad.box()->count(), 1);
}

} // namespace
} // namespace lexicana::test

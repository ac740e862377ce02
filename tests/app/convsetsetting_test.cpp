// The conversion set dialog driven through its buttons and edits, with the
// file and folder dialogs answered by a script.
#include "app/convsetsetting.h"
#include "app/scriptedchooser.h"
#include "data/global.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace lexicana::test {
namespace {

// A set in a temporary folder, the dialog on it and the callbacks recorded.
struct SetDialog {
    RecordingSink sink;
    TempDir dir;
    TGlobal global { false };
    ScriptedChooser chooser;
    std::vector<std::string> tablesRead;
    int saves = 0;
    std::unique_ptr<TDlg_ConvSetSetting> dialog;

    SetDialog()
    {
        global.SetFileName = dir.file(SjisOf("用語") + ".lxs");
        global.ItemFileName = dir.file("items.csv");
        global.TableFileName = dir.file("table.ctb");
        global.HTMLDir = dir.path() + "/html";
        global.InfoOutputList = dir.file("out.lst");
        global.RepFileName = dir.file("rep.txt");
        global.ProgramPath = dir.file("bin/lexicana");
    }
    void open()
    {
        dialog = std::make_unique<TDlg_ConvSetSetting>(
            nullptr, global, [this] { return ++saves, 0; },
            [this](const std::string& path) { return tablesRead.push_back(path), 200; });
        dialog->SetFileChooser(chooser.Files());
        dialog->SetFolderChooser(chooser.Folder());
        dialog->show();
    }
};

TEST(ConvSetSetting, OpensWithTheSetsNamesAndTheSetFileInTheCaption)
{
    SetDialog s;
    s.open();
    EXPECT_EQ(s.dialog->windowTitle(), "変換セットの設定 - 用語.lxs");
    EXPECT_EQ(s.dialog->Edit_Items->text().toStdString(), s.global.ItemFileName);
    EXPECT_FALSE(s.dialog->Edit_Items->isEnabled());
    EXPECT_EQ(s.dialog->Edit_Table->text().toStdString(), s.global.TableFileName);
    EXPECT_EQ(s.dialog->Edit_HTML->text().toStdString(), s.global.HTMLDir);
    EXPECT_EQ(s.dialog->Edit_InfoOutput->text().toStdString(), s.global.InfoOutputList);
    EXPECT_TRUE(s.dialog->OKBtn->isDefault());

    SetDialog full;
    full.global.FullPath = true;
    full.open();
    EXPECT_EQ(full.dialog->windowTitle(),
        "変換セットの設定 - " + QString::fromStdString(SjisToUtf8(full.global.SetFileName)));
}

TEST(ConvSetSetting, CancelKeepsEveryValueAndReadsNoTable)
{
    SetDialog s;
    const TGlobal before = s.global;
    s.open();
    s.dialog->Edit_Table->setText("other.ctb");
    s.dialog->Edit_HTML->setText("/elsewhere");
    s.dialog->Edit_InfoOutput->setText("other.lst");
    s.dialog->CancelBtn->click();
    EXPECT_EQ(s.dialog->result(), QDialog::Rejected);
    EXPECT_EQ(s.global.TableFileName, before.TableFileName);
    EXPECT_EQ(s.global.HTMLDir, before.HTMLDir);
    EXPECT_EQ(s.global.InfoOutputList, before.InfoOutputList);
    EXPECT_TRUE(s.tablesRead.empty());
    EXPECT_EQ(s.saves, 0);
    EXPECT_EQ(s.sink.count(), 0u);
}

TEST(ConvSetSetting, OkTakesTheValuesOverReadsTheTableAndAsksAboutSaving)
{
    // Unchanged table path: read again all the same; No keeps the set file.
    SetDialog s;
    // A name whose bytes do not survive a decode and re-encode (an NEC
    // special character) stays byte for byte while it is not edited.
    s.global.TableFileName = s.dir.file("\x87\x90.ctb");
    s.open();
    s.dialog->Edit_HTML->setText(QString::fromStdString(s.dir.path()) + "/ページ");
    s.dialog->Edit_InfoOutput->setText("list.lst");
    s.global.RepFileName = "changed behind the dialog";
    s.sink.Answer(IdNo);
    s.dialog->OKBtn->click();
    EXPECT_EQ(s.dialog->result(), QDialog::Accepted);
    EXPECT_EQ(s.tablesRead, std::vector<std::string> { s.dir.file("\x87\x90.ctb") });
    EXPECT_EQ(s.global.TableFileName, s.dir.file("\x87\x90.ctb"));
    EXPECT_EQ(s.global.HTMLDir, s.dir.path() + "/" + SjisOf("ページ"));
    EXPECT_EQ(s.global.InfoOutputList, "list.lst");
    EXPECT_EQ(s.global.RepFileName, s.dir.file("rep.txt")); // carried from the opening
    ASSERT_EQ(s.sink.count(), 1u);
    EXPECT_EQ(s.sink.last().text, "セットファイルを今すぐ上書きしますか？");
    EXPECT_EQ(s.sink.last().caption, "確認");
    EXPECT_EQ(s.sink.last().flags, MbYesNo | MbIconQuestion);
    EXPECT_EQ(s.saves, 0);

    SetDialog yes;
    yes.open();
    yes.dialog->Edit_Table->setText("relative.ctb"); // taken as typed, not resolved
    yes.dialog->OKBtn->click();
    EXPECT_EQ(yes.global.TableFileName, "relative.ctb");
    EXPECT_EQ(yes.tablesRead, std::vector<std::string> { "relative.ctb" });
    EXPECT_EQ(yes.saves, 1);
}

TEST(ConvSetSetting, OkRefusesATextWithoutShiftJisAndStoresNothing)
{
    SetDialog s;
    s.open();
    s.dialog->Edit_Table->setText("new.ctb");
    s.dialog->Edit_InfoOutput->setText(QString::fromUtf8("\xED\x95\x9C.lst")); // a Hangul syllable
    s.dialog->OKBtn->click();
    ASSERT_EQ(s.sink.count(), 1u);
    EXPECT_EQ(s.sink.last().caption, "エラー");
    EXPECT_TRUE(s.dialog->isVisible());
    EXPECT_EQ(s.global.TableFileName, s.dir.file("table.ctb"));
    EXPECT_TRUE(s.tablesRead.empty());
}

TEST(ConvSetSetting, BrowseButtonsPutTheChosenNamesIntoTheEdits)
{
    SetDialog s;
    s.open();
    s.chooser.fileAnswers.push_back({ s.dir.file(SjisOf("表") + ".ctb") });
    s.dialog->Button_Table->click();
    EXPECT_EQ(s.dialog->Edit_Table->text().toStdString(), s.dir.file("表.ctb"));
    EXPECT_EQ(s.chooser.fileRequests.back().mode, TFileChoiceRequest::OpenAnyName);
    EXPECT_EQ(s.chooser.fileRequests.back().defaultSuffix, "ctb");
    s.dialog->Button_Table->click(); // cancelled
    EXPECT_EQ(s.dialog->Edit_Table->text().toStdString(), s.dir.file("表.ctb"));

    s.chooser.folderAnswers.push_back(s.dir.path() + "/site");
    s.dialog->Button_HTML->click();
    ASSERT_EQ(s.chooser.folderRequests.size(), 1u);
    EXPECT_EQ(s.chooser.folderRequests[0].title, "HTMLファイルの基準フォルダを選択");
    EXPECT_EQ(s.chooser.folderRequests[0].start, s.dir.path() + "/html");
    EXPECT_EQ(s.dialog->Edit_HTML->text().toStdString(), s.dir.path() + "/site");
    s.dialog->Button_HTML->click(); // cancelled
    EXPECT_EQ(s.dialog->Edit_HTML->text().toStdString(), s.dir.path() + "/site");
    EXPECT_EQ(s.sink.count(), 0u);
}

TEST(ConvSetSetting, TemplateIsCopiedFromBesideTheProgramIntoTheSetsFolder)
{
    SetDialog s;
    QDir().mkpath(QString::fromStdString(s.dir.file("bin/template")));
    s.dir.write("bin/template/card.ctb", "[Column]\r\n5\r\n");
    const std::string target = s.dir.write("mine.ctb", "old content");
    const QString workingFolder = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath()); // the program's folder counts, not the current one
    s.open();
    s.chooser.fileAnswers = { { s.dir.file("bin/template/card.ctb") }, { target } };
    s.dialog->Button_Template->click();
    QDir::setCurrent(workingFolder);
    ASSERT_EQ(s.chooser.fileRequests.size(), 2u);
    EXPECT_EQ(s.chooser.fileRequests[0].folder, s.dir.file("bin/template"));
    EXPECT_EQ(s.chooser.fileRequests[0].title, "テーブルファイルの指定");
    EXPECT_EQ(s.chooser.fileRequests[0].mode, TFileChoiceRequest::OpenExisting);
    EXPECT_EQ(s.chooser.fileRequests[1].title, "新規テーブルファイルにコピー");
    EXPECT_EQ(s.chooser.fileRequests[1].mode, TFileChoiceRequest::SaveAs);
    // The copy is offered beside the set, not among the templates.
    EXPECT_EQ(QDir(QString::fromStdString(s.chooser.fileRequests[1].folder)),
        QDir(QString::fromStdString(s.dir.path())));
    EXPECT_EQ(TempDir::read(target), "[Column]\r\n5\r\n");
    EXPECT_EQ(s.dialog->Edit_Table->text().toStdString(), target);

    // Cancelled at the second step: the edit stays, nothing is said.
    s.dialog->Edit_Table->setText("kept.ctb");
    s.chooser.fileAnswers = { { s.dir.file("bin/template/card.ctb") } };
    s.dialog->Button_Template->click();
    EXPECT_EQ(s.sink.count(), 0u);
    // A copy that fails is reported; the edit stays.
    s.chooser.fileAnswers = { { s.dir.file("bin/template/card.ctb") }, { s.dir.file("no/such/folder.ctb") } };
    s.dialog->Button_Template->click();
    EXPECT_EQ(s.dialog->Edit_Table->text(), "kept.ctb");
    ASSERT_EQ(s.sink.count(), 1u);
    EXPECT_EQ(s.sink.last().caption, "エラー");
    EXPECT_NE(s.sink.last().text.find("コピーできませんでした"), std::string::npos);
    EXPECT_NE(s.sink.last().text.find("no/such/folder.ctb"), std::string::npos);

    // Without a set file the copy starts in the home folder.
    s.global.SetFileName = "\x96\xb3\x91\xe8"; // "無題"
    s.open();
    s.chooser.fileRequests.clear();
    s.chooser.fileAnswers = { { s.dir.file("bin/template/card.ctb") } };
    s.dialog->Button_Template->click();
    ASSERT_EQ(s.chooser.fileRequests.size(), 2u);
    EXPECT_EQ(QDir(QString::fromStdString(s.chooser.fileRequests[1].folder)), QDir::home());
}

TEST(ConvSetSetting, OutputListBrowseKeepsAnExistingListAndCreatesANewOne)
{
    SetDialog s;
    const std::string existing = s.dir.write("old.lst", "top.html\r\n");
    s.open();
    s.chooser.fileAnswers = { { existing }, { s.dir.file("new.lst") } };
    s.dialog->Button_InfoOutput->click();
    EXPECT_EQ(s.chooser.fileRequests.back().mode, TFileChoiceRequest::OpenOrCreate);
    EXPECT_EQ(s.chooser.fileRequests.back().title, "情報出力ファイルの指定");
    EXPECT_EQ(TempDir::read(existing), "top.html\r\n");
    EXPECT_EQ(s.dialog->Edit_InfoOutput->text().toStdString(), existing);

    s.dialog->Button_InfoOutput->click();
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(s.dir.file("new.lst"))));
    EXPECT_EQ(TempDir::read(s.dir.file("new.lst")), "");
    EXPECT_EQ(s.dialog->Edit_InfoOutput->text().toStdString(), s.dir.file("new.lst"));
    EXPECT_EQ(s.sink.count(), 0u);

    // A list that cannot be created: the system's error text, the edit stays.
    s.chooser.fileAnswers = { { s.dir.file("missing/new.lst") } };
    s.dialog->Button_InfoOutput->click();
    ASSERT_EQ(s.sink.count(), 1u);
    EXPECT_EQ(s.sink.last().caption, "Error");
    EXPECT_FALSE(s.sink.last().ownedByMainWindow);
    EXPECT_EQ(s.dialog->Edit_InfoOutput->text().toStdString(), s.dir.file("new.lst"));
}

} // namespace
} // namespace lexicana::test

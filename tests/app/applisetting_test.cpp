#include "app/applisetting.h"
#include "data/global.h"
#include "platform/association.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"
#include "support/xdgfolders.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace lexicana;
using lexicana::test::RecordingSink;
using lexicana::test::TempDir;
using lexicana::test::XdgFolders;

namespace {

struct OptionsDialog {
    RecordingSink sink;
    TGlobal global { false };
    int captions = 0;
    std::unique_ptr<TDlg_AppliSetting> dialog;

    OptionsDialog()
    {
        global.Editor = SjisOf("/usr/bin/エディタ");
        global.EditorParam = "-n \"%1\"";
        global.HTMLEditor = "";
        global.HTMLEditorParam = "\"%1\"";
        global.FileRecordDialogFilter = "*.html";
        global.WaitEditor = true;
        global.FullPath = true;
        global.SaveCSVatConv = true;
        global.RepDirectVert = false;
        global.PopupOperatePosition = true;
        global.KanjiCode = 4;
        global.NewLineCode = 3;
        global.UseLocalHelp = false;
        global.ProgramPath = "/opt/lexicana/lexicana";
    }
    TDlg_AppliSetting& open()
    {
        dialog = std::make_unique<TDlg_AppliSetting>(global, [this] { ++captions; });
        dialog->show();
        return *dialog;
    }
    // The options that OK stores, for whole-state comparisons.
    static auto options(const TGlobal& g)
    {
        return std::make_tuple(g.Editor, g.EditorParam, g.HTMLEditor, g.HTMLEditorParam,
            g.FileRecordDialogFilter, g.WaitEditor, g.WaitHTMLEditor, g.FullPath, g.StartupRead,
            g.SaveCSVatConv, g.RepDirectVert, g.PopupOperatePosition, g.KanjiCode, g.NewLineCode,
            g.UseLocalHelp);
    }
};

} // namespace

TEST(AppliSetting, ShowsTheSettingsAndOkWithoutChangesKeepsThem)
{
    OptionsDialog s;
    TDlg_AppliSetting& d = s.open();
    EXPECT_EQ(d.windowTitle(), "アプリケーションの設定");
    ASSERT_EQ(d.PageControl->count(), 3);
    EXPECT_EQ(d.PageControl->tabText(2), "関連付け/ヘルプ");
    EXPECT_EQ(d.Edit_TextEditor->text(), "/usr/bin/エディタ");
    // The editor page says what the default editor does.
    auto* note = d.findChild<QLabel*>("Label_EditorNote");
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->text().contains("xdg-open"));
    EXPECT_EQ(d.Edit_EditorParam->text(), "-n \"%1\"");
    EXPECT_EQ(d.Edit_FileRecFilter->text(), "*.html");
    EXPECT_TRUE(d.CheckBox_WaitEditor->isChecked());
    EXPECT_FALSE(d.CheckBox_WaitHTMLEditor->isChecked());
    EXPECT_TRUE(d.CheckBox_FullPath->isChecked());
    EXPECT_FALSE(d.CheckBox_StartupRead->isChecked());
    EXPECT_EQ(d.RepDirectionItems->checkedId(), 1);
    EXPECT_EQ(d.PopupOpPosItems->checkedId(), 1);
    EXPECT_EQ(d.ComboBox_KanjiCode->currentText(), "EUC");
    EXPECT_EQ(d.ComboBox_NewLineCode->currentText(), "LF");
    EXPECT_TRUE(d.CheckBox_UseRemoteHelp->isChecked());
    QStringList items;
    for (int i = 0; i < d.ComboBox_KanjiCode->count(); ++i)
        items << d.ComboBox_KanjiCode->itemText(i);
    EXPECT_EQ(items, QStringList({ "SJIS", "JIS", "EUC", "UTF-8", "自動" }));

    const auto before = OptionsDialog::options(s.global);
    d.OKBtn->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(s.captions, 1);
    EXPECT_EQ(OptionsDialog::options(s.global), before);

    // A code outside the mapping shows "自動" and comes back as -1.
    s.global.KanjiCode = 3;
    s.global.NewLineCode = 0;
    TDlg_AppliSetting& again = s.open();
    EXPECT_EQ(again.ComboBox_KanjiCode->currentText(), "自動");
    again.OKBtn->click();
    EXPECT_EQ(s.global.KanjiCode, -1);
    EXPECT_EQ(s.global.NewLineCode, -1);
}

TEST(AppliSetting, OkStoresTheControlsAndCancelStoresNothing)
{
    OptionsDialog s;
    const auto before = OptionsDialog::options(s.global);
    for (bool ok : { false, true }) {
        TDlg_AppliSetting& d = s.open();
        d.Button_EditorParamReset->click();
        EXPECT_EQ(d.Edit_EditorParam->text(), "\"%1\"");
        EXPECT_EQ(s.global.EditorParam, "-n \"%1\""); // only OK stores it
        d.Edit_HTMLEditorParam->clear();
        d.Button_HTMLEditorParamReset->click();
        d.Edit_HTMLEditor->setText("/usr/bin/html-editor");
        d.Edit_FileRecFilter->clear();
        d.CheckBox_WaitHTMLEditor->click();
        d.CheckBox_StartupRead->click();
        d.CheckBox_UseRemoteHelp->click();
        d.RepDirectionItems->button(0)->click();
        d.PopupOpPosItems->button(0)->click();
        d.ComboBox_KanjiCode->setCurrentIndex(1); // "JIS"
        d.ComboBox_NewLineCode->lineEdit()->selectAll();
        QTest::keyClicks(d.ComboBox_NewLineCode->lineEdit(), "CR");
        (ok ? d.OKBtn : d.CancelBtn)->click();
        EXPECT_FALSE(d.isVisible());
        if (!ok) {
            EXPECT_EQ(OptionsDialog::options(s.global), before);
            EXPECT_EQ(s.captions, 0);
        }
    }
    EXPECT_EQ(s.captions, 1);
    EXPECT_EQ(s.global.EditorParam, "\"%1\"");
    EXPECT_EQ(s.global.HTMLEditorParam, "\"%1\"");
    EXPECT_EQ(s.global.HTMLEditor, "/usr/bin/html-editor");
    EXPECT_EQ(s.global.FileRecordDialogFilter, "");
    EXPECT_TRUE(s.global.WaitHTMLEditor);
    EXPECT_TRUE(s.global.StartupRead);
    EXPECT_TRUE(s.global.UseLocalHelp);
    EXPECT_TRUE(s.global.RepDirectVert);
    EXPECT_FALSE(s.global.PopupOperatePosition);
    EXPECT_EQ(s.global.KanjiCode, 2);
    EXPECT_EQ(s.global.NewLineCode, 2);
}

TEST(AppliSetting, TypedCodeTextsCompareExactly)
{
    EXPECT_EQ(TDlg_AppliSetting::KanjiCodeOfText("EUC"), 4);
    EXPECT_EQ(TDlg_AppliSetting::KanjiCodeOfText("UTF-8"), 7);
    EXPECT_EQ(TDlg_AppliSetting::TextOfKanjiCode(7), "UTF-8");
    EXPECT_EQ(TDlg_AppliSetting::KanjiCodeOfText("euc"), -1);
    EXPECT_EQ(TDlg_AppliSetting::KanjiCodeOfText("SJIS "), -1);
    EXPECT_EQ(TDlg_AppliSetting::NewLineCodeOfText("CR+LF"), 1);
    EXPECT_EQ(TDlg_AppliSetting::NewLineCodeOfText("lf"), -1);

    OptionsDialog s;
    TDlg_AppliSetting& d = s.open();
    d.ComboBox_KanjiCode->lineEdit()->selectAll();
    QTest::keyClicks(d.ComboBox_KanjiCode->lineEdit(), "sjis");
    QTest::keyClick(d.ComboBox_KanjiCode->lineEdit(), Qt::Key_Return); // no item is added
    EXPECT_EQ(d.ComboBox_KanjiCode->count(), 5);
    d.OKBtn->click();
    EXPECT_EQ(s.global.KanjiCode, -1);
}

TEST(AppliSetting, TypedCodeTextsAreStoredAsTypedWithoutCompletion)
{
    // Each typed text is a prefix of a list item that completion would
    // have put in its place.
    struct Case {
        bool newLine;
        const char* typed;
        int stored;
    };
    const Case cases[] = { { true, "CR", 2 }, { true, "C", -1 }, { true, "L", -1 }, { false, "E", -1 },
        { false, "S", -1 }, { false, "JIS", 2 } };
    for (const Case& c : cases) {
        OptionsDialog s;
        TDlg_AppliSetting& d = s.open();
        QApplication::setActiveWindow(&d);
        QComboBox* combo = c.newLine ? d.ComboBox_NewLineCode : d.ComboBox_KanjiCode;
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), c.typed);
        EXPECT_EQ(combo->currentText(), c.typed);
        d.OKBtn->click();
        EXPECT_EQ(c.newLine ? s.global.NewLineCode : s.global.KanjiCode, c.stored) << c.typed;
    }
}

TEST(AppliSetting, CharacterWithoutShiftJisCodeIsRefusedAndNothingStored)
{
    OptionsDialog s;
    TDlg_AppliSetting& d = s.open();
    const auto before = OptionsDialog::options(s.global);
    d.CheckBox_FullPath->click();
    d.Edit_HTMLEditor->setText(QString::fromUtf8("/usr/bin/\xF0\x9F\x98\x80"));
    d.OKBtn->click();
    ASSERT_EQ(s.sink.count(), 1u);
    EXPECT_EQ(s.sink.last().caption, "エラー");
    EXPECT_NE(s.sink.last().text.find("U+1F600"), std::string::npos);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.PageControl->currentIndex(), 1); // the field's page is shown
    EXPECT_EQ(OptionsDialog::options(s.global), before);
    EXPECT_EQ(s.captions, 0);
}

TEST(AppliSetting, BrowseTakesOnlyAFileThatExists)
{
    TempDir dir;
    const std::string editor = dir.write("my editor", "#!/bin/sh\n");
    OptionsDialog s;
    TDlg_AppliSetting& d = s.open();
    QStringList titles;
    QString answer;
    bool picked = true;
    d.SetEditorChooser([&](const QString& title, QString& chosen) {
        titles << title;
        chosen = answer;
        return picked;
    });
    answer = QString::fromStdString(dir.file("missing"));
    d.Button_Editor->click();
    EXPECT_EQ(d.Edit_TextEditor->text(), "/usr/bin/エディタ");
    picked = false;
    answer = QString::fromStdString(editor);
    d.Button_Editor->click(); // cancelled
    EXPECT_EQ(d.Edit_TextEditor->text(), "/usr/bin/エディタ");
    picked = true;
    d.Button_HTMLEditor->click();
    EXPECT_EQ(d.Edit_HTMLEditor->text(), QString::fromStdString(editor));
    EXPECT_EQ(
        titles, QStringList({ "テキストエディタの指定", "テキストエディタの指定", "HTMLエディタの指定" }));
}

TEST(AppliSetting, AssociationAsksOnlyWhenAnotherProgramOwnsTheExtension)
{
    XdgFolders xdg;
    OptionsDialog s;
    TDlg_AppliSetting& d = s.open();
    const TAssociationFiles files = AssociationFiles();

    // Another program is the default: No writes nothing.
    xdg.installApplication("other.desktop");
    XdgFolders::put(files.mimeApps, "[Default Applications]\napplication/x-lexicana-set=other.desktop;\n");
    s.sink.Answer(IdNo);
    d.Button_Relate->click();
    ASSERT_EQ(s.sink.count(), 1u);
    EXPECT_EQ(s.sink.last().text,
        "既に\".lxs\"にはother.desktopが関連付けられています。\n"
        "関連付けを設定しなおしますか？（後で元に戻すことはできません）");
    EXPECT_EQ(s.sink.last().caption, "設定変更の確認");
    EXPECT_EQ(s.sink.last().flags, MbYesNo | MbIconQuestion);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(files.desktopEntry)));

    // Yes associates; the association stays even when the dialog is cancelled.
    s.sink.Answer(IdYes);
    d.Button_Relate->click();
    ASSERT_EQ(s.sink.count(), 3u);
    EXPECT_EQ(s.sink.last().text, "関連付けが完了しました。");
    EXPECT_EQ(s.sink.last().caption, "関連付けの設定完了");
    EXPECT_EQ(s.sink.last().flags, MbOk | MbIconInformation);
    d.CancelBtn->click();
    EXPECT_EQ(SetFileHandler(), "lexicana.desktop");
    EXPECT_NE(
        TempDir::read(files.desktopEntry).find("Exec=\"/opt/lexicana/lexicana\" %f"), std::string::npos);
    EXPECT_FALSE(TempDir::read(files.iconFile).empty());

    // Already ours: written again without a question.
    s.sink.clear();
    s.open().Button_Relate->click();
    ASSERT_EQ(s.sink.count(), 1u);
    EXPECT_EQ(s.sink.last().caption, "関連付けの設定完了");
}

TEST(AssociationMessages, UnwritableFoldersGiveTheDesktopAssociationMessages)
{
    XdgFolders xdg;
    OptionsDialog s;
    TDlg_AppliSetting& d = s.open();
    XdgFolders::put(xdg.root().file("plain"), "x");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(xdg.root().file("plain/data")));
    d.Button_Relate->click();
    ASSERT_EQ(s.sink.count(), 1u);
    EXPECT_EQ(s.sink.last().text.rfind("ファイルの関連付けを設定できません。\n"
                                       "デスクトップの設定フォルダへの書き込み権限があるか確認してください。",
                  0),
        0u);
    EXPECT_NE(s.sink.last().text.find("plain"), std::string::npos); // the folder that failed
    EXPECT_EQ(s.sink.last().caption, "エラー");

    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(xdg.dataHome()));
    QDir().mkpath(QString::fromStdString(AssociationFiles().mimeApps)); // a folder, not a file
    d.Button_Relate->click();
    ASSERT_EQ(s.sink.count(), 2u);
    EXPECT_EQ(s.sink.last().text.rfind("ファイルの関連付けの書き込みに失敗しました。\n"
                                       "デスクトップの設定フォルダへの書き込み権限があるか確認してください。",
                  0),
        0u);
    EXPECT_EQ(s.sink.last().text.find("レジストリ"), std::string::npos);
    EXPECT_EQ(s.sink.last().caption, "関連付けの設定失敗");
    EXPECT_EQ(s.sink.last().flags, MbOk | MbIconStop);
}

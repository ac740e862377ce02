#include "common/version.h"
#include "data/global.h"
#include "data/settingstable.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

using namespace lexicana;
using lexicana::test::RecordingSink;

namespace {

// The default editor opens a file in the desktop's handler of its type.
#if defined(_WIN32)
const std::string kDefaultEditor = "notepad.exe";
#elif defined(__APPLE__)
const std::string kDefaultEditor = "open";
#else
const std::string kDefaultEditor = "xdg-open";
#endif

QString StoreFile()
{
    return lexicana::test::SettingsFolder() + "/Orvane/Lexicana.conf";
}

class GlobalSettings : public ::testing::Test {
protected:
    void SetUp() override { QDir(lexicana::test::SettingsFolder() + "/Orvane").removeRecursively(); }
    void TearDown() override { SetUp(); }

    static QSettings Store()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Orvane", "Lexicana");
    }
};

} // namespace

TEST_F(GlobalSettings, FirstStartHasEveryDefault)
{
    RecordingSink sink;
    TGlobal g;
    EXPECT_EQ(sink.count(), 0u);
    // Every persisted option has its default, as the settings table gives it.
    for (const SettingDef& def : PersistedSettings()) {
        SCOPED_TRACE(def.name);
        switch (def.kind) {
        case SettingKind::String:
            EXPECT_EQ(g.*def.stringMember, def.defaultString);
            break;
        case SettingKind::Flag:
            EXPECT_EQ(g.*def.flagMember, def.defaultValue != 0);
            break;
        case SettingKind::Integer:
            EXPECT_EQ(g.*def.intMember, def.defaultValue);
            break;
        }
    }
    EXPECT_EQ(g.Editor, kDefaultEditor);

    // Document and conversion state.
    EXPECT_EQ(g.FileRecordCode, "\\@");
    EXPECT_EQ(g.VersionText, "Lexicana version " + GetProductVersion());
    EXPECT_EQ(g.SetFileName, SjisOf("無題"));
    EXPECT_EQ(g.ItemFileName, SjisOf("無題"));
    EXPECT_TRUE(g.ItemFileUntitled);
    EXPECT_TRUE(g.SetFileUntitled);
    EXPECT_FALSE(g.ItemDataModified);
    EXPECT_EQ(g.RecordCodeCol, 2);
    EXPECT_EQ(g.FileNameCol, 3);
    EXPECT_EQ(g.PartIDCol, 4);
    EXPECT_EQ(g.SortCol, 1);
    EXPECT_EQ(g.LinkedNameCol, 0);
    EXPECT_EQ(g.LinkedWordCol, 2);
    EXPECT_EQ(g.MinColCount, 4);
    EXPECT_EQ(g.OpCol, 1);
    EXPECT_EQ(g.OpRow, 1);
    EXPECT_EQ(g.EditTarget, 0);
    EXPECT_EQ(g.PlaceholderA, "{\\a}");
    EXPECT_EQ(g.PlaceholderFile, "{\\FILE}");
    EXPECT_EQ(g.SectionMainConvertionTable, "[MainConvertionTable]");
    EXPECT_EQ(g.PartStartMarker, "<!-- Start of \"Lexicana\" Part -->");
    EXPECT_EQ(g.LinkTemplate, "<a href = \"./{\\FILE}#{\\NAME}\">{\\WORD}</a>");
    EXPECT_EQ(g.OuterLinkEnd, "<!-- Lexicana:LINK_END -->");
    EXPECT_TRUE(g.LinkColumns.empty());
}

TEST_F(GlobalSettings, OneStoredValueOverridesOnlyItsMember)
{
    {
        QSettings s = Store();
        s.setValue("KanjiCode", 5);
        s.setValue("History/0", QString::fromUtf8("/home/u/用語集.lxs"));
    }
    RecordingSink sink;
    TGlobal g;
    EXPECT_EQ(sink.count(), 0u);
    EXPECT_EQ(g.KanjiCode, 5);
    EXPECT_EQ(g.NewLineCode, -1);
    EXPECT_EQ(g.Editor, kDefaultEditor);
    EXPECT_EQ(g.LastFile, SjisOf("/home/u/用語集.lxs"));
}

TEST_F(GlobalSettings, SaveWritesEveryOptionThenLoadReadsThemBack)
{
    RecordingSink sink;
    {
        TGlobal g(false);
        g.Editor = SjisOf("/usr/bin/エディタ");
        g.HTMLEditor = "bluefish";
        g.EditorParam = "-n \"%1\"";
        g.FileRecordDialogFilter = "*.htm";
        g.FullPath = true;
        g.StartupRead = true;
        g.SaveCSVatConv = true;
        g.WaitEditor = true;
        g.WaitHTMLEditor = true;
        g.RepDirectVert = false;
        g.PopupOperatePosition = true;
        g.UseLocalHelp = false;
        g.KanjiCode = 4;
        g.NewLineCode = 3;
        g.Save();
    }
    EXPECT_EQ(sink.count(), 0u);

    QSettings s = Store();
    QStringList keys = s.allKeys();
    for (const SettingDef& d : PersistedSettings())
        EXPECT_TRUE(keys.contains(d.name)) << d.name;
    EXPECT_TRUE(keys.contains("ProgramFileName"));
    EXPECT_TRUE(keys.contains("ProgramPath"));
    EXPECT_EQ(s.value("Version").toString().toStdString(), GetProductVersion());
    EXPECT_EQ(s.value("FullPath").toString(), "1");
    EXPECT_EQ(s.value("RepDirectVert").toString(), "0");
    EXPECT_FALSE(s.value("ProgramPath").toString().endsWith('/'));
    EXPECT_FALSE(s.value("ProgramFileName").toString().contains('/'));
    EXPECT_FALSE(keys.contains("History/0")); // the history is not written here

    TGlobal back;
    EXPECT_EQ(back.Editor, SjisOf("/usr/bin/エディタ"));
    EXPECT_EQ(back.HTMLEditor, "bluefish");
    EXPECT_EQ(back.EditorParam, "-n \"%1\"");
    EXPECT_EQ(back.HTMLEditorParam, "\"%1\"");
    EXPECT_EQ(back.FileRecordDialogFilter, "*.htm");
    EXPECT_TRUE(
        back.FullPath && back.StartupRead && back.SaveCSVatConv && back.WaitEditor && back.WaitHTMLEditor);
    EXPECT_FALSE(back.RepDirectVert);
    EXPECT_TRUE(back.PopupOperatePosition);
    EXPECT_FALSE(back.UseLocalHelp);
    EXPECT_EQ(back.KanjiCode, 4);
    EXPECT_EQ(back.NewLineCode, 3);
}

TEST_F(GlobalSettings, WrongTypedValueIsReportedAndKeepsItsDefaultOnly)
{
    {
        QSettings s = Store();
        s.setValue("FullPath", "yes please");
        s.setValue("KanjiCode", "five");
        s.setValue("NewLineCode", 2);
        s.setValue("Editor", QStringList { "a", "b" });
    }
    RecordingSink sink;
    TGlobal g;
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().caption, "エラー");
    EXPECT_NE(sink.last().text.find("FullPath"), std::string::npos);
    EXPECT_NE(sink.last().text.find("KanjiCode"), std::string::npos);
    EXPECT_NE(sink.last().text.find("Editor"), std::string::npos);
    EXPECT_FALSE(g.FullPath);
    EXPECT_EQ(g.KanjiCode, -1);
    EXPECT_EQ(g.Editor, kDefaultEditor);
    EXPECT_EQ(g.NewLineCode, 2);
}

TEST_F(GlobalSettings, UnreadableOrUnwritableStoreIsReportedNeverThrown)
{
    // The store's file is a folder: it can be neither read nor written.
    ASSERT_TRUE(QDir().mkpath(StoreFile()));
    RecordingSink sink;
    TGlobal g;
    EXPECT_EQ(g.Editor, kDefaultEditor);
    EXPECT_EQ(g.KanjiCode, -1);
    EXPECT_GE(sink.count(), 1u);

    sink.clear();
    g.KanjiCode = 5;
    EXPECT_NO_THROW(g.Save());
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_NE(sink.last().text.find("TGlobal::Save"), std::string::npos);
}

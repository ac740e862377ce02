#include "common/textcode.h"
#include "data/fileutils.h"
#include "data/global.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace lexicana;
using lexicana::test::RecordingSink;
using lexicana::test::TempDir;

TEST(EditorParameters, TemplateRules)
{
    const std::string file = "C:\\t\\a.ctb";
    EXPECT_EQ(BuildEditorParameters("\"%1\"", file), "\"C:\\t\\a.ctb\"");
    EXPECT_EQ(BuildEditorParameters("-n %1 -x", file), "-n C:\\t\\a.ctb -x");
    EXPECT_EQ(BuildEditorParameters("-n -x", file), "-n -x");
    EXPECT_EQ(BuildEditorParameters("%1", ""), "");
    // "%%" gives "%", "%" and another character gives that character, a
    // final "%" stays, and "%1" may repeat.
    EXPECT_EQ(BuildEditorParameters("100%% %2 %1%1 50%", "f"), "100% 2 ff 50%");
    // A double-byte character after "%" is copied whole; a "%" or "1" trail
    // byte inside one is never taken for the placeholder.
    EXPECT_EQ(BuildEditorParameters("%\x83\x41", "f"), "\x83\x41");
    EXPECT_EQ(BuildEditorParameters("\x81\x25\x31", "f"), "\x81\x25\x31");
    EXPECT_EQ(BuildEditorParameters(SjisOf("表%1"), SjisOf("用語")), SjisOf("表用語"));
}

TEST(LaunchEditor, UnstartableProgramShowsTheMessageAndNeverHides)
{
    RecordingSink sink;
    int hidden = 0, restored = 0;
    TEditorWaitHooks hooks { [&] { ++hidden; }, [&] { ++restored; } };
    TGlobal g(false);
    g.Editor = "";
    g.HTMLEditor = "";
    g.WaitEditor = true;
    g.WaitHTMLEditor = true;
    EXPECT_FALSE(LaunchTableEditor(g, hooks));
    EXPECT_FALSE(LaunchHTMLEditor(g, "/x/page.html", hooks));
    g.Editor = "/nonexistent/editor";
    EXPECT_FALSE(LaunchTableEditor(g, hooks));
    ASSERT_EQ(sink.count(), 3u);
    for (const auto& box : sink.boxes) {
        EXPECT_EQ(box.text,
            "テキストエディタを実行できませんでした。\nオプション設定のテキストエディタの設定を確認してくださ"
            "い。");
        EXPECT_EQ(box.caption, "Lexicana");
        EXPECT_EQ(box.flags, MbOk);
    }
    EXPECT_EQ(hidden, 0);
    EXPECT_EQ(restored, 0);
}

TEST(LaunchEditor, WaitingRunsTheProgramWithTheFileAndHidesMeanwhile)
{
    RecordingSink sink;
    TempDir dir;
    // A Windows-style separator in the file name is made local; a blank in
    // it stays inside one argument thanks to the template's quotes.
    dir.write("a b.ctb", "table");
    std::string file = dir.path() + "\\a b.ctb";
    std::string copy = dir.file("copy.ctb");
    std::vector<std::string> events;
    TEditorWaitHooks hooks { [&] { events.push_back("hide"); },
        [&] { events.push_back(std::filesystem::exists(copy) ? "restore after copy" : "restore early"); } };
    EXPECT_TRUE(LaunchEditor(file, "/bin/cp", "\"%1\" \"" + copy + "\"", true, hooks));
    EXPECT_EQ(events, (std::vector<std::string> { "hide", "restore after copy" }));
    EXPECT_EQ(TempDir::read(copy), "table");
    EXPECT_EQ(sink.count(), 0u);
}

TEST(LaunchEditor, TheShiftJisSettingsJoinAUtf8DocumentsFileName)
{
    struct Restore {
        ~Restore() { SetDocumentTextCode(TextCode::ShiftJis); }
    } restore;
    SetDocumentTextCode(TextCode::Utf8);
    RecordingSink sink;
    TempDir dir;
    const std::string page = dir.write("caf\xC3\xA9.html", "page");
    TGlobal g(false);
    g.HTMLEditor = "/bin/cp";
    g.HTMLEditorParam = "\"%1\" \"" + dir.path() + "/" + SjisOf("写") + ".html\"";
    g.WaitHTMLEditor = true;
    EXPECT_TRUE(LaunchHTMLEditor(g, page, {}));
    EXPECT_EQ(TempDir::read(dir.file("\xE5\x86\x99.html")), "page");
    EXPECT_EQ(sink.count(), 0u);
}

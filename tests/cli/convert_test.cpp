// End-to-end tests of lexicana-convert that need more than one case folder of
// tests/golden: usage errors, stopped runs, stored and overridden options,
// permissions, the rows the one-part command accepts or refuses.
#include "cliharness.h"
#include "platform/sjistext.h"
#include "support/testenv.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iconv.h>

namespace lexicana::test {
namespace {

namespace fs = std::filesystem;

const std::string kStopped = "[中断] HTML書き換えを中断しました。";

// Text converted with the C library's iconv (an oracle independent of ours).
std::string Iconv(const std::string& text, const char* from, const char* to)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return "<iconv unavailable>";
    std::string in = text, out(text.size() * 4 + 16, '\0');
    char* inp = in.data();
    char* outp = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    const std::size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    const std::size_t flushed = iconv(cd, nullptr, nullptr, &outp, &outLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || flushed == static_cast<std::size_t>(-1))
        return "<invalid " + std::string(from) + ">";
    out.resize(out.size() - outLeft);
    return out;
}

std::string Crlf(std::string text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

class ConvertTest : public ::testing::Test {
protected:
    TempDir dir;
    TempDir settings;
    CliResult Run(std::vector<std::string> args) { return RunConvert(args, settings.path()); }
};

TEST_F(ConvertTest, UsageErrorsAndUnreadableSetsExitWithTwo)
{
    EXPECT_EQ(Run({}).exitCode, 2);
    EXPECT_EQ(Run({ "--kanji", "utf16", "x.lxs" }).exitCode, 2);
    const CliResult missing = Run({ dir.file("missing.lxs") });
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("[エラー]"), std::string::npos) << missing.err;

    WriteFile(dir.file("nocsv.lxs"), "[Lexicana]\r\ncsv=\r\nctb=t.ctb\r\n");
    EXPECT_EQ(Run({ dir.file("nocsv.lxs") }).exitCode, 2);

    ConversionSet set(dir.file("set"));
    set.parts = { { "a.html", "a", { { "x", "y" } } } };
    set.Write();
    fs::remove(set.Folder() + "/items.csv");
    const CliResult noItems = Run({ set.SetFile() });
    EXPECT_EQ(noItems.exitCode, 2) << noItems.err;

    const CliResult help = Run({ "--help" });
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--kanji sjis|jis|euc|utf8|auto"), std::string::npos);
    const CliResult version = Run({ "--version" });
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("Lexicana version ", 0), 0u);
}

TEST_F(ConvertTest, MissingMarkersStopTheRunAndLeaveThePagesUntouched)
{
    struct Case {
        std::string page;
        std::string message;
    };
    const std::string zeroFirst = std::string("<p>\0</p>", 8) + Page("old");
    for (const Case& c : {
             Case { "<html>no markers</html>", "開始タグが見つかりません" },
             Case { "<html>" + kStart + "only the start</html>", "終了タグが見つかりません" },
             Case { zeroFirst, "開始タグが見つかりません" },
         }) {
        TempDir folder;
        ConversionSet set(folder.path());
        set.parts = { { "bad.html", "1", { { "w", "t" } } }, { "later.html", "2", { { "v", "u" } } } };
        set.outputs = { "index.html" };
        set.Write();
        WriteFile(set.Html("bad.html"), c.page);
        WriteFile(set.Html("later.html"), Page("old"));
        WriteFile(set.Html("index.html"), "<!-- Lexicana:RECORD_START -->?<!-- Lexicana:RECORD_END -->");

        const CliResult r = Run({ set.SetFile() });
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(kStopped), std::string::npos) << r.err;
        EXPECT_EQ(ReadFile(set.Html("bad.html")), c.page);
        EXPECT_EQ(ReadFile(set.Html("later.html")), Page("old")) << "the run stops at the failed page";
        EXPECT_NE(ReadFile(set.Html("index.html")).find("-->?<!--"), std::string::npos)
            << "a stopped run does not reach the external outputs";
    }
}

// Three pages in three codes, converted under stored and command-line
// options (the run with automatic codes is the golden case "codes").
class CodesTest : public ConvertTest {
protected:
    ConversionSet set { dir.path() };
    void SetUp() override
    {
        set.parts = {
            { "sj.html", "s", { { SjisOf("東京"), SjisOf("大阪と京都") } } },
            { "eu.html", "e", { { SjisOf("大阪"), SjisOf("東京の西") } } },
            { "ji.html", "j", { { SjisOf("京都"), SjisOf("東京と大阪の間") } } },
        };
        set.Write();
        WritePages();
    }
    // The pages in their codes, with Japanese outside the markers too.
    static std::string JPage(const std::string& nl)
    {
        return "<html><body>" + nl + "<h1>日本語のページ</h1>" + nl + kStart + nl + "古い部分" + nl + kEnd
            + nl + "</body></html>" + nl;
    }
    void WritePages() const
    {
        WriteFile(set.Html("sj.html"), Iconv(JPage("\r\n"), "UTF-8", "CP932"));
        WriteFile(set.Html("eu.html"), Iconv(JPage("\n"), "UTF-8", "EUC-JP"));
        WriteFile(set.Html("ji.html"), Iconv(JPage("\n"), "UTF-8", "ISO-2022-JP"));
    }
    const std::string partS
        = "<dl>\n<dt><a name=\"2\">東京</a></dt>\n<dd><a href = \"./eu.html#4\">大阪</a>と"
          "<a href = \"./ji.html#6\">京都</a></dd>\n</dl>\n";
    const std::string partE
        = "<dl>\n<dt><a name=\"4\">大阪</a></dt>\n<dd><a href = \"./sj.html#2\">東京</a>の西</dd>\n</dl>\n";
    const std::string partJ
        = "<dl>\n<dt><a name=\"6\">京都</a></dt>\n<dd><a href = \"./sj.html#2\">東京</a>と"
          "<a href = \"./eu.html#4\">大阪</a>の間</dd>\n</dl>\n";
};

TEST_F(CodesTest, CommandLineOverridesTheStoredOptionsWithoutWritingThem)
{
    // Stored options: EUC-JP with CR LF for every page.
    fs::create_directories(settings.path() + "/Orvane");
    const std::string stored = "[General]\nKanjiCode=4\nNewLineCode=1\n";
    WriteFile(settings.path() + "/Orvane/Lexicana.conf", stored);

    ASSERT_EQ(Run({ set.SetFile() }).exitCode, 0);
    const std::string sj = ReadFile(set.Html("sj.html"));
    EXPECT_EQ(Iconv(Between(sj, kStart, kEnd), "EUC-JP", "UTF-8"), Crlf(partS));

    WritePages();
    ASSERT_EQ(Run({ "--kanji", "sjis", "--newline=lf", set.SetFile() }).exitCode, 0);
    const std::string eu = ReadFile(set.Html("eu.html"));
    EXPECT_EQ(Iconv(Between(eu, kStart, kEnd), "CP932", "UTF-8"), partE);

    WritePages();
    ASSERT_EQ(Run({ "--kanji=auto", "--newline=cr", set.SetFile() }).exitCode, 0);
    const std::string ji = ReadFile(set.Html("ji.html"));
    std::string partJcr = partJ;
    for (char& c : partJcr)
        c = c == '\n' ? '\r' : c;
    EXPECT_EQ(Iconv(Between(ji, kStart, kEnd), "ISO-2022-JP", "UTF-8"), partJcr);

    EXPECT_EQ(ReadFile(settings.path() + "/Orvane/Lexicana.conf"), stored) << "a run never saves the options";
}

TEST_F(ConvertTest, ReadOnlyPageStopsTheRunWhileOtherPermissionsAreKept)
{
    ConversionSet set(dir.path());
    set.parts = {
        { ".hidden.html", "h", { { "h", "t" } } },
        { "group.html", "g", { { "g", "t" } } },
        { "locked.html", "l", { { "l", "t" } } },
    };
    set.Write();
    for (const char* name : { ".hidden.html", "group.html", "locked.html" })
        WriteFile(set.Html(name), Page("old"));
    const auto groupPerms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(set.Html("group.html"), groupPerms);
    fs::permissions(
        set.Html("locked.html"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    const CliResult r = Run({ set.SetFile() });
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(kStopped), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(set.Html("locked.html")), Page("old"));
    EXPECT_NE(ReadFile(set.Html(".hidden.html")).find("<dt><a name=\"2\">h</a>"), std::string::npos);
    EXPECT_NE(ReadFile(set.Html("group.html")).find("<dt><a name=\"4\">g</a>"), std::string::npos);
    EXPECT_EQ(fs::status(set.Html("group.html")).permissions(), groupPerms);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path() + "/html"))
        ++files;
    EXPECT_EQ(files, 3u) << "no temporary file is left beside the pages";
}

TEST_F(ConvertTest, OnePartCommandOnAFileRecordRowOrOnARowOfNoPart)
{
    ConversionSet set(dir.path());
    set.parts = {
        { "a.html", "a", { { "alpha", "beta" } } }, // rows 1, 2
        { "b.html", "b", { { "beta", "alpha gamma" } } }, // rows 3, 4
        { "c.html", "c", { { "gamma", "x" } } }, // rows 5, 6
    };
    set.Write();
    for (const char* name : { "a.html", "b.html", "c.html" })
        WriteFile(set.Html(name), Page("old"));

    CliResult r = Run({ "--part=5", set.SetFile() }); // a file record row: its own part
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(ReadFile(set.Html("c.html")), Page("old"));
    EXPECT_EQ(ReadFile(set.Html("a.html")), Page("old"));
    EXPECT_EQ(ReadFile(set.Html("b.html")), Page("old"));

    EXPECT_EQ(Run({ "--part", "7", set.SetFile() }).exitCode, 2) << "no such row";

    // A row above the first file record belongs to no part.
    std::string csv = ReadFile(set.Folder() + "/items.csv");
    csv.insert(csv.find("\r\n") + 2, "\"1\",\"\",\"\",\"lonely\",\"\"\r\n");
    WriteFile(set.Folder() + "/items.csv", csv);
    r = Run({ "--part", "1", set.SetFile() });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("ファイルレコードがここより前に存在しないため変換できません。"), std::string::npos)
        << r.err;
    EXPECT_EQ(ReadFile(set.Html("a.html")), Page("old"));
}

} // namespace
} // namespace lexicana::test

#include "common/messages.h"
#include "common/textcode.h"
#include "html/termcheck.h"
#include "support/conversionset.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace lexicana;
using namespace lexicana::test;

namespace {

// Two parts, given out of order: the run sorts them to a, a1, b, b1.
std::unique_ptr<ConversionSet> TwoParts()
{
    auto s = std::make_unique<ConversionSet>();
    s->Record("b1", "B");
    s->File("b", "b.html");
    s->Record("a1", "A");
    s->File("a", "a.html");
    s->Page("a.html");
    s->Page("b.html");
    return s;
}

const std::string kUntouched = "head" + kStart + "old" + kEnd + "tail";

std::string Rewritten(const std::string& word)
{
    return "head" + kStart + "<i>" + word + "</i>" + kEnd + "tail";
}

void ExpectClosed(const ConversionSet& s)
{
    EXPECT_EQ(s.progress.closed, 1);
    EXPECT_FALSE(s.global.Converting);
    EXPECT_FALSE(s.doc.IsRunning());
}

} // namespace

TEST(ConversionRunTest, WholeRunSortsRenumbersConvertsAndSaves)
{
    auto s = TwoParts();
    s->global.SaveCSVatConv = true;
    s->global.ItemDataModified = true;
    s->global.ItemFileUntitled = false;
    s->global.ItemFileName = s->dir.file("items.csv");

    EXPECT_EQ(s->doc.StartConversion(), 201);

    const TRecordTable& grid = s->doc.Grid();
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(grid.Cell(0, row), std::to_string(row));
    EXPECT_EQ(grid.Cell(1, 1), "a");
    EXPECT_EQ(grid.Cell(1, 4), "b1");
    EXPECT_EQ(s->Read("a.html"), Rewritten("A"));
    EXPECT_EQ(s->Read("b.html"), Rewritten("B"));
    EXPECT_EQ(s->global.HTMLBaseDir, s->dir.path() + "/");
    EXPECT_EQ(s->progress.opened, (std::vector<std::pair<int, int>> { { 1, 4 } }));
    ExpectClosed(*s);
    ASSERT_EQ(s->sink.count(), 1u);
    EXPECT_EQ(s->sink.last().text, "HTMLファイルの書き換えが正常に終了しました。");
    EXPECT_EQ(s->sink.last().caption, "完了");
    EXPECT_EQ(s->sink.last().flags, 0);
    EXPECT_TRUE(std::filesystem::exists(s->dir.file("items.csv")));
    EXPECT_FALSE(s->global.ItemDataModified);
    const TRunOutcome& outcome = s->doc.LastRun();
    EXPECT_TRUE(outcome.Done() && outcome.told);
    EXPECT_EQ(outcome.written, (std::vector<std::string> { "a.html", "b.html" }));
    EXPECT_TRUE(outcome.skipped.empty() && outcome.unchanged.empty());
}

TEST(ConversionRunTest, CancelAtEachCheckPointStopsWithTheInterruptionMessage)
{
    struct Case {
        int atEvent, atStep, result;
        std::string a, b;
    };
    const Case cases[] = {
        { 1, -1, 206, kUntouched, kUntouched }, // first link-table entry
        { -1, 3, 206, Rewritten("A"), kUntouched }, // during the first page: it is finished
        { -1, 1, -1, kUntouched, kUntouched }, // while the first item is built
    };
    for (const Case& c : cases) {
        auto s = TwoParts();
        s->progress.cancelAtEvent = c.atEvent;
        s->progress.cancelAtStep = c.atStep;
        EXPECT_EQ(s->doc.StartConversion(), c.result);
        EXPECT_EQ(s->Read("a.html"), c.a);
        EXPECT_EQ(s->Read("b.html"), c.b);
        ExpectClosed(*s);
        ASSERT_EQ(s->sink.count(), 1u);
        EXPECT_EQ(s->sink.last().text, "HTML書き換えを中断しました。");
        EXPECT_EQ(s->sink.last().caption, "中断");
        EXPECT_EQ(s->sink.last().flags, 48);
        EXPECT_EQ(s->doc.LastRun().result, c.result);
        EXPECT_TRUE(s->doc.LastRun().told);
        EXPECT_EQ(s->doc.LastRun().written.size(), c.a == kUntouched ? 0u : 1u);
    }
}

TEST(ConversionRunTest, ACancelWhileTheOutputFilesAreUpdatedStillCancels)
{
    int events = 0;
    for (const bool cancel : { false, true }) {
        auto s = TwoParts();
        s->dir.write("index.html", "x");
        s->global.InfoOutputList = s->dir.write("list.txt", "index.html\r\n");
        // The event after the output file: the last but one of the run.
        if (cancel)
            s->progress.cancelAtEvent = events - 1;
        EXPECT_EQ(s->doc.StartConversion(), cancel ? 206 : 201);
        events = s->progress.events;
        EXPECT_EQ(s->sink.last().caption, cancel ? "中断" : "完了");
    }
}

TEST(ConversionRunTest, OnePartFollowsTheChosenFileRecordThroughTheSort)
{
    {
        auto s = TwoParts();
        // Row 1 ("b1") stands above every file record.
        EXPECT_EQ(s->doc.ConvertOnePart(1), 1);
        ASSERT_EQ(s->sink.count(), 1u);
        EXPECT_EQ(s->sink.last().text, "ファイルレコードがここより前に存在しないため変換できません。");
        EXPECT_EQ(s->sink.last().caption, "Lexicana");
        EXPECT_EQ(s->sink.last().flags, 0);
        EXPECT_TRUE(s->progress.opened.empty());
        EXPECT_EQ(s->doc.Grid().Cell(1, 1), "b1");
    }
    ConversionSet s;
    s.File("b", "b.html");
    s.Record("b1", "B");
    s.File("a", "a.html");
    s.Record("a1", "A");
    s.Page("a.html");
    s.Page("b.html");
    // Row 2 belongs to file record "b", which the sort moves to row 3.
    EXPECT_EQ(s.doc.ConvertOnePart(2), 201);
    EXPECT_EQ(s.progress.opened, (std::vector<std::pair<int, int>> { { 1, 2 } }));
    EXPECT_EQ(s.doc.Grid().Cell(1, 3), "b");
    EXPECT_EQ(s.Read("a.html"), kUntouched);
    EXPECT_EQ(s.Read("b.html"), Rewritten("B"));
    EXPECT_EQ(s.doc.LastRun().written, std::vector<std::string> { "b.html" });
    ExpectClosed(s);
}

TEST(ConversionRunTest, SecondRunCannotStartInsideARunningOne)
{
    auto s = TwoParts();
    int inner = 0, innerPart = 0;
    s->progress.onOpen = [&] {
        inner = s->doc.StartConversion();
        innerPart = s->doc.ConvertOnePart(2);
    };
    EXPECT_EQ(s->doc.StartConversion(), 201);
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(innerPart, 1);
    // The refused commands leave the outcome of the run going on alone.
    EXPECT_TRUE(s->doc.LastRun().Done());
    EXPECT_EQ(s->doc.LastRun().written.size(), 2u);
    EXPECT_EQ(s->progress.opened.size(), 1u);
    ExpectClosed(*s);
}

TEST(ConversionRunTest, FailuresBeforeThePagesCloseTheRunWithTheirMessages)
{
    {
        auto s = TwoParts();
        s->global.InfoOutputList = s->dir.file("missing.lst");
        EXPECT_EQ(s->doc.StartConversion(), 105);
        ASSERT_EQ(s->sink.count(), 1u);
        EXPECT_EQ(s->sink.last().caption, "エラー");
        EXPECT_NE(s->sink.last().text.find(s->dir.file("missing.lst")), std::string::npos);
        EXPECT_EQ(s->Read("a.html"), kUntouched);
        ExpectClosed(*s);
    }
    {
        auto s = TwoParts();
        s->dir.write("set.ctb", "[Column]\r\nCount=x\r\n");
        EXPECT_EQ(s->doc.StartConversion(), -2);
        EXPECT_EQ(s->sink.last().text, "テーブルファイルが正しい形式ではありません");
        EXPECT_EQ(s->sink.last().flags, MbIconStop);
        EXPECT_EQ(s->Read("a.html"), kUntouched);
        ExpectClosed(*s);
    }
    {
        ConversionSet s;
        s.Record("a1", "A");
        EXPECT_EQ(s.doc.StartConversion(), 1);
        ASSERT_EQ(s.sink.count(), 1u);
        EXPECT_EQ(s.sink.last().text, "ファイルレコードがひとつもありません");
        EXPECT_EQ(s.sink.last().caption, "Lexicana");
        ExpectClosed(s);
    }
}

TEST(ConversionRunTest, ADocumentWithoutATableIsRefusedBeforeAnyProgressOpens)
{
    auto s = TwoParts();
    s->global.TableFileName.clear();
    EXPECT_EQ(s->doc.StartConversion(), 1);
    EXPECT_EQ(s->doc.ConvertOnePart(2), 1);
    EXPECT_TRUE(s->progress.opened.empty());
    ASSERT_EQ(s->sink.count(), 2u);
    EXPECT_NE(s->sink.last().text.find("変換テーブルファイルが指定されていない"), std::string::npos);
    EXPECT_EQ(s->Read("a.html"), kUntouched);
    EXPECT_EQ(s->doc.Grid().Cell(1, 1), "b1"); // not even sorted
}

TEST(ConversionRunTest, AUtf8DocumentNamesItsFilesInItsMessagesAsUtf8)
{
    struct Restore {
        ~Restore() { SetDocumentTextCode(TextCode::ShiftJis); }
    } restore;
    SetDocumentTextCode(TextCode::Utf8);
    const std::string name = "caf\xC3\xA9";
    {
        auto s = TwoParts();
        s->global.InfoOutputList = s->dir.file(name + ".lst");
        EXPECT_EQ(s->doc.StartConversion(), 105);
        ASSERT_EQ(s->sink.count(), 1u);
        EXPECT_NE(s->sink.last().text.find(name + ".lst"), std::string::npos) << s->sink.last().text;
    }
    {
        ConversionSet s;
        s.File("a", name + ".html");
        s.Record("a1", "A");
        std::vector<TermFinding> findings;
        ASSERT_EQ(s.doc.CheckTerms(findings), ResultOk);
        const auto missing = std::find_if(findings.begin(), findings.end(),
            [](const TermFinding& f) { return f.kind == TermFinding::Kind::PageMissing; });
        ASSERT_NE(missing, findings.end());
        EXPECT_NE(missing->text.find(name + ".html"), std::string::npos) << missing->text;
    }
}

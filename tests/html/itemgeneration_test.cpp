// Tests of item and part generation: placeholders, anchors, escapes, word
// links on flagged columns only, part assembly and cancelling.
#include "document/document.h"
#include "html/itemgeneration.h"
#include "platform/localtime.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"

#include <QByteArray>
#include <QtGlobal>
#include <gtest/gtest.h>
#include <vector>

namespace lexicana {
namespace {

// Records the progress calls; clears Converting at the cancelAt-th
// ProcessEvents call (0: never).
class RecordingProgress : public IConversionProgress {
public:
    explicit RecordingProgress(TGlobal& global)
        : global_(global)
    {
    }
    void SetRecord(int row, int lastRow) override { records.push_back({ row, lastRow }); }
    void ProcessEvents() override
    {
        if (++events == cancelAt)
            global_.Converting = false;
    }
    std::vector<std::pair<int, int>> records;
    int events = 0;
    int cancelAt = 0;

private:
    TGlobal& global_;
};

// Columns: 0 row number, 1 "Word", 2 record code, 3 "File", 4 "Desc".
// Row 1 file record, rows 2-3 records of its part.
class ItemGenerationTest : public ::testing::Test {
protected:
    ItemGenerationTest()
        : doc(global)
        , progress(global)
    {
        global.SetTableDefaults();
        global.Converting = true;
        global.LinkedNameCol = 1;
        doc.SetProgress(&progress);
        TRecordTable& grid = doc.Grid();
        grid.SetColCount(5);
        grid.SetRowCount(4);
        grid.SetRow(0, { "", "Word", "Code", "File", "Desc" });
        grid.SetRow(1, { "1", "", "\\@" });
        grid.SetRow(2, { "2", "alpha", "", "", "see beta\\!" });
        grid.SetRow(3, { "3", "beta", "", "", "see alpha" });
        parts.Resize(2);
        parts.Cell(0, 0) = "1";
        parts.Cell(0, 1) = "4";
    }

    TGlobal global { false };
    TDocument doc;
    RecordingProgress progress;
    FileListGrid parts;
    WordLink noLinks { StrGrid(4, 0), "{\\FILE}", "{\\NAME}", "{\\WORD}", "" };
};

TEST_F(ItemGenerationTest, ItemFillsUsedColumnsAnchorAndEscapes)
{
    doc.MainTableLines = { "{Word}: {\\a}{\\a}", "<dd>{\\4}{\\w}", "\\t\\<b\\>\\\\x\\n\\" };
    ColumnFlags used;
    MarkUsedColumns(doc.Grid(), doc.MainTableLines, used);
    EXPECT_EQ(used, (ColumnFlags { 0, 1, 0, 0, 1 }));
    EXPECT_EQ(doc.MainTableLines[1], "<dd>{Desc}{\\w}"); // numeric form rewritten once per run

    TStringList lines = doc.MainTableLines;
    ASSERT_EQ(MakeItem(doc.Pages(), lines, noLinks, 2, used), 0);
    // "{\w}" is not replaced in items; the escape pass then drops its backslash.
    EXPECT_EQ(lines,
        (TStringList { "alpha: <a name=\"alpha\"><a name=\"alpha\">", "<dd>see beta!{w}", "\tb\\xn\\" }));

    // A 0x5C trail byte is never an escape; a cell's own backslash is one.
    const std::string hyo = SjisOf("表"); // "\x95\x5c"
    lines = { hyo + "t\\" + hyo + "x" };
    ApplyItemEscapes(lines);
    EXPECT_EQ(lines[0], hyo + "t" + hyo + "x");

    // An anchor-name column outside the grid reads as empty text.
    global.LinkedNameCol = 99;
    lines = { "{\\a}" };
    ASSERT_EQ(MakeItem(doc.Pages(), lines, noLinks, 2, used), 0);
    EXPECT_EQ(lines[0], "<a name=\"\">");
}

TEST_F(ItemGenerationTest, WordLinksOnlyFlaggedUsedColumns)
{
    StrGrid table(4, 2);
    table.Cell(0, 0) = "p.html", table.Cell(1, 0) = "alpha", table.Cell(2, 0) = "alpha",
                  table.Cell(3, 0) = "2";
    table.Cell(0, 1) = "p.html", table.Cell(1, 1) = "beta", table.Cell(2, 1) = "beta", table.Cell(3, 1) = "3";
    WordLink links(table, "{\\FILE}", "{\\NAME}", "{\\WORD}", "[{\\FILE}#{\\NAME}]");
    global.LinkColumns = { 0, 1, 0, 0, 1 };
    doc.MainTableLines = { "{Word}={Desc}" };
    ColumnFlags used;
    MarkUsedColumns(doc.Grid(), doc.MainTableLines, used);
    TStringList lines = doc.MainTableLines;
    ASSERT_EQ(MakeItem(doc.Pages(), lines, links, 3, used), 0);
    // The record's own word stays plain; the other record's word links.
    EXPECT_EQ(lines[0], "beta=see [p.html#alpha]");
}

TEST_F(ItemGenerationTest, PartIsHeadItemsFootWithNothingBetween)
{
    qputenv("SOURCE_DATE_EPOCH", "86400");
    doc.HeadTableLines = { "<h>{\\w}", "" };
    doc.MainTableLines = { "<i>{Word}</i>" };
    doc.FootTableLines = { "{\\d}|{\\t}" };
    ColumnFlags used;
    MarkUsedColumns(doc.Grid(), doc.MainTableLines, used);
    std::string out;
    ASSERT_EQ(MakeOnePart(doc.Pages(), out, parts, noLinks, used, 0), 0);
    EXPECT_EQ(out,
        "<h>" + global.VersionText + "\n" + "<i>alpha</i><i>beta</i>" + CurrentDateText() + "|"
            + CurrentTimeText());
    EXPECT_EQ(progress.records, (std::vector<std::pair<int, int>> { { 2, 3 }, { 3, 3 } }));
    EXPECT_EQ(doc.HeadTableLines[0], "<h>{\\w}"); // templates are never modified
    qunsetenv("SOURCE_DATE_EPOCH");

    // A part without records is head and foot only; a missing entry is reported.
    parts.Cell(0, 1) = "2";
    doc.FootTableLines = { "<f>" };
    out.clear();
    ASSERT_EQ(MakeOnePart(doc.Pages(), out, parts, noLinks, used, 0), 0);
    EXPECT_EQ(out, "<h>" + global.VersionText + "\n<f>");
    test::RecordingSink sink;
    EXPECT_EQ(MakeOnePart(doc.Pages(), out, parts, noLinks, used, 1), -2);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_NE(sink.last().text.find("MakeOnePart"), std::string::npos);
}

// Each piece starts from the template's text split into lines again, so a
// numeric placeholder rewritten to a heading with a line break is cut in two
// and no longer names the column; it stays in the output as it stands.
TEST_F(ItemGenerationTest, TemplateCopyIsSplitAtLineBreaksOfRewrittenHeadings)
{
    doc.Grid().SetCell(4, 0, "De\r\nsc");
    doc.Grid().SetCell(1, 0, "Wo\rrd");
    doc.HeadTableLines = { "H" };
    doc.MainTableLines = { "<i>{\\4}{\\1}</i>", "" };
    doc.FootTableLines = { "F" };
    ColumnFlags used;
    MarkUsedColumns(doc.Grid(), doc.MainTableLines, used);
    EXPECT_EQ(used, (ColumnFlags { 0, 1, 0, 0, 1 }));
    EXPECT_EQ(doc.MainTableLines[0], "<i>{De\r\nsc}{Wo\rrd}</i>");
    std::string out;
    ASSERT_EQ(MakeOnePart(doc.Pages(), out, parts, noLinks, used, 0), 0);
    EXPECT_EQ(out, "H<i>{De\nsc}{Wo\nrd}</i>\n<i>{De\nsc}{Wo\nrd}</i>\nF");
}

TEST_F(ItemGenerationTest, CancelStopsMidItemWithoutItemOrFoot)
{
    doc.HeadTableLines = { "H" };
    doc.MainTableLines = { "<{Word}>" };
    doc.FootTableLines = { "F" };
    ColumnFlags used;
    MarkUsedColumns(doc.Grid(), doc.MainTableLines, used);
    progress.cancelAt = 6; // 4 columns per item: the second column of the second item
    std::string out;
    EXPECT_EQ(MakeOnePart(doc.Pages(), out, parts, noLinks, used, 0), 206);
    EXPECT_EQ(out, "H<alpha>");
    EXPECT_EQ(progress.events, 6);
}

} // namespace
} // namespace lexicana

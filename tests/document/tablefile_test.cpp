#include "document/document.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <gtest/gtest.h>
#include <string>

using namespace lexicana;
using lexicana::test::RecordingSink;
using lexicana::test::TempDir;

namespace {

class TableFileTest : public ::testing::Test {
protected:
    TableFileTest()
        : global(false)
        , doc(global)
    {
    }

    // Writes the lines (joined with CR LF) as a table file and reads it.
    int Read(const std::string& text, const std::string& name = "t.ctb")
    {
        return doc.ReadTableFile(dir.write(name, text));
    }

    TempDir dir;
    RecordingSink sink;
    TGlobal global;
    TDocument doc;
};

const char* const kExample = "; glossary of terms\r\n"
                             "[Column]\r\n"
                             "Count=6\r\n"
                             "Sort=1\r\n"
                             "LinkedName=0\r\n"
                             "LinkedWord=3\r\n"
                             "[Title]\r\n"
                             "1=\x93\xc7\x82\xdd\r\n" // 読み
                             "3=\x97\x70\x8c\xea\r\n" // 用語
                             "4=\x90\xe0\x96\xbe\r\n" // 説明
                             "[Width]\r\n"
                             "3=160\r\n"
                             "[Tag]\r\n"
                             "Anchor=<a href=\"./{\\FILE}#{\\NAME}\" class=\"term\">{\\WORD}</a>\r\n"
                             "[Link]\r\n"
                             "4=true\r\n"
                             "LinkToSelf=false\r\n"
                             "[MainConversionTable]\r\n"
                             "#start\r\n"
                             "<dt>{\\a}{\x97\x70\x8c\xea}</a></dt>\r\n"
                             "<dd>{\x90\xe0\x96\xbe}</dd>\r\n"
                             "#end\r\n";

} // namespace

TEST_F(TableFileTest, ExampleTableSetsColumnsMarkersLinksAndTemplates)
{
    TGlobal defaults(false);
    ASSERT_EQ(Read(kExample), 200);
    EXPECT_EQ(sink.count(), 0u);

    EXPECT_EQ(doc.Grid().ColCount(), 7);
    EXPECT_EQ(doc.Grid().Cell(1, 0), SjisOf("読み"));
    EXPECT_EQ(doc.Grid().Cell(3, 0), SjisOf("用語"));
    EXPECT_EQ(doc.Grid().Cell(4, 0), SjisOf("説明"));
    EXPECT_EQ(doc.Grid().ColWidth(3), 160);
    EXPECT_EQ(global.SortCol, 1);
    EXPECT_EQ(global.LinkedNameCol, 0);
    EXPECT_EQ(global.LinkedWordCol, 3);
    EXPECT_FALSE(global.LinkToSelf);
    EXPECT_EQ(global.LinkTemplate, "<a href=\"./{\\FILE}#{\\NAME}\" class=\"term\">{\\WORD}</a>");
    EXPECT_EQ(global.AnchorTemplate, defaults.AnchorTemplate);
    EXPECT_EQ(global.PartStartMarker, "<!-- Start of \"Lexicana\" Part -->");
    EXPECT_EQ(global.OuterLinkEnd, "<!-- Lexicana:LINK_END -->");

    ASSERT_EQ(global.LinkColumns.size(), 7u);
    for (int col = 0; col < 7; ++col)
        EXPECT_EQ(global.IsLinkColumn(col), col == 4) << col;

    EXPECT_TRUE(doc.HeadTableLines.empty());
    EXPECT_TRUE(doc.FootTableLines.empty());
    ASSERT_EQ(doc.MainTableLines.size(), 2u);
    EXPECT_EQ(doc.MainTableLines[0], "<dt>{\\a}{" + SjisOf("用語") + "}</a></dt>");
    EXPECT_EQ(doc.MainTableLines[1], "<dd>{" + SjisOf("説明") + "}</dd>");
    // The working list holds the file's lines, comments removed where read.
    ASSERT_EQ(doc.TableFileLines.size(), 22u);
    EXPECT_EQ(doc.TableFileLines[0], "");
}

TEST_F(TableFileTest, HeadersIgnoreLetterCaseButNotBlanksAndLoseTheirComment)
{
    global.MinColCount = 1;
    struct Case {
        const char* header;
        int columns; // the grid's column count afterwards (5 when not a header)
    } cases[] = {
        { "[column]", 3 },
        { "[COLUMN]", 3 },
        { "[Column];note", 3 },
        { "[Column] ", 5 },
        { " [Column]", 5 },
    };
    for (const Case& c : cases) {
        doc.Grid().SetColCount(5);
        ASSERT_EQ(Read(std::string(c.header) + "\r\nCount=2\r\n"), 200) << c.header;
        EXPECT_EQ(doc.Grid().ColCount(), c.columns) << c.header;
    }
}

TEST_F(TableFileTest, CountSetsTheColumnsWhileAMissingCountKeepsThem)
{
    global.MinColCount = 10;
    ASSERT_EQ(Read("[Column]\nCount=5\n"), 200);
    EXPECT_EQ(doc.Grid().ColCount(), 6);
    EXPECT_EQ(global.LinkColumns.size(), 6u);

    ASSERT_EQ(Read("[Column]\nSort=2\n"), 200);
    EXPECT_EQ(doc.Grid().ColCount(), 6);
    EXPECT_EQ(global.LinkColumns.size(), 6u);

    // Below one data column is clamped: the row-number column and one data
    // column always remain.
    for (const char* count : { "0", "-3" }) {
        ASSERT_EQ(Read(std::string("[Column]\nCount=") + count + "\n"), 200) << count;
        EXPECT_EQ(doc.Grid().ColCount(), 2) << count;
        EXPECT_EQ(global.LinkColumns.size(), 2u) << count;
    }

    // An absurd count is refused instead of exhausting memory.
    sink.clear();
    EXPECT_EQ(Read("[Column]\nCount=2000000000\n"), -2);
    EXPECT_EQ(sink.count(), 1u);
    EXPECT_EQ(doc.Grid().ColCount(), 2);
    EXPECT_EQ(global.LinkColumns.size(), 2u);
}

TEST_F(TableFileTest, KeysAreMatchedWithoutCaseAndValuesKeptAsWritten)
{
    global.MinColCount = 1;
    doc.Grid().SetColCount(4);
    ASSERT_EQ(Read("[Column]\n"
                   "Count =9\n" // key "Count " matches nothing
                   "sORT=0\n"
                   "no equals sign\n"
                   "[Tag]\n"
                   "Start= <!-- begin -->\n"
                   "end=<!-- e=f -->\n"
                   "Anchor=<a href=\"x.html#{\\NAME}\">{\\WORD}</a>;\n"
                   "AnchorName=\n"
                   "outerdatestart=<!--D-->  ; the date\n"
                   "Unknown=1\n"),
        200);
    EXPECT_EQ(doc.Grid().ColCount(), 4);
    EXPECT_EQ(global.SortCol, 0);
    EXPECT_EQ(global.PartStartMarker, " <!-- begin -->");
    EXPECT_EQ(global.PartEndMarker, "<!-- e=f -->");
    EXPECT_EQ(global.LinkTemplate, "<a href=\"x.html#{\\NAME}\">{\\WORD}</a>");
    EXPECT_EQ(global.AnchorTemplate, "");
    EXPECT_EQ(global.OuterDateStart, "<!--D-->  ");

    // A second read without those keys is back at the defaults.
    TGlobal defaults(false);
    ASSERT_EQ(Read("[Column]\nLinkedWord=4\n"), 200);
    EXPECT_EQ(global.SortCol, 1);
    EXPECT_EQ(global.LinkedWordCol, 4);
    EXPECT_EQ(global.PartStartMarker, defaults.PartStartMarker);
    EXPECT_EQ(global.PartEndMarker, defaults.PartEndMarker);
    EXPECT_EQ(global.LinkTemplate, defaults.LinkTemplate);
    EXPECT_EQ(global.AnchorTemplate, defaults.AnchorTemplate);
    EXPECT_EQ(global.OuterDateStart, defaults.OuterDateStart);
}

TEST_F(TableFileTest, LinkValuesAreTrimmedAndOnlyTrueOrFalseCount)
{
    doc.Grid().SetColCount(6);
    ASSERT_EQ(Read("[Link]\n"
                   "4=TRUE \n"
                   "5=yes\n"
                   "x=maybe\n"
                   "LinkToSelf= true\t\n"
                   "1=\ttrue\n"
                   "1=False\n"),
        200);
    EXPECT_EQ(sink.count(), 0u);
    ASSERT_EQ(global.LinkColumns.size(), 6u);
    EXPECT_TRUE(global.IsLinkColumn(4));
    EXPECT_FALSE(global.IsLinkColumn(5));
    EXPECT_FALSE(global.IsLinkColumn(1));
    EXPECT_TRUE(global.LinkToSelf);

    ASSERT_EQ(Read("[Link]\nLinkToSelf=yes\n"), 200);
    EXPECT_FALSE(global.LinkToSelf); // back to the default, not set

    // A second [Link] starts again from all flags off.
    ASSERT_EQ(Read("[Link]\n2=true\n3=true\n[Link]\n3=true\n"), 200);
    EXPECT_FALSE(global.IsLinkColumn(2));
    EXPECT_TRUE(global.IsLinkColumn(3));

    EXPECT_EQ(Read("[Link]\nx=true\n"), -2);
    EXPECT_EQ(sink.count(), 1u);
}

TEST_F(TableFileTest, TemplateBlocksCollectTheirLinesUnchanged)
{
    ASSERT_EQ(Read("[HeadTable]\n"
                   "outside\n"
                   "#START\n"
                   "  <h1>a;b=c</h1>  \n"
                   "\n"
                   "#start \n"
                   "#start\n"
                   "#End\n"
                   "#end\n"
                   "ignored\n"
                   "#start\n"
                   "second\n"
                   "#end\n"
                   "[FootTable]\n"
                   "#start\n"
                   "foot 1\n"
                   "[note]\n"
                   "foot 2\n"
                   "#end\n"
                   "[MainConvertionTable]\n"
                   "#start\n"
                   "old\n"
                   "#end\n"
                   "[MainConversionTable]\n"
                   "#start\n"
                   "new\n"),
        200);
    EXPECT_EQ(doc.HeadTableLines, (TStringList { "  <h1>a;b=c</h1>  ", "", "#start ", "second" }));
    EXPECT_EQ(doc.FootTableLines, (TStringList { "foot 1" }));
    EXPECT_EQ(doc.MainTableLines, (TStringList { "new" }));

    // A repeated section keeps only its last occurrence; key sections apply
    // again in file order.
    ASSERT_EQ(Read("[Column]\nSort=2\n[FootTable]\n#start\na\n#end\n"
                   "[Column]\nSort=3\n[FootTable]\n#start\nb\n#end\n"),
        200);
    EXPECT_EQ(global.SortCol, 3);
    EXPECT_EQ(doc.FootTableLines, (TStringList { "b" }));
    EXPECT_TRUE(doc.HeadTableLines.empty());
    EXPECT_TRUE(doc.MainTableLines.empty());
}

TEST_F(TableFileTest, AnyLineEndAndNoSectionsReadAsDefaults)
{
    doc.Grid().SetColCount(5);
    ASSERT_EQ(Read("[Column]\rCount=3\r\n[Tag]\nStart=S\r[Foo]\nEnd=E\n"), 200);
    EXPECT_EQ(doc.Grid().ColCount(), 4);
    EXPECT_EQ(global.PartStartMarker, "S");
    EXPECT_EQ(global.PartEndMarker, TGlobal(false).PartEndMarker); // under [Foo]

    ASSERT_EQ(Read("just text\nCount=9\n"), 200);
    EXPECT_EQ(doc.Grid().ColCount(), 4);
    EXPECT_EQ(global.PartStartMarker, TGlobal(false).PartStartMarker);
    EXPECT_EQ(global.LinkColumns.size(), 4u);
}

TEST_F(TableFileTest, RereadingTheSameFileGivesTheSameState)
{
    const std::string path = dir.write("t.ctb", kExample);
    ASSERT_EQ(doc.ReadTableFile(path), 200);
    const TStringList main = doc.MainTableLines;
    const auto flags = global.LinkColumns;
    const std::string anchor = global.LinkTemplate;
    ASSERT_EQ(doc.ReadTableFile(path), 200);
    EXPECT_EQ(doc.MainTableLines, main);
    EXPECT_EQ(global.LinkColumns, flags);
    EXPECT_EQ(global.LinkTemplate, anchor);
    EXPECT_EQ(doc.Grid().ColCount(), 7);
    EXPECT_EQ(doc.Grid().ColWidth(3), 160);
}

TEST_F(TableFileTest, IntegersAllowLeadingBlanksOnlyAndBadOnesFailTheRead)
{
    doc.Grid().SetColCount(5);
    ASSERT_EQ(Read("[Width]\n2=  120\n[Column]\nSort= +2\n"), 200);
    EXPECT_EQ(doc.Grid().ColWidth(2), 120);
    EXPECT_EQ(global.SortCol, 2);

    const char* failing[] = {
        "[Title]\nx=Name\n",
        "[Width]\n2=120 \n",
        "[Width]\n2=\t120\n", // a tab is not a blank
        "[Width]\n2=\n",
        "[Column]\nSort=1a\n",
        "[Column]\nCount=99999999999\n",
        "[Width]\n5=100\n", // the grid has columns 0..4
        "[Width]\n-1=100\n",
    };
    for (const char* text : failing) {
        sink.clear();
        EXPECT_EQ(Read(text), -2) << text;
        ASSERT_EQ(sink.count(), 1u) << text;
        EXPECT_EQ(sink.last().caption, "エラー");
        EXPECT_EQ(sink.last().text.rfind("エラー発生場所 : ReadTableFile\r\nエラーの種類 : ", 0), 0u)
            << sink.last().text;
        EXPECT_EQ(doc.Grid().ColCount(), 5);
        EXPECT_EQ(global.LinkColumns.size(), 5u);
    }
    sink.clear();
    Read("[Title]\nx=Name\n");
    EXPECT_EQ(sink.last().text,
        "エラー発生場所 : ReadTableFile\r\nエラーの種類 : 'x' は有効な整数値ではありません : " + dir.file("t.ctb"));

    // What was read before the failure stays in effect, defaults included.
    ASSERT_EQ(Read("[Tag]\nStart=S\n[Column]\nSort=0\n"), 200);
    EXPECT_EQ(Read("[Column]\nSort=3\nCount=7\n[Width]\n9=1\n[Column]\nSort=4\n"), -2);
    EXPECT_EQ(global.SortCol, 3);
    EXPECT_EQ(global.PartStartMarker, TGlobal(false).PartStartMarker);
    // The grid keeps the count it had at the failure; the flags cover it.
    EXPECT_EQ(doc.Grid().ColCount(), 8);
    EXPECT_EQ(global.LinkColumns.size(), 8u);
}

TEST_F(TableFileTest, AFileThatCannotBeOpenedChangesNothing)
{
    ASSERT_EQ(Read(kExample), 200);
    const TStringList lines = doc.TableFileLines;
    const std::string missing = dir.file("missing.ctb");
    EXPECT_EQ(doc.ReadTableFile(missing), 105);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().caption, "テーブルファイル読み込みエラー");
    EXPECT_EQ(sink.last().flags, 48);
    EXPECT_EQ(sink.last().text.rfind("テーブルファイルの読み込みに失敗しました。\nエラー内容 : ", 0), 0u);
    EXPECT_NE(sink.last().text.find(missing), std::string::npos);

    EXPECT_EQ(doc.TableFileLines, lines);
    EXPECT_EQ(global.LinkedWordCol, 3);
    EXPECT_EQ(global.LinkTemplate, "<a href=\"./{\\FILE}#{\\NAME}\" class=\"term\">{\\WORD}</a>");
    EXPECT_EQ(doc.MainTableLines.size(), 2u);
    EXPECT_TRUE(global.IsLinkColumn(4));
}

TEST_F(TableFileTest, ColumnsOutsideTheGridNeverCorruptIt)
{
    global.MinColCount = 1;
    doc.Grid().SetColCount(5);
    ASSERT_EQ(Read("[Title]\n-1=neg\n7=far\n2=two\n[Link]\n-2=true\n99=true\n2=true\n"), 200);
    EXPECT_EQ(sink.count(), 0u);
    EXPECT_EQ(doc.Grid().ColCount(), 5);
    EXPECT_EQ(doc.Grid().Cell(2, 0), "two");
    ASSERT_EQ(global.LinkColumns.size(), 5u);
    EXPECT_TRUE(global.IsLinkColumn(2));
    EXPECT_FALSE(global.IsLinkColumn(99));
}

TEST_F(TableFileTest, LinkAndTitleBeforeTheCountThatCreatesTheirColumn)
{
    global.MinColCount = 1;
    doc.Grid().SetColCount(3);
    ASSERT_EQ(Read("[Title]\n8=Late\n[Link]\n8=true\n1=true\n[Column]\nCount=10\n[Title]\n9=Direct\n"), 200);
    EXPECT_EQ(doc.Grid().ColCount(), 11);
    EXPECT_EQ(doc.Grid().Cell(8, 0), "Late");
    EXPECT_EQ(doc.Grid().Cell(9, 0), "Direct");
    ASSERT_EQ(global.LinkColumns.size(), 11u);
    EXPECT_TRUE(global.IsLinkColumn(8));
    EXPECT_TRUE(global.IsLinkColumn(1));
    EXPECT_FALSE(global.IsLinkColumn(10));

    // A later heading of the same column wins over one kept aside.
    doc.Grid().SetColCount(3);
    ASSERT_EQ(Read("[Title]\n5=Old\n[Column]\nCount=6\n[Title]\n5=New\n"), 200);
    EXPECT_EQ(doc.Grid().Cell(5, 0), "New");

    // A shrinking Count drops the flags beyond the grid.
    ASSERT_EQ(Read("[Link]\n8=true\n[Column]\nCount=3\n"), 200);
    EXPECT_EQ(doc.Grid().ColCount(), 4);
    EXPECT_EQ(global.LinkColumns.size(), 4u);
}

TEST_F(TableFileTest, ColumnsPastCountThatHoldTextStayAndAreSaved)
{
    // Item data 7 columns wide: column 4 holds text in a record, column 5
    // only a heading, column 6 nothing at all.
    const std::string items = dir.write("items.csv",
        "\"No\",\"Word\",\"Text\",\"\",\"\",\"old heading\",\"\"\r\n"
        "\"1\",\"a\",\"b\",\"\",\"kept\",\"\",\"\"\r\n");
    ASSERT_EQ(doc.OpenItemFile(items, 1), 0);
    ASSERT_EQ(Read("[Column]\nCount=2\n[Link]\n4=true\n"), 200);
    EXPECT_EQ(doc.Grid().ColCount(), 5);
    EXPECT_EQ(doc.Grid().Cell(4, 1), "kept");
    EXPECT_EQ(doc.Grid().Cell(4, 0), ""); // the view shows its number
    EXPECT_EQ(global.LinkColumns.size(), 5u);
    EXPECT_TRUE(global.IsLinkColumn(4));

    // Reading the table again changes nothing; the saved file keeps the text.
    ASSERT_EQ(Read("[Column]\nCount=2\n[Title]\n4=Memo\n"), 200);
    EXPECT_EQ(doc.Grid().ColCount(), 5);
    EXPECT_EQ(doc.Grid().Cell(4, 0), "Memo");
    ASSERT_EQ(doc.WriteItemFile(items, 1), 100);
    EXPECT_EQ(TempDir::read(items),
        "\"No\",\"Word\",\"Text\",\"\",\"Memo\"\r\n"
        "\"1\",\"a\",\"b\",\"\",\"kept\"\r\n");

    // Once the column is empty again, the next read drops it.
    doc.Grid().SetCell(4, 1, "");
    ASSERT_EQ(Read("[Column]\nCount=2\n"), 200);
    EXPECT_EQ(doc.Grid().ColCount(), 3);
    EXPECT_EQ(sink.count(), 0u);
}

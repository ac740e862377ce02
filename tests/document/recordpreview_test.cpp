#include "document/document.h"
#include "document/recordpreview.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"

#include <gtest/gtest.h>
#include <string>

namespace lexicana::test {
namespace {

// The example glossary: row 1 is the file record of kana-a.html (part "a"),
// row 2 "アルゴリズム" (name "algorithm"), whose description mentions
// "ソート" (row 23, kana-sa.html) and "計算量" (row 12); column 2 holds the
// names, 3 the words, 4 the descriptions.
class ExampleGlossary {
public:
    ExampleGlossary()
        : global(false)
        , doc(global)
    {
        EXPECT_EQ(doc.ReadLxsFile(LEXICANA_TEST_DATA "/../../examples/glossary/glossary.lxs"), ResultOk);
    }
    RecordingSink sink;
    TGlobal global;
    TDocument doc;
};

bool Has(const std::string& html, const char* utf8)
{
    return html.find(SjisOf(utf8)) != std::string::npos;
}

TEST(RecordPreview, ShowsARecordAsItsPageWillWithoutChangingOrAskingAnything)
{
    ExampleGlossary g;
    const TRecordTable before = g.doc.Grid();
    const bool modified = g.global.ItemDataModified;
    TRecordPreview preview(g.doc);
    struct Case {
        int row;
        const char* has; // "" when the preview is empty
        const char* lacks;
    } cases[] = {
        // The template applied, a word of another record linked, its own not.
        { 2, "<a href=\"./kana-sa.html#sort\" class=\"term-link\">ソート</a>", "#algorithm\"" },
        { 2, "<dt><a id=\"algorithm\" class=\"term-anchor\">アルゴリズム</a>", "{" },
        // A file record shows the head of its part.
        { 1, "<dl class=\"glossary\">", "<dt>" },
        { 15, "kana-sa.html", "<dt>" },
        { 0, "", "" },
        { g.doc.Grid().RowCount(), "", "" },
    };
    for (const Case& c : cases) {
        const std::string html = preview.Html(c.row);
        if (*c.has == '\0') {
            EXPECT_EQ(html, "") << c.row;
        } else {
            EXPECT_TRUE(Has(html, c.has)) << c.row << ": " << SjisToUtf8(html);
        }
        if (*c.lacks != '\0') {
            EXPECT_FALSE(Has(html, c.lacks)) << c.row << ": " << SjisToUtf8(html);
        }
    }
    // A link leads back to its record, with or without "./".
    EXPECT_EQ(preview.RowOfLink("./kana-sa.html#sort"), 23);
    EXPECT_EQ(preview.RowOfLink("kana-a.html#complexity"), 12);
    EXPECT_EQ(preview.RowOfLink("./kana-sa.html#nothing"), -1);
    EXPECT_EQ(preview.PagePath(2), g.global.HTMLDir + "/kana-a.html");

    EXPECT_EQ(g.sink.count(), 0u);
    EXPECT_EQ(g.global.ItemDataModified, modified);
    for (int row = 0; row < before.RowCount(); ++row)
        ASSERT_EQ(g.doc.Grid().Row(row), before.Row(row)) << row;
}

TEST(RecordPreview, RebuildsTheWordLinksOnlyWhenAColumnOfTheLinksChanges)
{
    ExampleGlossary g;
    TRecordTable& grid = g.doc.Grid();
    TRecordPreview preview(g.doc);
    preview.Html(2);
    EXPECT_EQ(preview.Builds(), 1);

    // A description edit is shown without building the links again.
    grid.SetCell(4, 2, grid.Cell(4, 2) + SjisOf("スタック"));
    preview.CellChanged(4, 2);
    preview.RowsChanged(2, 2);
    EXPECT_FALSE(preview.NeedsBuild());
    EXPECT_TRUE(Has(preview.Html(2), "#stack\" class=\"term-link\">スタック</a>"));
    EXPECT_EQ(preview.Builds(), 1);

    // A word edit is: the new word links, the old one no longer does.
    grid.SetCell(3, 19, SjisOf("スタック構造"));
    preview.RowsChanged(1, grid.RowCount() - 1);
    EXPECT_TRUE(preview.NeedsBuild());
    const std::string html = preview.Html(2);
    EXPECT_EQ(preview.Builds(), 2);
    EXPECT_FALSE(Has(html, "#stack\""));

    // Inserted rows and a re-read table's link settings rebuild as well.
    preview.RecordsChanged();
    EXPECT_TRUE(preview.NeedsBuild());
    preview.Html(2);
    g.global.LinkToSelf = true;
    EXPECT_TRUE(Has(preview.Html(2), "#algorithm\" class=\"term-link\">アルゴリズム</a>"));
    EXPECT_EQ(preview.Builds(), 4);

    // Typed while the links are built: a word makes that build stale, so
    // another follows; a description does not.
    for (const int col : { 3, 4 }) {
        preview.RecordsChanged();
        auto build = preview.PrepareBuild();
        grid.SetCell(col, 19, grid.Cell(col, 19) + "x");
        preview.CellChanged(col, 19);
        preview.RowsChanged(19, 19);
        build->Run();
        preview.Install(std::move(build));
        EXPECT_EQ(preview.NeedsBuild(), col == 3) << col;
    }
}

TEST(RecordPreview, ExplainsWhatCannotBePreviewedWithoutAMessageBox)
{
    ExampleGlossary g;
    TRecordTable& grid = g.doc.Grid();
    TRecordPreview preview(g.doc);
    // A second file record for kana-a.html part "a": the run would refuse.
    grid.SetCell(2, 15, grid.Cell(2, 1));
    grid.SetCell(3, 15, grid.Cell(3, 1));
    grid.SetCell(4, 15, grid.Cell(4, 1));
    EXPECT_TRUE(Has(preview.Html(16), "ファイルレコードの重複があります。"));
    // Above the first file record, and without a conversion table.
    grid.InsertRow(1);
    preview.RecordsChanged();
    EXPECT_TRUE(Has(preview.Html(1), "最初のファイルレコードより前"));
    g.global.TableFileName.clear();
    EXPECT_TRUE(Has(preview.Html(3), "変換テーブル"));
    EXPECT_EQ(g.sink.count(), 0u);
}

} // namespace
} // namespace lexicana::test

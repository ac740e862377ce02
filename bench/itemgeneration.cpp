// Part generation benchmark: one part of 20,000 records with 8 data columns
// and a 10-line record template, built without and with word links on two
// columns (a link table of every record's word). Prints the build times.
#include "html/itemgeneration.h"

#include "document/document.h"
#include "platform/localtime.h"

#include <chrono>
#include <cstdio>
#include <string>

using namespace lexicana;

namespace {

double Seconds(std::chrono::steady_clock::time_point from)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

} // namespace

int main()
{
    constexpr int kRecords = 20000;
    constexpr int kColumns = 9; // row numbers + 8 data columns
    TGlobal global(false);
    global.SetTableDefaults();
    global.Converting = true;
    global.LinkedNameCol = 1;
    TDocument doc(global);
    TRecordTable& grid = doc.Grid();
    grid.SetColCount(kColumns);
    grid.SetRowCount(kRecords + 2);
    for (int c = 1; c < kColumns; ++c)
        grid.SetCell(c, 0, "Col" + std::to_string(c));
    grid.SetCell(global.RecordCodeCol, 1, global.FileRecordCode);
    StrGrid linkTable(4, kRecords);
    for (int r = 2; r < kRecords + 2; ++r) {
        const std::string word = "word" + std::to_string(r * 7919 % 100003);
        grid.SetCell(1, r, word);
        grid.SetCell(5, r,
            "A description that mentions word" + std::to_string(r * 31 % 100003) + " and word"
                + std::to_string((r + 5) * 7919 % 100003) + " with some \\<b\\>markup\\</b\\>.");
        grid.SetCell(6, r, "Reading " + std::to_string(r));
        grid.SetCell(7, r, "See also word" + std::to_string((r + 1) * 7919 % 100003));
        linkTable.Cell(0, r - 2) = "page.html";
        linkTable.Cell(1, r - 2) = word;
        linkTable.Cell(2, r - 2) = word;
        linkTable.Cell(3, r - 2) = std::to_string(r);
    }
    grid.NumberRows();
    doc.HeadTableLines = { "<dl>", "<!-- {\\w} {\\d} {\\t} -->" };
    doc.MainTableLines = { "<dt>{Col1}: {\\a}</dt>", "<dd>", "  <p class=\"r\">{Col6}</p>", "  <p>{Col5}</p>",
        "  <p>{Col7}</p>", "  <p>{\\8}</p>", "\\t<span>{Col4}</span>", "</dd>", "", "" };
    doc.FootTableLines = { "</dl>" };
    FileListGrid parts;
    parts.Resize(2);
    parts.Cell(0, 0) = "1";
    parts.Cell(0, 1) = std::to_string(kRecords + 2);

    ColumnFlags used;
    MarkUsedColumns(grid, doc.MainTableLines, used);
    WordLink noLinks(
        StrGrid(4, 0), global.PlaceholderFile, global.PlaceholderName, global.PlaceholderWord, "");
    WordLink links(linkTable, global.PlaceholderFile, global.PlaceholderName, global.PlaceholderWord,
        global.LinkTemplate);

    std::string out;
    auto start = std::chrono::steady_clock::now();
    MakeOnePart(doc.Pages(), out, parts, noLinks, used, 0);
    std::printf(
        "part of %d records, no word links: %.3f s, %zu bytes\n", kRecords, Seconds(start), out.size());

    global.LinkColumns.assign(kColumns, 0);
    global.LinkColumns[5] = global.LinkColumns[7] = 1;
    out.clear();
    start = std::chrono::steady_clock::now();
    MakeOnePart(doc.Pages(), out, parts, links, used, 0);
    std::printf(
        "part of %d records, links on 2 columns: %.3f s, %zu bytes\n", kRecords, Seconds(start), out.size());
    std::printf(
        "date \"%s\", time \"%s\" (Shift_JIS bytes)\n", CurrentDateText().c_str(), CurrentTimeText().c_str());
    return 0;
}

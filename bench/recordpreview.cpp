// Record preview benchmark: the glossary-like table of 100,000 records with
// word links on its text column. Prints how long the word links take to
// build (the snapshot on the document's thread and the build that may run
// elsewhere), one record's preview with built links, a check of every row
// after a change of many cells, and the first and a later link lookup.
#include "document/recordpreview.h"

#include "benchtable.h"
#include "document/document.h"

#include <chrono>
#include <cstdio>
#include <string>

using namespace lexicana;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

} // namespace

int main()
{
    constexpr int kRecords = 100000;
    TGlobal global(false);
    global.TableFileName = "bench.ctb";
    global.TableColCount = 10;
    global.LinkedNameCol = 5;
    global.LinkedWordCol = 1;
    global.LinkColumns.assign(10, 0);
    global.LinkColumns[6] = 1;
    global.LinkColumns[7] = 1;
    TDocument doc(global);
    doc.Grid() = bench::MakeTable(kRecords);
    doc.HeadTableLines = { "<dl>" };
    doc.MainTableLines = { "<dt>{\\a}{Word}</a> <span>{Reading}</span></dt>", "<dd>{Text}</dd>",
        "<dd class=\"note\">{Note}</dd>" };
    doc.FootTableLines = { "</dl>" };
    TRecordPreview preview(doc);

    auto start = Clock::now();
    auto build = preview.PrepareBuild();
    const double prepare = Ms(start);
    start = Clock::now();
    build->Run();
    const double run = Ms(start);
    preview.Install(std::move(build));
    std::printf("word links of %d records: snapshot %.1f ms, build %.1f ms\n", kRecords, prepare, run);

    constexpr int kSamples = 2000;
    std::size_t bytes = 0;
    start = Clock::now();
    for (int i = 0; i < kSamples; ++i)
        bytes += preview.Html(2 + i * (kRecords / kSamples)).size();
    std::printf(
        "one record's preview: %.3f ms (%zu bytes on average)\n", Ms(start) / kSamples, bytes / kSamples);

    start = Clock::now();
    preview.RowsChanged(1, kRecords);
    std::printf("check of every row after a change: %.1f ms (rebuild needed: %s)\n", Ms(start),
        preview.NeedsBuild() ? "yes" : "no");

    const std::string href = "./page3.html#" + doc.Grid().Cell(5, 700);
    start = Clock::now();
    const int row = preview.RowOfLink(href);
    std::printf("first link lookup: %.1f ms (row %d)\n", Ms(start), row);
    start = Clock::now();
    preview.RowOfLink(href);
    std::printf("later link lookup: %.3f ms\n", Ms(start));

    build = preview.PrepareBuild();
    build->Run();
    start = Clock::now();
    auto spent = preview.Install(std::move(build));
    const double install = Ms(start);
    start = Clock::now();
    spent.reset();
    std::printf("taking over a new build: %.1f ms, freeing the old links: %.1f ms\n", install, Ms(start));

    doc.Grid().SetCell(1, 500, "changed");
    preview.CellChanged(1, 500);
    start = Clock::now();
    preview.Html(500);
    std::printf(
        "preview after a word edit (rebuild included): %.1f ms, builds %d\n", Ms(start), preview.Builds());
    return 0;
}

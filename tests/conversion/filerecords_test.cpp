#include "conversion/filerecords.h"
#include "support/recordingsink.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace lexicana;
using lexicana::test::RecordingSink;

namespace {

struct Row {
    std::string code, file, part;
};

// A grid of 6 columns whose rows 1.. are the given rows (code in column 2,
// file name in column 3, part ID in column 4).
TRecordTable MakeGrid(const std::vector<Row>& rows)
{
    TRecordTable grid(6, static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        grid.SetCell(2, r, rows[i].code);
        grid.SetCell(3, r, rows[i].file);
        grid.SetCell(4, r, rows[i].part);
    }
    return grid;
}

Row File(const std::string& file, const std::string& part)
{
    return { "\\@", file, part };
}

Row Normal(const std::string& text = "word")
{
    return { text, "", "" };
}

std::vector<std::string> Entry(const FileListGrid& parts, int k)
{
    return { parts.Cell(0, k), parts.Cell(1, k), parts.Cell(2, k) };
}

std::string DuplicateMessage(int first, int second)
{
    return "ファイルレコードの重複があります。\nレコード" + std::to_string(first) + "と、レコード"
        + std::to_string(second) + "の内容が重複しています。";
}

class CountingUi : public IEventPump {
public:
    void ProcessEvents() override { ++events; }
    int events = 0;
};

} // namespace

TEST(FileRecords, WorkedExampleBuildsPartsAndTotals)
{
    RecordingSink sink;
    TGlobal global(false);
    TRecordTable grid = MakeGrid(
        { Normal("intro"), File("a.html", "A"), Normal(), Normal(), File("b.html", "B"), Normal() });
    ASSERT_EQ(grid.RowCount(), 7);
    FileListGrid parts;
    CountingUi ui;
    ASSERT_EQ(GetFileRecord(grid, global, parts, &ui), 0);
    EXPECT_EQ(sink.count(), 0u);
    ASSERT_EQ(parts.RowTotal(), 3);
    EXPECT_EQ(Entry(parts, 0), (std::vector<std::string> { "2", "a.html", "A" }));
    EXPECT_EQ(Entry(parts, 1), (std::vector<std::string> { "5", "b.html", "B" }));
    EXPECT_EQ(Entry(parts, 2), (std::vector<std::string> { "7", "", "" }));
    EXPECT_EQ(global.FileRecordCount, 2);
    EXPECT_EQ(global.NormalRecordCount, 3);
    EXPECT_EQ(CountNormalRecords(parts), 3);
    // Pending events run after every row of both passes.
    EXPECT_EQ(ui.events, 2 * 6);
}

TEST(FileRecords, OnlyTheExactCodeMakesAFileRecord)
{
    TGlobal global(false);
    TRecordTable grid = MakeGrid(
        { { "\\@", "", "" }, { "\\@ ", "", "" }, { "@", "", "" }, { " \\@", "", "" }, { "\\\\@", "", "" } });
    EXPECT_TRUE(IsFileRecord(grid, global, 1));
    for (int row = 2; row <= 5; ++row)
        EXPECT_FALSE(IsFileRecord(grid, global, row)) << row;

    // A grid too narrow for the code column has no file records.
    TRecordTable narrow(2, 3);
    EXPECT_FALSE(IsFileRecord(narrow, global, 1));
    FileListGrid parts;
    EXPECT_EQ(GetFileRecord(narrow, global, parts), 1);
}

TEST(FileRecords, EdgeCasesOfPartsAndTotals)
{
    RecordingSink sink;
    TGlobal global(false);
    {
        FileListGrid parts;
        EXPECT_EQ(GetFileRecord(MakeGrid({ Normal(), Normal() }), global, parts), 1);
        EXPECT_EQ(sink.count(), 0u);
        EXPECT_EQ(CountNormalRecords(parts), 0);
    }
    {
        // The only file record is the last row: one empty part.
        FileListGrid parts;
        ASSERT_EQ(GetFileRecord(MakeGrid({ Normal(), Normal(), File("a.html", "A") }), global, parts), 0);
        ASSERT_EQ(parts.RowTotal(), 2);
        EXPECT_EQ(Entry(parts, 1), (std::vector<std::string> { "4", "", "" }));
        EXPECT_EQ(global.FileRecordCount, 1);
        EXPECT_EQ(global.NormalRecordCount, 0);
    }
    {
        // Same file with other parts, same part in other files, names that
        // differ in case only, and consecutive file records: all accepted.
        FileListGrid parts;
        ASSERT_EQ(GetFileRecord(MakeGrid({ Normal(), File("a.html", "A"), File("a.html", "B"), Normal(),
                                    File("b.html", "A"), File("A.html", "A"), Normal(), Normal() }),
                      global, parts),
            0);
        EXPECT_EQ(sink.count(), 0u);
        EXPECT_EQ(parts.LastRow(), 4);
        EXPECT_EQ(global.FileRecordCount, 4);
        EXPECT_EQ(global.NormalRecordCount, 3); // row 1 is above the first file record
    }
}

TEST(FileRecords, DuplicateReportsTheFirstPairWithTheExactMessage)
{
    RecordingSink sink;
    TGlobal global(false);
    FileListGrid parts;
    TRecordTable grid = MakeGrid({ Normal(), File("a.html", "A"), Normal(), File("b.html", "B"), Normal(),
        File("b.html", "B"), File("a.html", "A") });
    EXPECT_EQ(GetFileRecord(grid, global, parts), 207);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().text, DuplicateMessage(4, 6));
    EXPECT_EQ(sink.last().caption, "エラー");
    EXPECT_EQ(sink.last().icon(), MessageIcon::Stop);
}

TEST(FileRecords, InfoFileRecordsAreEnteredAndFormPartsLikeAnyOther)
{
    RecordingSink sink;
    TGlobal global(false);
    FileListGrid parts;
    TRecordTable grid = MakeGrid({ File("<info>", "X"), Normal(), File("a.html", "A"), Normal(),
        File("list<info>.html", "Y"), Normal(), Normal() });
    ASSERT_EQ(GetFileRecord(grid, global, parts), 0);
    ASSERT_EQ(parts.RowTotal(), 4);
    EXPECT_EQ(Entry(parts, 0), (std::vector<std::string> { "1", "<info>", "X" }));
    EXPECT_EQ(Entry(parts, 2), (std::vector<std::string> { "5", "list<info>.html", "Y" }));
    EXPECT_EQ(Entry(parts, 3), (std::vector<std::string> { "8", "", "" }));
    EXPECT_EQ(global.FileRecordCount, 3);
    EXPECT_EQ(global.NormalRecordCount, 4);
}

// The duplicate check must name the same pair as comparing every file
// record with all earlier ones in order.
TEST(FileRecords, FastDuplicateCheckAgreesWithTheQuadraticWalk)
{
    RecordingSink sink;
    TGlobal global(false);
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        const int rows = 1 + static_cast<int>(random() % 400);
        const int names = 1 + static_cast<int>(random() % (round % 3 == 0 ? 400 : 12));
        std::vector<Row> content;
        for (int i = 0; i < rows; ++i) {
            if (random() % 3 == 0)
                content.push_back(
                    File("f" + std::to_string(random() % names) + ".html", std::to_string(random() % 3)));
            else
                content.push_back(Normal());
        }

        // The walk: record at grid row i against every earlier record j.
        std::vector<int> seen;
        int expectFirst = 0, expectSecond = 0;
        for (int i = 0; i < rows && expectSecond == 0; ++i) {
            if (content[i].code != "\\@")
                continue;
            for (int j : seen) {
                if (content[j].file == content[i].file && content[j].part == content[i].part) {
                    expectFirst = j + 1;
                    expectSecond = i + 1;
                    break;
                }
            }
            seen.push_back(i);
        }

        sink.clear();
        FileListGrid parts;
        const int result = GetFileRecord(MakeGrid(content), global, parts);
        if (expectSecond != 0) {
            ASSERT_EQ(result, 207) << round;
            ASSERT_EQ(sink.count(), 1u);
            EXPECT_EQ(sink.last().text, DuplicateMessage(expectFirst, expectSecond)) << round;
        } else {
            ASSERT_EQ(result, seen.empty() ? 1 : 0) << round;
            EXPECT_EQ(sink.count(), 0u);
            if (!seen.empty()) {
                ASSERT_EQ(parts.LastRow(), static_cast<int>(seen.size()));
                for (std::size_t k = 0; k < seen.size(); ++k)
                    EXPECT_EQ(parts.Cell(0, static_cast<int>(k)), std::to_string(seen[k] + 1));
            }
        }
    }
}

TEST(FileRecords, ThousandsOfDistinctFileRecordsAreAccepted)
{
    RecordingSink sink;
    TGlobal global(false);
    std::vector<Row> content;
    for (int i = 0; i < 20000; ++i)
        content.push_back(
            i % 4 == 0 ? File("p" + std::to_string(i / 40) + ".html", std::to_string(i)) : Normal());
    FileListGrid parts;
    ASSERT_EQ(GetFileRecord(MakeGrid(content), global, parts), 0);
    EXPECT_EQ(global.FileRecordCount, 5000);
    EXPECT_EQ(global.NormalRecordCount, 15000);
}

TEST(FileRecords, RowNumberReadsOnlyWholeDecimalText)
{
    const std::vector<std::pair<std::string, int>> cases
        = { { "0", 0 }, { "17", 17 }, { "2147483647", 2147483647 }, { "", -1 }, { "12a", -1 }, { " 3", -1 },
              { "-3", -1 }, { "+3", -1 }, { "2147483648", -1 } };
    FileListGrid parts;
    parts.Resize(static_cast<int>(cases.size()));
    for (std::size_t i = 0; i < cases.size(); ++i)
        parts.Cell(0, static_cast<int>(i)) = cases[i].first;
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(parts.RowNumber(0, static_cast<int>(i)), cases[i].second) << '"' << cases[i].first << '"';
}

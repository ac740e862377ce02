#include "data/itemfile.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace lexicana;
using lexicana::test::RecordingSink;
using lexicana::test::TempDir;

namespace {

using Cells = std::vector<std::string>;

// "ソ" and "表": double-byte characters whose trail byte is 0x5C, a backslash.
const std::string kSo = "\x83\x5c";
const std::string kHyo = "\x95\x5c";

TRecordTable TableOf(const std::vector<Cells>& rows, int cols)
{
    TRecordTable t(cols, static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        t.SetRow(static_cast<int>(r), rows[r]);
    return t;
}

std::string TrimmedRight(std::string s)
{
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20)
        s.pop_back();
    return s;
}

} // namespace

TEST(ItemFileText, EscapesLineBreaksAndBackslashesButNeverATrailByte)
{
    EXPECT_EQ(EscapeCellText("x\r\ny"), "x\\r\\ny");
    EXPECT_EQ(EscapeCellText("C:\\dir"), "C:\\\\dir");
    EXPECT_EQ(EscapeCellText("a\tb\"c"), "a\tb\"c");
    EXPECT_EQ(EscapeCellText(kSo + "\\" + kHyo), kSo + "\\\\" + kHyo);
    // A stray lead byte does not swallow the line break after it, nor pair
    // with the backslash of its escape: it gets an escaping backslash itself.
    EXPECT_EQ(EscapeCellText("\x82\r"), "\\\x82\\r");
    EXPECT_EQ(EscapeCellText("\x82\n\x82\"\x82"), "\\\x82\\n\x82\"\x82");
    for (const std::string lone : { "\x82\n", "\x82\r\nx", "a\xe0\\", "\x82\"\n" })
        EXPECT_EQ(UnescapeCellText(EscapeCellText(lone)), lone);

    EXPECT_EQ(UnescapeCellText("x\\r\\ny"), "x\r\ny");
    EXPECT_EQ(UnescapeCellText("C:\\\\dir"), "C:\\dir");
    EXPECT_EQ(UnescapeCellText("a\\qb"), "aqb");
    EXPECT_EQ(UnescapeCellText("a\\tb"), "atb");
    EXPECT_EQ(UnescapeCellText("end\\"), "end\\");
    EXPECT_EQ(UnescapeCellText(kSo + "n" + kHyo + "\\"), kSo + "n" + kHyo + "\\");
    EXPECT_EQ(UnescapeCellText("\\" + kSo), kSo); // an escaped double-byte character is copied whole

    EXPECT_EQ(QuoteField("a,b", true), "\"a,b\"");
    EXPECT_EQ(QuoteField("a,b", false), "a,b");
}

TEST(ItemFileText, CommaLineFollowsTheReaderStateMachine)
{
    EXPECT_EQ(ParseCommaLine("\"1\",\"A\"\"B\",\"\",\"x\\r\\ny\""), (Cells { "1", "A\"B", "", "x\r\ny" }));
    EXPECT_EQ(ParseCommaLine("\"C:\\\\dir\",\"a\\qb\",\"end\\\""), (Cells { "C:\\dir", "aqb", "end\\" }));
    EXPECT_EQ(ParseCommaLine("a,b,"), (Cells { "a", "b", "" }));
    EXPECT_EQ(ParseCommaLine("\"\""), (Cells { "" }));
    EXPECT_EQ(ParseCommaLine(""), (Cells { "" }));
    EXPECT_EQ(ParseCommaLine("\"\",\"\","), (Cells { "", "", "" }));
    // Unquoted fields.
    EXPECT_EQ(ParseCommaLine("ab\"c,ab\"\"c,ab\""), (Cells { "ab\"c", "ab\"c", "ab" }));
    // Two leading quotes that go on, and a cell of quotes only.
    EXPECT_EQ(ParseCommaLine("\"\"x"), (Cells { "\"x" }));
    EXPECT_EQ(ParseCommaLine("\"\"\"\""), (Cells { "\"\"" }));
    EXPECT_EQ(ParseCommaLine("\""), (Cells { "\"" }));
    // Commas inside quotes; a stray quote inside a quoted field; an
    // unterminated quoted field ends with its line.
    EXPECT_EQ(ParseCommaLine("\"a,b\",\"c\"d\",\"open,end"), (Cells { "a,b", "c\"d", "open,end" }));
    EXPECT_EQ(ParseCommaLine("\",\""), (Cells { "," }));
    // Trail bytes 0x5C never start an escape.
    EXPECT_EQ(ParseCommaLine("\"" + kSo + "n\",\"" + kHyo + "\""), (Cells { kSo + "n", kHyo }));
}

TEST(ItemFileText, TabLineIsTheInverseOfTheTabWriter)
{
    EXPECT_EQ(ParseTabLine("1\tA\"\"B\t\tx\\r\\ny"), (Cells { "1", "A\"B", "", "x\r\ny" }));
    EXPECT_EQ(ParseTabLine("a\\tb\t"), (Cells { "a\tb", "" }));
    EXPECT_EQ(ParseTabLine("\"quoted\""), (Cells { "\"quoted\"" }));
    EXPECT_EQ(ParseTabLine(""), (Cells { "" }));
    EXPECT_EQ(ParseTabLine("a,b"), (Cells { "a,b" }));
}

TEST(ItemFile, SavesTheWorkedExampleAndReadsItBack)
{
    RecordingSink sink;
    TempDir dir;
    TRecordTable grid = TableOf({ { "No", "Word", "Code", "File" }, { "1", "A\"B", "", "x\r\ny" } }, 4);
    const std::string path = dir.file("items.csv");
    ASSERT_EQ(StrSaveToFile(grid, path, ',', true), 0);
    EXPECT_EQ(
        TempDir::read(path), "\"No\",\"Word\",\"Code\",\"File\"\r\n\"1\",\"A\"\"B\",\"\",\"x\\r\\ny\"\r\n");

    TRecordTable loaded(2, 2);
    ASSERT_EQ(StrLoadFromFile(loaded, path, ',', true, 4), 0);
    EXPECT_EQ(loaded.ColCount(), 4);
    EXPECT_EQ(loaded.RowCount(), 2);
    EXPECT_EQ(loaded.Row(1), (Cells { "1", "A\"B", "", "x\r\ny" }));

    ASSERT_EQ(StrSaveToFile(grid, path, '\t', false), 0);
    EXPECT_EQ(TempDir::read(path), "No\tWord\tCode\tFile\r\n1\tA\"\"B\t\tx\\r\\ny\r\n");
    EXPECT_EQ(sink.count(), 0u);
}

TEST(ItemFile, SavingTrimsColumnsFromOneInFileAndGrid)
{
    RecordingSink sink;
    TempDir dir;
    TRecordTable grid = TableOf({ { " 0 ", "a  ", "b\r\n\r\n", " \t" }, { "1\r\n", kSo + " ", "c", "" } }, 4);
    const std::string path = dir.file("t.csv");
    ASSERT_EQ(StrSaveToFile(grid, path, ',', true), 0);
    EXPECT_EQ(TempDir::read(path), "\" 0 \",\"a\",\"b\",\"\"\r\n\"1\\r\\n\",\"" + kSo + "\",\"c\",\"\"\r\n");
    EXPECT_EQ(grid.Row(0), (Cells { " 0 ", "a", "b", "" }));
    EXPECT_EQ(grid.Row(1), (Cells { "1\r\n", kSo, "c", "" }));
}

TEST(ItemFile, LoadSizesTheGridFromTheFile)
{
    RecordingSink sink;
    TempDir dir;
    TRecordTable grid(6, 3);
    grid.SetCell(5, 2, "old");
    grid.SetColWidth(1, 150);
    grid.SetColWidth(5, 90);

    // Two fields per line still give MinColCount columns; mixed line ends.
    std::string path = dir.write("two.csv", "a,b\r\nc,d\ne\rf,g");
    ASSERT_EQ(StrLoadFromFile(grid, path, ',', true, 4), 0);
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Row(2), (Cells { "e", "", "", "" }));
    EXPECT_EQ(grid.Row(3), (Cells { "f", "g", "", "" }));
    EXPECT_EQ(grid.ColWidth(1), 150); // widths of columns that stay are kept
    EXPECT_EQ(grid.Cell(5, 2), "");

    // The widest line decides; 50 lines give 50 rows; an empty line gives
    // one empty cell; a final line end adds no row.
    std::string text = "1,2,3,4,5,6,7,8,9\r\n\r\n";
    for (int i = 2; i < 50; ++i)
        text += std::to_string(i) + "\r\n";
    path = dir.write("wide.csv", text);
    ASSERT_EQ(StrLoadFromFile(grid, path, ',', true, 4), 0);
    EXPECT_EQ(grid.ColCount(), 9);
    EXPECT_EQ(grid.RowCount(), 50);
    EXPECT_EQ(grid.Cell(8, 0), "9");
    EXPECT_EQ(grid.Row(1), Cells(9));
    EXPECT_EQ(grid.Cell(0, 49), "49");
    EXPECT_EQ(grid.ColWidth(1), 150);
    EXPECT_EQ(grid.ColWidth(5), TRecordTable::kDefaultColWidth); // column 5 had gone with the 4-column load

    // An empty file leaves one empty heading row.
    path = dir.write("empty.csv", "");
    ASSERT_EQ(StrLoadFromFile(grid, path, ',', true, 4), 0);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Row(0), Cells(4));
    EXPECT_EQ(sink.count(), 0u);
}

TEST(ItemFile, EmptyFieldsAddNoColumnsAndAValueBeyondTheColumnLimitIsRefused)
{
    RecordingSink sink;
    TempDir dir;
    for (const char separator : { ',', '\t' }) {
        const bool comma = separator == ',';
        // A line of 100,000 empty fields, then short lines.
        std::string text = std::string(100000, separator) + "\r\n";
        std::string saved = comma ? "\"\",\"\",\"\",\"\"\r\n" : "\t\t\t\r\n";
        for (int i = 0; i < 20; ++i) {
            text += std::string("a") + separator + "b" + separator + separator + "\r\n";
            saved += comma ? "\"a\",\"b\",\"\",\"\"\r\n" : "a\tb\t\t\r\n";
        }
        const std::string path = dir.write(comma ? "wide.csv" : "wide.txt", text);
        TRecordTable grid;
        ASSERT_EQ(StrLoadFromFile(grid, path, separator, comma, 4), 0);
        EXPECT_EQ(grid.ColCount(), 4);
        EXPECT_EQ(grid.RowCount(), 21);
        ASSERT_EQ(StrSaveToFile(grid, path, separator, comma), 0);
        EXPECT_EQ(TempDir::read(path), saved);

        // A value in the last data column a table can hold is kept; one
        // beyond it fails the load, naming the line, and keeps the grid.
        ASSERT_EQ(StrLoadFromFile(grid, dir.write("limit", "h\n" + std::string(1000, separator) + "x"),
                      separator, comma, 4),
            0);
        EXPECT_EQ(grid.ColCount(), 1001);
        EXPECT_EQ(grid.Cell(1000, 1), "x");
        // Saved, only the line that reaches that far is that wide.
        ASSERT_EQ(StrSaveToFile(grid, path, separator, comma, 4), 0);
        const std::string back = TempDir::read(path);
        EXPECT_EQ(back.substr(0, back.find('\n') + 1), comma ? "\"h\",\"\",\"\",\"\"\r\n" : "h\t\t\t\r\n");
        EXPECT_LT(back.size(), 5000u);
        EXPECT_EQ(StrLoadFromFile(grid, dir.write("over", "h\n" + std::string(1001, separator) + "x"),
                      separator, comma, 4),
            -2);
        EXPECT_NE(sink.last().text.find("2 行目は列が多すぎます（データ列の上限 1000）"), std::string::npos);
        EXPECT_EQ(grid.Cell(1000, 1), "x");
    }
    EXPECT_EQ(sink.count(), 2u);
}

TEST(ItemFile, QuoteOnlyCellsSurviveTheCommaForm)
{
    RecordingSink sink;
    TempDir dir;
    TRecordTable grid = TableOf({ { "\"", "\"\"", "\"x", "x\"" }, { "", "\"", ",", "\"," } }, 4);
    const TRecordTable before = grid;
    const std::string path = dir.file("q.csv");
    ASSERT_EQ(StrSaveToFile(grid, path, ',', true), 0);
    EXPECT_EQ(TempDir::read(path).substr(0, 14), "\"\\\"\"\",\"\\\"\"\"\"\",");
    TRecordTable loaded;
    ASSERT_EQ(StrLoadFromFile(loaded, path, ',', true, 4), 0);
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(loaded.Row(row), before.Row(row)) << "row " << row;
}

TEST(ItemFile, RandomTablesRoundTripThroughBothForms)
{
    RecordingSink sink;
    TempDir dir;
    const std::vector<std::string> pieces { "a", "Z", "0", " ", "\t", "\r\n", "\r", "\n", "\"", "\"\"", ",",
        "\\", "\\r", "\\n", kSo, kHyo, SjisOf("あ"), SjisOf("漢字"), "\x81\x40", "x", "y" };
    // Besides those pieces, any byte at all, with stray lead bytes, escape
    // letters, quotes and separators often enough to meet each other.
    const std::string often = "\x82\xe0\xfc\\\"\r\n\t,nrt@";
    std::mt19937 random(20240611);
    auto cell = [&](bool anyBytes) {
        std::string s;
        const int length = static_cast<int>(random() % 7);
        for (int i = 0; i < length; ++i) {
            if (!anyBytes)
                s += pieces[random() % pieces.size()];
            else if (random() % 2)
                s += often[random() % often.size()];
            else
                s += static_cast<char>(random() % 256);
        }
        return s;
    };
    for (int round = 0; round < 140; ++round) {
        const int cols = 4 + static_cast<int>(random() % 5);
        const int rows = 1 + static_cast<int>(random() % 12);
        TRecordTable grid(cols, rows);
        TRecordTable expected(cols, rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                const std::string text = cell(round >= 40);
                grid.SetCell(c, r, text);
                expected.SetCell(c, r, c == 0 ? text : TrimmedRight(text));
            }
        const bool comma = round % 2 == 0;
        const std::string path = dir.file(comma ? "r.csv" : "r.txt");
        ASSERT_EQ(StrSaveToFile(grid, path, comma ? ',' : '\t', comma), 0);
        TRecordTable loaded(1, 1);
        ASSERT_EQ(StrLoadFromFile(loaded, path, comma ? ',' : '\t', comma, 4), 0);
        // Columns empty in every row are not loaded.
        ASSERT_EQ(loaded.ColCount(), std::max(4, expected.UsedColCount()));
        ASSERT_EQ(loaded.RowCount(), rows);
        loaded.SetColCount(cols);
        for (int r = 0; r < rows; ++r) {
            ASSERT_EQ(grid.Row(r), expected.Row(r)) << "grid trimmed, round " << round << " row " << r;
            ASSERT_EQ(loaded.Row(r), expected.Row(r)) << "round " << round << " row " << r;
        }
        // Every row is one line: a cell never adds a line to the file.
        const std::string text = TempDir::read(path);
        std::size_t breaks = 0;
        for (char ch : text)
            breaks += ch == '\n' || ch == '\r';
        EXPECT_EQ(breaks, 2u * static_cast<std::size_t>(rows));
    }
    EXPECT_EQ(sink.count(), 0u);
}

TEST(ItemFile, FailedLoadReportsTheFileAndKeepsTheGrid)
{
    RecordingSink sink;
    TempDir dir;
    TRecordTable grid = TableOf({ { "h", "w" }, { "1", "keep" } }, 2);
    const std::string missing = dir.path() + "/" + SjisOf("無い.csv");
    EXPECT_EQ(StrLoadFromFile(grid, missing, ',', true, 4), -2);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_NE(sink.last().text.find("StrLoadFromFile"), std::string::npos);
    EXPECT_NE(sink.last().text.find("無い.csv"), std::string::npos);
    EXPECT_EQ(sink.last().caption, "エラー");
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.Row(1), (Cells { "1", "keep" }));

    // A folder cannot be read as a file either.
    EXPECT_EQ(StrLoadFromFile(grid, dir.path(), ',', true, 4), -2);
    EXPECT_NE(sink.last().text.find("フォルダー"), std::string::npos);
    EXPECT_EQ(StrLoadFromFile(grid, "/dev/null", ',', true, 4), -2);
    EXPECT_NE(sink.last().text.find("通常のファイルではありません"), std::string::npos) << sink.last().text;
    EXPECT_EQ(grid.Cell(1, 1), "keep");
}

TEST(ItemFile, FailedSaveLeavesFileAndGridAsTheyWere)
{
    RecordingSink sink;
    TempDir dir;
    TRecordTable grid = TableOf({ { "h", "w  " }, { "1", "new  " } }, 2);
    EXPECT_EQ(StrSaveToFile(grid, dir.path() + "/no/such/folder/x.csv", ',', true), -2);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_NE(sink.last().text.find("StrSaveToFile"), std::string::npos);
    EXPECT_NE(sink.last().text.find("x.csv"), std::string::npos);
    EXPECT_EQ(grid.Cell(1, 1), "new  "); // not trimmed by a save that did not happen

    const std::string path = dir.write("ro.csv", "old contents\r\n");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(StrSaveToFile(grid, path, ',', true), -2);
    EXPECT_EQ(TempDir::read(path), "old contents\r\n");
    EXPECT_EQ(sink.count(), 2u);

    // Saving over a longer file leaves no trace of it.
    const std::string other = dir.write("long.csv", std::string(5000, 'x'));
    ASSERT_EQ(StrSaveToFile(grid, other, ',', true), 0);
    EXPECT_EQ(TempDir::read(other), "\"h\",\"w\"\r\n\"1\",\"new\"\r\n");
}

TEST(ItemFile, ALargeFileReadInTwoHalvesGivesTheRowsOfItsPiecesReadAlone)
{
    // Over 1 MB, so two threads read it; every piece below is read by one.
    // Lines of both forms' quirks, ended by CR LF, LF or CR at random.
    RecordingSink sink;
    TempDir dir;
    std::mt19937 random(11);
    const std::vector<std::string> fields { "\"a\"", "b", "\"\"", "", "\"x,y\"", "\"" + kSo + "\"",
        "\"\\\\n\"", "\"q\"\"q\"", kHyo };
    const std::vector<std::string> ends { "\r\n", "\n", "\r" };
    std::vector<std::string> pieces(1);
    while (true) {
        std::string line;
        for (int f = static_cast<int>(random() % 7); f > 0; --f)
            line += fields[random() % fields.size()] + (f > 1 ? "," : "");
        pieces.back() += line + ends[random() % ends.size()];
        if (pieces.back().size() > 100000 && pieces.size() < 12)
            pieces.emplace_back();
        else if (pieces.back().size() > 100000)
            break;
    }
    std::string all;
    for (const std::string& piece : pieces)
        all += piece;
    ASSERT_GT(all.size(), 1u << 20);
    // "\r" then "\n" across two pieces would be one line end in the whole.
    for (std::size_t i = 1; i < pieces.size(); ++i)
        ASSERT_FALSE(pieces[i - 1].back() == '\r' && pieces[i].front() == '\n');

    TRecordTable whole;
    ASSERT_EQ(StrLoadFromFile(whole, dir.write("all.csv", all), ',', true, 4), 0);
    int row = 0;
    for (const std::string& piece : pieces) {
        TRecordTable part;
        ASSERT_EQ(StrLoadFromFile(part, dir.write("piece.csv", piece), ',', true, 4), 0);
        ASSERT_LE(part.ColCount(), whole.ColCount());
        for (int r = 0; r < part.RowCount(); ++r, ++row) {
            for (int c = 0; c < whole.ColCount(); ++c)
                ASSERT_EQ(whole.Cell(c, row), part.Cell(c, r)) << row;
        }
    }
    EXPECT_EQ(whole.RowCount(), row);

    // A line with too many columns near the end is named by its number.
    const std::string wide = all + std::string(1001, ',') + "x\r\n";
    EXPECT_EQ(StrLoadFromFile(whole, dir.write("wide.csv", wide), ',', true, 4), -2);
    EXPECT_NE(sink.last().text.find(std::to_string(row + 1) + " 行目は列が多すぎます"), std::string::npos);
}

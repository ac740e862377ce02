#include "data/findreplace.h"
#include "common/textcode.h"
#include "data/global.h"
#include "data/recordtable.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace lexicana;
using lexicana::test::RecordingSink;

namespace {

TFindOptions Opts(bool matchCase = false, bool wholeWord = false, bool down = true)
{
    TFindOptions options;
    options.MatchCase = matchCase;
    options.WholeWord = wholeWord;
    options.Down = down;
    return options;
}

// The window as the find steps see it: a current cell and a selection.
struct FakeView final : IFindReplaceView {
    int col = 1, row = 1;
    std::size_t start = 0, length = 0;
    std::vector<std::string> log;
    int CurrentCol() const override { return col; }
    int CurrentRow() const override { return row; }
    void GetSelection(std::size_t& s, std::size_t& l) const override { s = start, l = length; }
    void SetSelection(std::size_t s, std::size_t l) override { start = s, length = l; }
    void ShowCell(int c, int r) override
    {
        col = c, row = r, start = length = 0;
        log.push_back("pane " + std::to_string(c) + "," + std::to_string(r));
    }
    void ShowCellInGrid(int c, int r) override
    {
        col = c, row = r;
        log.push_back("grid " + std::to_string(c) + "," + std::to_string(r));
    }
    void CellReplaced(int c, int r) override
    {
        log.push_back("replaced " + std::to_string(c) + "," + std::to_string(r));
    }
};

// Three data columns and three records; cells named "c<col><row>" unless set.
struct Fixture {
    RecordingSink sink;
    TGlobal global { false };
    TRecordTable table { 4, 4 };
    FakeView view;
    TFindReplace find { table, global, view };
    Fixture()
    {
        for (int c = 1; c < 4; ++c)
            for (int r = 1; r < 4; ++r)
                table.SetCell(c, r, "c" + std::to_string(c) + std::to_string(r));
    }
    std::pair<int, int> Cell() const { return { view.col, view.row }; }
};

} // namespace

TEST(FindText, MatchesStartOnlyOnCharacterBoundariesAndNeverSplitADoubleByteCharacter)
{
    // "ア" is 0x83 0x41: its trail byte is "A"; "表" ends in a backslash.
    const std::string a = SjisOf("ア");
    EXPECT_EQ(FindInRange(a + "A", "A", 0, 3, Opts(true)), 2u);
    EXPECT_EQ(FindInRange(a + "a", "A", 0, 3, Opts(false)), 2u);
    EXPECT_EQ(FindInRange(a, "A", 0, 2, Opts()), kNoMatch);
    EXPECT_EQ(FindInRange(SjisOf("表") + "\\", "\\", 0, 3, Opts()), 2u);
    EXPECT_FALSE(MatchesAt(a + "A", 1, "A", Opts()));
    // A find text that is the second half of one character and the first
    // half of the next is no match.
    const std::string two = SjisOf("アイ");
    EXPECT_EQ(FindInRange(two, two.substr(1, 2), 0, 4, Opts()), kNoMatch);

    // Down after a selected double-byte match finds the next one, not the
    // same one again.
    const std::string aa = SjisOf("ああ");
    EXPECT_EQ(FindFromSelection(aa, 0, 2, SjisOf("あ"), Opts()), 2u);
    EXPECT_EQ(FindFromSelection(aa, 2, 2, SjisOf("あ"), Opts()), kNoMatch);
    // The range is [start, end): a match must fit wholly inside.
    EXPECT_EQ(FindInRange("abcab", "ab", 1, 4, Opts()), kNoMatch);
    EXPECT_EQ(FindInRange("abcab", "ab", 1, 5, Opts()), 3u);
    EXPECT_EQ(FindInRange("abc", "", 0, 3, Opts()), kNoMatch);
}

TEST(FindText, CaseFoldsLettersOfEitherWidthButWidthAlwaysCounts)
{
    EXPECT_EQ(FindInRange("xx AbC", "aBc", 0, 6, Opts(false)), 3u);
    EXPECT_EQ(FindInRange("xx AbC", "aBc", 0, 6, Opts(true)), kNoMatch);
    EXPECT_EQ(FindInRange(SjisOf("ｘＡｂ"), SjisOf("ａＢ"), 0, 6, Opts(false)), 2u);
    EXPECT_EQ(FindInRange(SjisOf("Ωмир"), SjisOf("ωМИР"), 0, 8, Opts(false)), 0u);
    EXPECT_EQ(FindInRange(SjisOf("ЯНО"), SjisOf("яно"), 0, 6, Opts(false)), 0u); // both sides of 0x847F
    EXPECT_EQ(FindInRange(SjisOf("ЯНО"), SjisOf("яно"), 0, 6, Opts(true)), kNoMatch);
    EXPECT_EQ(FindInRange(SjisOf("ＡＢ"), "AB", 0, 4, Opts(false)), kNoMatch);
    // Kana are not letters with case: "ぁ" and "あ" stay different.
    EXPECT_EQ(FindInRange(SjisOf("ぁ"), SjisOf("あ"), 0, 2, Opts(false)), kNoMatch);
}

TEST(FindText, WholeWordNeedsNonWordCharactersAroundTheMatch)
{
    const TFindOptions whole = Opts(false, true);
    const std::string text = "concat cat_s Cat. cats";
    EXPECT_EQ(FindInRange(text, "cat", 0, text.size(), whole), 13u);
    EXPECT_EQ(FindInRange(text, "cat", 14, text.size(), whole), kNoMatch);
    // Kana and kanji separate words; full-width letters do not.
    const std::string jp = SjisOf("猫catの");
    EXPECT_EQ(FindInRange(jp, "cat", 0, jp.size(), whole), 2u);
    const std::string wide = SjisOf("Ｘcat");
    EXPECT_EQ(FindInRange(wide, "cat", 0, wide.size(), whole), kNoMatch);
    // The trail byte of "ア" (0x41) is no letter before the match.
    const std::string kana = SjisOf("ア") + "b";
    EXPECT_EQ(FindInRange(kana, "b", 0, 3, whole), 2u);
}

TEST(FindText, UpFindsTheLastMatchBeforeTheSelection)
{
    const TFindOptions up = Opts(false, false, false);
    EXPECT_EQ(FindFromSelection("ab ab ab", 6, 2, "ab", up), 3u);
    EXPECT_EQ(FindFromSelection("ab ab ab", 3, 2, "ab", up), 0u);
    EXPECT_EQ(FindFromSelection("ab ab ab", 0, 2, "ab", up), kNoMatch);
    // With only a caret, a match that ends at the caret is found.
    EXPECT_EQ(FindFromSelection("ab ab ab", 5, 0, "ab", up), 3u);
    // Overlapping matches: each step goes back by one.
    EXPECT_EQ(FindFromSelection("aaaa", 2, 2, "aa", up), 1u);
    const std::string aa = SjisOf("ああ");
    EXPECT_EQ(FindFromSelection(aa, 2, 2, SjisOf("あ"), up), 0u);
    // A selection past the end is clipped.
    EXPECT_EQ(FindFromSelection("ab", 9, 9, "ab", Opts()), kNoMatch);
}

TEST(FindText, ReplaceAllNeverSearchesInsertedTextAgain)
{
    std::string text = "ab";
    std::size_t end = 0;
    EXPECT_EQ(ReplaceAllInText(text, "ab", "abab", Opts(), &end), 1u);
    EXPECT_EQ(text, "abab");
    EXPECT_EQ(end, 4u);
    text = "aaa";
    EXPECT_EQ(ReplaceAllInText(text, "aa", "a", Opts()), 1u);
    EXPECT_EQ(text, "aa");
    text = "Ab x aB";
    EXPECT_EQ(ReplaceAllInText(text, "ab", "", Opts(false), &end), 2u);
    EXPECT_EQ(text, " x ");
    EXPECT_EQ(end, 3u);
    text = "Ab x aB";
    EXPECT_EQ(ReplaceAllInText(text, "ab", "-", Opts(true)), 0u);
    EXPECT_EQ(text, "Ab x aB");
    // A double-byte character whose trail byte is the find text stays.
    text = SjisOf("アA");
    EXPECT_EQ(ReplaceAllInText(text, "A", "B", Opts()), 1u);
    EXPECT_EQ(text, SjisOf("アB"));
    // Whole word judges a neighbour in the text as rewritten: once "x"
    // stands for the first "-", the second follows a letter.
    text = "a a aa";
    EXPECT_EQ(ReplaceAllInText(text, "a", "x", Opts(false, true)), 2u);
    EXPECT_EQ(text, "x x aa");
    text = "---";
    EXPECT_EQ(ReplaceAllInText(text, "-", "x", Opts(false, true)), 2u);
    EXPECT_EQ(text, "x-x");
    text = "a,a";
    EXPECT_EQ(ReplaceAllInText(text, "a,", "b", Opts(false, true)), 0u);
    text = "a, a";
    EXPECT_EQ(ReplaceAllInText(text, "a,", "b", Opts(false, true)), 1u);
    EXPECT_EQ(text, "b a");
}

TEST(FindCells, VisitingOrderOfBothDirectionsEndsAtTheLastCell)
{
    TRecordTable table(4, 4);
    auto walk = [&](bool vertical, int col, int row) {
        std::string order;
        while (NextCellOf(table, vertical, col, row))
            order += std::to_string(col) + std::to_string(row) + " ";
        return order;
    };
    EXPECT_EQ(walk(true, 2, 1), "31 12 22 32 13 23 33 ");
    EXPECT_EQ(walk(false, 1, 2), "13 21 22 23 31 32 33 ");
    EXPECT_EQ(walk(true, 3, 3), "");
    TRecordTable empty(4, 1);
    int col = 1, row = 1;
    EXPECT_FALSE(NextCellOf(empty, true, col, row));
}

TEST(FindCells, SingleCellModeStaysInTheCellAndKeepsTheSelection)
{
    Fixture s;
    s.global.FindSingleCell = true;
    s.table.SetCell(1, 1, "ab ab");
    EXPECT_TRUE(s.find.FindInCells("ab", Opts()));
    EXPECT_EQ(s.view.start, 0u);
    EXPECT_TRUE(s.find.FindInCells("ab", Opts()));
    EXPECT_EQ(s.view.start, 3u);
    EXPECT_FALSE(s.find.FindInCells("ab", Opts()));
    EXPECT_FALSE(s.global.FindMatched);
    EXPECT_EQ(s.view.start, 3u);
    EXPECT_EQ(s.view.length, 2u);
    EXPECT_EQ(s.Cell(), std::make_pair(1, 1));
    EXPECT_EQ(s.sink.count(), 0u);
}

TEST(FindCells, AllCellModeMovesOnInTheChosenOrderAndAsksAtTheEnd)
{
    Fixture s;
    s.table.SetCell(3, 1, "x");
    s.table.SetCell(2, 2, "x");
    s.table.SetCell(1, 3, "x");
    s.view.col = 2;
    EXPECT_TRUE(s.find.FindInCells("x", Opts()));
    EXPECT_EQ(s.Cell(), std::make_pair(3, 1));
    EXPECT_TRUE(s.find.FindInCells("x", Opts()));
    EXPECT_EQ(s.Cell(), std::make_pair(2, 2));
    EXPECT_EQ(s.view.log, (std::vector<std::string> { "pane 3,1", "pane 2,2" }));

    s.global.RepDirectVert = false;
    EXPECT_TRUE(s.find.FindInCells("x", Opts()));
    EXPECT_EQ(s.Cell(), std::make_pair(3, 1));

    // The end: the grid shows the last cell; No ends the search there.
    s.sink.Answer(IdNo);
    EXPECT_FALSE(s.find.FindInCells("x", Opts()));
    ASSERT_EQ(s.sink.count(), 1u);
    EXPECT_EQ(s.sink.last().text, "最後まで検索を行いました。\n最初から検索を続けますか？");
    EXPECT_EQ(s.sink.last().caption, "検索終了");
    EXPECT_EQ(s.sink.last().flags, MbYesNo);
    EXPECT_EQ(s.Cell(), std::make_pair(3, 3));
    EXPECT_EQ(s.view.log.back(), "grid 3,3");
    // Yes goes on from the first cell.
    s.sink.Answer(IdYes);
    EXPECT_TRUE(s.find.FindInCells("x", Opts()));
    EXPECT_EQ(s.Cell(), std::make_pair(1, 3));
    // A text found nowhere asks at every end until the answer is No.
    s.sink.clear();
    s.sink.Answer(IdYes).Answer(IdNo);
    EXPECT_FALSE(s.find.FindInCells("nowhere", Opts()));
    EXPECT_EQ(s.sink.count(), 2u);
}

TEST(ReplaceCells, ReplaceTakesOnlyASelectedMatchAndSelectsTheNext)
{
    Fixture s;
    s.global.FindSingleCell = true;
    s.table.SetCell(1, 1, "ab xy ab");
    TFindOptions options = Opts();
    // Nothing selected: nothing replaced, the next match is selected.
    EXPECT_EQ(s.find.ReplaceInCells("ab", "Z", options), 0u);
    EXPECT_EQ(s.table.Cell(1, 1), "ab xy ab");
    EXPECT_FALSE(s.global.ItemDataModified);
    EXPECT_EQ(s.view.start, 0u);
    EXPECT_EQ(s.view.length, 2u);
    // A selection that is not a match stays as it is.
    s.view.start = 3;
    EXPECT_EQ(s.find.ReplaceInCells("ab", "Z", options), 0u);
    EXPECT_EQ(s.table.Cell(1, 1), "ab xy ab");
    EXPECT_EQ(s.view.start, 6u);
    // The selected match is replaced and the next one selected.
    s.view.start = 0;
    EXPECT_EQ(s.find.ReplaceInCells("ab", "Z", options), 1u);
    EXPECT_EQ(s.table.Cell(1, 1), "Z xy ab");
    EXPECT_TRUE(s.global.ItemDataModified);
    EXPECT_TRUE(s.global.FindMatched);
    EXPECT_EQ(s.view.start, 5u);
    EXPECT_EQ(s.find.ReplaceInCells("ab", "Z", options), 1u);
    EXPECT_EQ(s.table.Cell(1, 1), "Z xy Z");
    EXPECT_EQ(s.view.start, 6u); // the caret after the replacement
    EXPECT_EQ(s.view.length, 0u);
    EXPECT_EQ(s.sink.count(), 0u);

    // Upward, a replacement holding the find text is not found again.
    s.table.SetCell(1, 1, "ab ab");
    s.view.start = 3, s.view.length = 2;
    EXPECT_EQ(s.find.ReplaceInCells("ab", "abab", Opts(false, false, false)), 1u);
    EXPECT_EQ(s.table.Cell(1, 1), "ab abab");
    EXPECT_EQ(s.view.start, 0u);
}

TEST(ReplaceCells, ReplaceAllInOneCellAndThroughTheTableReplacesEachCellOnce)
{
    Fixture s;
    TFindOptions all = Opts();
    all.ReplaceAll = true;
    s.global.FindSingleCell = true;
    s.table.SetCell(1, 1, "ab");
    // The same text again is no change of the data.
    EXPECT_EQ(s.find.ReplaceInCells("ab", "ab", all), 1u);
    EXPECT_FALSE(s.global.ItemDataModified);
    EXPECT_EQ(s.find.ReplaceInCells("ab", "abab", all), 1u);
    EXPECT_EQ(s.table.Cell(1, 1), "abab");
    EXPECT_EQ(s.view.start, 4u);
    EXPECT_EQ(s.table.Cell(2, 1), "c21");

    // All cells from (2, 2) on; No at the end leaves the cells before it.
    s.global.FindSingleCell = false;
    s.view.col = 2, s.view.row = 2;
    s.sink.Answer(IdNo);
    EXPECT_EQ(s.find.ReplaceInCells("c", "cc", all), 5u);
    EXPECT_EQ(s.table.Cell(1, 2), "c12");
    EXPECT_EQ(s.table.Cell(2, 2), "cc22");
    EXPECT_EQ(s.table.Cell(3, 3), "cc33");
    EXPECT_EQ(s.sink.count(), 1u);
    // Yes: the cells before the start follow, and the walk stops there, so
    // that every cell is replaced once.
    Fixture t;
    t.view.col = 2, t.view.row = 2;
    t.sink.Answer(IdYes);
    EXPECT_EQ(t.find.ReplaceInCells("c", "cc", all), 9u);
    for (int c = 1; c < 4; ++c)
        for (int r = 1; r < 4; ++r)
            EXPECT_EQ(t.table.Cell(c, r), "cc" + std::to_string(c) + std::to_string(r));
    EXPECT_EQ(t.table.Cell(0, 1), "");
    EXPECT_EQ(t.sink.count(), 1u);
    EXPECT_TRUE(t.global.ItemDataModified);
    // From the first cell there is nothing left to ask about.
    t.view.col = 1, t.view.row = 1;
    EXPECT_EQ(t.find.ReplaceInCells("cc", "c", all), 9u);
    EXPECT_EQ(t.sink.count(), 1u);
    EXPECT_EQ(t.table.Cell(3, 3), "c33");
}

TEST(FindText, Utf8DocumentsStepByUtf8CharactersAndFoldTheirLetters)
{
    struct Utf8Document {
        Utf8Document() { SetDocumentTextCode(TextCode::Utf8); }
        ~Utf8Document() { SetDocumentTextCode(TextCode::ShiftJis); }
    } utf8;
    struct Case {
        std::string text, find;
        TFindOptions options;
        std::size_t expected;
    };
    const TFindOptions whole = Opts(false, true);
    const Case cases[] = {
        { "aé", "é", Opts(), 1 },
        { "é", "\xA9", Opts(), kNoMatch }, // the second byte of "é"
        { "あい", "\x82\xE3", Opts(), kNoMatch }, // across two characters
        { "𠮷野家", "野", Opts(), 4 },
        { "CAFÉ", "café", Opts(false), 0 },
        { "CAFÉ", "café", Opts(true), kNoMatch },
        { "ＡＢω", "ａｂΩ", Opts(false), 0 },
        { "МИР", "мир", Opts(false), 0 },
        { "ぁ", "あ", Opts(false), kNoMatch },
        { "cafés café", "café", whole, 7 },
        { "猫café。", "café", whole, 3 },
        { "Ｘcat", "cat", whole, kNoMatch },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindInRange(c.text, c.find, 0, c.text.size(), c.options), c.expected) << c.text << " / " << c.find;
    std::string text = "é\xA9éé";
    EXPECT_EQ(ReplaceAllInText(text, "é", "e", Opts()), 3u);
    EXPECT_EQ(text, "e\xA9" "ee");
}

// Tests of the word-link table: list order, links built from the template,
// the linking rules, protected regions and allocation failures. Every
// linking case is checked on the fast matcher and on the list walk.
#include "conversion/wordlink.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"

#include <gtest/gtest.h>
#include <new>
#include <tuple>
#include <vector>

namespace lexicana {
namespace {

const std::string FilePh = "{\\FILE}";
const std::string NamePh = "{\\NAME}";
const std::string WordPh = "{\\WORD}";
const std::string DefaultTemplate = "<a href = \"./{\\FILE}#{\\NAME}\">{\\WORD}</a>";

struct Entry {
    std::string file, name, word;
    int row;
};

StrGrid LinkTable(const std::vector<Entry>& entries)
{
    StrGrid table(4, static_cast<int>(entries.size()));
    for (int k = 0; k < static_cast<int>(entries.size()); ++k) {
        const Entry& e = entries[static_cast<std::size_t>(k)];
        table.Cell(0, k) = e.file;
        table.Cell(1, k) = e.name;
        table.Cell(2, k) = e.word;
        table.Cell(3, k) = std::to_string(e.row);
    }
    return table;
}

// Both implementations must give the same text; returns it.
std::string Link(const WordLink& links, const std::string& text, int row)
{
    const std::string fast = links.ApplyWordLinks(text, row);
    EXPECT_EQ(fast, links.ApplyWordLinksReference(text, row)) << "text: " << text;
    return fast;
}

std::string A(const std::string& file, const std::string& name, const std::string& word)
{
    return "<a href = \"./" + file + "#" + name + "\">" + word + "</a>";
}

std::vector<std::string> ListWords(const WordLink& links)
{
    std::vector<std::string> words;
    for (const RepStrs* node = links.First(); node != nullptr; node = node->next.get())
        words.push_back(node->word);
    return words;
}

TEST(WordLinkTest, LongerWordsWinAndOwnWordStaysPlainUnlessSelfLinking)
{
    const std::string tokyoTo = SjisOf("東京都"), tokyo = SjisOf("東京"), to = SjisOf("と"),
                      wa = SjisOf("は");
    WordLink links(LinkTable({ { "a.html", "5", tokyoTo, 5 }, { "b.html", "9", tokyo, 9 } }), FilePh, NamePh,
        WordPh, DefaultTemplate);
    EXPECT_EQ(
        Link(links, tokyoTo + to + tokyo, 12), A("a.html", "5", tokyoTo) + to + A("b.html", "9", tokyo));
    EXPECT_EQ(Link(links, "\\[" + tokyo + "\\]" + wa + tokyo, 12), tokyo + wa + A("b.html", "9", tokyo));
    // The record's own word: no link and, for 東京都, no shorter link inside it.
    EXPECT_EQ(Link(links, tokyo, 9), tokyo);
    EXPECT_EQ(Link(links, tokyoTo + tokyo, 5), tokyoTo + A("b.html", "9", tokyo));
    links.SetLinkToSelf(true);
    EXPECT_EQ(Link(links, tokyo, 9), A("b.html", "9", tokyo));
    EXPECT_EQ(Link(links, tokyoTo, 5), A("a.html", "5", tokyoTo));
}

TEST(WordLinkTest, ListIsLongestFirstWithLaterEntriesFirstAndEmptyWordsLast)
{
    const std::string twoWide = SjisOf("京都"); // 4 bytes
    WordLink links(LinkTable({ { "f", "1", "", 1 }, { "f", "2", "abc", 2 }, { "f", "3", twoWide, 3 },
                       { "f", "4", "xyz", 4 }, { "f", "5", "", 5 }, { "f", "6", "q", 6 } }),
        FilePh, NamePh, WordPh, DefaultTemplate);
    EXPECT_EQ(ListWords(links), (std::vector<std::string> { twoWide, "xyz", "abc", "q", "", "" }));
    EXPECT_EQ(links.First()->row, 3);
    EXPECT_EQ(links.WordCount(), 6);
    // Empty words never match, not even in an empty or any other text.
    EXPECT_EQ(Link(links, "", 1), "");
    EXPECT_EQ(Link(links, "none here", 1), "none here");
    EXPECT_EQ(Link(links, "xyzabc", 1), A("f", "4", "xyz") + A("f", "2", "abc"));
}

TEST(WordLinkTest, LinkTemplateReplacesFileThenNameThenWord)
{
    // Each replacement works on the result of the one before: a file name
    // holding the name placeholder gets the name, a name holding the file
    // placeholder keeps it.
    WordLink links(LinkTable({ { "x{\\NAME}.html", "n{\\FILE}", "w", 1 } }), FilePh, NamePh, WordPh,
        "[{\\FILE}|{\\NAME}|{\\WORD}|{\\WORD}]");
    EXPECT_EQ(links.First()->link, "[xn{\\FILE}.html|n{\\FILE}|w|w]");
    // Without the word placeholder every occurrence becomes the same text.
    WordLink fixed(
        LinkTable({ { "f", "1", "ab", 1 }, { "f", "2", "cd", 2 } }), FilePh, NamePh, WordPh, "LINK");
    EXPECT_EQ(Link(fixed, "ab cd ab", 7), "LINK LINK LINK");
}

TEST(WordLinkTest, EveryOccurrenceIsLinkedOnceAndLinksAreNotSearchedAgain)
{
    // The link of "ab" contains "b" and "ab" itself; neither is linked again.
    WordLink links(LinkTable({ { "f", "1", "ab", 1 }, { "f", "2", "b", 2 } }), FilePh, NamePh, WordPh,
        "(ab:{\\NAME}:b)");
    EXPECT_EQ(Link(links, "ab-ab-ab", 0), "(ab:1:b)-(ab:1:b)-(ab:1:b)");
    EXPECT_EQ(Link(links, "abbab", 0), "(ab:1:b)(ab:2:b)(ab:1:b)");
    EXPECT_EQ(Link(links, "aaa", 0), "aaa");
    // Non-overlapping, left to right: "aa" in "aaa" is taken at 0 only.
    WordLink pairs(LinkTable({ { "f", "1", "aa", 1 } }), FilePh, NamePh, WordPh, "<{\\WORD}>");
    EXPECT_EQ(Link(pairs, "aaa", 0), "<aa>a");
    EXPECT_EQ(Link(pairs, "aaaa", 0), "<aa><aa>");
}

TEST(WordLinkTest, LaterEntryWithTheSameWordGetsEveryOccurrence)
{
    WordLink links(LinkTable({ { "a.html", "1", "term", 1 }, { "b.html", "2", "term", 2 } }), FilePh, NamePh,
        WordPh, DefaultTemplate);
    EXPECT_EQ(Link(links, "term term", 3), A("b.html", "2", "term") + " " + A("b.html", "2", "term"));
    // In the later entry's own text its occurrences stay plain text: the
    // earlier entry does not get them either.
    EXPECT_EQ(Link(links, "term", 2), "term");
    EXPECT_EQ(Link(links, "term", 1), A("b.html", "2", "term"));
}

TEST(WordLinkTest, NoMatchStartsInsideADoubleByteCharacter)
{
    const std::string a = "\x82\xa0", i = "\x82\xa2"; // あ い
    const std::string fullA = "\x82\x60"; // Ａ (trail byte is the ASCII grave accent)
    WordLink links(LinkTable({ { "f", "1", "\xa0\x82", 1 }, { "f", "2", "`", 2 } }), FilePh, NamePh, WordPh,
        "<{\\NAME}>");
    EXPECT_EQ(Link(links, a + i, 0), a + i);
    EXPECT_EQ(Link(links, fullA + "`", 0), fullA + "<2>");
    // After a half-width katakana (single byte 0xA0 is not a lead byte)
    // the same bytes do start a character.
    EXPECT_EQ(Link(links, "x\xa0\x82\xa2", 0), "x<1>\xa2");
}

TEST(WordLinkTest, CharacterBoundariesRestartAfterAWordEndingInALeadByte)
{
    // "a\x82" ends with a lead byte; the text after the occurrence is a
    // piece of its own whose characters are counted from its first byte.
    WordLink links(LinkTable({ { "f", "1", "a\x82", 1 }, { "f", "2", "\xa0", 2 } }), FilePh, NamePh, WordPh,
        "<{\\NAME}>");
    // \xa0 was the trail byte of あ, now it starts the piece: linked.
    EXPECT_EQ(Link(links, "a\x82\xa0", 0), "<1><2>");
    // \x82\xa0 now reads as あ, so \xa0 is a trail byte: not linked.
    EXPECT_EQ(Link(links, "a\x82\x82\xa0", 0), "<1>\x82\xa0");
    // Without the first claim the text reads a, \x82\x82, \xa0.
    EXPECT_EQ(Link(links, "b\x82\x82\xa0", 0), "b\x82\x82<2>");
}

TEST(WordLinkTest, ProtectedRegionsAreCopiedWithoutTheirMarkers)
{
    WordLink links(LinkTable({ { "f", "1", "ab", 1 } }), FilePh, NamePh, WordPh, "<{\\WORD}>");
    EXPECT_EQ(Link(links, "ab\\[ab\\]ab", 0), "<ab>ab<ab>");
    EXPECT_EQ(Link(links, "ab\\[ab", 0), "<ab>ab"); // runs to the end, nothing lost
    EXPECT_EQ(Link(links, "ab\\]ab", 0), "ab<ab>"); // starts at the beginning
    EXPECT_EQ(Link(links, "\\[ab\\]ab\\[ab\\]ab", 0), "ab<ab>ab<ab>");
    EXPECT_EQ(Link(links, "\\[a\\[b\\]ab", 0), "a\\[b<ab>"); // only the first opening marker counts
    EXPECT_EQ(Link(links, "\\[\\]", 0), "");
    // A doubled backslash is one escaped backslash: no region, both stay.
    EXPECT_EQ(Link(links, "\\\\[ab", 0), "\\\\[<ab>");
    EXPECT_EQ(Link(links, "\\\\\\[ab", 0), "\\\\ab");
    // Other backslash sequences stay as they are; words do not run across markers.
    EXPECT_EQ(Link(links, "\\nab", 0), "\\n<ab>");
    EXPECT_EQ(Link(links, "a\\[\\]b", 0), "ab");
    // A trail byte 0x5C (表) is no backslash, and a double-byte character
    // consumes a pending escape.
    const std::string hyo = "\x95\x5c";
    EXPECT_EQ(Link(links, hyo + "[ab\\]ab", 0), hyo + "[ab<ab>");
    EXPECT_EQ(Link(links, "\\" + hyo + "[ab", 0), "\\" + hyo + "[<ab>");
    // A lone lead byte at the end is a character of its own.
    EXPECT_EQ(Link(links, "ab\\\x82", 0), "<ab>\\\x82");
}

TEST(WordLinkTest, SplitProtectedRegionsReportsSegments)
{
    auto split = [](std::string_view text) {
        std::vector<std::tuple<std::size_t, std::size_t, bool>> out;
        for (const TextSegment& s : SplitProtectedRegions(text))
            out.emplace_back(s.begin, s.end, s.linked);
        return out;
    };
    using V = std::vector<std::tuple<std::size_t, std::size_t, bool>>;
    EXPECT_EQ(split(""), V {});
    EXPECT_EQ(split("abc"), (V { { 0, 3, true } }));
    EXPECT_EQ(split("a\\[b\\]c"), (V { { 0, 1, true }, { 3, 4, false }, { 6, 7, true } }));
    EXPECT_EQ(split("a\\]b\\[c"), (V { { 0, 1, false }, { 3, 4, true }, { 6, 7, false } }));
    EXPECT_EQ(split("a\\[b\\]"), (V { { 0, 1, true }, { 3, 4, false } }));
}

TEST(WordLinkTest, NodeThatCannotBeAllocatedIsReportedAndLeftOut)
{
    test::RecordingSink sink;
    auto failForB = [](std::string word, std::string link, int row) -> std::unique_ptr<RepStrs> {
        if (word == "bb")
            throw std::bad_alloc();
        auto node = std::make_unique<RepStrs>();
        node->word = std::move(word);
        node->link = std::move(link);
        node->row = row;
        return node;
    };
    WordLink links(LinkTable({ { "f", "1", "aa", 1 }, { "f", "2", "bb", 2 }, { "f", "3", "cc", 3 } }), FilePh,
        NamePh, WordPh, "<{\\NAME}>", {}, failForB);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().text, "メモリが足りません");
    EXPECT_EQ(sink.last().caption, "エラー");
    EXPECT_EQ(sink.last().icon(), MessageIcon::Stop);
    EXPECT_EQ(ListWords(links), (std::vector<std::string> { "cc", "aa" }));
    EXPECT_EQ(Link(links, "aa bb cc", 0), "<1> bb <3>");
}

TEST(WordLinkTest, LongListsAndManyOccurrencesNeedNoDeepRecursion)
{
    // 200,000 nodes are freed without recursing along the list.
    {
        StrGrid table(4, 200000);
        for (int k = 0; k < table.RowTotal(); ++k) {
            table.Cell(2, k) = "w" + std::to_string(k);
            table.Cell(3, k) = std::to_string(k + 1);
        }
        WordLink many(table, FilePh, NamePh, WordPh, "<{\\WORD}>");
        EXPECT_EQ(many.WordCount(), 200000);
        EXPECT_EQ(many.ApplyWordLinks("w199999 w5", 0), "<w199999> <w5>");
    }
    // 2,000 absent longer words, then 100,000 occurrences of the last one.
    StrGrid table(4, 2001);
    for (int k = 0; k < 2000; ++k)
        table.Cell(2, k) = "absent" + std::to_string(k);
    table.Cell(2, 2000) = "x";
    WordLink links(table, FilePh, NamePh, WordPh, "<>");
    std::string text;
    for (int k = 0; k < 100000; ++k)
        text += "x.";
    std::string expected;
    for (int k = 0; k < 100000; ++k)
        expected += "<>.";
    EXPECT_EQ(Link(links, text, 0), expected);
}

TEST(WordLinkTest, RowCellThatIsNoNumberMatchesNoRecord)
{
    StrGrid table(4, 1);
    table.Cell(2, 0) = "ab";
    table.Cell(3, 0) = "x";
    WordLink links(table, FilePh, NamePh, WordPh, "<>");
    EXPECT_EQ(links.First()->row, -1);
    EXPECT_EQ(Link(links, "ab", 0), "<>");
}

// Each option alone and in the pairs that interact. Flags: w whole words,
// m skip markup, f first occurrence only, c letter case ignored.
TEST(WordLinkTest, LinkOptionsTable)
{
    const std::string tokyo = SjisOf("東京"), a = SjisOf("ア"); // "ア" ends in the byte 'A'
    StrGrid table(5, 5);
    const std::vector<std::vector<std::string>> rows = { { "c", "cat", "cats| kitty |" }, { "n", "New York", "" },
        { "y", "York", "" }, { "t", tokyo, "" }, { "z", "Zn2", "" } };
    for (int k = 0; k < 5; ++k) {
        table.Cell(1, k) = rows[static_cast<std::size_t>(k)][0];
        table.Cell(2, k) = rows[static_cast<std::size_t>(k)][1];
        table.Cell(3, k) = std::to_string(k + 1);
        table.Cell(4, k) = rows[static_cast<std::size_t>(k)][2];
    }
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        { "", "cat catalog concat cats", "[c:cat] [c:cat]alog con[c:cat] [c:cats]" },
        { "", "<img alt=\"cat\">", "<img alt=\"[c:cat]\">" },
        { "w", "cat catalog concat cat. 1cat cat2 _cat", "[c:cat] catalog concat [c:cat]. 1cat cat2 _[c:cat]" },
        { "w", tokyo + "x xx" + tokyo + " " + a + "cat Zn2s", "[t:" + tokyo + "]x xx[t:" + tokyo + "] " + a + "[c:cat] Zn2s" },
        { "m", "<img alt=\"cat\" title='a>cat'>cat", "<img alt=\"cat\" title='a>cat'>[c:cat]" },
        { "m", "<a href=\"#x\">cat <b>York</b></a> cat", "<a href=\"#x\">cat <b>York</b></a> [c:cat]" },
        { "m", "<!-- cat --><code>cat</code><H2 id=cat>cat</H2>&cat;cat<br/>cat",
            "<!-- cat --><code>cat</code><H2 id=cat>cat</H2>&cat;[c:cat]<br/>[c:cat]" },
        { "m", "<pre><pre>cat</pre>cat</pre>cat<code>cat", "<pre><pre>cat</pre>cat</pre>[c:cat]<code>cat" },
        { "m", "a < cat & York", "a < [c:cat] & [y:York]" },
        { "m", "\\[<b>\\]cat</b>", "<b>[c:cat]</b>" },
        { "m", "<a href=/dir/>cat</a><code/>cat</code>", "<a href=/dir/>cat</a><code/>cat</code>" },
        { "m", "\x82<a href=\"x\">cat</a>\x82&amp; cat", "\x82<a href=\"x\">cat</a>\x82&amp; [c:cat]" },
        { "m", "<code><!-- a > b </code> cat --></code>cat", "<code><!-- a > b </code> cat --></code>[c:cat]" },
        { "m", "<script>if(a<b){}</script> cat", "<script>if(a<b){}</script> [c:cat]" },
        { "f", "cat cats York cat New York", "[c:cat] cats [y:York] cat [n:New York]" },
        { "f", "\\[cat\\] kitty cat", "cat [c:kitty] cat" },
        { "c", "CAT Cat KITTY", "[c:CAT] [c:Cat] [c:KITTY]" },
        { "c", a + " " + SjisOf("ャ"), "[z:" + a + "] " + SjisOf("ャ") },
        { "cw", "CATS Cat catS", "[c:CATS] [c:Cat] [c:catS]" },
        { "wmfc", "<i>New York</i> NEW YORK york cat's", "<i>[n:New York]</i> NEW YORK [y:york] [c:cat]'s" },
    };
    for (const auto& [flags, text, expected] : cases) {
        LinkOptions options;
        options.wholeWords = flags.find('w') != std::string::npos;
        options.skipMarkup = flags.find('m') != std::string::npos;
        options.firstOnly = flags.find('f') != std::string::npos;
        options.ignoreCase = flags.find('c') != std::string::npos;
        StrGrid cases = table;
        if (flags == "c") // a word of one double-byte character whose trail byte is a capital
            cases.Cell(2, 4) = a;
        WordLink links(cases, FilePh, NamePh, WordPh, "[{\\NAME}:{\\WORD}]", options);
        EXPECT_EQ(Link(links, text, 0), expected) << "options " << flags;
        // A table moved in links the same, and is left empty.
        const WordLink fromMoved(std::move(cases), FilePh, NamePh, WordPh, "[{\\NAME}:{\\WORD}]", options);
        EXPECT_EQ(Link(fromMoved, text, 0), expected) << "options " << flags << ", table moved in";
        EXPECT_EQ(cases.RowTotal(), 0);
    }
}

} // namespace
} // namespace lexicana

#include "common/utils.h"

#include <gtest/gtest.h>

using namespace lexicana;

// "\x95\x5c" is 表 and "\x83\x5c" is ソ: both end in the byte of a backslash.
// "\x83\x41" is ア, whose second byte is "A".

TEST(FindChars, MatchesStartOnlyOnCharacterBoundaries)
{
    EXPECT_EQ(FindChars("\x83\x5c\\", "\\"), 2u);
    EXPECT_EQ(FindChars("\x83\x5c\\", "\\\\"), std::string::npos);
    EXPECT_EQ(FindChars("\x83\x41"
                       "A",
                  "A"),
        2u);
    EXPECT_EQ(FindChars("\x83\x41\x83\x41", "\x41\x83"), std::string::npos);
    EXPECT_EQ(FindChars("\x95\x5c\x95\x5c", "\x95\x5c", 2), 2u);
    EXPECT_EQ(FindChars("abcabc", "bc", 2), 4u);
    EXPECT_EQ(FindChars("abc", "", 0), std::string::npos);
    EXPECT_EQ(FindChars("abc", "c", 7), std::string::npos);
    // A run of double-byte characters whose trail bytes spell the pattern.
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "\x83\x5c";
    EXPECT_EQ(FindChars(text + "\\", "\\"), text.size());
}

TEST(ReplaceAll, ScansLeftToRightAndNeverResearchesReplacedText)
{
    std::string text = "aaa";
    EXPECT_TRUE(ReplaceAll(text, "aa", "a"));
    EXPECT_EQ(text, "aa");

    text = "abd";
    EXPECT_FALSE(ReplaceAll(text, "x", "y"));
    EXPECT_EQ(text, "abd");

    text = "aaa";
    EXPECT_TRUE(ReplaceAll(text, "a", "aa"));
    EXPECT_EQ(text, "aaaaaa");

    text = "abc";
    EXPECT_FALSE(ReplaceAll(text, "", "x"));
    EXPECT_EQ(text, "abc");

    text = "a-b-";
    EXPECT_TRUE(ReplaceAll(text, "-", ""));
    EXPECT_EQ(text, "ab");
}

TEST(ReplaceAll, LeavesDoubleByteCharactersWithBackslashTrailIntact)
{
    std::string text = "C:\\\x95\x5c\\\x83\x5c.txt";
    EXPECT_TRUE(ReplaceAll(text, "\\", "/"));
    EXPECT_EQ(text, "C:/\x95\x5c/\x83\x5c.txt");

    text = "\x83\x41"
           "A\x83\x41";
    EXPECT_TRUE(ReplaceAll(text, "A", "B"));
    EXPECT_EQ(text,
        "\x83\x41"
        "B\x83\x41");
}

TEST(ReplaceAll, HandlesALargeTextWithManyMatches)
{
    std::string text;
    std::string expected;
    for (int i = 0; i < 50000; ++i) {
        text += "\x95\x5c{x}\\n";
        expected += "\x95\x5c<value>\\n";
    }
    EXPECT_TRUE(ReplaceAll(text, "{x}", "<value>"));
    EXPECT_EQ(text, expected);
    EXPECT_TRUE(ReplaceAll(text, "\\", "\\\\"));
    EXPECT_EQ(text.size(), expected.size() + 50000);
}

TEST(CutAtFirst, ReturnsTheTextBeforeTheFirstWholeCharacterMatch)
{
    EXPECT_EQ(CutAtFirst("Column=3 ;comment; more", ";"), "Column=3 ");
    EXPECT_EQ(CutAtFirst("no comment", ";"), "no comment");
    EXPECT_EQ(CutAtFirst(";all", ";"), "");
    EXPECT_EQ(CutAtFirst("\x95\x5c\\x", "\\"), "\x95\x5c");
    EXPECT_EQ(CutAtFirst("abc", ""), "abc");
}

TEST(MoveFirstChar, MovesOneWholeCharacter)
{
    std::string dest = "x";
    std::string src = "\x95\x5c"
                      "a";
    MoveFirstChar(&dest, src);
    EXPECT_EQ(dest, "x\x95\x5c");
    EXPECT_EQ(src, "a");
    MoveFirstChar(&dest, src);
    EXPECT_EQ(dest,
        "x\x95\x5c"
        "a");
    EXPECT_EQ(src, "");
    MoveFirstChar(&dest, src);
    EXPECT_EQ(dest,
        "x\x95\x5c"
        "a");

    src = "\x83\x41z";
    MoveFirstChar(nullptr, src);
    EXPECT_EQ(src, "z");

    // A lead byte at the very end has no trail byte to take along.
    src = "\x83";
    dest.clear();
    MoveFirstChar(&dest, src);
    EXPECT_EQ(dest, "\x83");
    EXPECT_EQ(src, "");
}

TEST(TakeLeadingBytes, TakesAtMostTheWholeText)
{
    std::string src = "abcd";
    EXPECT_EQ(TakeLeadingBytes(src, 1), "a");
    EXPECT_EQ(src, "bcd");
    EXPECT_EQ(TakeLeadingBytes(src, 2), "bc");
    EXPECT_EQ(TakeLeadingBytes(src, 2), "d");
    EXPECT_EQ(src, "");
    EXPECT_EQ(TakeLeadingBytes(src, 1), "");
    src = "xy";
    EXPECT_EQ(TakeLeadingBytes(src, 0), "");
    EXPECT_EQ(src, "xy");
}

TEST(StrToStrs, SplitsOnlyAtCrLfAndDropsAnEmptyFinalPiece)
{
    TStringList list = { "old" };
    EXPECT_EQ(StrToStrs("one\r\ntwo\r\n", list), 0);
    EXPECT_EQ(list, (TStringList { "one", "two" }));

    EXPECT_EQ(StrToStrs("\r\n", list), 0);
    EXPECT_EQ(list, (TStringList { "" }));

    EXPECT_EQ(StrToStrs("", list), 0);
    EXPECT_TRUE(list.empty());

    EXPECT_EQ(StrToStrs("a\rb\nc\r\n\r\nd", list), 0);
    EXPECT_EQ(list, (TStringList { "a\rb\nc", "", "d" }));
}

TEST(StrsToStr, JoinsWithSingleLineFeeds)
{
    std::string text = "old";
    EXPECT_EQ(StrsToStr({ "one", "two", "three" }, text), 0);
    EXPECT_EQ(text, "one\ntwo\nthree");
    EXPECT_EQ(StrsToStr({}, text), 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(StrsToStr({ "", "" }, text), 0);
    EXPECT_EQ(text, "\n");
}

#include "platform/collation.h"
#include "platform/sjistext.h"

#include <gtest/gtest.h>
#include <string>

using namespace lexicana;

TEST(Collation, IgnoresLetterCaseAndOrdersJapaneseByReadingNotBytes)
{
    EXPECT_EQ(CompareCollated("a", "A"), 0);
    EXPECT_LT(CompareCollated("a", "B"), 0); // bytes would put "B" first
    EXPECT_GT(CompareCollated("Z", "b"), 0);

    // Katakana "ア" has a larger Shift_JIS code than hiragana "か", yet a
    // comes before ka.
    const std::string katakanaA = SjisOf("ア");
    const std::string hiraganaKa = SjisOf("か");
    ASSERT_GT(katakanaA, hiraganaKa);
    EXPECT_LT(CompareCollated(katakanaA, hiraganaKa), 0);
    EXPECT_LT(CompareCollated(SjisOf("あ"), SjisOf("さ")), 0);
    EXPECT_LT(CompareCollated("", "a"), 0);
}

TEST(Collation, StableOrderKeepsEqualKeysInTheirOrder)
{
    const std::string ka = SjisOf("か");
    const std::string a = SjisOf("あ");
    const std::vector<std::string_view> texts { "b", ka, "A", "a", a, "B", "A" };
    const std::vector<std::size_t> order = StableCollatedOrder(texts);
    const std::vector<std::size_t> expected { 2, 3, 6, 0, 5, 4, 1 };
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(StableCollatedOrder({}).empty());
}

TEST(Collation, BrokenShiftJisIsOrderedWithoutHarm)
{
    // A stray lead byte at the end of one text must not change the next one.
    const std::string stray = "x\x82";
    const std::vector<std::string_view> texts { stray, "a", stray, "a" };
    const std::vector<std::size_t> order = StableCollatedOrder(texts);
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], 1u);
    EXPECT_EQ(order[1], 3u);
    EXPECT_EQ(CompareCollated("a", "a"), 0);
}

TEST(Collation, LargeInputsSortTheSameAsPairwiseComparison)
{
    // Enough text (over 64 KB) for the keys to be computed by two threads.
    const std::vector<std::string> pieces { SjisOf("あ"), SjisOf("カ"), SjisOf("漢字"), "a", "B", "b",
        SjisOf("ー") };
    std::vector<std::string> storage;
    unsigned seed = 7;
    for (int i = 0; i < 40000; ++i) {
        std::string s;
        for (int j = 0; j < 12; ++j) {
            seed = seed * 1103515245u + 12345u;
            s += pieces[(seed >> 16) % pieces.size()];
        }
        storage.push_back(s.substr(0, 4 + (seed >> 8) % 20));
    }
    const std::vector<std::string_view> texts(storage.begin(), storage.end());
    const std::vector<std::size_t> order = StableCollatedOrder(texts);
    ASSERT_EQ(order.size(), texts.size());
    std::vector<bool> seen(texts.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        ASSERT_FALSE(seen[order[i]]);
        seen[order[i]] = true;
        if (i == 0)
            continue;
        const int c = CompareCollated(texts[order[i - 1]], texts[order[i]]);
        ASSERT_LE(c, 0) << i;
        if (c == 0) {
            ASSERT_LT(order[i - 1], order[i]) << i;
        }
    }
    // Texts already in order keep it; with two neighbours that differ
    // swapped, the order found puts them back.
    std::vector<std::string_view> sorted;
    for (const std::size_t i : order)
        sorted.push_back(texts[i]);
    std::vector<std::size_t> identity(sorted.size());
    for (std::size_t i = 0; i < identity.size(); ++i)
        identity[i] = i;
    EXPECT_EQ(StableCollatedOrder(sorted), identity);
    std::size_t at = sorted.size() / 2;
    while (CompareCollated(sorted[at], sorted[at + 1]) == 0)
        ++at;
    std::swap(sorted[at], sorted[at + 1]);
    std::swap(identity[at], identity[at + 1]);
    EXPECT_EQ(StableCollatedOrder(sorted), identity);
}

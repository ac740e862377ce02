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

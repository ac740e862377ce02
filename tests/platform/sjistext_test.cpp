#include "platform/sjistext.h"

#include <gtest/gtest.h>

using namespace lexicana;

TEST(SjisText, DecodesCodePage932AndNeverFails)
{
    EXPECT_EQ(SjisToUtf8("\x88\x9f"), "亜");
    EXPECT_EQ(SjisToUtf8("\x95\x5c\x83\x5c"), "表ソ"); // 0x5C trail bytes
    EXPECT_EQ(SjisToUtf8("abc\xb1"), "abcｱ");
    EXPECT_EQ(SjisToUtf8("\x87\x40"), "①"); // NEC special character
    // Bytes without a character still give text, never an error.
    std::string odd = SjisToUtf8("a\xff\x81");
    EXPECT_EQ(odd.substr(0, 1), "a");
    EXPECT_GT(odd.size(), 1u);
}

TEST(SjisText, EncodingRefusesCharactersWithoutACode)
{
    std::string out = "unchanged";
    EXPECT_TRUE(Utf8ToSjis("用語集 ①ｱ\\", out));
    EXPECT_EQ(out, "\x97\x70\x8c\xea\x8f\x57 \x87\x40\xb1\\");

    out = "unchanged";
    std::string bad;
    EXPECT_FALSE(Utf8ToSjis("a€b😀c€", out, &bad));
    EXPECT_EQ(out, "unchanged");
    EXPECT_EQ(bad, "€😀");
}

TEST(SjisText, RoundTripOfEveryDoubleByteCodeThatDecodes)
{
    // Every assigned double-byte code decodes to a character that encodes
    // back to some valid code; the primary codes come back to themselves.
    int same = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            std::string code { static_cast<char>(lead), static_cast<char>(trail) };
            std::string utf8 = SjisToUtf8(code);
            if (utf8 == "\xEF\xBF\xBD" || utf8 == "\x1A")
                continue;
            std::string back;
            ASSERT_TRUE(Utf8ToSjis(utf8, back)) << lead << " " << trail;
            if (back == code)
                ++same;
        }
    }
    EXPECT_GT(same, 7000);
}

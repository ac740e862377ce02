#include "html/markersearch.h"
#include "jconvert/jconvert.h"
#include "platform/sjistext.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace lexicana;

namespace {
constexpr auto npos = std::string_view::npos;
}

TEST(MarkerSearchTest, MatchStartsOnlyOnCharacterBoundariesOfThePagesCode)
{
    // "日" in EUC-JP ends in 0xFC, a Shift_JIS lead byte.
    const std::string euc = sjis2euc(SjisOf("本日")) + "<m>";
    EXPECT_EQ(FindMarker(euc, "<m>", JCodeEuc), 4u);
    EXPECT_EQ(FindMarker(euc, "<m>", JCodeSjis), npos);
    // An incomplete EUC-JP character never takes an ASCII byte with it.
    EXPECT_EQ(FindMarker("\xA4<m>", "<m>", JCodeEuc), 1u);
    // "ー" is 0x81 0x5B: its trail byte is "[".
    EXPECT_EQ(FindMarker(SjisOf("ー") + "x[x", "[x", JCodeUndecided), 3u);
    // A JIS page is 7-bit: every byte outside the escape sequences is a
    // boundary, also after a double-byte run that no escape closes (a
    // generated part that ends in Japanese text runs straight into the end
    // marker).
    const std::string jis = sjis2jis83(SjisOf("用語")) + "<m>";
    ASSERT_EQ(jis.substr(0, 3), "\x1b$B");
    EXPECT_EQ(FindMarker(jis, "<m>", JCodeJis83), jis.size() - 3);
    EXPECT_EQ(FindMarker("\x1b$@7A", "7A", JCodeJis78), 3u);
    // A match never starts inside an escape sequence.
    EXPECT_EQ(FindMarker("\x1b$B", "$B", JCodeJis83), npos);
    // "\xa9<" first stands inside "é<" (0xC3 0xA9 in UTF-8), which Shift_JIS
    // reads as two half-width katakana.
    EXPECT_EQ(FindMarker("\xc3\xa9<\xa9<", "\xa9<", JCodeUtf8), 3u);
    EXPECT_EQ(FindMarker("\xc3\xa9<\xa9<", "\xa9<", JCodeSjis), 1u);
}

TEST(MarkerSearchTest, PageEndsAtFirstZeroByteAndEmptyMarkerIsAbsent)
{
    const std::string page("ab\0<m>", 6);
    EXPECT_EQ(FindMarker(page, "<m>", JCodeSjis), npos);
    EXPECT_EQ(FindMarker(page, "<m>", JCodeEuc), npos);
    EXPECT_EQ(FindMarker("abc", "", JCodeSjis), npos);
}

TEST(MarkerSearchTest, FindsWhatTheWalkFromThePageStartFinds)
{
    // Pages and markers drawn from the bytes that decide boundaries: lead
    // and trail bytes of the codes, EUC-JP prefixes, escapes, zero.
    const std::string bytes("<m>\n\x81\x9f\xe0\xfc\xa1\xa4\xfe\x8e\x8f\x1b$B@[\x40\x7f\xdf\xc3\xf0\x80", 24);
    std::mt19937 random(7);
    const auto draw = [&](std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i)
            text += bytes[random() % bytes.size()];
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string marker = draw(1 + random() % 3);
        std::string page = draw(random() % 40);
        // Mostly pages that hold the marker somewhere, often more than once.
        for (int k = static_cast<int>(random() % 3); k > 0; --k)
            page.insert(random() % (page.size() + 1), marker);
        if (random() % 8 != 0)
            std::erase(page, '\0');
        for (const int code : { JCodeSjis, JCodeEuc, JCodeJis83, JCodeUndecided, JCodeUtf8 })
            ASSERT_EQ(FindMarker(page, marker, code), FindMarkerByWalk(page, marker, code))
                << "code " << code << " round " << round;
    }
}

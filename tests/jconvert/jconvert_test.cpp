#include "jconvert/jconvert.h"
#include "platform/sjistext.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace lexicana;

namespace {

// JIS X 0208 bytes of 日本語 and the escapes the JIS writers use.
const std::string kNihongoJis = "F|K\\8l";
const std::string kIn = "\x1B$B";
const std::string kOut = "\x1B(J";

std::string HalfToFull(unsigned char kana, unsigned char next, bool* used = nullptr)
{
    std::string out;
    const bool u = KanjiHalfToFull(kana, next, out);
    if (used)
        *used = u;
    return out;
}

} // namespace

TEST(Jconvert, ShortAndPlainTextsHaveNoCodeAndNoLineEnd)
{
    EXPECT_EQ(InCodeCheck(""), JCodeNone);
    EXPECT_EQ(InCodeCheck("a"), JCodeNone);
    EXPECT_EQ(InCodeCheck("\x88"), JCodeNone);
    EXPECT_EQ(InCodeCheck("plain <b>ASCII</b> text\r\n"), JCodeNone);
    // The last byte is never examined.
    EXPECT_EQ(InCodeCheck("abc\xF0"), JCodeNone);
    EXPECT_EQ(ReturnCodeCheck(""), ReturnNone);
    EXPECT_EQ(ReturnCodeCheck("a"), ReturnNone);
    EXPECT_EQ(ReturnCodeCheck("\n"), ReturnLf);
}

TEST(Jconvert, ControlBytesMarkBinaryInTheLeadingBytesAndWhereTheScanReachesThem)
{
    EXPECT_EQ(InCodeCheck(std::string("ab\0cd", 5)), JCodeBinary);
    EXPECT_EQ(InCodeCheck("ab\x07"
                          "cd"),
        JCodeBinary);
    EXPECT_EQ(InCodeCheck("ab\xFF"
                          "cd"),
        JCodeBinary);
    EXPECT_EQ(InCodeCheck(std::string("abc\0", 4)), JCodeNone); // last byte excepted

    std::string late(600, 'a');
    late[550] = '\x01';
    EXPECT_EQ(InCodeCheck(late), JCodeBinary);
    // Past the pre-check a decisive byte before the control byte wins.
    EXPECT_EQ(InCodeCheck("\x88\x9F" + late), JCodeSjis);

    // The pre-check length is the exported variable.
    const std::string early("\x88\x9F\x01z", 4);
    EXPECT_EQ(InCodeCheck(early), JCodeBinary);
    const int saved = STRICT_CHECK_LEN;
    STRICT_CHECK_LEN = 0;
    EXPECT_EQ(InCodeCheck(early), JCodeSjis);
    STRICT_CHECK_LEN = saved;
}

TEST(Jconvert, FirstEscapeOrDecisiveByteDecidesTheCode)
{
    EXPECT_EQ(InCodeCheck("abc\x1B$B" + kNihongoJis + kOut), JCodeJis83);
    EXPECT_EQ(InCodeCheck("\x1B$@" + kNihongoJis), JCodeJis78);
    EXPECT_EQ(InCodeCheck("\x1B(Babc"), JCodeNone);
    EXPECT_EQ(InCodeCheck("\x88\x9F\x1B$Bxx"), JCodeSjis);
    EXPECT_EQ(InCodeCheck(SjisOf("日本語のテキスト")), JCodeSjis);
    EXPECT_EQ(InCodeCheck("\xC6\xFC\xCB\xDC\xB8\xEC"), JCodeEuc); // 日本語 in EUC-JP
    EXPECT_EQ(InCodeCheck("\x8E\x40x"), JCodeSjis);
    EXPECT_EQ(InCodeCheck("\x8E\xB1x"), JCodeUndecided);
    EXPECT_EQ(InCodeCheck("\xB1x"), JCodeSjis); // half-width kana then ASCII
    EXPECT_EQ(InCodeCheck("\xE0\xFD"
                          "x"),
        JCodeEuc);
}

TEST(Jconvert, AmbiguousHighBytesStayUndecidedAndAreNotConverted)
{
    const std::string kana = "\xB1\xB2\xB3"; // ｱｲｳ
    const std::string level2 = "\xE0\xA1\xE4\xB0x"; // two level-2 kanji
    EXPECT_EQ(InCodeCheck(kana), JCodeUndecided);
    EXPECT_EQ(InCodeCheck(level2), JCodeUndecided);
    for (int target : { 2, 4, 5, 0 }) {
        EXPECT_EQ(ConvertJCode(kana, target), kana);
        EXPECT_EQ(ConvertJCode(level2, target), level2);
    }
}

TEST(Jconvert, LookAheadAfterKanaAndLevel2LeadFindsTheDecidingByte)
{
    EXPECT_EQ(InCodeCheck("\xB1\xE0\xA0\x88\x9Fz"), JCodeSjis);
    EXPECT_EQ(InCodeCheck("\xB1\xE0\xC0\xFD\xA1z"), JCodeEuc);
    // The run ends at a byte below 0x40, which the scan then steps over.
    EXPECT_EQ(InCodeCheck("\xB1\xE0\xC0 \xF0\xA1z"), JCodeEuc);
    EXPECT_EQ(InCodeCheck("\xB1\xE0\x1B$Bxx"), JCodeUndecided);
}

TEST(Jconvert, ReturnCodeIsDecidedByTheFirstLineEnd)
{
    EXPECT_EQ(ReturnCodeCheck("a\nb\r\n"), ReturnLf);
    EXPECT_EQ(ReturnCodeCheck("a\r\nb\n"), ReturnCrLf);
    EXPECT_EQ(ReturnCodeCheck("a\rb\r\n"), ReturnCr);
    EXPECT_EQ(ReturnCodeCheck("a\r"), ReturnCr);
}

TEST(Jconvert, LineEndsAreConvertedOnlyWhereTheyAreOfTheDetectedKind)
{
    const std::string lf = "a\nbb\n\nc";
    EXPECT_EQ(ConvertReturnCode(lf, ReturnCrLf), "a\r\nbb\r\n\r\nc");
    EXPECT_EQ(ConvertReturnCode(lf, ReturnCr), "a\rbb\r\rc");
    EXPECT_EQ(ConvertReturnCode(lf, ReturnLf), lf);
    EXPECT_EQ(ConvertReturnCode(lf, ReturnNone), "abbc");
    EXPECT_EQ(ConvertReturnCode("a\r\nb\rc\nd\r\n", ReturnLf), "a\nb\rc\nd\n");
    EXPECT_EQ(ConvertReturnCode("a\r\r\n", ReturnCrLf), "a\r\n\r\n\n");
    EXPECT_EQ(ConvertReturnCode("no line end", ReturnCrLf), "no line end");
    EXPECT_EQ(StrictConvertReturnCode("a\r\nb", ReturnCr, ReturnLf), "a\n\nb");
    EXPECT_EQ(StrictConvertReturnCode("a\nb", ReturnNone, ReturnCrLf), "a\nb");
    EXPECT_EQ(StrictConvertReturnCode("a\nb", 7, ReturnCrLf), "a\nb");
}

TEST(Jconvert, SjisToJisSwitchesModesAroundDoubleByteRuns)
{
    const std::string nihongo = SjisOf("日本語");
    EXPECT_EQ(sjis2jis83(nihongo + "\r\n"), kIn + kNihongoJis + kOut + "\r\n");
    EXPECT_EQ(sjis2jis83("a" + nihongo), "a" + kIn + kNihongoJis); // no closing escape
    EXPECT_EQ(sjis2jis83("abc\r\n"), "abc\r\n");
    EXPECT_EQ(sjis2jis83(nihongo + "x" + nihongo + "y"),
        kIn + kNihongoJis + kOut + "x" + kIn + kNihongoJis + kOut + "y");
    EXPECT_EQ(StrictConvertJCode(nihongo, JCodeSjis, JCodeJis83), kIn + kNihongoJis);
    EXPECT_EQ(ConvertJCode(nihongo, JCodeJis83), kIn + kNihongoJis);
}

TEST(Jconvert, HalfWidthKatakanaBecomeFullWidthWithTheirMarks)
{
    EXPECT_EQ(sjis2jis83("\xB6\xDE"), kIn + "%,"); // ｶﾞ -> ガ
    EXPECT_EQ(sjis2jis83("\xCA\xDF"), kIn + "%Q"); // ﾊﾟ -> パ
    EXPECT_EQ(sjis2jis83("\xDE"), kIn + "!+"); // ﾞ -> ゛
    EXPECT_EQ(sjis2jis83("\xDF"), kIn + "!,"); // ﾟ -> ゜
    EXPECT_EQ(sjis2jis83("\xB3\xDE"), kIn + "%t"); // ｳﾞ -> ヴ
    EXPECT_EQ(sjis2jis83("\xB1\xDE"), kIn + "%\"!+"); // ｱﾞ -> ア゛
    EXPECT_EQ(sjis2jis83("\xB6\xDF"), kIn + "%+!,"); // ｶﾟ -> カ゜
    EXPECT_EQ(sjis2jis83("\xCA\xDE\xDF"), kIn + "%P!,"); // ﾊﾞﾟ -> バ゜
    EXPECT_EQ(sjis2jis83("\xA1\xA2\xB0\xDDx"), kIn + "!#!V!<%s" + kOut + "x"); // ｡｢ｰﾝ
    EXPECT_EQ(sjis2jis83("\xC4\xDE\xCE\xDF"), kIn + "%I%]"); // ﾄﾞﾎﾟ -> ドポ

    bool used = true;
    EXPECT_EQ(HalfToFull(0xB1, 'x', &used), "%\"");
    EXPECT_FALSE(used);
    EXPECT_EQ(HalfToFull(0xC4, 0xDE, &used), "%I");
    EXPECT_TRUE(used);
    EXPECT_EQ(HalfToFull(0xC5, 0xDE, &used), "%J"); // ﾅ takes no voiced mark
    EXPECT_FALSE(used);
    // No full-width form: the geta mark.
    EXPECT_EQ(HalfToFull(0x41, 0, &used), "\".");
    EXPECT_FALSE(used);
}

TEST(Jconvert, EucToJisReadsKatakanaAndMarksAfterSingleShift)
{
    EXPECT_EQ(euc2jis83("\xC6\xFC\xCB\xDC\xB8\xEC\r\n"), kIn + kNihongoJis + kOut + "\r\n");
    EXPECT_EQ(euc2jis83("\x8E\xB6\x8E\xDE"), kIn + "%,");
    EXPECT_EQ(euc2jis83("\x8E\xCA\x8E\xDFz"), kIn + "%Q" + kOut + "z");
    EXPECT_EQ(euc2jis83("\x8E\xDE"), kIn + "!+");
    EXPECT_EQ(euc2jis83("\x8E\xB1\x8E\xDE"), kIn + "%\"!+");
    EXPECT_EQ(euc2jis83("\x8E\x41z"), kIn + "\"." + kOut + "z");
    EXPECT_EQ(ConvertJCode("\xC6\xFC\xCB\xDC\xB8\xEC", JCodeJis83), kIn + kNihongoJis);
}

TEST(Jconvert, JisIsReadWithAnyEscapeAndWithoutCopyingEscapes)
{
    const std::string sjis = SjisOf("a日b本語");
    const std::string jis = "a\x1B$BF|\x1B(Bb\x1B$@K\\8l\x1B(J";
    EXPECT_EQ(jis2sjis(jis), sjis);
    EXPECT_EQ(jis2euc(jis),
        "a\xC6\xFC"
        "b\xCB\xDC\xB8\xEC");
    EXPECT_EQ(ConvertJCode(jis, JCodeSjis), sjis);
    EXPECT_EQ(StrictConvertJCode(jis, JCodeJis78, JCodeEuc), jis2euc(jis));
    // A closing escape at the very end adds nothing; escapes back to back
    // are all read as escapes.
    EXPECT_EQ(jis2sjis("\x1B$BF|\x1B(B"), "\x93\xFA");
    EXPECT_EQ(jis2euc("\x1B$BF|\x1B(B"), "\xC6\xFC");
    EXPECT_EQ(jis2sjis("\x1B(B\x1B$BF|\x1B(J\x1B(Bx"), "\x93\xFAx");
    EXPECT_EQ(jis2sjis("\x1B$"), "");
    // In double-byte mode jis2euc copies bytes outside 0x21-0x7E.
    EXPECT_EQ(jis2euc("\x1B$BF|\nK\\"), "\xC6\xFC\n\xCB\xDC");
}

TEST(Jconvert, SjisAndEucConvertPairsAndKatakana)
{
    const std::string sjis = SjisOf("日本語 ｶﾞ");
    const std::string euc = "\xC6\xFC\xCB\xDC\xB8\xEC \x8E\xB6\x8E\xDE";
    EXPECT_EQ(sjis2euc(sjis), euc);
    EXPECT_EQ(euc2sjis(euc), sjis);
    EXPECT_EQ(sjis2euc("\xB1"), "\x8E\xB1");
    EXPECT_EQ(euc2sjis("\x8E\xB1"), "\xB1");
    EXPECT_EQ(euc2sjis("a\x80\xFF"), "a\x80\xFF"); // copied as they stand
    EXPECT_EQ(ConvertJCode(sjis, JCodeEuc), euc);
    EXPECT_EQ(ConvertJCode(euc, JCodeSjis), sjis);
}

TEST(Jconvert, PairsCutOffByTheEndReadAZeroSecondByte)
{
    EXPECT_EQ(sjis2euc("a\x88"), "a\xAF\xE1");
    EXPECT_EQ(sjis2jis83("\x88"), kIn + "/\xE1");
    EXPECT_EQ(euc2sjis("a\xB0"), "a\x88\x7E");
    EXPECT_EQ(euc2jis83("\xB0"), kIn + std::string("0\0", 2));
    EXPECT_EQ(jis2sjis("\x1B$BF"), "\x93\x7E");
    EXPECT_EQ(InCodeCheck("ab\x1B$"), JCodeNone);
}

TEST(Jconvert, ToSjisAndToJisAreInverseAtTheRowEdges)
{
    EXPECT_EQ(ToSjis(0x30, 0x21), "\x88\x9F");
    EXPECT_EQ(ToJis(0x88, 0x9F), "\x30\x21");
    EXPECT_EQ(ToSjis(0x21, 0x21), "\x81\x40");
    EXPECT_EQ(ToSjis(0x21, 0x60), "\x81\x80");
    EXPECT_EQ(ToSjis(0x5E, 0x7E), "\x9F\xFC");
    EXPECT_EQ(ToSjis(0x5F, 0x21), "\xE0\x40");
    EXPECT_EQ(ToSjis(0x7E, 0x7E), "\xEF\xFC");
    EXPECT_EQ(ToJis(0xE0, 0x40), "\x5F\x21");
    EXPECT_EQ(ToJis(0x81, 0x80), "\x21\x60");
}

TEST(Jconvert, StrictConvertLeavesPairsWithoutAConverterUnchanged)
{
    const std::string sjis = SjisOf("日本");
    for (int from : { 0, 1, 6 })
        EXPECT_EQ(StrictConvertJCode(sjis, from, JCodeEuc), sjis);
    for (int to : { 0, 1, 3, 6, 5, 9 })
        EXPECT_EQ(StrictConvertJCode(sjis, JCodeSjis, to), sjis);
    const std::string jis78 = "\x1B$@F|";
    EXPECT_EQ(StrictConvertJCode(jis78, JCodeJis78, JCodeJis83), jis78);
    EXPECT_EQ(StrictConvertJCode(jis78, JCodeJis78, JCodeSjis), "\x93\xFA");
}

TEST(Jconvert, ArbitraryBytesConvertWithoutReadingPastTheEnd)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text(rng() % 24, '\0');
        for (char& ch : text)
            ch = static_cast<char>(rng() & 0xFF);
        const int code = InCodeCheck(text);
        EXPECT_GE(code, JCodeNone);
        EXPECT_LE(code, JCodeUndecided);
        for (int to : { 2, 4, 5 })
            ConvertJCode(text, to);
        for (const std::string& out : { sjis2jis83(text), euc2jis83(text), jis2sjis(text), jis2euc(text),
                 sjis2euc(text), euc2sjis(text) })
            EXPECT_LE(out.size(), 5 * text.size());
        const int lineEnd = ReturnCodeCheck(text);
        EXPECT_EQ(ConvertReturnCode(text, lineEnd), text);
        EXPECT_EQ(StrictConvertReturnCode(ConvertReturnCode(text, 0), lineEnd, 1).size(),
            ConvertReturnCode(text, 0).size());
    }
}

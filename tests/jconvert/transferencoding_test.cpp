#include "jconvert/jconvert.h"
#include "jconvert/transferencoding.h"
#include "platform/sjistext.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace lexicana;

namespace {

std::string RandomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string data(n, '\0');
    for (char& ch : data)
        ch = static_cast<char>(rng() & 0xFF);
    return data;
}

std::size_t LongestLine(const std::string& text, const std::string& lineBreak)
{
    std::size_t longest = 0, start = 0;
    for (;;) {
        const std::size_t end = text.find(lineBreak, start);
        longest = std::max(longest, (end == std::string::npos ? text.size() : end) - start);
        if (end == std::string::npos)
            return longest;
        start = end + lineBreak.size();
    }
}

} // namespace

TEST(TransferEncoding, Base64EncodesAndDecodesTheStandardVectors)
{
    const std::pair<std::string, std::string> vectors[]
        = { { "", "" }, { "f", "Zg==" }, { "fo", "Zm8=" }, { "foo", "Zm9v" }, { "foob", "Zm9vYg==" },
              { "fooba", "Zm9vYmE=" }, { "foobar", "Zm9vYmFy" }, { std::string("\xFF\xFE\x00", 3), "//4A" } };
    for (const auto& [data, text] : vectors) {
        EXPECT_EQ(EncodeBase64(data), text);
        EXPECT_EQ(DecodeBase64(text), data);
    }
}

TEST(TransferEncoding, Base64DecodingSkipsLineBreaksAndStrayCharactersAndEndsGroupsAtPadding)
{
    EXPECT_EQ(DecodeBase64("Zm9v\r\nYmFy\n"), "foobar");
    EXPECT_EQ(DecodeBase64(" Zm9v YmFy\t*"), "foobar");
    EXPECT_EQ(DecodeBase64("QQ==QUI="), "AAB"); // two padded groups one after the other
    EXPECT_EQ(DecodeBase64("QUI"), "AB"); // unpadded final group
    EXPECT_EQ(DecodeBase64("Q"), "");
    EXPECT_EQ(DecodeBase64("QQ=Q"), "A"); // data after "=" in a group is not used
}

TEST(TransferEncoding, Base64LinesBreakAfterEvery76Characters)
{
    const std::string data = RandomBytes(200, 1);
    const std::string b57 = EncodeBase64R(data.substr(0, 57), "\r\n");
    EXPECT_EQ(b57.size(), 78u);
    EXPECT_EQ(b57.substr(76), "\r\n");
    EXPECT_EQ(b57.substr(0, 76), EncodeBase64(data.substr(0, 57)));

    const std::string b58 = EncodeBase64R(data.substr(0, 58), "\r\n");
    EXPECT_EQ(b58.substr(0, 78), b57);
    EXPECT_EQ(b58.size(), 82u);
    EXPECT_EQ(b58.substr(80), "==");

    const std::string b56 = EncodeBase64R(data.substr(0, 56), "\r\n"); // padded group fills the line
    EXPECT_EQ(b56.size(), 76u);
    EXPECT_EQ(EncodeBase64R(data.substr(0, 114), "<br>").size(), 2u * (76 + 4));
    for (std::size_t n = 0; n <= 200; ++n) {
        const std::string text = EncodeBase64R(data.substr(0, n), "\n");
        ASSERT_LE(LongestLine(text, "\n"), 76u);
        ASSERT_EQ(DecodeBase64(text), data.substr(0, n));
    }
}

TEST(TransferEncoding, UuencodeWritesLengthCharactersGraveAccentsAndTheClosingLine)
{
    EXPECT_EQ(EncodeUU("Cat", "\n"), "#0V%T\n`\n");
    EXPECT_EQ(EncodeUU(std::string(1, '\0'), "\r\n"), "!````\r\n`\r\n");
    EXPECT_EQ(EncodeUU("", "\n"), "`\n");
    std::string bytes45;
    for (int i = 0; i < 45; ++i)
        bytes45.push_back(static_cast<char>(i));
    const std::string line45 = R"uu(M``$"`P0%!@<("0H+#`T.#Q`1$A,4%187&!D:&QP='A\@(2(C)"4F)R@I*BLL)uu";
    EXPECT_EQ(EncodeUU(bytes45, "\n"), line45 + "\n`\n");
    EXPECT_EQ(EncodeUU(bytes45 + "Cat", "\n"), line45 + "\n#0V%T\n`\n");
    EXPECT_EQ(EncodeUU("Ca", "\n"), "\"0V$`\n`\n");
}

TEST(TransferEncoding, UudecodeReadsWhatEncodeUUWritesAndSpacesForZero)
{
    for (const std::string lineBreak : { "\n", "\r\n", "\r" }) {
        const std::string data = RandomBytes(400, 2);
        for (std::size_t n = 0; n <= 400; n += (n < 100 ? 1 : 17))
            ASSERT_EQ(DecodeUU(EncodeUU(data.substr(0, n), lineBreak)), data.substr(0, n)) << n;
    }
    EXPECT_EQ(DecodeUU("!    \n \n"), std::string(1, '\0'));
    EXPECT_EQ(DecodeUU("#0V%T"), "Cat");
    EXPECT_EQ(DecodeUU("#0V"), std::string("C`\0", 3)); // short line: missing characters read 0
    EXPECT_EQ(DecodeUU("\n\n`\n"), "");
}

TEST(TransferEncoding, BinHexUsesItsAlphabetAndLinesOf64Characters)
{
    EXPECT_EQ(EncodeBinHex("", "\n"), "::");
    EXPECT_EQ(EncodeBinHex(std::string("\x00\x10\x83", 3), "\n"), ":!\"#$:");
    EXPECT_EQ(EncodeBinHex("\xFF\xFF\xFF\xFF", "\n"), ":rrrrr`:"); // 1 byte left: 2 characters
    EXPECT_EQ(EncodeBinHex("\xFF\xFF", "\n"), ":rrm:"); // 2 bytes: 3 characters

    const std::string data = RandomBytes(300, 3);
    const std::string text = EncodeBinHex(data, "\r\n");
    EXPECT_EQ(text.find("\r\n"), 64u); // the leading ":" counts
    EXPECT_EQ(text.find("\r\n", 66), 66u + 64u);
    EXPECT_EQ(LongestLine(text, "\r\n"), 64u);
    EXPECT_EQ(text.back(), ':');
    const std::string text47 = EncodeBinHex(data.substr(0, 47), "\n"); // ":" and 63 characters
    EXPECT_EQ(text47.size(), 66u);
    EXPECT_EQ(text47.substr(64), "\n:");
}

TEST(TransferEncoding, BinHexDecodingStopsAtTheFirstCharacterOutsideTheAlphabet)
{
    const std::string data = RandomBytes(500, 4);
    for (std::size_t n = 0; n <= 500; ++n)
        ASSERT_EQ(DecodeBinHex(EncodeBinHex(data.substr(0, n), "\r\n")), data.substr(0, n)) << n;
    EXPECT_EQ(DecodeBinHex(":!\"#$:trailing"), std::string("\x00\x10\x83", 3));
    EXPECT_EQ(DecodeBinHex("!\"#$"), std::string("\x00\x10\x83", 3));
    EXPECT_EQ(DecodeBinHex(":rrq"), "\xFF\xFF");
    EXPECT_EQ(DecodeBinHex(":rr7rr:"), "\xFF"); // "7" is not in the alphabet
    EXPECT_EQ(DecodeBinHex(":r\r\nr\nr\rq:"), "\xFF\xFF\xFE");
}

TEST(TransferEncoding, HeaderStringEncodesRunsOfJapaneseCharacters)
{
    EXPECT_EQ(CreateHeaderString("Subject: plain text"), "Subject: plain text");
    EXPECT_EQ(CreateHeaderString(""), "");
    EXPECT_EQ(CreateHeaderString(SjisOf("日本語")), "=?ISO-2022-JP?B?GyRCRnxLXDhs?=");

    const std::string subject = SjisOf("件名: 日本語とｶﾅ (2)");
    const std::string expected = "=?ISO-2022-JP?B?" + EncodeBase64(sjis2jis83(SjisOf("件名")))
        + "?=: " + "=?ISO-2022-JP?B?" + EncodeBase64(sjis2jis83(SjisOf("日本語とｶﾅ"))) + "?= (2)";
    EXPECT_EQ(CreateHeaderString(subject), expected);
    // Trail bytes that look like ASCII stay inside their run.
    EXPECT_EQ(CreateHeaderString(SjisOf("表")), "=?ISO-2022-JP?B?" + EncodeBase64("\x1B$BI=") + "?=");
}

TEST(TransferEncoding, HeaderStringDecodingReplacesEncodedWordsWithJis)
{
    EXPECT_EQ(DecodeHeaderString("Subject: plain =? text ?="), "Subject: plain =? text ?=");
    EXPECT_EQ(DecodeHeaderString("=?iso-2022-jp?b?GyRCRnxLXDhs?= x"), "\x1B$BF|K\\8l\x1B(J x");
    EXPECT_EQ(DecodeHeaderString("a =?ISO-2022-JP?B?GyRC"), "a =?ISO-2022-JP?B?GyRC"); // not closed

    const std::string subject = SjisOf("件名: 日本語とｶﾅ (2) 終");
    const std::string jis = DecodeHeaderString(CreateHeaderString(subject));
    EXPECT_EQ(jis2sjis(jis), SjisOf("件名: 日本語とカナ (2) 終"));
    EXPECT_EQ(InCodeCheck(jis), JCodeJis83);
}

TEST(TransferEncoding, DecodersAcceptArbitraryText)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 3000; ++round) {
        std::string text(rng() % 40, '\0');
        for (char& ch : text)
            ch = static_cast<char>(rng() & 0xFF);
        EXPECT_LE(DecodeBase64(text).size(), text.size());
        EXPECT_LE(DecodeBinHex(text).size(), text.size());
        EXPECT_LE(DecodeUU(text).size(), 64 * text.size());
        const std::string word = "=?ISO-2022-JP?B?" + text + "?=" + text;
        EXPECT_LE(DecodeHeaderString(word).size(), word.size());
        // Every Japanese character ends up inside an encoded word.
        for (char ch : CreateHeaderString(text)) {
            const auto c = static_cast<unsigned char>(ch);
            EXPECT_TRUE(c < 0x80 || c == 0x80 || c == 0xA0 || c >= 0xFD) << std::hex << int(c);
        }
    }
}

// Checks the character-code converters and Base64 against an independent
// implementation: Qt's codecs (ICU tables) and QByteArray's Base64.
#include "jconvert/jconvert.h"
#include "jconvert/transferencoding.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace lexicana;

namespace {

std::string Std(const QByteArray& b)
{
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

QByteArray Qb(std::string_view s)
{
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

bool Decode(const char* codec, std::string_view bytes, QString& text)
{
    QStringDecoder decoder(codec);
    text = decoder(Qb(bytes));
    return decoder.isValid() && !decoder.hasError() && !text.contains(QChar(0xFFFD));
}

bool Encode(const char* codec, const QString& text, std::string& bytes)
{
    QStringEncoder encoder(codec);
    bytes = Std(encoder(text));
    return encoder.isValid() && !encoder.hasError();
}

// Our JIS writers return to single-byte mode with ESC ( J, Qt with ESC ( B.
// Neither adds an escape at the end of a text that ends in double-byte mode
// (Qt's encoder keeps that state for a following call).
std::string NormaliseJis(const std::string& ours)
{
    std::string out = ours;
    for (std::size_t pos = out.find("\x1B(J"); pos != std::string::npos; pos = out.find("\x1B(J", pos + 3))
        out[pos + 2] = 'B';
    return out;
}

struct RefChar {
    unsigned char row, cell;
    QString text;
    std::string euc, sjis, jis;
};

struct RefTable {
    std::vector<RefChar> chars;
    int skipped = 0; // assigned codes whose ICU tables disagree with each other
};

bool IsJisX0208Row(int row)
{
    return (row >= 0x21 && row <= 0x28) || (row >= 0x30 && row <= 0x74);
}

// Every assigned JIS X 0208 character with the bytes ICU gives it in EUC-JP,
// Shift_JIS and ISO-2022-JP. A code is assigned when ICU's EUC-JP decoder
// accepts its EUC bytes (vendor rows outside JIS X 0208 are left out).
const RefTable& Reference()
{
    static const RefTable table = [] {
        RefTable t;
        for (int row = 0x21; row <= 0x7E; ++row) {
            if (!IsJisX0208Row(row))
                continue;
            for (int cell = 0x21; cell <= 0x7E; ++cell) {
                RefChar c { static_cast<unsigned char>(row), static_cast<unsigned char>(cell), {}, {}, {},
                    {} };
                c.euc = { static_cast<char>(row | 0x80), static_cast<char>(cell | 0x80) };
                if (!Decode("EUC-JP", c.euc, c.text) || c.text.size() != 1)
                    continue;
                QString back;
                std::string euc;
                const bool consistent = Encode("Shift_JIS", c.text, c.sjis) && c.sjis.size() == 2
                    && Decode("Shift_JIS", c.sjis, back) && back == c.text && Encode("EUC-JP", c.text, euc)
                    && euc == c.euc && Encode("ISO-2022-JP", c.text, c.jis)
                    && Decode("ISO-2022-JP", c.jis, back) && back == c.text;
                if (consistent)
                    t.chars.push_back(std::move(c));
                else
                    ++t.skipped;
            }
        }
        return t;
    }();
    return table;
}

} // namespace

TEST(JconvertCrossCheck, EveryJisCodeRoundTripsThroughToSjisAndToJis)
{
    for (int row = 0x21; row <= 0x7E; ++row)
        for (int cell = 0x21; cell <= 0x7E; ++cell) {
            const std::string sjis
                = ToSjis(static_cast<unsigned char>(row), static_cast<unsigned char>(cell));
            ASSERT_EQ(sjis.size(), 2u);
            const std::string jis
                = ToJis(static_cast<unsigned char>(sjis[0]), static_cast<unsigned char>(sjis[1]));
            ASSERT_EQ(jis, std::string({ static_cast<char>(row), static_cast<char>(cell) }))
                << std::hex << row << " " << cell;
        }
    // JIS X 0208 assigns 6879 characters; the reference must have found them.
    EXPECT_GE(Reference().chars.size() + static_cast<std::size_t>(Reference().skipped), 6879u);
    EXPECT_LT(Reference().skipped, 30);
}

TEST(JconvertCrossCheck, EachJisX0208CharacterConvertsLikeQtCodecs)
{
    const RefTable& ref = Reference();
    ASSERT_GT(ref.chars.size(), 6800u);
    for (const RefChar& c : ref.chars) {
        SCOPED_TRACE(testing::Message() << std::hex << int(c.row) << " " << int(c.cell));
        EXPECT_EQ(ToSjis(c.row, c.cell), c.sjis);
        EXPECT_EQ(ToJis(static_cast<unsigned char>(c.sjis[0]), static_cast<unsigned char>(c.sjis[1])),
            std::string({ static_cast<char>(c.row), static_cast<char>(c.cell) }));
        EXPECT_EQ(euc2sjis(c.euc), c.sjis);
        EXPECT_EQ(sjis2euc(c.sjis), c.euc);
        EXPECT_EQ(NormaliseJis(sjis2jis83(c.sjis)), c.jis);
        EXPECT_EQ(NormaliseJis(euc2jis83(c.euc)), c.jis);
        EXPECT_EQ(jis2sjis(c.jis), c.sjis);
        EXPECT_EQ(jis2euc(c.jis), c.euc);
        if (HasFailure())
            break;
    }
}

TEST(JconvertCrossCheck, WholeTextsConvertLikeQtCodecs)
{
    // Lines of Japanese characters mixed with ASCII words, CR LF line ends.
    QString text;
    int n = 0;
    for (const RefChar& c : Reference().chars) {
        text += c.text;
        if (++n % 7 == 0)
            text += QStringLiteral(" ab<c>");
        if (n % 50 == 0)
            text += QStringLiteral("\r\n");
    }
    text += QStringLiteral("end\r\n");
    std::string sjis, euc, jis;
    ASSERT_TRUE(Encode("Shift_JIS", text, sjis));
    ASSERT_TRUE(Encode("EUC-JP", text, euc));
    ASSERT_TRUE(Encode("ISO-2022-JP", text, jis));

    EXPECT_EQ(InCodeCheck(sjis), JCodeSjis);
    EXPECT_EQ(InCodeCheck(euc), JCodeEuc);
    EXPECT_EQ(InCodeCheck(jis), JCodeJis83);

    EXPECT_TRUE(sjis2euc(sjis) == euc);
    EXPECT_TRUE(euc2sjis(euc) == sjis);
    EXPECT_TRUE(NormaliseJis(sjis2jis83(sjis)) == jis);
    EXPECT_TRUE(NormaliseJis(euc2jis83(euc)) == jis);
    EXPECT_TRUE(jis2sjis(jis) == sjis);
    EXPECT_TRUE(jis2euc(jis) == euc);
    EXPECT_TRUE(ConvertJCode(sjis, JCodeEuc) == euc);
    EXPECT_TRUE(ConvertJCode(euc, JCodeSjis) == sjis);
    EXPECT_TRUE(ConvertJCode(jis, JCodeSjis) == sjis);
}

TEST(JconvertCrossCheck, HalfWidthKatakanaConvertLikeQtCodecs)
{
    for (int k = 0xA1; k <= 0xDF; ++k) {
        SCOPED_TRACE(testing::Message() << std::hex << k);
        const std::string sjis(1, static_cast<char>(k));
        QString half;
        ASSERT_TRUE(Decode("Shift_JIS", sjis, half));
        std::string euc;
        ASSERT_TRUE(Encode("EUC-JP", half, euc));
        EXPECT_EQ(sjis2euc(sjis), euc);
        EXPECT_EQ(euc2sjis(euc), sjis);

        // Widening matches Unicode's compatibility mapping; the marks stand
        // alone as ゛ and ゜ rather than as combining marks.
        QString full = half.normalized(QString::NormalizationForm_KC);
        if (k == 0xDE)
            full = QString(QChar(0x309B));
        if (k == 0xDF)
            full = QString(QChar(0x309C));
        std::string fullEuc, ours;
        ASSERT_TRUE(Encode("EUC-JP", full, fullEuc));
        EXPECT_FALSE(KanjiHalfToFull(static_cast<unsigned char>(k), 0, ours));
        EXPECT_EQ(jis2euc("\x1B$B" + ours), fullEuc);

        // With a following mark: combined exactly when Unicode composes the
        // pair into one character that JIS X 0208 has.
        for (int mark : { 0xDE, 0xDF }) {
            QString pair;
            ASSERT_TRUE(
                Decode("Shift_JIS", std::string({ static_cast<char>(k), static_cast<char>(mark) }), pair));
            const QString composed = pair.normalized(QString::NormalizationForm_KC);
            std::string composedEuc;
            const bool expectCombined = composed.size() == 1 && Encode("EUC-JP", composed, composedEuc);
            std::string combined;
            EXPECT_EQ(
                KanjiHalfToFull(static_cast<unsigned char>(k), static_cast<unsigned char>(mark), combined),
                expectCombined)
                << std::hex << mark;
            if (expectCombined)
                EXPECT_EQ(jis2euc("\x1B$B" + combined), composedEuc);
            else
                EXPECT_EQ(combined, ours);
        }
    }
}

TEST(JconvertCrossCheck, Base64AgreesWithQByteArray)
{
    std::mt19937 rng(20240611);
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 300; ++n)
        lengths.push_back(n);
    for (std::size_t n : { 1000u, 4095u, 65536u, 100001u })
        lengths.push_back(n);
    for (std::size_t n : lengths) {
        std::string data(n, '\0');
        for (char& ch : data)
            ch = static_cast<char>(rng() & 0xFF);
        const QByteArray q = Qb(data);
        const std::string encoded = EncodeBase64(data);
        ASSERT_EQ(encoded, Std(q.toBase64())) << n;
        const std::string wrapped = EncodeBase64R(data, "\r\n");
        ASSERT_EQ(DecodeBase64(wrapped), data) << n;
        ASSERT_EQ(DecodeBase64(wrapped), Std(QByteArray::fromBase64(Qb(wrapped)))) << n;
    }
}

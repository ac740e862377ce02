// Character-code detection and conversion between Shift_JIS, JIS and EUC-JP,
// and line-end detection and conversion. Every function walks its input once
// and builds the output in a reserved string, so whole pages convert in
// linear time.
#include "jconvert/jconvert.h"

#include <array>
#include <cstddef>

namespace lexicana {

int STRICT_CHECK_LEN = 512;

namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr std::string_view kKanjiIn = "\x1B$B"; // to JIS X 0208-1983
constexpr std::string_view kKanjiOut = "\x1B(J"; // back to JIS X 0201 Roman
constexpr unsigned char kVoicedMark = 0xDE; // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF; // ﾟ
constexpr unsigned char kGetaRow = 0x22; // 〓, written for bytes without
constexpr unsigned char kGetaCell = 0x2E; // a full-width form

// Byte at pos; positions past the end read 0, so a cut-off pair or escape
// never reads out of bounds.
inline unsigned char ByteAt(std::string_view s, std::size_t pos)
{
    return pos < s.size() ? static_cast<unsigned char>(s[pos]) : 0;
}

inline void PutByte(std::string& out, int value)
{
    out.push_back(static_cast<char>(static_cast<unsigned char>(value & 0xFF)));
}

inline bool InRange(unsigned char c, unsigned char lo, unsigned char hi)
{
    return c >= lo && c <= hi;
}

inline bool IsHalfKana(unsigned char c)
{
    return InRange(c, 0xA1, 0xDF);
}

void AppendToJis(std::string& out, unsigned char s1, unsigned char s2, int highBit)
{
    int row = (s1 - (s1 < 0xA0 ? 0x70 : 0xB0)) * 2;
    int cell;
    if (s2 > 0x9E) {
        cell = s2 - 0x7E;
    } else {
        row -= 1;
        cell = s2 - (s2 >= 0x80 ? 0x20 : 0x1F);
    }
    PutByte(out, row | highBit);
    PutByte(out, cell | highBit);
}

void AppendToSjis(std::string& out, unsigned char j1, unsigned char j2)
{
    PutByte(out, ((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0));
    if (j1 & 1)
        PutByte(out, j2 + (j2 < 0x60 ? 0x1F : 0x20));
    else
        PutByte(out, j2 + 0x7E);
}

// Cell of the full-width JIS X 0208 character for each half-width katakana,
// indexed by the byte with its top bit cleared (0x21-0x5F are used). Rows:
// symbols (row 0x21) for 。「」、・ー゛゜, katakana (row 0x25) for the rest.
constexpr std::array<unsigned char, 128> MakeHalfKanaCells()
{
    std::array<unsigned char, 128> t {};
    constexpr unsigned char cells[] = {
        0x23, 0x56, 0x57, 0x22, 0x26, // ｡｢｣､･
        0x72, 0x21, 0x23, 0x25, 0x27, 0x29, 0x63, 0x65, 0x67, 0x43, // ｦｧｨｩｪｫｬｭｮｯ
        0x3C, // ｰ
        0x22, 0x24, 0x26, 0x28, 0x2A, // ｱｲｳｴｵ
        0x2B, 0x2D, 0x2F, 0x31, 0x33, // ｶｷｸｹｺ
        0x35, 0x37, 0x39, 0x3B, 0x3D, // ｻｼｽｾｿ
        0x3F, 0x41, 0x44, 0x46, 0x48, // ﾀﾁﾂﾃﾄ
        0x4A, 0x4B, 0x4C, 0x4D, 0x4E, // ﾅﾆﾇﾈﾉ
        0x4F, 0x52, 0x55, 0x58, 0x5B, // ﾊﾋﾌﾍﾎ
        0x5E, 0x5F, 0x60, 0x61, 0x62, // ﾏﾐﾑﾒﾓ
        0x64, 0x66, 0x68, // ﾔﾕﾖ
        0x69, 0x6A, 0x6B, 0x6C, 0x6D, // ﾗﾘﾙﾚﾛ
        0x6F, 0x73, // ﾜﾝ
        0x2B, 0x2C, // ﾞﾟ
    };
    static_assert(sizeof(cells) == 0x5F - 0x21 + 1);
    for (std::size_t i = 0; i < sizeof(cells); ++i)
        t[0x21 + i] = cells[i];
    return t;
}

constexpr std::array<unsigned char, 128> kHalfKanaCell = MakeHalfKanaCells();

bool IsSymbolRow(unsigned char x)
{
    return InRange(x, 0x21, 0x25) || x == 0x30 || x == 0x5E || x == 0x5F;
}

// JIS -> EUC-JP (toSjis false) or Shift_JIS (toSjis true).
std::string FromJis(std::string_view text, bool toSjis)
{
    std::string out;
    out.reserve(text.size());
    bool kanji = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == kEsc) {
            // A three-byte designation; the byte after it is looked at afresh,
            // so back-to-back escapes and an escape at the very end are
            // handled like any other escape.
            const unsigned char d = ByteAt(text, i + 1);
            if (d == '$')
                kanji = true;
            else if (d == '(')
                kanji = false;
            i += 3;
            continue;
        }
        if (!kanji) {
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (toSjis) {
            AppendToSjis(out, c, ByteAt(text, i + 1));
            i += 2;
        } else {
            PutByte(out, InRange(c, 0x21, 0x7E) ? (c | 0x80) : c);
            ++i;
        }
    }
    return out;
}

// Shift_JIS (fromEuc false) or EUC-JP (fromEuc true) -> JIS.
std::string ToJisText(std::string_view text, bool fromEuc)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4 + 8);
    bool kanji = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (kanji) {
                out += kKanjiOut;
                kanji = false;
            }
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        if (!kanji) {
            out += kKanjiIn;
            kanji = true;
        }
        if (!fromEuc) {
            if (IsHalfKana(c)) {
                i += KanjiHalfToFull(c, ByteAt(text, i + 1), out) ? 2 : 1;
            } else {
                AppendToJis(out, c, ByteAt(text, i + 1), 0);
                i += 2;
            }
        } else if (c == 0x8E) {
            // Half-width katakana: 0x8E kana, optionally followed by 0x8E mark.
            const unsigned char kana = ByteAt(text, i + 1);
            const unsigned char mark = ByteAt(text, i + 2) == 0x8E ? ByteAt(text, i + 3) : 0;
            i += KanjiHalfToFull(kana, mark, out) ? 4 : 2;
        } else {
            PutByte(out, c & 0x7F);
            PutByte(out, ByteAt(text, i + 1) & 0x7F);
            i += 2;
        }
    }
    return out;
}

} // namespace

bool KanjiHalfToFull(unsigned char kana, unsigned char next, std::string& out)
{
    if (!IsHalfKana(kana)) {
        PutByte(out, kGetaRow);
        PutByte(out, kGetaCell);
        return false;
    }
    const unsigned char x = kana & 0x7F;
    const unsigned char row = IsSymbolRow(x) ? 0x21 : 0x25;
    unsigned char cell = kHalfKanaCell[x];
    bool markUsed = false;
    const bool kaToTo = InRange(x, 0x36, 0x44); // ｶ-ﾄ
    const bool haToHo = InRange(x, 0x4A, 0x4E); // ﾊ-ﾎ
    if (next == kVoicedMark) {
        if (x == 0x33) { // ｳﾞ -> ヴ
            cell = 0x74;
            markUsed = true;
        } else if (kaToTo || haToHo) {
            cell += 1;
            markUsed = true;
        }
    } else if (next == kSemiVoicedMark && haToHo) {
        cell += 2;
        markUsed = true;
    }
    PutByte(out, row);
    PutByte(out, cell);
    return markUsed;
}

std::string ToJis(unsigned char s1, unsigned char s2)
{
    std::string out;
    AppendToJis(out, s1, s2, 0);
    return out;
}

std::string ToSjis(unsigned char j1, unsigned char j2)
{
    std::string out;
    AppendToSjis(out, j1, j2);
    return out;
}

int InCodeCheck(std::string_view text)
{
    const std::size_t len = text.size();
    // Binary pre-check over the leading bytes (the last byte excepted).
    for (std::size_t i = 0; static_cast<long long>(i) < STRICT_CHECK_LEN && i + 1 < len; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x08 || c == 0xFF)
            return JCodeBinary;
    }

    int code = JCodeNone;
    std::size_t i = 0;
    while ((code == JCodeNone || code == JCodeUndecided) && i + 1 < len) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == kEsc) {
            if (ByteAt(text, ++i) == '$') {
                const unsigned char d = ByteAt(text, ++i);
                if (d == 'B')
                    code = JCodeJis83;
                else if (d == '@')
                    code = JCodeJis78;
            }
        } else if (c < 0x08 || c == 0xFF) {
            code = JCodeBinary;
        } else if (c <= 0x7F || c == 0x80 || c == 0xA0) {
            // decides nothing
        } else if (InRange(c, 0x81, 0x8D) || InRange(c, 0x8F, 0x9F)) {
            code = JCodeSjis;
        } else if (c == 0x8E) {
            const unsigned char d = ByteAt(text, ++i);
            if (InRange(d, 0x40, 0x7E) || InRange(d, 0x80, 0xA0) || InRange(d, 0xE0, 0xFC))
                code = JCodeSjis;
            else if (IsHalfKana(d))
                code = JCodeUndecided;
        } else if (IsHalfKana(c)) {
            const unsigned char d = ByteAt(text, ++i);
            if (InRange(d, 0xF0, 0xFE)) {
                code = JCodeEuc;
            } else if (IsHalfKana(d)) {
                code = JCodeUndecided;
            } else if (InRange(d, 0xE0, 0xEF)) {
                // Look ahead from d over the following non-ASCII-control run
                // for a byte that only one of the two codes allows.
                code = JCodeUndecided;
                while (code == JCodeUndecided && i < len) {
                    const unsigned char b = static_cast<unsigned char>(text[i]);
                    if (b < 0x40)
                        break;
                    if (InRange(b, 0x81, 0x8D) || InRange(b, 0x8F, 0x9C))
                        code = JCodeSjis;
                    else if (InRange(b, 0xFD, 0xFE))
                        code = JCodeEuc;
                    ++i;
                }
                // The byte that ended the look-ahead is skipped below.
            } else if (d <= 0x9F) {
                code = JCodeSjis;
            }
        } else if (InRange(c, 0xF0, 0xFE)) {
            code = JCodeEuc;
        } else { // 0xE0-0xEF
            const unsigned char d = ByteAt(text, ++i);
            if (InRange(d, 0x40, 0x7E) || InRange(d, 0x80, 0xA0))
                code = JCodeSjis;
            else if (InRange(d, 0xFD, 0xFE))
                code = JCodeEuc;
            else if (InRange(d, 0xA1, 0xFC))
                code = JCodeUndecided;
        }
        ++i;
    }
    return code;
}

std::string StrictConvertJCode(std::string_view text, int from, int to)
{
    if (from < JCodeJis83 || from == to || from == JCodeUndecided)
        return std::string(text);
    const bool fromJis = from == JCodeJis83 || from == JCodeJis78;
    switch (to) {
    case JCodeJis83:
        if (from == JCodeEuc)
            return euc2jis83(text);
        if (from == JCodeSjis)
            return sjis2jis83(text);
        break;
    case JCodeEuc:
        if (fromJis)
            return jis2euc(text);
        if (from == JCodeSjis)
            return sjis2euc(text);
        break;
    case JCodeSjis:
        if (fromJis)
            return jis2sjis(text);
        if (from == JCodeEuc)
            return euc2sjis(text);
        break;
    default:
        break;
    }
    return std::string(text);
}

std::string ConvertJCode(std::string_view text, int target)
{
    return StrictConvertJCode(text, InCodeCheck(text), target);
}

std::string sjis2jis83(std::string_view text)
{
    return ToJisText(text, false);
}

std::string euc2jis83(std::string_view text)
{
    return ToJisText(text, true);
}

std::string jis2sjis(std::string_view text)
{
    return FromJis(text, true);
}

std::string jis2euc(std::string_view text)
{
    return FromJis(text, false);
}

std::string sjis2euc(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4 + 8);
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (IsHalfKana(c)) {
            out.push_back(static_cast<char>(0x8E));
            out.push_back(static_cast<char>(c));
            ++i;
        } else {
            AppendToJis(out, c, ByteAt(text, i + 1), 0x80);
            i += 2;
        }
    }
    return out;
}

std::string euc2sjis(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c <= 0x80 || c == 0xFF) {
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (c == 0x8E) {
            PutByte(out, ByteAt(text, i + 1));
            i += 2;
        } else {
            AppendToSjis(out, c & 0x7F, ByteAt(text, i + 1) & 0x7F);
            i += 2;
        }
    }
    return out;
}

int ReturnCodeCheck(std::string_view text)
{
    const std::size_t pos = text.find_first_of("\r\n");
    if (pos == std::string_view::npos)
        return ReturnNone;
    if (text[pos] == '\n')
        return ReturnLf;
    return ByteAt(text, pos + 1) == '\n' ? ReturnCrLf : ReturnCr;
}

namespace {

std::string_view LineEndSequence(int code)
{
    switch (code) {
    case ReturnCrLf:
        return "\r\n";
    case ReturnCr:
        return "\r";
    case ReturnLf:
        return "\n";
    default:
        return {};
    }
}

} // namespace

std::string StrictConvertReturnCode(std::string_view text, int from, int to)
{
    const std::string_view find = LineEndSequence(from);
    if (find.empty() || from == to)
        return std::string(text);
    const std::string_view replacement = LineEndSequence(to);
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = text.find(find, pos);
        if (hit == std::string_view::npos)
            break;
        out.append(text, pos, hit - pos);
        out += replacement;
        pos = hit + find.size();
    }
    out.append(text, pos);
    return out;
}

std::string ConvertReturnCode(std::string_view text, int target)
{
    return StrictConvertReturnCode(text, ReturnCodeCheck(text), target);
}

} // namespace lexicana

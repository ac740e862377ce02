// Base64, uuencode and BinHex character encodings and MIME encoded words.
// Each encoder takes three input bytes as four 6-bit values, most significant
// bits first; only the alphabets and the line layout differ.
#include "jconvert/transferencoding.h"

#include "common/textcode.h"
#include "jconvert/jconvert.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace lexicana {

namespace {

constexpr std::string_view kBase64Alphabet
    = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::string_view kBinHexAlphabet
    = "!\"#$%&'()*+,-012345689@ABCDEFGHIJKLMNPQRSTUVXYZ[`abcdefhijklmpqr";
constexpr std::string_view kHeaderPrefix = "=?ISO-2022-JP?B?";
constexpr std::string_view kHeaderSuffix = "?=";
constexpr std::string_view kKanjiOut = "\x1B(J";
constexpr std::size_t kBase64LineLength = 76;
constexpr std::size_t kUULineBytes = 45;
constexpr std::size_t kBinHexLineLength = 64;

// Inverse of a 64-character alphabet: value of each byte, -1 outside it.
constexpr std::array<signed char, 256> InverseOf(std::string_view alphabet)
{
    std::array<signed char, 256> t {};
    for (auto& v : t)
        v = -1;
    for (std::size_t i = 0; i < alphabet.size(); ++i)
        t[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
    return t;
}

constexpr std::array<signed char, 256> kBase64Value = InverseOf(kBase64Alphabet);
constexpr std::array<signed char, 256> kBinHexValue = InverseOf(kBinHexAlphabet);

inline unsigned char Byte(std::string_view s, std::size_t pos)
{
    return static_cast<unsigned char>(s[pos]);
}

// The four 6-bit values of up to three bytes at pos (missing bytes are 0).
inline std::array<unsigned, 4> SextetsAt(std::string_view data, std::size_t pos)
{
    const std::size_t n = data.size() - pos;
    const std::uint32_t v = (std::uint32_t { Byte(data, pos) } << 16)
        | (n > 1 ? std::uint32_t { Byte(data, pos + 1) } << 8 : 0u) | (n > 2 ? Byte(data, pos + 2) : 0u);
    return { (v >> 18) & 0x3F, (v >> 12) & 0x3F, (v >> 6) & 0x3F, v & 0x3F };
}

// Appends the bytes held by `count` 6-bit values collected in acc (4 values
// give 3 bytes, 3 give 2, 2 give 1, fewer give none).
void FlushSextets(std::string& out, std::uint32_t acc, int count)
{
    if (count < 2)
        return;
    const int bits = count * 6;
    const int bytes = bits / 8;
    acc >>= bits - bytes * 8;
    for (int k = bytes - 1; k >= 0; --k)
        out.push_back(static_cast<char>((acc >> (8 * k)) & 0xFF));
}

inline char UUChar(unsigned value)
{
    return value == 0 ? '`' : static_cast<char>(0x20 + value);
}

inline bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

inline char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Position of needle in text at or after from, ASCII letters compared without
// regard to case; npos when absent.
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from)
{
    if (needle.empty() || text.size() < needle.size())
        return std::string_view::npos;
    const std::size_t last = text.size() - needle.size();
    for (std::size_t pos = text.find(needle[0], from); pos != std::string_view::npos && pos <= last;
         pos = text.find(needle[0], pos + 1)) {
        std::size_t k = 1;
        while (k < needle.size() && AsciiLower(text[pos + k]) == AsciiLower(needle[k]))
            ++k;
        if (k == needle.size())
            return pos;
    }
    return std::string_view::npos;
}

// Double-byte characters and half-width katakana: the characters of a header
// that have to travel in an encoded word.
inline bool IsJapaneseByte(unsigned char c)
{
    return IsSjisLeadByte(c) || (c >= 0xA1 && c <= 0xDF);
}

} // namespace

std::string EncodeBase64(std::string_view data)
{
    return EncodeBase64R(data, {});
}

std::string EncodeBase64R(std::string_view data, std::string_view lineBreak)
{
    const std::size_t chars = (data.size() + 2) / 3 * 4;
    std::string out;
    out.reserve(chars + (lineBreak.empty() ? 0 : chars / kBase64LineLength * lineBreak.size()));
    std::size_t lineLength = 0;
    std::size_t pos = 0;
    for (; pos + 3 <= data.size(); pos += 3) {
        for (unsigned v : SextetsAt(data, pos))
            out.push_back(kBase64Alphabet[v]);
        lineLength += 4;
        if (lineLength == kBase64LineLength) {
            if (!lineBreak.empty())
                out += lineBreak;
            lineLength = 0;
        }
    }
    const std::size_t rest = data.size() - pos;
    if (rest > 0) {
        const auto v = SextetsAt(data, pos);
        out.push_back(kBase64Alphabet[v[0]]);
        out.push_back(kBase64Alphabet[v[1]]);
        out.push_back(rest == 2 ? kBase64Alphabet[v[2]] : '=');
        out.push_back('=');
    }
    return out;
}

std::string EncodeUU(std::string_view data, std::string_view lineBreak)
{
    const std::size_t lines = (data.size() + kUULineBytes - 1) / kUULineBytes;
    std::string out;
    out.reserve(lines * (61 + lineBreak.size()) + 1 + lineBreak.size());
    for (std::size_t start = 0; start < data.size(); start += kUULineBytes) {
        const std::size_t count = std::min(kUULineBytes, data.size() - start);
        out.push_back(UUChar(static_cast<unsigned>(count)));
        for (std::size_t pos = start; pos < start + count; pos += 3) {
            // A final group of one or two bytes is read with zero fill, so its
            // missing characters come out as grave accents.
            const std::string_view group = data.substr(pos, std::min<std::size_t>(3, start + count - pos));
            for (unsigned v : SextetsAt(group, 0))
                out.push_back(UUChar(v));
        }
        out += lineBreak;
    }
    out.push_back('`');
    out += lineBreak;
    return out;
}

std::string EncodeBinHex(std::string_view data, std::string_view lineBreak)
{
    std::string out;
    out.reserve(2 + (data.size() + 2) / 3 * 4 * (kBinHexLineLength + lineBreak.size()) / kBinHexLineLength);
    out.push_back(':');
    std::size_t lineLength = 1;
    auto put = [&](unsigned v) {
        out.push_back(kBinHexAlphabet[v]);
        if (++lineLength == kBinHexLineLength) {
            out += lineBreak;
            lineLength = 0;
        }
    };
    for (std::size_t pos = 0; pos < data.size(); pos += 3) {
        const std::size_t rest = std::min<std::size_t>(3, data.size() - pos);
        const auto v = SextetsAt(data, pos);
        for (std::size_t k = 0; k <= rest; ++k) // 1 byte: 2 characters, 2: 3, 3: 4
            put(v[k]);
    }
    out.push_back(':');
    return out;
}

std::string DecodeBase64(std::string_view text)
{
    std::string out;
    out.reserve(text.size() / 4 * 3 + 3);
    std::uint32_t acc = 0;
    int values = 0; // data characters of the current group
    int positions = 0; // data characters and "=" of the current group
    for (char ch : text) {
        if (ch == '=') {
            ++positions;
        } else {
            const int v = kBase64Value[static_cast<unsigned char>(ch)];
            if (v < 0)
                continue; // line breaks and other characters outside the alphabet
            if (values == positions) {
                acc = (acc << 6) | static_cast<std::uint32_t>(v);
                ++values;
            }
            ++positions;
        }
        if (positions == 4) {
            FlushSextets(out, acc, values);
            acc = 0;
            values = positions = 0;
        }
    }
    FlushSextets(out, acc, values);
    return out;
}

std::string DecodeUU(std::string_view text)
{
    std::string out;
    out.reserve(text.size() / 4 * 3);
    auto value = [&](std::size_t pos, std::size_t end) -> unsigned {
        return pos < end ? static_cast<unsigned>(Byte(text, pos) - 0x20) & 0x3F : 0;
    };
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        std::size_t lineEnd = text.find_first_of("\r\n", lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = text.size();
        if (lineEnd > lineStart) {
            std::size_t remaining = value(lineStart, lineEnd);
            for (std::size_t pos = lineStart + 1; remaining > 0 && pos < lineEnd; pos += 4) {
                const std::uint32_t v = (value(pos, lineEnd) << 18) | (value(pos + 1, lineEnd) << 12)
                    | (value(pos + 2, lineEnd) << 6) | value(pos + 3, lineEnd);
                const std::size_t take = std::min<std::size_t>(3, remaining);
                for (std::size_t k = 0; k < take; ++k)
                    out.push_back(static_cast<char>((v >> (16 - 8 * k)) & 0xFF));
                remaining -= take;
            }
        }
        lineStart = lineEnd + 1;
    }
    return out;
}

std::string DecodeBinHex(std::string_view text)
{
    std::string out;
    out.reserve(text.size() / 4 * 3 + 3);
    std::size_t pos = 0;
    while (pos < text.size() && IsLineBreak(text[pos]))
        ++pos;
    if (pos < text.size() && text[pos] == ':')
        ++pos;
    std::uint32_t acc = 0;
    int count = 0;
    for (; pos < text.size(); ++pos) {
        const char ch = text[pos];
        if (IsLineBreak(ch))
            continue;
        const int v = kBinHexValue[static_cast<unsigned char>(ch)];
        if (v < 0)
            break;
        acc = (acc << 6) | static_cast<std::uint32_t>(v);
        if (++count == 4) {
            FlushSextets(out, acc, count);
            acc = 0;
            count = 0;
        }
    }
    FlushSextets(out, acc, count);
    return out;
}

std::string CreateHeaderString(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    std::size_t i = 0;
    while (i < text.size()) {
        if (!IsJapaneseByte(Byte(text, i))) {
            out.push_back(text[i++]);
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && IsJapaneseByte(Byte(text, end)))
            end += IsSjisLeadByte(text[end]) ? 2 : 1;
        if (end > text.size())
            end = text.size(); // a lead byte cut off by the end stays in the run
        out += kHeaderPrefix;
        out += EncodeBase64(sjis2jis83(text.substr(i, end - i)));
        out += kHeaderSuffix;
        i = end;
    }
    return out;
}

std::string DecodeHeaderString(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t start = FindNoCase(text, kHeaderPrefix, pos);
        if (start == std::string_view::npos)
            break;
        const std::size_t dataStart = start + kHeaderPrefix.size();
        const std::size_t dataEnd = text.find(kHeaderSuffix, dataStart);
        if (dataEnd == std::string_view::npos)
            break;
        out.append(text, pos, start - pos);
        out += DecodeBase64(text.substr(dataStart, dataEnd - dataStart));
        out += kKanjiOut;
        pos = dataEnd + kHeaderSuffix.size();
    }
    out.append(text, pos);
    return out;
}

} // namespace lexicana

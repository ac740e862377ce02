#include "html/markersearch.h"

#include "common/utils.h"
#include "jconvert/jconvert.h"

#include <string>

namespace lexicana {

namespace {

constexpr unsigned char kEsc = 0x1B;

unsigned char ByteAt(std::string_view text, std::size_t pos)
{
    return pos < text.size() ? static_cast<unsigned char>(text[pos]) : 0;
}

bool IsEucByte(unsigned char c)
{
    return c >= 0xA1 && c <= 0xFE;
}

// EUC-JP characters: a pair of 0xA1-0xFE bytes, 0x8E with a half-width
// katakana byte, 0x8F with two such bytes. A byte that does not begin a
// complete character counts alone, so an ASCII byte is never swallowed.
struct EucWalker {
    std::size_t Next(std::string_view text, std::size_t pos)
    {
        const unsigned char c = ByteAt(text, pos);
        const unsigned char d = ByteAt(text, pos + 1);
        if (c == 0x8E && d >= 0xA1 && d <= 0xDF)
            return pos + 2;
        if (c == 0x8F && IsEucByte(d) && IsEucByte(ByteAt(text, pos + 2)))
            return pos + 3;
        if (IsEucByte(c) && IsEucByte(d))
            return pos + 2;
        return pos + 1;
    }
    bool MayStartAt(std::string_view, std::size_t) const { return true; }
};

// JIS: the page is 7-bit, so every byte is a character of its own except the
// three-byte escape sequences, inside which no match starts. Double-byte
// runs need no tracking: a generated part may end in a run that no escape
// closes, and the end marker right after it must still be found.
struct JisWalker {
    std::size_t Next(std::string_view text, std::size_t pos) const
    {
        return pos + (ByteAt(text, pos) == kEsc ? 3 : 1);
    }
    bool MayStartAt(std::string_view text, std::size_t pos) const { return ByteAt(text, pos) != kEsc; }
};

// Byte search for candidates, then a walk over the characters up to each
// candidate: linear in the page, with the byte search doing the bulk.
template <class Walker>
std::size_t FindAtBoundaries(std::string_view text, std::string_view marker, Walker walker)
{
    std::size_t pos = 0; // always a character boundary
    while (pos < text.size()) {
        const std::size_t candidate = text.find(marker, pos);
        if (candidate == std::string_view::npos)
            return std::string_view::npos;
        while (pos < candidate)
            pos = walker.Next(text, pos);
        if (pos == candidate) {
            if (walker.MayStartAt(text, pos))
                return candidate;
            pos = walker.Next(text, pos);
        }
    }
    return std::string_view::npos;
}

} // namespace

std::size_t FindMarker(std::string_view page, std::string_view marker, int code)
{
    if (marker.empty())
        return std::string_view::npos;
    const std::size_t zero = page.find('\0');
    if (zero != std::string_view::npos)
        page = page.substr(0, zero);
    switch (code) {
    case JCodeEuc:
        return FindAtBoundaries(page, marker, EucWalker {});
    case JCodeJis83:
    case JCodeJis78:
        return FindAtBoundaries(page, marker, JisWalker {});
    default: {
        const std::size_t found = FindSjis(page, marker);
        return found == std::string::npos ? std::string_view::npos : found;
    }
    }
}

} // namespace lexicana

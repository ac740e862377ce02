#include "html/markersearch.h"

#include "common/textcode.h"
#include "jconvert/jconvert.h"

#include <algorithm>
#include <functional>
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

// Shift_JIS characters, with the sync rule of the faster search: a byte that
// is no lead byte never begins a double-byte character, so a character
// boundary follows it whether it stands alone or ends a character.
struct SjisWalker {
    std::size_t Next(std::string_view text, std::size_t pos) const { return pos + CharLength(TextCode::ShiftJis, text, pos); }
    bool MayStartAt(std::string_view, std::size_t) const { return true; }
    static bool BoundaryAfter(unsigned char c) { return !IsSjisLeadByte(c); }
};

// EUC-JP: an ASCII byte is never part of a longer character, so a boundary
// follows it.
struct EucSyncWalker : EucWalker {
    static bool BoundaryAfter(unsigned char c) { return c < 0x80; }
};

// UTF-8 characters as CharLength reads them: a byte that does not begin a
// complete sequence counts alone. No sequence holds an ASCII byte, so a
// boundary follows every ASCII byte.
struct Utf8Walker {
    std::size_t Next(std::string_view text, std::size_t pos) const
    {
        return pos + CharLength(TextCode::Utf8, text, pos);
    }
    bool MayStartAt(std::string_view, std::size_t) const { return true; }
    static bool BoundaryAfter(unsigned char c) { return c < 0x80; }
};

// The same results as FindAtBoundaries without walking the page from its
// start: for each candidate the walk starts at the last byte before it after
// which a boundary is certain (or at the last boundary known), so only the
// characters right before a candidate are walked.
template <class Walker>
std::size_t FindAtBoundariesSynced(std::string_view text, std::string_view marker, Walker walker)
{
    // Markers are long and start with "<", which pages are full of: a skip
    // search beats looking at every "<".
    const std::boyer_moore_horspool_searcher searcher(marker.begin(), marker.end());
    const auto find = [&](std::size_t from) {
        const auto found
            = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), searcher);
        return found == text.end() ? std::string_view::npos : static_cast<std::size_t>(found - text.begin());
    };
    std::size_t known = 0; // a character boundary at or before every later candidate
    while (known < text.size()) {
        const std::size_t candidate = find(known);
        if (candidate == std::string_view::npos)
            return std::string_view::npos;
        std::size_t pos = candidate;
        while (pos > known && !Walker::BoundaryAfter(static_cast<unsigned char>(text[pos - 1])))
            --pos;
        while (pos < candidate)
            pos = walker.Next(text, pos);
        if (pos == candidate && walker.MayStartAt(text, pos))
            return candidate;
        known = pos == candidate ? walker.Next(text, pos) : pos;
    }
    return std::string_view::npos;
}

// The page up to its first zero byte.
std::string_view UpToZero(std::string_view page)
{
    const std::size_t zero = page.find('\0');
    return zero == std::string_view::npos ? page : page.substr(0, zero);
}

} // namespace

std::size_t FindMarker(std::string_view page, std::string_view marker, int code)
{
    if (marker.empty())
        return std::string_view::npos;
    page = UpToZero(page);
    switch (code) {
    case JCodeEuc:
        return FindAtBoundariesSynced(page, marker, EucSyncWalker {});
    case JCodeUtf8:
        return FindAtBoundariesSynced(page, marker, Utf8Walker {});
    case JCodeJis83:
    case JCodeJis78:
        return FindAtBoundaries(page, marker, JisWalker {});
    default:
        return FindAtBoundariesSynced(page, marker, SjisWalker {});
    }
}

std::size_t FindMarkerByWalk(std::string_view page, std::string_view marker, int code)
{
    if (marker.empty())
        return std::string_view::npos;
    page = UpToZero(page);
    switch (code) {
    case JCodeEuc:
        return FindAtBoundaries(page, marker, EucWalker {});
    case JCodeUtf8:
        return FindAtBoundaries(page, marker, Utf8Walker {});
    case JCodeJis83:
    case JCodeJis78:
        return FindAtBoundaries(page, marker, JisWalker {});
    default:
        return FindAtBoundaries(page, marker, SjisWalker {});
    }
}

} // namespace lexicana

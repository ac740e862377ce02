// Shift_JIS character boundaries: the one place that knows which bytes start
// a double-byte character. Every loop that walks text by characters uses it.
#pragma once

#include <cstddef>
#include <string_view>

namespace lexicana {

// True for the lead bytes of a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsSjisLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

constexpr bool IsSjisLeadByte(char c)
{
    return IsSjisLeadByte(static_cast<unsigned char>(c));
}

// Length in bytes of the character that starts at pos: 2 for a lead byte
// (1 when the text ends after it), else 1.
inline std::size_t SjisCharLength(std::string_view text, std::size_t pos)
{
    return (IsSjisLeadByte(text[pos]) && pos + 1 < text.size()) ? 2 : 1;
}

}  // namespace lexicana

// What the link options need to know about a text: where links may not go
// (markup), where a Latin word continues across a position, and the text
// with its Latin letters folded to one case. All of them read the text by
// the characters of the document's code from its start.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lexicana {

struct TextRange {
    std::size_t begin;
    std::size_t end;
};

// The stretches of text no link may touch, in order and not overlapping:
// tags with their attributes (from "<" to its ">", quoted values read
// whole), comments, character references ("&amp;", "&#38;"), and whole
// elements from the start of their opening tag to the end of their closing
// tag for "a" and every name in elements (names compared case-blind; a
// missing closing tag protects the rest of the text). The delimiters are
// found byte by byte: none of them can be a trail byte.
std::vector<TextRange> FindMarkupRanges(std::string_view text, const std::vector<std::string>& elements);

constexpr bool IsLatinLetterOrDigit(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// interior[x] (x = 0 .. size) is 1 where the characters on both sides of
// position x are Latin letters or digits, so that a word may neither start
// nor end at x when whole words are asked for.
void MarkWordInteriors(std::string_view text, std::vector<unsigned char>& interior);

// text with every single-byte Latin capital made small; the trail bytes of
// double-byte characters stay as they are. Lengths and positions are kept.
// False, with folded left as it was, when text holds no capital to fold
// (a capital byte that is a trail byte still makes the copy).
bool FoldLatinCase(std::string_view text, std::string& folded);

// The further words of a record's alias cell, split at separator (on
// character boundaries) with the spaces around each trimmed; empty ones are
// left out.
std::vector<std::string> SplitAliases(const std::string& cell, const std::string& separator);

} // namespace lexicana

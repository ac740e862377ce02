// Byte-string helpers shared by the whole core. All text is Shift_JIS: a
// search never matches starting on the trail byte of a double-byte
// character, and a trail byte is never taken for a backslash or delimiter.
#pragma once

#include "common/stringlist.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace lexicana {

// Byte position of the first occurrence of find in text at or after from that
// starts on a character boundary, or std::string::npos. The scan starts at a
// character boundary, so from must be one. An empty find is never found.
std::size_t FindChars(std::string_view text, std::string_view find, std::size_t from = 0);

// Replaces every occurrence of find (left to right; replaced text is never
// searched again). True when at least one occurrence was replaced; an empty
// find replaces nothing.
bool ReplaceAll(std::string& text, std::string_view find, std::string_view replacement);

// The part of text before the first occurrence of find; text when absent.
std::string CutAtFirst(const std::string& text, std::string_view find);

// Removes the first character of src (two bytes for a lead byte) and appends
// it to dest; with dest == nullptr the character is dropped.
void MoveFirstChar(std::string* dest, std::string& src);

// Removes the first n bytes of src and returns them (all of src when n is at
// least its length).
std::string TakeLeadingBytes(std::string& src, std::size_t n);

// Splits text at CR LF pairs into list (a non-empty final piece is kept).
// Returns 0; a failure is reported with location "StrToStrs" and gives -2.
int StrToStrs(const std::string& text, TStringList& list);

// Joins list with LF into text. Returns 0; a failure is reported with
// location "StrsToStr" and gives -2.
int StrsToStr(const TStringList& list, std::string& text);

} // namespace lexicana

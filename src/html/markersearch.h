// Finding the part markers in a page with the character boundaries of the
// page's own character code, so that the last byte of a double-byte character
// standing right before a marker never swallows the marker's first byte.
#pragma once

#include <cstddef>
#include <string_view>

namespace lexicana {

// Byte position of the first occurrence of marker in page that starts on a
// character boundary of code (a JCodeValue: EUC-JP rules for EUC-JP, single
// bytes outside the escape sequences for JIS, UTF-8 sequences for UTF-8,
// Shift_JIS rules for every other value), or npos. The page counts as ending
// at its first zero byte; an empty marker is never found.
std::size_t FindMarker(std::string_view page, std::string_view marker, int code);

// The same result by walking the page character by character from its start
// up to each byte match: the definition of the results, kept to check and
// measure FindMarker against.
std::size_t FindMarkerByWalk(std::string_view page, std::string_view marker, int code);

} // namespace lexicana

// The text of a UTF-8 document's part as it goes into a Shift_JIS, EUC-JP or
// JIS page, where a character without a Shift_JIS code becomes an HTML
// numeric character reference. (A Shift_JIS part for a UTF-8 page is
// SjisToUtf8 of sjistext.h.)
#pragma once

#include <string>
#include <string_view>

namespace lexicana {

// UTF-8 as Shift_JIS; each character without a Shift_JIS code is written as
// a hexadecimal reference ("&#x20BB7;") and counted in references.
std::string PageSjisFromUtf8(std::string_view utf8, long long& references);

} // namespace lexicana

// The text of a part as it goes into a page whose code differs from the
// document's: Shift_JIS decoded for a UTF-8 page, and UTF-8 encoded to
// Shift_JIS for a Shift_JIS, EUC-JP or JIS page, where a character without a
// Shift_JIS code becomes an HTML numeric character reference.
#pragma once

#include <string>
#include <string_view>

namespace lexicana {

// Shift_JIS (Windows code page 932) as UTF-8: lossless for valid Shift_JIS; a
// byte sequence without a character becomes U+FFFD.
std::string PageUtf8FromSjis(std::string_view sjis);

// UTF-8 as Shift_JIS; each character without a Shift_JIS code is written as
// a hexadecimal reference ("&#x20BB7;") and counted in references.
std::string PageSjisFromUtf8(std::string_view utf8, long long& references);

} // namespace lexicana

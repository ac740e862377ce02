// The character code of a page and the document's text in it: which code a
// page is in (UTF-8 is recognised before the Japanese codes), and how a part
// or a marker, in the document's code, is put into a page of a given code.
#pragma once

#include <string>
#include <string_view>

namespace lexicana {

// The code of a page's bytes (a JCodeValue): JCodeUtf8 when they begin with
// the UTF-8 byte-order mark or are valid UTF-8 with a multi-byte character,
// else what InCodeCheck finds.
int PageCodeOf(std::string_view page);

// A generated part, in the document's code, as written into a page of code
// outputCode. A Shift_JIS document's part goes into a UTF-8 page decoded and
// into any other page through ConvertJCode; a UTF-8 document's part goes
// into a UTF-8 page, an ASCII or a binary page as it is, and into a
// Shift_JIS, EUC-JP or JIS page (or one that is either of the first two)
// encoded to Shift_JIS and then to that code, each character Shift_JIS
// cannot hold written as a numeric character reference and counted in
// references.
std::string PartInPageCode(std::string_view part, int outputCode, long long& references);

// True when PartInPageCode writes the part for outputCode in UTF-8.
bool PartWrittenInUtf8(int outputCode);

// A marker, in the document's code, as it stands in a page of code
// pageCode. A Shift_JIS document's marker is converted only for a UTF-8
// page; a UTF-8 document's as its parts are.
std::string MarkerInPageCode(std::string_view marker, int pageCode);

} // namespace lexicana

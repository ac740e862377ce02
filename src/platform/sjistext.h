// Shift_JIS (Windows code page 932) <-> Unicode at the edges of the program:
// display, editing and file names. The document itself stays Shift_JIS.
#pragma once

#include <string>
#include <string_view>

namespace lexicana {

// Decodes Shift_JIS to UTF-8. Never fails: a byte sequence without a
// character becomes U+FFFD.
std::string SjisToUtf8(std::string_view sjis);

// Encodes UTF-8 to Shift_JIS. Returns false, and leaves out untouched, when
// some character has no Shift_JIS code; those characters are then listed
// (UTF-8, in order of appearance, each once) in unencodable when given.
bool Utf8ToSjis(std::string_view utf8, std::string& out, std::string* unencodable = nullptr);

// Shift_JIS bytes of a UTF-8 literal that is known to be encodable (program
// texts); unencodable characters become "?".
std::string SjisOf(std::string_view utf8);

} // namespace lexicana

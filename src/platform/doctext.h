// Document text <-> Unicode at the edges of the program (display, editing,
// messages, file names), in the document's code (DocumentTextCode): Shift_JIS
// through the windows-31j codec, UTF-8 as it stands. Code that handles bytes
// known to be Shift_JIS whatever the document (page codes) uses sjistext.h.
#pragma once

#include "common/textcode.h"

#include <string>
#include <string_view>
#include <vector>

namespace lexicana {

// Decodes document text to UTF-8. Never fails: a byte sequence without a
// character becomes U+FFFD.
std::string DocToUtf8(std::string_view text);

// Encodes UTF-8 to the document's code. Returns false, and leaves out
// untouched, when some character has no code in it; those characters are
// then listed (UTF-8, in order of appearance, each once) in unencodable.
bool Utf8ToDoc(std::string_view utf8, std::string& out, std::string* unencodable = nullptr);

// Document bytes of a UTF-8 literal that is known to be encodable (program
// texts); unencodable characters become "?".
std::string DocOf(std::string_view utf8);

// text, in code from, converted to code to. Returns false, and leaves out
// untouched, when a character has no code in to (listed in unencodable as
// Utf8ToDoc does).
bool ConvertTextCode(
    std::string_view text, TextCode from, TextCode to, std::string& out, std::string* unencodable = nullptr);

// Converts every line from code from to code to. A character without a code
// in to throws std::runtime_error naming the line (from 1) and the character.
void ConvertLinesCode(std::vector<std::string>& lines, TextCode from, TextCode to);

// The lines of a text file in either code, in the document's code; *code
// (when given) gets the file's code. Failures throw std::runtime_error: a
// file that cannot be read, or a character without a code in the document's
// code (naming line, character and file).
std::vector<std::string> LoadDocumentLines(const std::string& path, TFileCode* code = nullptr);
// The lines of the bytes of the file at path (named in a failure), as
// LoadDocumentLines gives them.
std::vector<std::string> DocumentLinesOf(const std::string& bytes, const std::string& path, TFileCode* code = nullptr);
// Writes lines (document's code) in code, each ending in CR LF, through a
// temporary file. Failures throw std::runtime_error and leave the file: a
// character without a code in code (naming line and character; the caller
// names the file) or the write's own reason.
void SaveDocumentLines(const std::string& path, const std::vector<std::string>& lines, const TFileCode& code);

// The name of a code as the user sees it: "Shift_JIS" or "UTF-8".
const char* TextCodeName(TextCode code);

} // namespace lexicana

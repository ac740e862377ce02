// Document paths (Shift_JIS, "\" or "/" separated, possibly from Windows) to
// the names the file system takes, and back. Every file access of the core
// goes through NativeFileName.
#pragma once

#include <string>

namespace lexicana {

// The local file name of a document path: each stand-alone backslash becomes
// "/" (a 0x5C trail byte of a double-byte character is kept), and the text is
// decoded from Shift_JIS and encoded for the file system.
std::string NativeFileName(const std::string& documentPath);

// The document path (Shift_JIS) of a local file name (UTF-8); false when the
// name holds a character without a Shift_JIS code.
bool DocumentPathFromNative(const std::string& nativeName, std::string& documentPath);

} // namespace lexicana

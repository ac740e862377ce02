// The messages of failed page and external output file operations.
#pragma once

#include <string>

namespace lexicana {

// Page and external output result codes that have a message.
enum PageResult : int {
    PageOk = 0,
    PageCannotRead = 106,
    PageCannotWriteTemp = 107,
    PageCannotReplace = 108,
    OutputCannotRead = 109,
    OutputCannotWrite = 110,
    PageNoStartMarker = 300,
    PageNoEndMarker = 301,
};

// The text shown for code (path is the Shift_JIS page path or listed name);
// empty for 0, 100 and -1, which show nothing.
std::string FileErrorText(int code, const std::string& path);
// Shows FileErrorText in an error box unless it is empty.
void ShowFileError(int code, const std::string& path);

}  // namespace lexicana

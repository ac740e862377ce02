// The messages of failed page and external output file operations.
#pragma once

#include "common/resultcodes.h"

#include <string>

namespace lexicana {

// The text shown for code (path is the Shift_JIS page path or listed name);
// empty for 0, 100 and -1, which show nothing.
std::string FileErrorText(int code, const std::string& path);
// Shows FileErrorText in an error box unless it is empty.
void ShowFileError(int code, const std::string& path);

} // namespace lexicana

// Creation of a new, empty file that must not exist yet (the external output
// list a user names in the conversion set dialog).
#pragma once

#include <string>

namespace lexicana {

// Creates the file (a document path) empty; fails when it exists already,
// also when it appeared since it was last looked for. On failure returns
// false with the system's error code (errno) in errorCode.
bool CreateEmptyFileExclusively(const std::string& path, int& errorCode);

} // namespace lexicana

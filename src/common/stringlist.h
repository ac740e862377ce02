// The line list of the program: an ordered list of Shift_JIS byte strings.
#pragma once

#include <string>
#include <vector>

namespace lexicana {

using TStringList = std::vector<std::string>;

}  // namespace lexicana

// Facts about the running program: its file and folder, as document paths.
#pragma once

#include <string>

namespace lexicana {

// Full path of the running program file (Shift_JIS, "/" separated).
std::string RunningProgramPath();
// File name of the running program, without folder.
std::string RunningProgramFileName();
// Folder of the running program, without a final separator ("/" for the root).
std::string RunningProgramFolder();

} // namespace lexicana

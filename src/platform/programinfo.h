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

// The folder of the data shipped with the program (template/, manual/) for
// the program file programPath (a document path; "" is the running program):
// the program's own folder when it holds template/ or manual/ (a build
// tree), else <program folder>/../share/lexicana when that exists (an
// installed program), else the program's own folder. No final separator.
std::string ProgramDataFolder(const std::string& programPath);

} // namespace lexicana

// Starting outside programs: a program with a command-line text that is split
// into arguments as a shell would (blanks separate, double quotes group, three
// quotes give a literal quote), optionally waiting until the program ends.
#pragma once

#include <functional>
#include <string>

namespace lexicana {

// program is a document path (Shift_JIS; a bare name is searched on PATH),
// parameters a Shift_JIS command-line text. Without wait the program runs on
// its own. With wait, onStarted (when given) runs once the program has
// started, then the call blocks until the program ends. False when the
// program could not be started (empty, missing or not executable).
bool StartProgram(const std::string& program, const std::string& parameters, bool wait,
    const std::function<void()>& onStarted = {});

} // namespace lexicana

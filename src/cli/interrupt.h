// Ctrl+C as the cancel button of a conversion: the first SIGINT (or SIGTERM)
// only raises a flag that the progress display turns into a cancel at the
// run's next check point; a second one ends the program at once (pages are
// replaced atomically, so each is whole either way).
#pragma once

namespace lexicana {

// Installs the handlers for SIGINT and SIGTERM.
void InstallInterruptHandler();
// True once an interrupt has arrived (stays true).
bool InterruptRequested();

} // namespace lexicana

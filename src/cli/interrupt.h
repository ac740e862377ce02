// Ctrl+C as the cancel button of a conversion: the first SIGINT (or SIGTERM)
// only raises a flag that the progress display turns into a cancel at the
// run's next check point; a second one ends the program at once (pages are
// replaced atomically, so each is whole either way).
#pragma once

namespace lexicana {

// Installs the handlers for SIGINT and SIGTERM, then lets through those
// that HoldInterrupts held back before this start of the program.
void InstallInterruptHandler();
// Holds SIGINT and SIGTERM back (they wait, pending) while the program
// starts itself again, and names them in the environment: the new start
// takes a waiting one up as soon as its handler is installed, so no Ctrl+C
// is lost. A signal already held back by whoever started the program is
// left so. False, holding nothing, when an interrupt has already arrived.
bool HoldInterrupts();
// Lets the held signals through again (the restart did not happen).
void ReleaseInterrupts();
// True once an interrupt has arrived (stays true).
bool InterruptRequested();

} // namespace lexicana

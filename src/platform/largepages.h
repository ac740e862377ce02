// Large memory pages for a long run. A conversion of a large glossary makes
// millions of small allocations; where every fresh 4 KB page costs a fault
// (markedly so on virtual machines), having the C library's allocator ask
// the system for transparent 2 MB pages makes such a run far faster. The
// allocator takes that choice only when the program starts, so the program
// starts itself again with it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexicana {

// Whether a restart with large pages is wanted, from the system's setting
// (the text of /sys/kernel/mm/transparent_hugepage/enabled, the choice in
// brackets) and the program's GLIBC_TUNABLES: only where the system gives
// large pages on request alone ("[madvise]"; with "[always]" every program
// has them already) and the allocator's large-page tunable is not set
// (which it is after the restart, or by a user who chose).
bool LargePagesRestartWanted(std::string_view systemSetting, std::string_view tunables);

// The GLIBC_TUNABLES of the restart: tunables with large pages on and,
// unless the arenas are chosen already (in tunables, or arenasChosen for
// MALLOC_ARENA_MAX), one arena per core (at least two).
std::string LargePagesTunables(std::string_view tunables, bool arenasChosen, unsigned cores);

// Replaces this process by a new start of the same program with the same
// command line (argv[0] first) and LargePagesTunables, when
// LargePagesRestartWanted holds here. Never in a start that is itself a
// restart, in a program the system runs with raised rights (which ignores
// the tunables), in one started through the dynamic loader by hand (whose
// own file is the loader), with a C library without the tunable, or under
// a sanitizer's allocator. Returns when it does not restart, or when the
// restart fails; the run then goes on as it is, with its environment
// unchanged.
void RestartWithLargePages(const std::vector<std::string>& commandLine);

} // namespace lexicana

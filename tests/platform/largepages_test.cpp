#include "platform/largepages.h"

#include <gtest/gtest.h>

namespace lexicana {
namespace {

// A restart is wanted only where large pages come on request and the
// allocator has not been told either way: never twice, never against a
// user's own choice.
TEST(LargePages, RestartOnlyWhereLargePagesComeOnRequestAndNothingWasChosen)
{
    const struct {
        const char* system;
        const char* tunables;
        bool wanted;
    } cases[] = {
        { "always [madvise] never\n", "", true },
        { "always [madvise] never\n", "glibc.malloc.arena_max=2", true },
        { "always [madvise] never\n", "glibc.malloc.hugetlb=1", false }, // already restarted
        { "always [madvise] never\n", "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=0", false },
        { "[always] madvise never\n", "", false }, { "always madvise [never]\n", "", false },
        { "", "", false }, // no such setting: not Linux, or no large pages
    };
    for (const auto& c : cases)
        EXPECT_EQ(LargePagesRestartWanted(c.system, c.tunables), c.wanted) << c.system << " / " << c.tunables;
}

// The restart's tunables keep the user's and add one arena per core (at
// least two) only where no arena count was chosen.
TEST(LargePages, TheRestartKeepsTheUsersTunablesAndArenas)
{
    const struct {
        const char* tunables;
        bool arenasChosen;
        unsigned cores;
        const char* value;
    } cases[] = {
        { "", false, 2, "glibc.malloc.hugetlb=1:glibc.malloc.arena_max=2" },
        { "", false, 1, "glibc.malloc.hugetlb=1:glibc.malloc.arena_max=2" },
        { "", false, 16, "glibc.malloc.hugetlb=1:glibc.malloc.arena_max=16" },
        { "glibc.malloc.tcache_count=0", false, 4,
            "glibc.malloc.tcache_count=0:glibc.malloc.hugetlb=1:glibc.malloc.arena_max=4" },
        { "glibc.malloc.arena_max=1", false, 4, "glibc.malloc.arena_max=1:glibc.malloc.hugetlb=1" },
        { "", true, 4, "glibc.malloc.hugetlb=1" }, // MALLOC_ARENA_MAX set
    };
    for (const auto& c : cases)
        EXPECT_EQ(LargePagesTunables(c.tunables, c.arenasChosen, c.cores), c.value) << c.tunables;
}

} // namespace
} // namespace lexicana

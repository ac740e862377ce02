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
        { "[always] madvise never\n", "", false },
        { "always madvise [never]\n", "", false },
        { "", "", false }, // no such setting: not Linux, or no large pages
    };
    for (const auto& c : cases)
        EXPECT_EQ(LargePagesRestartWanted(c.system, c.tunables), c.wanted) << c.system << " / " << c.tunables;
}

} // namespace
} // namespace lexicana

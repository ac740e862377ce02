#include "platform/largepages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

#if defined(__linux__) && defined(__GLIBC__)
#include <gnu/libc-version.h>
#include <sys/auxv.h>
#include <unistd.h>
#define LEXICANA_LARGE_PAGES 1
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#undef LEXICANA_LARGE_PAGES
#endif
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#undef LEXICANA_LARGE_PAGES
#endif
#endif

namespace lexicana {

namespace {
constexpr std::string_view kTunable = "glibc.malloc.hugetlb";
constexpr std::string_view kArenas = "glibc.malloc.arena_max";
// Set for the new start, so that it never starts itself again.
constexpr const char* kRestarted = "LEXICANA_LARGE_PAGES_RESTART";
} // namespace

bool LargePagesRestartWanted(std::string_view systemSetting, std::string_view tunables)
{
    return systemSetting.find("[madvise]") != std::string_view::npos
        && tunables.find(kTunable) == std::string_view::npos;
}

std::string LargePagesTunables(std::string_view tunables, bool arenasChosen, unsigned cores)
{
    std::string value = (tunables.empty() ? "" : std::string(tunables) + ":") + std::string(kTunable) + "=1";
    // One arena per core rather than the allocator's eight per core: a
    // large page is taken whole, so every further arena holds a part-used
    // one of its own.
    if (!arenasChosen && tunables.find(kArenas) == std::string_view::npos)
        value += ":" + std::string(kArenas) + "=" + std::to_string(std::max(2u, cores));
    return value;
}

void RestartWithLargePages(const std::vector<std::string>& commandLine)
{
#ifdef LEXICANA_LARGE_PAGES
    // The tunable came with the C library 2.35. AT_BASE is 0 where the
    // dynamic loader itself is the program that was started.
    int major = 0, minor = 0;
    if (commandLine.empty() || std::getenv(kRestarted) != nullptr || ::getauxval(AT_SECURE) != 0
        || ::getauxval(AT_BASE) == 0 || std::sscanf(gnu_get_libc_version(), "%d.%d", &major, &minor) != 2
        || major < 2 || (major == 2 && minor < 35))
        return;
    std::string system;
    {
        // Closed before the restart, which would otherwise inherit it.
        std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
        system.assign(std::istreambuf_iterator<char>(setting), std::istreambuf_iterator<char>());
    }
    const char* const given = std::getenv("GLIBC_TUNABLES");
    const std::optional<std::string> before = given ? std::optional<std::string>(given) : std::nullopt;
    const std::string tunables = before.value_or("");
    if (!LargePagesRestartWanted(system, tunables))
        return;
    const std::string value = LargePagesTunables(
        tunables, std::getenv("MALLOC_ARENA_MAX") != nullptr, std::thread::hardware_concurrency());
    std::vector<char*> argv;
    for (const std::string& argument : commandLine)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (::setenv("GLIBC_TUNABLES", value.c_str(), 1) == 0 && ::setenv(kRestarted, "1", 1) == 0) {
        std::fflush(nullptr);
        // The running program's own file, even where its name has since
        // been given to another.
        ::execv("/proc/self/exe", argv.data());
    }
    // Not restarted: the run goes on here, with the environment as it was.
    ::unsetenv(kRestarted);
    if (before)
        ::setenv("GLIBC_TUNABLES", before->c_str(), 1);
    else
        ::unsetenv("GLIBC_TUNABLES");
#else
    (void)commandLine;
#endif
}

} // namespace lexicana

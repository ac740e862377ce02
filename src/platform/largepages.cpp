#include "platform/largepages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#if defined(__linux__) && defined(__GLIBC__)
#include <gnu/libc-version.h>
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
} // namespace

bool LargePagesRestartWanted(std::string_view systemSetting, std::string_view tunables)
{
    return systemSetting.find("[madvise]") != std::string_view::npos
        && tunables.find(kTunable) == std::string_view::npos;
}

void RestartWithLargePages(const std::vector<std::string>& commandLine)
{
#ifdef LEXICANA_LARGE_PAGES
    // The tunable came with the C library 2.35.
    int major = 0, minor = 0;
    if (std::sscanf(gnu_get_libc_version(), "%d.%d", &major, &minor) != 2 || major < 2
        || (major == 2 && minor < 35))
        return;
    std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
    const std::string system { std::istreambuf_iterator<char>(setting), std::istreambuf_iterator<char>() };
    const char* const given = std::getenv("GLIBC_TUNABLES");
    const std::string tunables = given ? given : "";
    if (commandLine.empty() || !LargePagesRestartWanted(system, tunables))
        return;
    std::string value = (tunables.empty() ? "" : tunables + ":") + std::string(kTunable) + "=1";
    // One arena per core rather than eight: a large page is taken whole,
    // so every further arena holds a part-used one of its own.
    if (tunables.find(kArenas) == std::string::npos)
        value += ":" + std::string(kArenas) + "="
            + std::to_string(std::max(2u, std::thread::hardware_concurrency()));
    if (::setenv("GLIBC_TUNABLES", value.c_str(), 1) != 0)
        return;
    std::vector<char*> argv;
    for (const std::string& argument : commandLine)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);
    // The running program's own file, even where its name has since been
    // given to another.
    ::execv("/proc/self/exe", argv.data());
    // Not restarted: the run goes on here, with the environment as it was.
    if (given)
        ::setenv("GLIBC_TUNABLES", given, 1);
    else
        ::unsetenv("GLIBC_TUNABLES");
#else
    (void)commandLine;
#endif
}

} // namespace lexicana

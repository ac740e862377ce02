// Runs part of a test with the rights of an ordinary user, so that folder
// and file permissions apply even when the tests run as root.
#pragma once

#include <functional>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lexicana::test {

// Runs job and gives its result. As root, job runs in a child process that
// has dropped to user and group 65534 ("nobody"); its effects on files are
// seen by the caller, nothing else is. False when the child could not run.
inline bool RunWithoutRootRights(const std::function<bool()>& job)
{
    if (::geteuid() != 0)
        return job();
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        const bool ok = ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0 && job();
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace lexicana::test

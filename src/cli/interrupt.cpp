#include "cli/interrupt.h"

#include "common/translate.h"

#include <csignal>
#include <string>
#include <unistd.h>

namespace lexicana {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;
// The note, in the interface language, is made before the handler is
// installed: a signal handler may not allocate or translate.
std::string g_note;

sigset_t InterruptSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

void OnInterrupt(int)
{
    g_interrupted = 1;
    // write() is safe in a signal handler; stdio is not.
    ssize_t ignored = ::write(STDERR_FILENO, g_note.data(), g_note.size());
    (void)ignored;
}

} // namespace

void InstallInterruptHandler()
{
    g_note = "\n"
        + lexicana::Tr("中断を受け付けました。次の確認点で変換を止めます (もう一度押すとすぐに終了します)。")
        + "\n";
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // The handler is reset to the default after the first signal, so a
    // second Ctrl+C ends the program.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    ReleaseInterrupts();
}

bool HoldInterrupts()
{
    const sigset_t signals = InterruptSignals();
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    if (!InterruptRequested())
        return true;
    ReleaseInterrupts();
    return false;
}

void ReleaseInterrupts()
{
    const sigset_t signals = InterruptSignals();
    sigprocmask(SIG_UNBLOCK, &signals, nullptr);
}

bool InterruptRequested()
{
    return g_interrupted != 0;
}

} // namespace lexicana

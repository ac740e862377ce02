#include "cli/interrupt.h"

#include "common/translate.h"

#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <sstream>
#include <string>
#include <unistd.h>

namespace lexicana {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;
// The note, in the interface language, is made before the handler is
// installed: a signal handler may not allocate or translate.
std::string g_note;

// Names the signals a start of the program held back before it started
// itself again, for the new start to let through ("2 15").
constexpr const char* kHeldSignals = "LEXICANA_HELD_SIGNALS";
// The signals HoldInterrupts blocked (those not blocked already).
sigset_t g_held;

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
    // Signals held back by the start before a restart (and only those):
    // one that arrived meanwhile is taken up now.
    if (const char* held = std::getenv(kHeldSignals)) {
        sigset_t signals;
        sigemptyset(&signals);
        std::istringstream numbers(held);
        for (int number = 0; numbers >> number;)
            if (number == SIGINT || number == SIGTERM)
                sigaddset(&signals, number);
        ::unsetenv(kHeldSignals);
        pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
    }
}

bool HoldInterrupts()
{
    sigset_t signals, before;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, &before);
    sigemptyset(&g_held);
    std::string names;
    for (const int number : { SIGINT, SIGTERM })
        if (!sigismember(&before, number)) {
            sigaddset(&g_held, number);
            names += (names.empty() ? "" : " ") + std::to_string(number);
        }
    if (!InterruptRequested() && ::setenv(kHeldSignals, names.c_str(), 1) == 0)
        return true;
    ReleaseInterrupts();
    return false;
}

void ReleaseInterrupts()
{
    ::unsetenv(kHeldSignals);
    pthread_sigmask(SIG_UNBLOCK, &g_held, nullptr);
    sigemptyset(&g_held);
}

bool InterruptRequested()
{
    return g_interrupted != 0;
}

} // namespace lexicana

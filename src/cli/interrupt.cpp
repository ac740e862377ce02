#include "cli/interrupt.h"

#include <csignal>
#include <unistd.h>

namespace lexicana {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int)
{
    g_interrupted = 1;
    // write() is safe in a signal handler; stdio is not.
    static const char note[] = "\n中断を受け付けました。次の確認点で変換を止めます"
                               " (もう一度押すとすぐに終了します)。\n";
    ssize_t ignored = ::write(STDERR_FILENO, note, sizeof note - 1);
    (void)ignored;
}

} // namespace

void InstallInterruptHandler()
{
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // The handler is reset to the default after the first signal, so a
    // second Ctrl+C ends the program.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool InterruptRequested()
{
    return g_interrupted != 0;
}

} // namespace lexicana

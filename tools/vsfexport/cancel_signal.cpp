#include "tools/vsfexport/cancel_signal.h"

#include <signal.h>

#include <csignal>

namespace vsfexport {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void on_interrupt(int /*signal*/) {
    interrupted = 1;
}

}  // namespace

void install_cancel_signal() {
    struct sigaction action {};
    action.sa_handler = on_interrupt;
    sigemptyset(&action.sa_mask);
    // One-shot: the second Ctrl-C finds the default action and ends the process.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigset_t interrupts;
    sigemptyset(&interrupts);
    sigaddset(&interrupts, SIGINT);
    sigprocmask(SIG_UNBLOCK, &interrupts, nullptr);
}

bool cancel_requested() {
    return interrupted != 0;
}

}  // namespace vsfexport

// Ctrl-C as the user's cancel: the first interrupt asks the running export to stop (it still
// closes its file well formed); a second one ends the process at once.
#pragma once

namespace vsfexport {

// Installs the interrupt handler and makes sure interrupts are delivered (a parent may have
// blocked them). Call once, before any long work.
void install_cancel_signal();

// Whether an interrupt arrived since install_cancel_signal.
bool cancel_requested();

}  // namespace vsfexport

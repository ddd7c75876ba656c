#include <windows.h>

#include "platform/process.h"

namespace platform {

bool start_process(const std::u16string& path) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(reinterpret_cast<const wchar_t*>(path.c_str()), nullptr, nullptr, nullptr,
                        FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    // The program runs on by itself; nothing waits for it.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void sleep_ms(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

}  // namespace platform

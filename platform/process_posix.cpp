#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "platform/internal/posix_path.h"
#include "platform/process.h"

namespace platform {

namespace {

// Runs in the grandchild, where only async-signal-safe calls are allowed: closes every inherited
// descriptor except the standard ones and the status pipe (which closes itself on exec), then
// executes the program. Reports the exec failure's errno through the pipe.
[[noreturn]] void exec_program(const char* path, int status_fd) {
    if (status_fd > 3) {
        ::close_range(3, static_cast<unsigned>(status_fd) - 1, 0);
    }
    ::close_range(static_cast<unsigned>(status_fd) + 1, ~0U, 0);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    char* const argv[] = {const_cast<char*>(path), nullptr};
    ::execv(path, argv);
    const int error = errno;
    ssize_t ignored = ::write(status_fd, &error, sizeof error);
    (void)ignored;
    ::_exit(127);
}

bool wait_for_exit(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno == ECHILD) {
            return true;  // The host reaps its children itself (SIGCHLD ignored).
        }
        if (errno != EINTR) {
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

// The program is started from a short-lived intermediate child, which exits at once and is
// reaped here: the program then belongs to init, so it never becomes our zombie and we need no
// SIGCHLD handler (which would disturb the host's own). A close-on-exec pipe tells whether the
// exec succeeded: it reaches end-of-file without data exactly then.
bool start_process(const std::u16string& path) {
    const std::string file = internal::posix_path(path);
    int pipe_fds[2];
    if (::pipe2(pipe_fds, O_CLOEXEC) != 0) {
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipe_fds[0]);
        ::close(pipe_fds[1]);
        return false;
    }
    if (child == 0) {
        ::close(pipe_fds[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            exec_program(file.c_str(), pipe_fds[1]);
        }
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    ::close(pipe_fds[1]);
    const bool forked = wait_for_exit(child);
    int exec_error = 0;
    ssize_t count = 0;
    do {
        count = ::read(pipe_fds[0], &exec_error, sizeof exec_error);
    } while (count < 0 && errno == EINTR);
    ::close(pipe_fds[0]);
    return forked && count == 0;
}

void sleep_ms(std::uint32_t milliseconds) {
    struct timespec left = {static_cast<time_t>(milliseconds / 1000),
                            static_cast<long>(milliseconds % 1000) * 1000000L};
    while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

}  // namespace platform

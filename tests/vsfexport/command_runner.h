// Runs a program with arguments and collects its exit code, standard output and standard error.
// Optionally the child starts with an interrupt (SIGINT) already pending and blocked, so that the
// program receives it as soon as it lets interrupts in: a Ctrl-C at a known moment.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace command_test {

struct Outcome {
    int exit_code = -1;  // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

inline std::string read_all(int fd) {
    std::string text;
    char chunk[65536];
    ssize_t n;
    while ((n = read(fd, chunk, sizeof chunk)) > 0) {
        text.append(chunk, static_cast<std::size_t>(n));
    }
    return text;
}

// Runs program with args; the outputs go to temporary files, so a large output cannot block.
inline Outcome run(const std::string& program, const std::vector<std::string>& args,
                   bool interrupt_pending = false) {
    Outcome outcome;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    if (!out || !err) {
        return outcome;
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(fileno(out), STDOUT_FILENO);
        dup2(fileno(err), STDERR_FILENO);
        if (interrupt_pending) {
            sigset_t interrupts;
            sigemptyset(&interrupts);
            sigaddset(&interrupts, SIGINT);
            sigprocmask(SIG_BLOCK, &interrupts, nullptr);
            kill(getpid(), SIGINT);
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        outcome.exit_code = WEXITSTATUS(status);
    }
    lseek(fileno(out), 0, SEEK_SET);
    lseek(fileno(err), 0, SEEK_SET);
    outcome.out = read_all(fileno(out));
    outcome.err = read_all(fileno(err));
    std::fclose(out);
    std::fclose(err);
    return outcome;
}

}  // namespace command_test

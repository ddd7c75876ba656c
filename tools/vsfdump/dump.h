// What vsfdump does once its command line is parsed.
#pragma once

#include <ostream>
#include <string>

namespace vsfdump {

struct DumpOptions {
    std::string file;
    bool values = false;    // print array values in the outline (implies the outline)
    bool stats = false;     // print statistics
    std::string text_path;  // when not empty: write the all-text equivalent here
};

// Exit codes of the command.
constexpr int kExitOk = 0;
constexpr int kExitWriteFailed = 1;
constexpr int kExitBadInput = 2;

// Reads and checks `options.file`, then prints the outline (unless only --stats or --text was
// asked for), the statistics and/or writes the text file. Bad input gives exactly one line on
// `err`, "vsfdump: FILE: byte N: what", and kExitBadInput; nothing else is written then.
int run_dump(const DumpOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vsfdump

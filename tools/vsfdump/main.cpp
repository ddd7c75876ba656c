// vsfdump FILE [--values] [--stats] [--text OUT]: checks a .vsf scene file and prints its outline.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "tools/vsfdump/dump.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    vsfdump::DumpOptions options;
    CLI::App app(
        "Checks a .vsf scene file: its header and block structure. Prints an indented "
        "outline; exit code 2 and one line naming the byte offset on bad input.",
        "vsfdump");
    app.add_option("FILE", options.file, "The scene file")->required();
    app.add_flag("--values", options.values, "Print the values of arrays in the outline");
    app.add_flag("--stats", options.stats,
                 "Print objects, triangles, vertices and bytes by array kind");
    app.add_option("--text", options.text_path,
                   "Write an equivalent file with every binary block as a text array to OUT")
        ->type_name("OUT");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            std::cout << app.help();
            return vsfdump::kExitOk;
        }
        std::string message = error.what();
        for (char& c : message) {
            c = c == '\n' ? ' ' : c;
        }
        std::cerr << "vsfdump: " << message << '\n';
        return vsfdump::kExitBadInput;
    }
    return vsfdump::run_dump(options, std::cout, std::cerr);
}

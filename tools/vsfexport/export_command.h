// What vsfexport does once its command line is parsed: load the scene, move to the asked time,
// export it to the output with a progress bar, and say in one line what went wrong.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "exporter/options.h"
#include "plugin/host/interval.h"

namespace vsfexport {

// Exit codes of the command.
constexpr int kExitOk = 0;
constexpr int kExitExportFailed = 1;  // the export failed or was cancelled
constexpr int kExitBadInput = 2;      // bad usage, unreadable scene, unwritable output

enum class ProgressDisplay { automatic, on, off };

struct ExportRequest {
    std::string scene;   // the scene file; empty: the embedded demo scene
    std::string output;  // the .vsf file; "-": standard output
    vsf::Options options;
    std::optional<host::TimeValue> time;  // the time to export, in ticks
    std::optional<int> frame;             // or the frame (ticks = frame x ticks per frame)
    // Receives the demo's images and textures embedded in imported files; empty: beside the
    // output, in "<output name>_textures".
    std::string texture_folder;
    ProgressDisplay progress = ProgressDisplay::automatic;  // automatic: when stderr is a terminal
};

// Runs the request. Every failure is one line on err starting with "vsfexport: "; the exit code
// says which kind it was. An output that is left half written by a failed export is removed; a
// cancelled export (Ctrl-C) keeps its well-formed file and exits with kExitExportFailed.
int run_export_command(const ExportRequest& request, std::ostream& err);

// The folder for the demo's images and embedded textures when the request names none.
std::string default_texture_folder(const std::string& output);

}  // namespace vsfexport

#include "tools/vsfexport/export_command.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <system_error>

#include "standin/host/scene.h"
#include "standin/host/scene_json_error.h"
#include "tools/vsfexport/cancel_signal.h"
#include "tools/vsfexport/export_run.h"
#include "tools/vsfexport/progress_bar.h"
#include "tools/vsfexport/scene_loading.h"
#include "tools/vsfexport/stderr_capture.h"

namespace vsfexport {

namespace {

namespace fs = std::filesystem;

bool is_stdout(const std::string& output) {
    return output == "-";
}

// Checks that output can be written before any work is done, without changing an existing file.
// Empty when it can; otherwise the reason.
std::string output_problem(const std::string& output) {
    if (is_stdout(output)) {
        return {};
    }
    std::error_code ec;
    if (fs::is_directory(output, ec)) {
        return "is a folder";
    }
    const bool existed = fs::exists(output, ec);
    std::FILE* file = std::fopen(output.c_str(), "ab");
    if (!file) {
        return std::strerror(errno);
    }
    std::fclose(file);
    if (!existed) {
        fs::remove(output, ec);
    }
    return {};
}

// Removes a half-written output file; never anything but a regular file (the output may be a
// device such as /dev/null).
void remove_output(const std::string& output) {
    std::error_code ignored;
    if (!is_stdout(output) && fs::is_regular_file(output, ignored)) {
        fs::remove(output, ignored);
    }
}

// What the libraries printed, as one line: lines joined by "; ".
std::string one_line(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            line += "; ";
        } else if (c != '\r') {
            line += c;
        }
    }
    return line;
}

// The time to export: the request's time or frame, else the scene's own current time.
void move_to_requested_time(standin::Scene& scene, const ExportRequest& request) {
    if (request.time) {
        scene.set_current_time(*request.time, false);
    } else if (request.frame) {
        scene.set_current_time(*request.frame * scene.ticks_per_frame(), false);
    }
}

bool show_progress(ProgressDisplay display) {
    switch (display) {
        case ProgressDisplay::on:
            return true;
        case ProgressDisplay::off:
            return false;
        case ProgressDisplay::automatic:
            break;
    }
    return isatty(STDERR_FILENO) != 0;
}

}  // namespace

std::string default_texture_folder(const std::string& output) {
    if (is_stdout(output)) {
        std::error_code ec;
        const fs::path temp = fs::temp_directory_path(ec);
        return ((ec ? fs::path(".") : temp) / "vsfexport-textures").string();
    }
    fs::path path(output);
    return (path.parent_path() / (path.stem().string() + "_textures")).string();
}

int run_export_command(const ExportRequest& request, std::ostream& err) {
    install_cancel_signal();
    const std::string output = request.output;
    if (const std::string problem = output_problem(output); !problem.empty()) {
        err << "vsfexport: cannot write " << output << ": " << problem << '\n';
        return kExitBadInput;
    }

    standin::Scene scene;
    const std::string texture_folder =
        request.texture_folder.empty() ? default_texture_folder(output) : request.texture_folder;
    try {
        load_scene(scene, request.scene, fs::absolute(texture_folder).string());
    } catch (const standin::SceneFileError& error) {
        err << "vsfexport: " << error.what() << '\n';
        return kExitBadInput;
    } catch (const std::exception& error) {
        err << "vsfexport: cannot prepare the scene: " << error.what() << '\n';
        return kExitExportFailed;
    }
    move_to_requested_time(scene, request);

    const bool progress = show_progress(request.progress);
    StderrCapture held_back;
    ProgressBar bar(held_back.terminal());
    scene.set_progress_listener([&](const standin::ProgressEvent& event) {
        if (cancel_requested()) {
            scene.set_cancel(true);
        }
        if (progress) {
            bar.show(event);
        }
    });
    scene.set_cancel(cancel_requested());

    try {
        run_export(scene, std::make_shared<vsf::Options>(request.options), output);
    } catch (const std::exception& error) {
        const std::string printed = one_line(held_back.release());
        remove_output(output);
        err << "vsfexport: export failed: " << error.what()
            << (printed.empty() ? "" : " (" + printed + ")") << '\n';
        return kExitExportFailed;
    }
    err << held_back.release();
    if (scene.get_cancel()) {
        err << "vsfexport: cancelled; " << (is_stdout(output) ? "the scene written" : output)
            << " holds only the nodes written before the cancel\n";
        return kExitExportFailed;
    }
    return kExitOk;
}

}  // namespace vsfexport

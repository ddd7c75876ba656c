// vsfexport [SCENE] -o OUT.vsf: exports a scene to a Vistrel scene file through the plug-in's
// exporter running on the stand-in host.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "tools/vsfexport/export_command.h"

namespace {

const char* const kExamples = R"(Examples:
  vsfexport -o demo.vsf                      the embedded demo scene
  vsfexport scene.json -o scene.vsf          a JSON scene file
  vsfexport model.obj -o model.vsf           an OBJ file with its .mtl materials
  vsfexport model.glb -o model.vsf --layers  a glTF file, written by layers
  vsfexport shot.fbx -o - --frame 24 > shot24.vsf
                                             frame 24 of an FBX file, to standard output
  vsfexport -o plain.vsf --no-cameras --no-hair-and-fur

Exit codes: 0 done; 1 the export failed or was cancelled (Ctrl-C; the file is still well
formed); 2 bad usage, a scene that cannot be read or an output that cannot be written.)";

// A switch of the export options and its --no- form (listed once in the help).
void add_switch(CLI::App& app, const std::string& name, bool& value, const std::string& what) {
    const bool on = value;
    app.add_flag_callback(
        "--" + name, [&value]() { value = true; },
        what + " (default: " + (on ? "on" : "off") + "; --no-" + name + " turns it off)");
    app.add_flag_callback("--no-" + name, [&value]() { value = false; })->group("");
}

}  // namespace

int main(int argc, char** argv) {
    vsfexport::ExportRequest request;
    CLI::App app(
        "Exports a scene to a Vistrel scene file (.vsf): a JSON scene, an OBJ file (with its "
        ".mtl materials), any other file that assimp reads (glTF, FBX, DAE, 3DS, ...), or the "
        "embedded demo scene when SCENE is left out.",
        "vsfexport");
    app.footer(kExamples);
    app.add_option("SCENE", request.scene, "The scene file (default: the demo scene)");
    app.add_option("-o,--output", request.output, "The scene file to write; - for standard output")
        ->required()
        ->type_name("OUT.vsf");

    vsf::Options& o = request.options;
    add_switch(app, "hair-and-fur", o.hair_and_fur, "Export hair and fur as curves");
    add_switch(app, "general-curves", o.general_curves, "Export renderable splines as curves");
    add_switch(app, "photometric-lights", o.photometric_lights, "Export photometric lights");
    add_switch(app, "sky-lights", o.sky_lights, "Use the sky light's image as the environment");
    add_switch(app, "bones", o.bones, "Export bones as meshes");
    add_switch(app, "transform-animations", o.transform_animations,
               "Export animated node transforms");
    add_switch(app, "camera-animations", o.camera_animations, "Export animated cameras");
    add_switch(app, "deformable", o.deformable, "Export deforming meshes frame by frame");
    add_switch(app, "cameras", o.cameras, "Export cameras");
    add_switch(app, "layers", o.layers, "Write one group per layer instead of the hierarchy");
    app.add_option("--curve-radius", o.curve_radius_multiplier, "Multiplier of curve radii")
        ->check(CLI::PositiveNumber)
        ->default_str("1.0");

    CLI::Option* time =
        app.add_option("--time", request.time, "The time to export, in ticks")->type_name("TICKS");
    CLI::Option* frame =
        app.add_option("--frame", request.frame, "The frame to export")->type_name("N");
    time->excludes(frame);
    app.add_option("--textures", request.texture_folder,
                   "Folder for the demo's images and embedded textures (default: "
                   "OUT_textures beside the output)")
        ->type_name("DIR");
    bool progress = false;
    bool no_progress = false;
    CLI::Option* on = app.add_flag("--progress", progress,
                                   "Show a progress bar (default: when stderr is a terminal)");
    CLI::Option* off = app.add_flag("--no-progress", no_progress, "Never show a progress bar");
    on->excludes(off);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            std::cout << app.help();
            return vsfexport::kExitOk;
        }
        std::string message = error.what();
        for (char& c : message) {
            c = c == '\n' ? ' ' : c;
        }
        std::cerr << "vsfexport: " << message << " (see --help)\n";
        return vsfexport::kExitBadInput;
    }
    request.progress = progress      ? vsfexport::ProgressDisplay::on
                       : no_progress ? vsfexport::ProgressDisplay::off
                                     : vsfexport::ProgressDisplay::automatic;
    return vsfexport::run_export_command(request, std::cerr);
}

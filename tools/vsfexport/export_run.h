// The seam between the command line and the exporter: one Export of a host's scene into one scene
// file, as the plug-in's Export command runs it. When the plug-in shell exists, this is where the
// command drives the plug-in library through the stand-in host instead.
#pragma once

#include <memory>
#include <string>

#include "exporter/options.h"
#include "plugin/host/interface.h"

namespace vsfexport {

// Exports host's scene (at the host's current time) into the scene file at the UTF-8 path ("-":
// standard output), inside the host's progress display titled "Export VSF File.", which is closed
// again whatever happens. A cancel through the host's cancel flag ends the export early with a
// well-formed file. Throws std::runtime_error when the file cannot be opened or written.
void run_export(host::Interface& host, std::shared_ptr<vsf::Options> options,
                const std::string& path);

}  // namespace vsfexport

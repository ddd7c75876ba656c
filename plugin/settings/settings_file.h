// The settings file "vistrelexport7.ini": the ten export flags of Options, kept between sessions
// in the host's plug-in configuration folder. The curve radius multiplier is never stored.
#pragma once

#include <memory>
#include <string>

#include "exporter/options.h"
#include "plugin/host/interface.h"

namespace vsf {

// Longest settings file path, in UTF-16 units, that is used (the window system's path limit
// less the terminating zero).
constexpr std::size_t kMaxSettingsPathLength = 259;

// The settings file in `folder`: folder, plus "\" when the folder is not empty and does not end
// with "\" already, plus "vistrelexport7.ini". Empty when that path is longer than
// kMaxSettingsPathLength: a cut path would name some other file, so no file is used then.
std::u16string settings_file_path_in(const std::u16string& folder);

// The settings file in the host's plug-in configuration folder (see settings_file_path_in).
std::u16string settings_file_path(host::Interface& host);

// A new record for the plug-in's life: the defaults, then the ten flags from the settings file in
// the host's plug-in configuration folder. The curve radius multiplier starts at 1.0.
std::shared_ptr<Options> create_options(host::Interface& host);

// Sets each of the ten flags from the file at `path`: true exactly when its stored text is "1".
// A missing file, section or key gives the flag's default; an empty path gives all defaults.
// Leaves curve_radius_multiplier alone.
void load_settings(Options& options, const std::u16string& path);

// Writes the ten flags as "1" or "0" to the file at `path`, keeping whatever else the file holds.
// Write failures are not reported (the settings then simply are not kept); an empty path writes
// nothing.
void save_settings(const Options& options, const std::u16string& path);

}  // namespace vsf

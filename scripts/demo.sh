#!/usr/bin/env bash
# Fresh machine to a scene file: installs what is needed, builds the command-line exporter and
# exports the embedded demo scene with it, then prints what the file holds.
# usage: bash scripts/demo.sh [OUT.vsf]   (default demo.vsf; "-" writes to standard output)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build_dir" -j2 --target vsfexport vsfdump
out=${1:-demo.vsf}
# The demo's images go into the build folder; the scene file names them by absolute path.
# General curves on, so the demo's renderable spline is written beside its hair.
"$build_dir"/tools/vsfexport/vsfexport -o "$out" --textures "$build_dir/demo-textures" --general-curves
if [ "$out" != "-" ]; then
  echo "demo: wrote $out"
  "$build_dir"/tools/vsfdump/vsfdump --stats "$out"
fi

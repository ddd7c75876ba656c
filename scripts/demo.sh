#!/usr/bin/env bash
# Fresh machine to a scene file: installs what is needed, builds, writes the demo scene.
# usage: bash scripts/demo.sh [OUT.vsf]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
out=${1:-demo.vsf}
build/tools/vsfdemo/vsfdemo "$out"
if [ -x build/tools/vsfdump/vsfdump ] && [ "$out" != "-" ]; then
  build/tools/vsfdump/vsfdump --stats "$out"
fi

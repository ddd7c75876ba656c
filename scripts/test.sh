#!/usr/bin/env bash
# Builds and runs every test (the build of build/, or $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
scripts/build.sh "$@"
ctest --test-dir "$build_dir" --output-on-failure -j2 --timeout 300

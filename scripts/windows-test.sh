#!/usr/bin/env bash
# The Windows leg: cross-builds with MinGW-w64 everything that needs no host SDK (the platform
# layer, the scene library, their tests) into build-windows, then runs the tests under Wine in a
# private, fresh Wine prefix. Exits non-zero when the build or any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${WINDOWS_BUILD_DIR:-build-windows}

export WINEPREFIX="$PWD/$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
unset DISPLAY

# The first Wine program starts wineserver, which would inherit the output pipe of whoever
# started it and keep CTest waiting: start it here, detached from our output, and stop it at the
# end whatever happens.
stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}
stop_wine
trap stop_wine EXIT
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot -i </dev/null >/dev/null 2>&1

# Unoptimised and without debug information: the quickest to compile and link, and these tests
# check behaviour, not speed.
cmake -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw64.cmake" \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG=-O0 -DCMAKE_CXX_FLAGS_DEBUG=-O0 \
  -DVSF_BUILD_BENCH=OFF "$@"
cmake --build "$build_dir" -j2
ctest --test-dir "$build_dir" --output-on-failure -j2 --timeout 120

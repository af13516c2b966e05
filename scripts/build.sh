#!/usr/bin/env bash
# build.sh [BUILD]: sets the machine up, configures and builds everything, and prepares the
# build's private Wine prefix.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build}
"$src/scripts/setup.sh"
cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" -DTESMARO_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
"$src/scripts/wine-prefix.sh" "$build"

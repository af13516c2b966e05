#!/usr/bin/env bash
# soak.sh [CYCLES]: opens and closes a clip CYCLES times (default 100) in the running player and
# in a bare DirectShow program, and prints windows, GDI objects, kernel handles and memory before
# and after for both. Not a test: the figures are read side by side.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$src/build
"$src/scripts/build.sh" "$build" >/dev/null
"$src/scripts/wine-session.sh" start "$build"
trap '"$src/scripts/wine-session.sh" stop "$build"' EXIT
"$build/wine-run" "$build/bin/soak_bench.exe" "${1:-100}"

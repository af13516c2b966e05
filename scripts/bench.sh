#!/usr/bin/env bash
# bench.sh: builds and prints the benchmark figures (each next to its floor, same run).
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$src/build
"$src/scripts/build.sh" "$build" >/dev/null
cmake --build "$build" -j2 --target nav_bench >/dev/null
"$src/scripts/wine-session.sh" start "$build"
trap '"$src/scripts/wine-session.sh" stop "$build"' EXIT
"$build/wine-run" "$build/bin/startup_bench.exe" "${RUNS:-9}"
"$build/wine-run" "$build/bin/mask_bench.exe" "${RUNS:-9}"
"$build/wine-run" "$build/bin/playlist_bench.exe" "${RUNS:-9}"
"$build/wine-run" "$build/bin/disc_bench.exe" "${RUNS:-9}"
"$build/wine-run" "$build/bin/handover_bench.exe" "${RUNS:-5}" 2000
if [ -x "$build/bin/dvd_bench.exe" ]; then "$build/wine-run" "$build/bin/dvd_bench.exe" "${RUNS:-5}"; fi
"$build/wine-run" "$build/bin/nav_bench.exe" "${RUNS:-9}" "${NAV_SECONDS:-60}" 2>&1 | grep -v "IMDCT"

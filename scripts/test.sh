#!/usr/bin/env bash
# test.sh: sets up, builds and runs every test (unit and end-to-end, all under Wine).
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$src/build
"$src/scripts/build.sh" "$build"
cd "$build"
ctest -j2 --output-on-failure

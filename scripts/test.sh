#!/usr/bin/env bash
# test.sh: sets up, builds and runs every test (unit and end-to-end, all under Wine).
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$src/build
"$src/scripts/build.sh" "$build"
cd "$build"
# Every test runs once: a test that fails only sometimes is a fault to find, not to retry.
ctest -j2 --output-on-failure || {
  rc=$?
  if [ -f /proc/sys/fs/binfmt_misc/tesmaro-i386 ]; then
    echo "test: this kernel runs no 32-bit programs: Wine ran through the user-mode emulator (README)"
  fi
  exit $rc
}

#!/usr/bin/env bash
# wine-run.sh BUILD PROGRAM [ARGS...]: runs a Windows program of this build under Wine, in the
# build's private prefix, on the build's own Xvfb when no display is set.
set -euo pipefail
here=$(dirname "$0")
build=$1; shift
"$here/wine-prefix.sh" "$build"
# What this runs is a test, a benchmark or a tool of the build: never a sound for the desktop.
export TESMARO_NULL_AUDIO=1
source "$here/wine-env.sh" "$build"
if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$("$here/xvfb.sh" ensure "$build"); export DISPLAY
fi
exec wine "$@"

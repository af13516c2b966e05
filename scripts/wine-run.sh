#!/usr/bin/env bash
# wine-run.sh BUILD PROGRAM [ARGS...]: runs a Windows program of this build under Wine, in the
# build's private prefix, on the build's own Xvfb when no display is set.
set -euo pipefail
here=$(dirname "$0")
build=$1; shift
"$here/wine-prefix.sh" "$build"
source "$here/wine-env.sh" "$build"
if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$("$here/xvfb.sh" ensure "$build"); export DISPLAY
fi
exec wine "$@"

#!/usr/bin/env bash
# run.sh: sets up, builds and runs the player under Wine with the bundled demo clip.
# On a machine without a display the player runs on a private Xvfb for a while; a screenshot
# is then saved and the player closed.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$src/build
"$src/scripts/build.sh" "$build"
source "$src/scripts/wine-env.sh" "$build"
demo='Z:'$(echo "$build/bin/media/tesmaro-demo.avi" | tr / '\\')
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$build/bin/tesmaro_player.exe" "$demo"
fi
"$src/scripts/wine-session.sh" start "$build"
DISPLAY=$("$src/scripts/xvfb.sh" ensure "$build"); export DISPLAY
wine "$build/bin/tesmaro_player.exe" "$demo" &
sleep "${TESMARO_RUN_SECONDS:-12}"
wine "$build/bin/tmdriver.exe" screenshot 'Z:'$(echo "$build/run-screenshot.png" | tr / '\\') || true
echo "run: no display here; the player ran on Xvfb $DISPLAY. Screenshot: $build/run-screenshot.png"
wine "$build/bin/tmdriver.exe" close TesmaroPlayer || true
wait || true
"$src/scripts/wine-session.sh" stop "$build"

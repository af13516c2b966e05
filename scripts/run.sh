#!/usr/bin/env bash
# run.sh [--dvd]: sets up, builds and runs the player under Wine with the bundled demo clip.
#   --dvd  opens a DVD-Video volume with menus instead (build/bin/media/menus/menus: it starts
#          on its main menu, two buttons chosen with the arrow keys or the mouse), through its
#          VIDEO_TS\VIDEO_TS.IFO as a user opens a disc.
# On a machine without a display the player runs on a private Xvfb for a while
# (TESMARO_RUN_SECONDS, 12 by default); a screenshot is then saved in build/run-screenshot.png
# and the player closed.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$src/build
media=tesmaro-demo.avi
case "${1:-}" in
  "") ;;
  --dvd) media=menus/menus/VIDEO_TS/VIDEO_TS.IFO ;;
  -h | --help) sed -n '2,8s/^# \{0,1\}//p' "$0"; exit 0 ;;
  *) sed -n '2,8s/^# \{0,1\}//p' "$0" >&2; exit 2 ;;
esac
"$src/scripts/build.sh" "$build"
source "$src/scripts/wine-env.sh" "$build"
demo='Z:'$(echo "$build/bin/media/$media" | tr / '\\')
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

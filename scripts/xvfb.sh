#!/usr/bin/env bash
# xvfb.sh ensure BUILD  -> prints the display of this build's Xvfb, starting one if needed
# xvfb.sh stop BUILD    -> stops it
set -euo pipefail
cmd=$1
source "$(dirname "$0")/wine-env.sh" "$2"
state=$TESMARO_STATE
mkdir -p "$state"
exec 9>"$state/xvfb.lock"
flock 9
case "$cmd" in
ensure)
  if [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
    cat "$state/xvfb.display"; exit 0
  fi
  exec 8>"$state/xvfb.fd"
  # 1024 x 768 is the screen size that the sizing rules are usually reasoned about with.
  Xvfb -displayfd 8 -screen 0 1024x768x24 -nolisten tcp </dev/null >"$state/xvfb.log" 2>&1 9>&- &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do [ -s "$state/xvfb.fd" ] && break; sleep 0.05; done
  # Without a display every window test would fail for a reason that no test names: say so here.
  if [ ! -s "$state/xvfb.fd" ] || ! kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
    echo "xvfb.sh: Xvfb did not come up (log: $state/xvfb.log):" >&2
    cat "$state/xvfb.log" >&2 || true
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/xvfb.display"
    exit 1
  fi
  echo ":$(head -n1 "$state/xvfb.fd")" >"$state/xvfb.display"
  cat "$state/xvfb.display" ;;
stop)
  if [ -f "$state/xvfb.pid" ]; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true; rm -f "$state/xvfb.pid"; fi ;;
esac

#!/usr/bin/env bash
# wine-session.sh start|stop BUILD: brings the prefix, the display and Wine's own services up
# before a test run, and takes them down afterwards. Everything started here writes to a log,
# not to the caller's output: Wine's service processes outlive the command that started them.
set -euo pipefail
here=$(dirname "$0")
cmd=$1; build=$2
# The session's services serve tests: no sound of theirs reaches the desktop.
export TESMARO_NULL_AUDIO=1
case "$cmd" in
start)
  "$here/wine-prefix.sh" "$build"
  source "$here/wine-env.sh" "$build"
  [ -n "${DISPLAY:-}" ] || DISPLAY=$("$here/xvfb.sh" ensure "$build")
  export DISPLAY
  # A server that already runs (an earlier session) is simply reused.
  wineserver -p 120 </dev/null >>"$TESMARO_STATE/session.log" 2>&1 || true
  wineboot </dev/null >>"$TESMARO_STATE/session.log" 2>&1
  # A program that crashes ends with its backtrace in the output instead of waiting behind
  # Wine's crash dialog for a click that no test gives.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >>"$TESMARO_STATE/session.log" 2>&1
  # The virtual desktop's process is started here, not by the first test: see DesktopHolder.cpp.
  holder="$build/bin/desktop_holder.exe"
  if [ -f "$holder" ]; then
    ready="$TESMARO_STATE/desktop.ready"
    rm -f "$ready"
    wine "$holder" "Z:${ready//\//\\}" </dev/null >>"$TESMARO_STATE/session.log" 2>&1 &
    for _ in $(seq 300); do [ -f "$ready" ] && break; sleep 0.1; done
  fi ;;
stop)
  source "$here/wine-env.sh" "$build"
  wineserver -k </dev/null >/dev/null 2>&1 || true
  "$here/xvfb.sh" stop "$build" ;;
esac

#!/usr/bin/env bash
# suite_runs.sh N [BUILD]: runs the whole test suite N times in a row, each test once per run (no
# retries), and prints each run's failures and time, then how often each test failed.
# BUILD defaults to build/ and must be built already (scripts/build.sh).
set -uo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:?usage: suite_runs.sh N [BUILD]}
build=$(cd "${2:-$src/build}" && pwd)
log=$build/suite_runs
mkdir -p "$log"
: > "$log/failures.txt"
cd "$build"
for ((i = 1; i <= runs; i++)); do
    start=$(date +%s)
    ctest -j2 --output-on-failure > "$log/run$i.log" 2>&1
    rc=$?
    seconds=$(( $(date +%s) - start ))
    # ctest lists failed tests after "The following tests FAILED:" as "  N - name (Failed)".
    failed=$(sed -n '/The following tests FAILED:/,$p' "$log/run$i.log" | sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\).*/\1/p')
    count=$(printf '%s' "$failed" | grep -c . || true)
    printf 'run %d: %d failed, %d s (exit %d)%s\n' "$i" "$count" "$seconds" "$rc" \
        "$( [ -n "$failed" ] && printf ': %s' "$(echo $failed)")"
    [ -n "$failed" ] && printf '%s\n' "$failed" >> "$log/failures.txt"
done
echo "failures over $runs runs (logs in $log):"
if [ -s "$log/failures.txt" ]; then sort "$log/failures.txt" | uniq -c | sort -rn; else echo "  none"; fi

#!/usr/bin/env bash
# fuzz.sh [SECONDS]: builds each pure parser natively with clang, libFuzzer and the address and
# undefined-behaviour sanitizers, then runs each target for SECONDS (default 30) starting from its
# stored hostile inputs (tests/fuzz/corpus/NAME). Prints each run's figures; exits non-zero on the
# first finding, whose input is kept as build/fuzz/NAME-crash-*.
# To add a target: write tests/fuzz/XxxFuzz.cpp with FUZZ_TARGET, make tests/fuzz/corpus/NAME,
# and add a line to `targets` below (name, target source, the sources it exercises).
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-${FUZZ_SECONDS:-30}}
out=${FUZZ_BUILD:-$src/build/fuzz}
cxx=${FUZZ_CXX:-clang++-14}
mkdir -p "$out"

targets=(
  "skin_entry   SkinEntryFuzz.cpp   skin/SkinFormat.cpp"
  "m3u          M3uFuzz.cpp         playlist/Playlist.cpp playlist/PlaylistModel.cpp framework/ChosenFiles.cpp"
  "command_line CommandLineFuzz.cpp framework/CommandLine.cpp"
  "status_text  StatusTextFuzz.cpp  app/StatusText.cpp engine/StatusFigures.cpp framework/Text.cpp framework/ChosenFiles.cpp playback/PlaybackMath.cpp"
  "state_stream StateStreamFuzz.cpp dvd/navigator/StateStream.cpp"
  "program_stream ProgramStreamFuzz.cpp dvd/navigator/ProgramStream.cpp dvd/navigator/Lpcm.cpp"
)

flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -DTESMARO_LIBFUZZER -I"$src/tests/fuzz" -I"$src/skin" -I"$src/playlist" -I"$src/framework"
       -I"$src/app" -I"$src/playback" -I"$src/engine" -I"$src/dvd/navigator")

for line in "${targets[@]}"; do
  read -r name target sources <<<"$line"
  files=("$src/tests/fuzz/$target")
  for s in $sources; do files+=("$src/$s"); done
  echo "fuzz: building $name"
  "$cxx" "${flags[@]}" "${files[@]}" -o "$out/$name"
done

for line in "${targets[@]}"; do
  read -r name _ <<<"$line"
  work="$out/$name-corpus"
  mkdir -p "$work"
  echo "fuzz: running $name for ${seconds}s"
  # New inputs go to the work folder; the stored corpus is only read.
  if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      "$out/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -print_final_stats=1 -artifact_prefix="$out/$name-" "$work" "$src/tests/fuzz/corpus/$name" \
      >"$out/$name.log" 2>&1; then
    tail -40 "$out/$name.log"
    echo "fuzz: FINDING in $name (see $out/$name.log)"
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$out/$name.log" | sed "s/^/  $name /"
done
echo "fuzz: no findings"

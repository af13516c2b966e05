#!/usr/bin/env bash
# make_bench_dvd.sh OUTDIR: the volume the navigator benchmark plays (OUTDIR/VIDEO_TS): one
# title of 65 s of a moving test pattern, 720 x 576 at 25 frames a second at the usual DVD bit
# rate, with AC-3 sound, so that a minute of playback decodes what a real disc asks for.
set -euo pipefail
out=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
ffmpeg -nostdin -loglevel error -y -f lavfi -i "testsrc2=size=720x576:rate=25:duration=65" \
  -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=65" \
  -target pal-dvd -aspect 4:3 -g 15 -c:a ac3 -b:a 192k "$tmp/title.mpg"
rm -rf "$out"
cat >"$tmp/bench.xml" <<XML
<dvdauthor dest="$out">
  <vmgm><fpc>jump title 1;</fpc></vmgm>
  <titleset><titles><audio lang="en"/><pgc><vob file="$tmp/title.mpg"/></pgc></titles></titleset>
</dvdauthor>
XML
VIDEO_FORMAT=PAL dvdauthor -x "$tmp/bench.xml" >"$tmp/dvdauthor.log" 2>&1 || { cat "$tmp/dvdauthor.log"; exit 1; }
echo "make_bench_dvd: $(du -sh "$out" | cut -f1) in $out"

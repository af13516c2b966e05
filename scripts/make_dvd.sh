#!/usr/bin/env bash
# make_dvd.sh OUTDIR: a small DVD-Video volume for the DVD tests, authored with dvdauthor from
# ffmpeg-made MPEG-2 clips: three titles (12, 8 and 6 seconds) with 3, 2 and 1 chapters, two
# audio languages and two subpicture streams. The tests' navigator reads it from the IFO files.
set -euo pipefail
out=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
ff() { ffmpeg -nostdin -loglevel error -y "$@"; }
# Each title has its own pattern speed and tones, low bit rates keep the volume under 3 MB.
clip() {
  ff -f lavfi -i "testsrc2=size=720x576:rate=25:duration=$2" \
     -f lavfi -i "sine=frequency=$3:sample_rate=48000:duration=$2" \
     -f lavfi -i "sine=frequency=$4:sample_rate=48000:duration=$2" \
     -map 0:v -map 1:a -map 2:a -c:v mpeg2video -b:v 300k -maxrate 1000k -bufsize 1835k -g 12 \
     -c:a mp2 -b:a 64k -ac 1 -f dvd -muxrate 10080k "$tmp/$1.mpg"
}
clip t1 12 440 550
clip t2 8 660 770
clip t3 6 880 990
rm -rf "$out"
mkdir -p "$out"
cat >"$tmp/disc.xml" <<XML
<dvdauthor dest="$out">
  <vmgm><fpc>jump title 1;</fpc></vmgm>
  <titleset>
    <titles>
      <audio lang="en"/><audio lang="fr"/>
      <subpicture lang="en"/><subpicture lang="de"/>
      <pgc><vob file="$tmp/t1.mpg" chapters="0,0:04,0:08"/></pgc>
      <pgc><vob file="$tmp/t2.mpg" chapters="0,0:05"/></pgc>
      <pgc><vob file="$tmp/t3.mpg"/></pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
VIDEO_FORMAT=PAL dvdauthor -x "$tmp/disc.xml" 2>"$tmp/log" || { cat "$tmp/log"; exit 1; }

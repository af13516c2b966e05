#!/usr/bin/env bash
# make_nav_discs.sh OUTDIR: the DVD-Video volumes the navigator's tests play, authored with
# dvdauthor and spumux from ffmpeg clips whose picture and sound tell what plays:
#   OUTDIR/colours    title 1: chapter 1 red (6 s), chapter 2 green (6 s); title 2: blue (6 s);
#                     audio 1 "en" AC-3 440 Hz, audio 2 "fr" LPCM 880 Hz; subtitle "en": a white
#                     bar in the lower third from 1 s to 5 s of title 1.
#   OUTDIR/bad/*      what a broken or foreign disc looks like: truncated, empty and random IFO
#                     files, a volume without its VOB, a VOB cut in the middle, 99 titles, and
#                     an encrypted (CSS) volume.
set -euo pipefail
out=$1
python=${PYTHON_FOR_ART:-/usr/bin/python3}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
ff() { ffmpeg -nostdin -loglevel error -y "$@"; }

# One clip: a solid colour, two tones; DVD-conformant MPEG-2 program stream.
clip() {  # name colour seconds
  ff -f lavfi -i "color=c=$2:size=720x576:rate=25:duration=$3" \
     -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=$3" \
     -f lavfi -i "sine=frequency=880:sample_rate=48000:duration=$3" \
     -map 0:v -map 1:a -map 2:a -target pal-dvd -aspect 4:3 -c:a:0 ac3 -b:a:0 192k -c:a:1 pcm_dvd \
     -g 15 "$tmp/$1.mpg"
}
clip red red 6
clip green green 6
clip blue blue 6
ff -f concat -safe 0 -i <(printf "file '%s'\nfile '%s'\n" "$tmp/red.mpg" "$tmp/green.mpg") \
   -map 0:v -map 0:a -c copy -f dvd "$tmp/t1raw.mpg"

# The subtitle: a white bar on a transparent picture (index 0 transparent, 1 white).
"$python" - "$tmp/sub.png" <<'PY'
import sys
from PIL import Image
img = Image.new("P", (720, 576), 0)
img.putpalette([0, 0, 0, 255, 255, 255, 128, 128, 128, 64, 64, 64] + [0] * (256 - 4) * 3)
for y in range(420, 480):
    for x in range(160, 560):
        img.putpixel((x, y), 1)
img.save(sys.argv[1], transparency=0)
PY
cat >"$tmp/spu.xml" <<XML
<subpictures><stream>
  <spu start="00:00:01.00" end="00:00:05.00" image="$tmp/sub.png" force="no"/>
</stream></subpictures>
XML
VIDEO_FORMAT=PAL spumux -s 0 "$tmp/spu.xml" <"$tmp/t1raw.mpg" >"$tmp/t1.mpg" 2>"$tmp/spumux.log" ||
  { cat "$tmp/spumux.log"; exit 1; }

author() {  # xml
  VIDEO_FORMAT=PAL dvdauthor -x "$1" >"$tmp/dvdauthor.log" 2>&1 || { cat "$tmp/dvdauthor.log"; exit 1; }
}

rm -rf "$out"
mkdir -p "$out/bad"
cat >"$tmp/colours.xml" <<XML
<dvdauthor dest="$out/colours">
  <vmgm><fpc>jump title 1;</fpc></vmgm>
  <titleset>
    <titles>
      <audio lang="en"/><audio lang="fr"/>
      <subpicture lang="en"/>
      <pgc><vob file="$tmp/t1.mpg" chapters="0,0:06"/></pgc>
      <pgc><vob file="$tmp/blue.mpg"/></pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
author "$tmp/colours.xml"

good=$out/colours/VIDEO_TS
bad() {  # name: a copy of the good volume to break
  mkdir -p "$out/bad/$1"
  cp -r "$good" "$out/bad/$1/"
  echo "$out/bad/$1/VIDEO_TS"
}
# libdvdread falls back on the .BUP copy of a damaged IFO: both are broken alike.
v=$(bad truncated_ifo); truncate -s 100 "$v/VIDEO_TS.IFO" "$v/VIDEO_TS.BUP"
v=$(bad empty_ifo); truncate -s 0 "$v/VIDEO_TS.IFO" "$v/VIDEO_TS.BUP"
v=$(bad random_bytes)
for f in VIDEO_TS.IFO VIDEO_TS.BUP VTS_01_0.IFO VTS_01_0.BUP; do
  head -c "$(stat -c %s "$v/$f")" /dev/urandom >"$v/$f"
done
v=$(bad no_vob); rm "$v/VTS_01_1.VOB"
v=$(bad cut_vob); truncate -s $(( $(stat -c %s "$v/VTS_01_1.VOB") / 2 / 2048 * 2048 + 1000 )) "$v/VTS_01_1.VOB"

# 99 titles, each a second of blue.
ff -f lavfi -i "color=c=blue:size=720x576:rate=25:duration=1" -f lavfi -i "sine=frequency=440:duration=1" \
   -target pal-dvd -aspect 4:3 "$tmp/short.mpg"
{
  echo "<dvdauthor dest=\"$out/bad/titles99\"><vmgm><fpc>jump title 1;</fpc></vmgm><titleset><titles>"
  for _ in $(seq 99); do echo "<pgc><vob file=\"$tmp/short.mpg\"/></pgc>"; done
  echo "</titles></titleset></dvdauthor>"
} >"$tmp/titles99.xml"
author "$tmp/titles99.xml"

# An encrypted volume as libdvdread sees one without libdvdcss: the PES packets of the title's
# sectors say they are scrambled, and their bytes after the first 128 of the sector are garbled.
v=$(bad encrypted)
"$python" - "$v/VTS_01_1.VOB" <<'PY'
import sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
for at in range(0, len(data) - 2047, 2048):
    s = data[at:at + 2048]
    if s[0:4] != b"\x00\x00\x01\xba":
        continue
    p = 14 + (s[13] & 7)
    if s[p:p + 3] != b"\x00\x00\x01" or s[p + 3] not in (0xe0, 0xbd, 0xc0):
        continue  # navigation packs stay clear, as on a real disc
    s[p + 6] |= 0x10
    for i in range(128, 2048):
        s[i] ^= 0x5a
    data[at:at + 2048] = s
open(path, "wb").write(bytes(data))
PY
echo "make_nav_discs: $(du -sh "$out" | cut -f1) in $out"

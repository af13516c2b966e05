#!/usr/bin/env bash
# make_demo_dvd.sh OUTDIR: a small DVD-Video volume of moving pictures for the navigator's tests
# (OUTDIR/VIDEO_TS), authored with dvdauthor and spumux from ffmpeg clips:
#   first play  title 1
#   title 1     a moving test pattern with a 440 Hz tone, two chapters of 8 s
#   title 2     moving colour bars with a 660 Hz tone, 8 s; at its end the root menu
#   root menu   two buttons (play title 1, play title 2) over a dark picture, reached with the
#               menu command
# About 6 MB: the pictures are simple, so a low bit rate keeps them sharp.
set -euo pipefail
out=$1
python=${PYTHON_FOR_ART:-/usr/bin/python3}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
ff() { ffmpeg -nostdin -loglevel error -y "$@"; }
dvd=(-target pal-dvd -aspect 4:3 -b:v 2000k -maxrate 4000k -bufsize 1835008 -g 15 -b:a 128k)

ff -f lavfi -i "testsrc2=size=720x576:rate=25:duration=16" \
   -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=16" "${dvd[@]}" "$tmp/title1.mpg"
ff -f lavfi -i "smptehdbars=size=720x576:rate=25:duration=8,hue=H=2*PI*t/8" \
   -f lavfi -i "sine=frequency=660:sample_rate=48000:duration=8" "${dvd[@]}" "$tmp/title2.mpg"
ff -f lavfi -i "color=c=0x202840:size=720x576:rate=25:duration=2" \
   -f lavfi -i "anullsrc=r=48000:cl=stereo" -t 2 "${dvd[@]}" "$tmp/menu_bg.mpg"

# The menu's buttons: the picture (index 1 light grey), its highlight (yellow) and its chosen
# state (orange), each a palette picture whose index 0 is transparent.
"$python" - "$tmp" <<'PY'
import sys
from PIL import Image, ImageDraw
tmp = sys.argv[1]
boxes = [(160, 240, 340, 330), (380, 240, 560, 330)]
for name, colour in (("image", (200, 200, 200)), ("highlight", (250, 210, 0)), ("select", (250, 120, 0))):
    img = Image.new("P", (720, 576), 0)
    img.putpalette([0, 0, 0] + list(colour) + [0] * (256 - 2) * 3)
    draw = ImageDraw.Draw(img)
    for x0, y0, x1, y1 in boxes:
        draw.rectangle((x0, y0, x1, y1), outline=1, width=6)
    img.save(f"{tmp}/{name}.png", transparency=0)
PY
cat >"$tmp/spu.xml" <<XML
<subpictures><stream>
  <spu force="yes" start="00:00:00.00" image="$tmp/image.png" highlight="$tmp/highlight.png"
       select="$tmp/select.png">
    <button name="b1" x0="160" y0="240" x1="340" y1="330" right="b2"/>
    <button name="b2" x0="380" y0="240" x1="560" y1="330" left="b1"/>
  </spu>
</stream></subpictures>
XML
VIDEO_FORMAT=PAL spumux "$tmp/spu.xml" <"$tmp/menu_bg.mpg" >"$tmp/menu.mpg" 2>"$tmp/spumux.log" ||
  { cat "$tmp/spumux.log"; exit 1; }

rm -rf "$out"
cat >"$tmp/demo.xml" <<XML
<dvdauthor dest="$out">
  <vmgm><fpc>jump title 1;</fpc></vmgm>
  <titleset>
    <menus>
      <pgc entry="root">
        <button name="b1">jump title 1;</button>
        <button name="b2">jump title 2;</button>
        <vob file="$tmp/menu.mpg" pause="inf"/>
      </pgc>
    </menus>
    <titles>
      <audio lang="en"/>
      <pgc><vob file="$tmp/title1.mpg" chapters="0,0:08"/><post>jump title 2;</post></pgc>
      <pgc><vob file="$tmp/title2.mpg"/><post>call menu;</post></pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
VIDEO_FORMAT=PAL dvdauthor -x "$tmp/demo.xml" >"$tmp/dvdauthor.log" 2>&1 || { cat "$tmp/dvdauthor.log"; exit 1; }
echo "make_demo_dvd: $(du -sh "$out" | cut -f1) in $out"

#!/usr/bin/env bash
# make_menu_discs.sh OUTDIR: DVD-Video volumes with menus for the navigator's menu tests and for
# the demo, authored with dvdauthor and spumux. Colours tell what plays and what is selected:
#   OUTDIR/menus   first play goes to the main menu (the video manager's title menu): a still on
#                  a dark background with two buttons, "Red and green" (title 1) and "Blue"
#                  (title 2). Buttons are white; the selected one yellow, the activated one
#                  magenta. Title 1: chapter 1 red, chapter 2 green (3 s each), subtitle stream
#                  "en": a white bar in the lower third from 0.5 s to 5.5 s. Title 2: blue (3 s),
#                  a forced subtitle bar at the top from 0.5 s to 2.5 s. Both titles end by
#                  calling the main menu again.
#                  Title set 1 has a root menu on a moving background (a loop of two seconds)
#                  whose buttons play title 1, open menu 3 and open the chapter menu; a chapter
#                  menu (still) whose buttons play chapter 1 and chapter 2 of title 1; and menu
#                  3, a still that times out after 2 s and then plays title 2.
#   OUTDIR/plain   one red title (8 s) and no menus at all.
# Button rectangles (picture coordinates, 720 x 576): button 1 x 200-519, y 160-239; button 2
# x 200-519, y 320-399; the root menu's button 3 x 200-519, y 410-469.
set -euo pipefail
out=$1
python=${PYTHON_FOR_ART:-/usr/bin/python3}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
ff() { ffmpeg -nostdin -loglevel error -y "$@"; }

# A clip of one colour with a tone (titles) or silence (menus); 15-frame GOPs.
clip() {  # name colour seconds audio-source
  ff -f lavfi -i "color=c=$2:size=720x576:rate=25:duration=$3" -f lavfi -i "$4:duration=$3" \
     -map 0:v -map 1:a -target pal-dvd -aspect 4:3 -c:a ac3 -b:a 192k -g 15 "$tmp/$1.mpg"
}
# A clip of a still picture (PNG) with silence.
picture() {  # name png seconds
  ff -loop 1 -framerate 25 -i "$2" -f lavfi -i "anullsrc=r=48000:cl=stereo" -t "$3" \
     -map 0:v -map 1:a -target pal-dvd -aspect 4:3 -c:a ac3 -b:a 192k -g 15 -pix_fmt yuv420p "$tmp/$1.mpg"
}
silence="anullsrc=r=48000:cl=stereo"

# The pictures: menu backgrounds with their headings, the buttons' three states (palette index 0
# transparent) and the subtitle bars.
"$python" - "$tmp" <<'PY'
import os, sys
from PIL import Image, ImageDraw, ImageFont
tmp = sys.argv[1]
W, H = 720, 576
BUTTONS = [(200, 160, 520, 240), (200, 320, 520, 400)]
ROOT_BUTTONS = BUTTONS + [(200, 410, 520, 470)]

def font(px, bold=True):
    path = '/usr/share/fonts/truetype/dejavu/DejaVuSans%s.ttf' % ('-Bold' if bold else '')
    return ImageFont.truetype(path, px) if os.path.exists(path) else None

def background(name, colour, heading, sub):
    img = Image.new('RGB', (W, H), colour)
    d = ImageDraw.Draw(img)
    if font(44):  # without the font the menus have no words, only their colours
        d.text((W // 2, 70), heading, font=font(44), fill=(220, 226, 236), anchor='mm')
        d.text((W // 2, 500), sub, font=font(22, False), fill=(170, 178, 192), anchor='mm')
    img.save(os.path.join(tmp, name + '.png'))

background('main', (40, 48, 64), 'Tesmaro Player', 'Arrow keys or the mouse choose, Enter or a click plays')
background('root', (24, 64, 56), 'Title set menu', 'This background keeps playing')
background('chapters', (64, 40, 56), 'Chapters', 'Choose a chapter of title 1')
background('timeout', (56, 56, 24), 'Playing title 2 shortly', 'This menu times out after two seconds')

# One palette for every state: 0 transparent, 1 the button's face (white, yellow or magenta),
# 2 its label (dark in every state). spumux keeps the pixel types alike across the three.
FACES = {'normal': (255, 255, 255), 'highlight': (255, 255, 0), 'select': (255, 0, 255)}

def buttons(name, labels, boxes=BUTTONS):
    for state, face in FACES.items():
        img = Image.new('P', (W, H), 0)
        img.putpalette([0, 0, 0] + list(face) + [24, 24, 32] + [0, 0, 0] * 253)
        d = ImageDraw.Draw(img)
        d.fontmode = '1'  # no antialiasing: the picture keeps its three colours
        for (x0, y0, x1, y1), label in zip(boxes, labels):
            d.rectangle((x0, y0, x1 - 1, y1 - 1), fill=1)
            if font(30):
                d.text(((x0 + x1) // 2 + 30, (y0 + y1) // 2), label, font=font(30), fill=2, anchor='mm')
        img.save(os.path.join(tmp, '%s_%s.png' % (name, state)), transparency=0)

buttons('main', ['Red and green', 'Blue'])
buttons('root', ['Play title 1', 'Menu 3', 'Chapters'], ROOT_BUTTONS)
buttons('chapters', ['Chapter 1', 'Chapter 2'])
buttons('timeout', ['Title 1', 'Title 1'])

def bar(name, box):
    img = Image.new('P', (W, H), 0)
    img.putpalette([0, 0, 0, 255, 255, 255] + [0, 0, 0] * 254)
    ImageDraw.Draw(img).rectangle(box, fill=1)
    img.save(os.path.join(tmp, name + '.png'), transparency=0)

bar('sub_low', (160, 420, 559, 479))
bar('sub_top', (160, 100, 559, 159))
PY

# Buttons go into a menu clip with spumux: one forced unit for the whole clip, two buttons
# unless the menu names its own.
two_buttons='<button name="b1" x0="200" y0="160" x1="520" y1="240" up="b2" down="b2"/>
    <button name="b2" x0="200" y0="320" x1="520" y1="400" up="b1" down="b1"/>'
three_buttons='<button name="b1" x0="200" y0="160" x1="520" y1="240" up="b3" down="b2"/>
    <button name="b2" x0="200" y0="320" x1="520" y1="400" up="b1" down="b3"/>
    <button name="b3" x0="200" y0="410" x1="520" y1="470" up="b2" down="b1"/>'
menu() {  # name seconds [buttons]
  picture "$1_bg" "$tmp/$1.png" "$2"
  cat >"$tmp/$1.xml" <<XML
<subpictures><stream>
  <spu force="yes" start="00:00:00.00" image="$tmp/$1_normal.png" highlight="$tmp/$1_highlight.png"
       select="$tmp/$1_select.png">
    ${3:-$two_buttons}
  </spu>
</stream></subpictures>
XML
  VIDEO_FORMAT=PAL spumux "$tmp/$1.xml" <"$tmp/$1_bg.mpg" >"$tmp/$1.mpg" 2>"$tmp/spumux.log" ||
    { cat "$tmp/spumux.log"; exit 1; }
}
menu main 1
menu root 2 "$three_buttons"
menu chapters 1
menu timeout 1

# A subtitle unit over a title clip.
subtitle() {  # clip png start end force
  cat >"$tmp/$1_sub.xml" <<XML
<subpictures><stream>
  <spu start="$3" end="$4" image="$2" force="$5"/>
</stream></subpictures>
XML
  VIDEO_FORMAT=PAL spumux -s 0 "$tmp/$1_sub.xml" <"$tmp/$1_raw.mpg" >"$tmp/$1.mpg" 2>"$tmp/spumux.log" ||
    { cat "$tmp/spumux.log"; exit 1; }
}
clip red red 3 "sine=frequency=440:sample_rate=48000"
clip green green 3 "sine=frequency=440:sample_rate=48000"
clip t2_raw blue 3 "sine=frequency=660:sample_rate=48000"
ff -f concat -safe 0 -i <(printf "file '%s'\nfile '%s'\n" "$tmp/red.mpg" "$tmp/green.mpg") \
   -map 0:v -map 0:a -c copy -f dvd "$tmp/t1_raw.mpg"
subtitle t1 "$tmp/sub_low.png" 00:00:00.50 00:00:05.50 no
subtitle t2 "$tmp/sub_top.png" 00:00:00.50 00:00:02.50 yes

author() {  # xml
  VIDEO_FORMAT=PAL dvdauthor -x "$1" >"$tmp/dvdauthor.log" 2>&1 || { cat "$tmp/dvdauthor.log"; exit 1; }
}
rm -rf "$out/menus" "$out/plain"
mkdir -p "$out"
cat >"$tmp/menus.xml" <<XML
<dvdauthor dest="$out/menus">
  <vmgm>
    <fpc>jump menu 1;</fpc>
    <menus>
      <video format="pal" aspect="4:3"/>
      <pgc entry="title">
        <button name="b1">jump title 1;</button>
        <button name="b2">jump title 2;</button>
        <vob file="$tmp/main.mpg" pause="inf"/>
      </pgc>
    </menus>
  </vmgm>
  <titleset>
    <menus>
      <video format="pal" aspect="4:3"/>
      <pgc entry="root">
        <button name="b1">jump title 1;</button>
        <button name="b2">jump menu 3;</button>
        <button name="b3">jump menu 2;</button>
        <vob file="$tmp/root.mpg"/>
        <post>jump cell 1;</post>
      </pgc>
      <pgc entry="ptt">
        <button name="b1">jump title 1 chapter 1;</button>
        <button name="b2">jump title 1 chapter 2;</button>
        <vob file="$tmp/chapters.mpg" pause="inf"/>
      </pgc>
      <pgc>
        <button name="b1">jump title 1;</button>
        <button name="b2">jump title 1;</button>
        <vob file="$tmp/timeout.mpg" pause="2"/>
        <post>jump title 2;</post>
      </pgc>
    </menus>
    <titles>
      <video format="pal" aspect="4:3"/>
      <subpicture lang="en"/>
      <pgc>
        <vob file="$tmp/t1.mpg" chapters="0,0:03"/>
        <post>call vmgm menu 1;</post>
      </pgc>
      <pgc>
        <vob file="$tmp/t2.mpg"/>
        <post>call vmgm menu 1;</post>
      </pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
author "$tmp/menus.xml"

clip plain red 8 "sine=frequency=440:sample_rate=48000"
cat >"$tmp/plain.xml" <<XML
<dvdauthor dest="$out/plain">
  <vmgm><fpc>jump title 1;</fpc></vmgm>
  <titleset><titles><pgc><vob file="$tmp/plain.mpg"/></pgc></titles></titleset>
</dvdauthor>
XML
author "$tmp/plain.xml"
echo "make_menu_discs: $(du -sh "$out" | cut -f1) in $out"

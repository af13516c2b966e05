#!/usr/bin/env bash
# make_media.sh OUTDIR: the demo clip and the media the tests play, made with ffmpeg.
set -euo pipefail
out=$1
mkdir -p "$out"
ff() { ffmpeg -nostdin -loglevel error -y "$@"; }
pattern() { echo "testsrc2=size=$1:rate=25:duration=$2"; }
tone() { echo "sine=frequency=$1:sample_rate=44100:duration=$2"; }

# The demo that the run command opens: a moving test pattern with a tone.
ff -f lavfi -i "$(pattern 640x360 20)" \
   -c:v mpeg4 -q:v 4 "$out/tesmaro-demo.avi"

ff -f lavfi -i "$(pattern 320x240 6)" -f lavfi -i "$(tone 440 6)" -c:v mpeg4 -q:v 5 -c:a pcm_s16le "$out/clip_av.avi"
ff -f lavfi -i "$(pattern 320x240 4)" -c:v mpeg4 -q:v 5 "$out/clip_video.avi"
ff -f lavfi -i "$(pattern 320x240 5)" -c:v libx264 -pix_fmt yuv420p "$out/clip.mp4"
ff -f lavfi -i "$(pattern 352x288 5)" -c:v mpeg1video "$out/clip.mpg"
# A Super Video CD's kind of track: MPEG-2 in a program stream.
ff -f lavfi -i "$(pattern 480x576 5)" -c:v mpeg2video -f vob "$out/clip_mpeg2.mpg"
ff -f lavfi -i "$(tone 660 5)" "$out/tone.wav"
ff -f lavfi -i "$(pattern 320x240 62)" -c:v mpeg4 -q:v 10 "$out/clip_long.avi"
ff -f lavfi -i "$(pattern 320x240 3)" -c:v mpeg4 -q:v 5 "$out/clip_short.avi"
# Random bytes behind a media extension.
head -c 65536 /dev/urandom >"$out/corrupt.avi"

# Pictures for the skin picture loader: one known colour, 64 x 48, in each format it decodes
# (the GIF with a palette made for the picture, so that the colour stays exact).
picture="color=c=0x246CAA:size=64x48:duration=0.04"
ff -f lavfi -i "$picture" -frames:v 1 -update 1 "$out/skin_picture.bmp"
ff -f lavfi -i "$picture" -frames:v 1 -update 1 "$out/skin_picture.jpg"
ff -f lavfi -i "$picture" -vf "split[a][b];[a]palettegen[p];[b][p]paletteuse" -frames:v 1 -update 1 \
   "$out/skin_picture.gif"
# A wide picture for the full-screen fit, and a clip whose name says Windows Media but is not.
ff -f lavfi -i "$(pattern 640x360 4)" -c:v mpeg4 -q:v 5 "$out/clip_wide.avi"
ff -f lavfi -i "$(pattern 320x240 3)" -c:v mpeg4 -q:v 5 -f avi "$out/not_asf.wmv"

# Still pictures, each a test pattern, in the sizes the picture tests need: at their own size,
# wider and higher than the work area, both, a single pixel and far too large; a small bitmap
# (Wine's decoder takes bitmaps of up to 4 KiB only) next to a larger one, a Targa picture, and
# damaged ones. Under Wine only GIF pictures reach the screen (see the README), so the tests
# that look at the picture use GIFs.
still() { ff -f lavfi -i "testsrc2=size=$1:rate=1:duration=1" -frames:v 1 -update 1 "${@:3}" "$out/$2"; }
still 400x300 photo.jpg
still 400x300 photo.gif
still 2000x1500 large.jpg
still 2000x1500 large.gif
still 1600x300 wide.gif
still 300x1000 tall.gif
still 30x20 small.bmp
still 400x300 photo.bmp
still 64x48 photo.tga
ff -f lavfi -i "color=c=0x336699:size=2x2:duration=1" -vf scale=1:1 -frames:v 1 -update 1 "$out/dot.jpg"
ff -f lavfi -i "color=c=0x336699:size=2x2:duration=1" -vf scale=1:1 -frames:v 1 -update 1 "$out/dot.bmp"
ff -f lavfi -i "color=c=0x336699:size=8000x8000:duration=1" -frames:v 1 -update 1 "$out/huge.jpg"
ff -f lavfi -i "color=c=0x336699:size=8000x8000:duration=1" -frames:v 1 -update 1 "$out/huge.gif"
head -c 3000 "$out/photo.jpg" >"$out/cut.jpg"
head -c 20000 /dev/urandom >"$out/corrupt.jpg"

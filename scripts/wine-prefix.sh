#!/usr/bin/env bash
# wine-prefix.sh BUILD: creates the build tree's private 32-bit Wine prefix once.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh" "$1"
mkdir -p "$TESMARO_STATE"
exec 9>"$TESMARO_STATE/prefix.lock"
flock 9
[ -f "$WINEPREFIX/.tesmaro-ready" ] && exit 0
rm -rf "$WINEPREFIX"
echo "wine-prefix: creating $WINEPREFIX"
DISPLAY= wineboot -i </dev/null >"$TESMARO_STATE/wineboot.log" 2>&1
wineserver -w
# Wine ships its fonts (Tahoma for the skins, Marlett for caption buttons) but does not install
# them into a prefix.
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
# Windows live on a virtual desktop of the screen's size: Wine then needs no window manager to
# map, raise and hide them, and every test sees the same screen.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.tesmaro-ready"

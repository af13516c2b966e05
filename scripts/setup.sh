#!/usr/bin/env bash
# Prepares a Debian machine to build Tesmaro Player and run it under 32-bit Wine.
# Idempotent: installs only the packages that are missing.
set -euo pipefail

packages=(
  cmake make g++-mingw-w64-i686 mingw-w64-i686-dev googletest
  wine wine32:i386 wine64 xvfb x11-utils imagemagick
  libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
  gstreamer1.0-plugins-bad:i386 gstreamer1.0-plugins-ugly:i386
  gstreamer1.0-libav:i386 ffmpeg python3-pil fonts-wine dvdauthor
  clang-14 libclang-rt-14-dev nsis fp-utils zip
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  updated=0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
echo "setup: packages ready"
